// Drives real windows from inside a test: a modal dialog run with a script inside its own message
// loop, a watcher that answers the message boxes the code under test shows, and readers of what
// the controls show.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/dialog.h"

// What RunModal returns when the script left its dialog open for 10 seconds.
constexpr int kAbandoned = -2;

// Runs `dlg` modally; `script` runs once inside its message loop and must end the dialog.
INT_PTR RunModal(CDialog& dlg, const std::function<void()>& script);

// Processes this thread's messages for `milliseconds`, as a dialog's message loop would.
void PumpMessages(DWORD milliseconds);

// While it lives, closes every message box this thread shows and keeps the boxes' texts.
class CMessageBoxWatcher {
public:
    CMessageBoxWatcher();
    CMessageBoxWatcher(const CMessageBoxWatcher&) = delete;
    CMessageBoxWatcher& operator=(const CMessageBoxWatcher&) = delete;
    ~CMessageBoxWatcher();

    std::vector<std::string> m_texts;  // "text|caption" of each box, in the order shown
    // Each box's owner as it showed: its caption, with " (disabled)" unless it took input;
    // "(none)" for a top-level box.
    std::vector<std::string> m_owners;

private:
    UINT_PTR m_nTimer;  // the thread timer that looks for boxes
};

std::string WindowText(HWND hWnd);
// Sends the dialog control `id`'s notification `code`, as the control would.
void Command(HWND hDlg, int id, int code);
// Every cell of a report list view, row by row.
std::vector<std::vector<std::string>> ListRows(HWND hList);
