#include "tests/support/ui_driver.h"

#include <commctrl.h>

#include <deque>
#include <utility>

namespace {

struct WindowAction {
    std::function<bool(HWND)> matches;
    std::function<void(HWND)> act;
};
std::deque<WindowAction> g_actions;  // the actions of OnNextWindow still to run
int g_nTicksLeft = 0;                // before the first of them gives up
UINT_PTR g_nActionTimer = 0;         // runs them every 50 ms, once started
CDialog* g_pModal = nullptr;         // the dialog RunModal runs

BOOL CALLBACK FindMatch(HWND hWnd, LPARAM found) {
    const bool match = IsWindowVisible(hWnd) && g_actions.front().matches(hWnd);
    *reinterpret_cast<HWND*>(found) = match ? hWnd : nullptr;
    return !match;
}

void CALLBACK RunNextAction(HWND, UINT, UINT_PTR, DWORD) {
    HWND hFound = nullptr;
    if (!g_actions.empty() && --g_nTicksLeft < 0) {
        g_actions.clear();
        PostMessageA(GetActiveWindow(), WM_COMMAND, IDCANCEL, 0);
    } else if (!g_actions.empty() &&
               !EnumThreadWindows(GetCurrentThreadId(), &FindMatch,
                                  reinterpret_cast<LPARAM>(&hFound)) &&
               hFound != nullptr) {
        // Taken first: the action may run a modal loop, which runs this timer again.
        const WindowAction action = std::move(g_actions.front());
        g_actions.pop_front();
        g_nTicksLeft = 400;
        action.act(hFound);
    }
}

// A script that failed to end its dialog: the dialog ends with kAbandoned instead of hanging.
void CALLBACK EndAbandoned(HWND, UINT, UINT_PTR, DWORD) {
    ::EndDialog(g_pModal->m_hWnd, kAbandoned);
}

}  // namespace

void OnNextWindow(std::function<bool(HWND)> matches, std::function<void(HWND)> act) {
    if (g_nActionTimer == 0) {
        g_nActionTimer = SetTimer(nullptr, 0, 50, &RunNextAction);
    }
    g_nTicksLeft = g_actions.empty() ? 400 : g_nTicksLeft;
    g_actions.push_back({std::move(matches), std::move(act)});
}

std::function<bool(HWND)> Titled(const std::string& caption) {
    return [caption](HWND hWnd) { return WindowText(hWnd) == caption; };
}

void AnswerMessageBox(std::vector<std::string>& boxes) {
    OnNextWindow(
        [](HWND hWnd) {  // a dialog-class window that no object of the layer owns
            return GetClassLongA(hWnd, GCW_ATOM) == 32770 && !CWnd::FromHandlePermanent(hWnd);
        },
        [&boxes](HWND hBox) {
            const HWND hOwner = GetWindow(hBox, GW_OWNER);
            boxes.push_back(
                WindowText(GetDlgItem(hBox, 0xFFFF)) + "|" + WindowText(hBox) + "|" +
                (hOwner == nullptr
                     ? "(none)"
                     : WindowText(hOwner) + (IsWindowEnabled(hOwner) ? "" : " (disabled)")));
            PostMessageA(hBox, WM_COMMAND, IDOK, 0);
        });
}

std::size_t PendingWindowActions() {
    return g_actions.size();
}

INT_PTR RunModal(CDialog& dlg, const std::function<void()>& script) {
    g_pModal = &dlg;
    // Not while the dialog is still being set up or a message box it owns is open.
    OnNextWindow([&dlg](HWND hWnd) { return hWnd == dlg.m_hWnd && IsWindowEnabled(hWnd); },
                 [&script](HWND) { script(); });
    const UINT_PTR nGuard = SetTimer(nullptr, 0, 10000, &EndAbandoned);
    const INT_PTR result = dlg.DoModal();
    KillTimer(nullptr, nGuard);
    g_pModal = nullptr;
    return result;
}

void PumpMessages(DWORD milliseconds) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < milliseconds; Sleep(5)) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            // As the dialog manager's loop does: the dialog sees keys (accelerators) first.
            if (msg.hwnd == nullptr || !IsDialogMessageA(GetAncestor(msg.hwnd, GA_ROOT), &msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
    }
}

std::string WindowText(HWND hWnd) {
    char text[1024] = {};
    GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

void Command(HWND hDlg, int id, int code) {
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(id, code),
                 reinterpret_cast<LPARAM>(GetDlgItem(hDlg, id)));
}

std::vector<std::vector<std::string>> ListRows(HWND hList) {
    const int columns = Header_GetItemCount(ListView_GetHeader(hList));
    std::vector<std::vector<std::string>> rows(ListView_GetItemCount(hList));
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < columns; ++column) {
            char text[64] = {};
            ListView_GetItemText(hList, static_cast<int>(row), column, text, sizeof text);
            rows[row].push_back(text);
        }
    }
    return rows;
}
