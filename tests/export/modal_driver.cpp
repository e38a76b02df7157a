#include "tests/export/modal_driver.h"

namespace {

ModalDriver* g_driver = nullptr;

struct FindRequest {
    const char* caption;
    bool messageBoxOnly;
    HWND found;
};

BOOL CALLBACK MatchCaption(HWND window, LPARAM param) {
    auto* request = reinterpret_cast<FindRequest*>(param);
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    if (IsWindowVisible(window) && lstrcmpA(text, request->caption) == 0 &&
        (!request->messageBoxOnly || GetDlgItem(window, 0xFFFF) != nullptr)) {
        request->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CancelWindow(HWND window, LPARAM) {
    if (IsWindowVisible(window)) {
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    }
    return TRUE;
}

// The file-name box: an edit control of the Vista dialog, inside a combo box in the classic one.
HWND FileNameBox(HWND dialog) {
    const HWND edit = GetDlgItem(dialog, 0x480);  // edt1
    if (edit != nullptr && IsWindowVisible(edit)) {
        return edit;
    }
    return GetDlgItem(dialog, 0x47C);  // cmb13
}

}  // namespace

ModalDriver::ModalDriver(std::vector<ModalStep> steps) : m_steps(std::move(steps)) {
    g_driver = this;
    m_timer = SetTimer(nullptr, 0, 100, &ModalDriver::Tick);
}

ModalDriver::~ModalDriver() {
    KillTimer(nullptr, m_timer);
    g_driver = nullptr;
}

void CALLBACK ModalDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
    ModalDriver* driver = g_driver;
    if (driver == nullptr || driver->Finished()) {
        return;
    }
    if (--driver->m_ticksLeft < 0) {
        // Give up without hanging the test: cancel whatever this thread shows.
        EnumThreadWindows(GetCurrentThreadId(), CancelWindow, 0);
        return;
    }
    if (driver->m_steps[driver->m_next]()) {
        ++driver->m_next;
    }
}

HWND FindThreadWindow(const char* caption, bool messageBoxOnly) {
    FindRequest request = {caption, messageBoxOnly, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchCaption, reinterpret_cast<LPARAM>(&request));
    return request.found;
}

std::string MessageBoxText(HWND box) {
    char text[1024] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

ModalStep EnterFileName(std::string dialogTitle, std::wstring name) {
    return [dialogTitle, name]() {
        const HWND dialog = FindThreadWindow(dialogTitle.c_str());
        const HWND box = dialog != nullptr ? FileNameBox(dialog) : nullptr;
        if (box == nullptr) {
            return false;
        }
        SetWindowTextW(box, name.c_str());
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        return true;
    };
}

ModalStep PressCancel(std::string title) {
    return [title]() {
        const HWND dialog = FindThreadWindow(title.c_str());
        if (dialog == nullptr) {
            return false;
        }
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDCANCEL)));
        return true;
    };
}

ModalStep AnswerMessageBox(std::string caption, int button, std::string* text, HWND* owner) {
    return [caption, button, text, owner]() {
        const HWND box = FindThreadWindow(caption.c_str(), true);
        if (box == nullptr) {
            return false;
        }
        *text = MessageBoxText(box);
        *owner = GetWindow(box, GW_OWNER);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        return true;
    };
}
