// Tells the end-to-end test where a dialog's control is, since controls are not X windows:
//   window_probe CAPTION ID          prints the control's centre in screen coordinates
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
    if (GetDlgCtrlID(hWnd) == search->id && IsWindowVisible(hWnd)) {
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
    if (argc != 3 && !(argc == 4 && std::strcmp(argv[3], "cursel") == 0)) {
        std::fprintf(stderr, "usage: window_probe CAPTION ID [cursel]\n");
        return 2;
    }
    Search search{argv[1], std::atoi(argv[2]), nullptr};
    EnumWindows(&SearchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) {
        return 1;
    }
    if (argc == 4) {
        std::printf("%d\n", static_cast<int>(SendMessageA(search.found, CB_GETCURSEL, 0, 0)));
        return 0;
    }
    RECT rect;
    GetWindowRect(search.found, &rect);
    std::printf("%ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    return 0;
}
