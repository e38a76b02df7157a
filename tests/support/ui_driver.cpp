#include "tests/support/ui_driver.h"

#include <commctrl.h>

#include <utility>

namespace {

const std::function<void()>* g_pScript = nullptr;  // the script of the running RunModal
CDialog* g_pModal = nullptr;                       // the dialog RunModal runs
CMessageBoxWatcher* g_pWatcher = nullptr;          // the live watcher, if any

void CALLBACK RunScript(HWND, UINT, UINT_PTR nTimer, DWORD) {
    // Not while the dialog is still being set up or a message box it owns is open.
    const HWND hDlg = g_pModal != nullptr ? g_pModal->m_hWnd : nullptr;
    if (hDlg == nullptr || !IsWindowVisible(hDlg) || !IsWindowEnabled(hDlg)) {
        return;
    }
    KillTimer(nullptr, nTimer);
    // Taken first: a WM_TIMER already queued must not run the script again.
    if (const auto* pScript = std::exchange(g_pScript, nullptr)) {
        (*pScript)();
    }
}

// A script that failed to end its dialog: the dialog ends with kAbandoned instead of hanging.
void CALLBACK EndAbandoned(HWND, UINT, UINT_PTR, DWORD) {
    ::EndDialog(g_pModal->m_hWnd, kAbandoned);
}

BOOL CALLBACK CloseIfMessageBox(HWND hWnd, LPARAM) {
    // A message box is a visible dialog-class window that no object of the layer owns.
    char name[16] = {};
    GetClassNameA(hWnd, name, sizeof(name));
    if (g_pWatcher != nullptr && IsWindowVisible(hWnd) && std::string(name) == "#32770" &&
        CWnd::FromHandlePermanent(hWnd) == nullptr && GetDlgItem(hWnd, IDOK) != nullptr) {
        char text[1024] = {}, caption[64] = {};
        GetDlgItemTextA(hWnd, 0xFFFF, text, sizeof(text));  // the box's message control
        GetWindowTextA(hWnd, caption, sizeof(caption));
        g_pWatcher->m_texts.push_back(std::string(text) + "|" + caption);
        const HWND hOwner = GetWindow(hWnd, GW_OWNER);
        g_pWatcher->m_owners.push_back(hOwner == nullptr
                                           ? "(none)"
                                           : WindowText(hOwner) +
                                                 (IsWindowEnabled(hOwner) ? "" : " (disabled)"));
        SendMessageA(hWnd, WM_COMMAND, IDOK, 0);
    }
    return TRUE;
}

void CALLBACK CloseMessageBoxes(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), &CloseIfMessageBox, 0);
}

}  // namespace

INT_PTR RunModal(CDialog& dlg, const std::function<void()>& script) {
    g_pScript = &script;
    g_pModal = &dlg;
    // Thread timers fire only once the dialog's modal loop is dispatching.
    SetTimer(nullptr, 0, 10, &RunScript);
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

CMessageBoxWatcher::CMessageBoxWatcher() : m_nTimer(SetTimer(nullptr, 0, 20, &CloseMessageBoxes)) {
    g_pWatcher = this;
}

CMessageBoxWatcher::~CMessageBoxWatcher() {
    KillTimer(nullptr, m_nTimer);
    g_pWatcher = nullptr;
}

std::string WindowText(HWND hWnd) {
    char text[256] = {};
    GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

void Command(HWND hDlg, int id, int code) {
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(id, code),
                 reinterpret_cast<LPARAM>(GetDlgItem(hDlg, id)));
}

std::vector<std::vector<std::string>> ListRows(HWND hList) {
    const HWND hHeader = reinterpret_cast<HWND>(SendMessageA(hList, LVM_GETHEADER, 0, 0));
    const int columns = static_cast<int>(SendMessageA(hHeader, HDM_GETITEMCOUNT, 0, 0));
    std::vector<std::vector<std::string>> rows(
        static_cast<std::size_t>(SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0)));
    for (std::size_t row = 0; row < rows.size(); ++row) {
        for (int column = 0; column < columns; ++column) {
            char text[64] = {};
            LVITEMA item{};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(hList, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
            rows[row].push_back(text);
        }
    }
    return rows;
}
