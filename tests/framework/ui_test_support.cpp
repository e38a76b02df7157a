#include "tests/framework/ui_test_support.h"

namespace {

const std::function<void()>* g_pScript = nullptr;  // the script of the running RunModal
CDialog* g_pModal = nullptr;                       // the dialog RunModal runs
CMessageBoxWatcher* g_pWatcher = nullptr;          // the live watcher, if any

void CALLBACK RunScript(HWND, UINT, UINT_PTR nTimer, DWORD) {
    // Not while the dialog is still being set up or a message box it owns is open.
    if (g_pModal == nullptr || g_pModal->m_hWnd == nullptr || !IsWindowVisible(g_pModal->m_hWnd) ||
        !IsWindowEnabled(g_pModal->m_hWnd)) {
        return;
    }
    KillTimer(nullptr, nTimer);
    const std::function<void()>* pScript = g_pScript;
    g_pScript = nullptr;
    if (pScript != nullptr) {
        (*pScript)();
    }
}

std::string ClassName(HWND hWnd) {
    char name[64] = {};
    GetClassNameA(hWnd, name, sizeof(name));
    return name;
}

BOOL CALLBACK AppendStaticText(HWND hChild, LPARAM lParam) {
    if (ClassName(hChild) == "Static") {
        char text[1024] = {};
        GetWindowTextA(hChild, text, sizeof(text));
        *reinterpret_cast<std::string*>(lParam) += text;
    }
    return TRUE;
}

}  // namespace

// A script that failed to end its dialog: the dialog ends with kAbandoned instead of hanging.
void CALLBACK EndAbandoned(HWND, UINT, UINT_PTR nTimer, DWORD) {
    KillTimer(nullptr, nTimer);
    if (g_pModal != nullptr && g_pModal->m_hWnd != nullptr) {
        g_pModal->EndDialog(kAbandoned);
    }
}

INT_PTR RunModal(CDialog& dlg, const std::function<void()>& script) {
    g_pScript = &script;
    g_pModal = &dlg;
    // A thread timer fires only once the dialog's modal loop is dispatching.
    SetTimer(nullptr, 0, 10, &RunScript);
    const UINT_PTR nGuard = SetTimer(nullptr, 0, 10000, &EndAbandoned);
    const INT_PTR result = dlg.DoModal();
    KillTimer(nullptr, nGuard);
    g_pModal = nullptr;
    return result;
}

void PumpMessages(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    }
}

CMessageBoxWatcher::CMessageBoxWatcher() : m_nTimer(SetTimer(nullptr, 0, 20, &OnTimer)) {
    g_pWatcher = this;
}

CMessageBoxWatcher::~CMessageBoxWatcher() {
    KillTimer(nullptr, m_nTimer);
    g_pWatcher = nullptr;
}

void CALLBACK CMessageBoxWatcher::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), &CloseIfMessageBox, 0);
}

BOOL CALLBACK CMessageBoxWatcher::CloseIfMessageBox(HWND hWnd, LPARAM) {
    // A message box is a visible dialog-class window that no object of the layer owns.
    if (g_pWatcher == nullptr || !IsWindowVisible(hWnd) || ClassName(hWnd) != "#32770" ||
        CWnd::FromHandlePermanent(hWnd) != nullptr || GetDlgItem(hWnd, IDOK) == nullptr) {
        return TRUE;
    }
    std::string text;
    EnumChildWindows(hWnd, &AppendStaticText, reinterpret_cast<LPARAM>(&text));
    g_pWatcher->m_texts.push_back(text);
    SendMessageA(hWnd, WM_COMMAND, IDOK, 0);
    return TRUE;
}
