// Drives modal windows of this thread (file dialogs, message boxes) from a thread timer, which
// their modal loops dispatch like any other message.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// One action, retried on every tick until it reports that it is done.
using ModalStep = std::function<bool()>;

class ModalDriver {
public:
    explicit ModalDriver(std::vector<ModalStep> steps);
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    // True when every step ran; false when the driver gave up and cancelled what was open.
    bool Finished() const { return m_next == m_steps.size(); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

    std::vector<ModalStep> m_steps;
    std::size_t m_next = 0;
    int m_ticksLeft = 200;  // 20 s: far longer than a dialog needs to appear under Wine
    UINT_PTR m_timer = 0;
};

// A visible top-level window of this thread with exactly this caption, or NULL; with
// `messageBoxOnly`, only a message box (a window with a message text) counts.
HWND FindThreadWindow(const char* caption, bool messageBoxOnly = false);
// The text of a message box.
std::string MessageBoxText(HWND box);
// Puts `name` into the file dialog's file-name box and presses its OK button.
ModalStep EnterFileName(std::string dialogTitle, std::wstring name);
// Presses the Cancel button of the window with this caption.
ModalStep PressCancel(std::string title);
// Records a message box's text and owner, then presses `button` in it.
ModalStep AnswerMessageBox(std::string caption, int button, std::string* text, HWND* owner);
