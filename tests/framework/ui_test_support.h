// Helpers for tests that run real windows: a modal dialog driven from inside its own message
// loop, and a watcher that answers the message boxes the code under test shows.
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

// Processes this thread's messages for `milliseconds`.
void PumpMessages(DWORD milliseconds);

// While it lives, closes every message box this thread shows and keeps the boxes' texts.
class CMessageBoxWatcher {
public:
    CMessageBoxWatcher();
    CMessageBoxWatcher(const CMessageBoxWatcher&) = delete;
    CMessageBoxWatcher& operator=(const CMessageBoxWatcher&) = delete;
    ~CMessageBoxWatcher();

    std::vector<std::string> m_texts;  // the text of each box, in the order shown

private:
    UINT_PTR m_nTimer;  // the thread timer that looks for boxes
};
