// Tells a script where a dialog's control is and what it shows, since controls are not X windows:
//   window_probe CAPTION ID          prints the control's centre in screen coordinates
//   window_probe CAPTION ID rect     prints its left, top, right and bottom in screen coordinates
//   window_probe CAPTION ID text     prints its text
//   window_probe CAPTION ID cursel   prints the selected index of that combo box
// The control is looked for in every visible top-level window with the caption, nested child
// dialogs included. Exits 1 when there is no such control.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Search {
    const char* caption;
    int id;
    HWND found;
};

BOOL CALLBACK MatchId(HWND hWnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    // A control of a dialog, not a part of another control (a combo box's edit has ID 1001).
    char parentClass[16] = {};
    GetClassNameA(GetAncestor(hWnd, GA_PARENT), parentClass, sizeof parentClass);
    if (GetDlgCtrlID(hWnd) == search->id && IsWindowVisible(hWnd) &&
        std::strcmp(parentClass, "#32770") == 0) {
        search->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK SearchWindow(HWND hWnd, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    char text[256] = {};
    GetWindowTextA(hWnd, text, sizeof text);
    if (IsWindowVisible(hWnd) && std::strcmp(text, search->caption) == 0) {
        EnumChildWindows(hWnd, &MatchId, lParam);
    }
    return search->found == nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    const char* what = argc == 4 ? argv[3] : "centre";
    if (argc < 3 || argc > 4 ||
        (argc == 4 && std::strcmp(what, "rect") != 0 && std::strcmp(what, "text") != 0 &&
         std::strcmp(what, "cursel") != 0)) {
        std::fprintf(stderr, "usage: window_probe CAPTION ID [rect|text|cursel]\n");
        return 2;
    }
    Search search{argv[1], std::atoi(argv[2]), nullptr};
    EnumWindows(&SearchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) {
        return 1;
    }
    RECT rect;
    GetWindowRect(search.found, &rect);
    char text[512] = {};
    if (std::strcmp(what, "cursel") == 0) {
        std::printf("%d\n", static_cast<int>(SendMessageA(search.found, CB_GETCURSEL, 0, 0)));
    } else if (std::strcmp(what, "text") == 0) {
        SendMessageA(search.found, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        std::printf("%s\n", text);
    } else if (std::strcmp(what, "rect") == 0) {
        std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
    } else {
        std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    return 0;
}
