// Drives real windows from inside a test: actions on windows as they appear (a modal dialog's
// script runs inside its own message loop), message boxes answered, and readers of what the
// controls show.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/dialog.h"

// What RunModal returns when the script left its dialog open for 10 seconds.
constexpr int kAbandoned = -2;

// Runs `act` once on the next visible window of this thread that `matches`, from a thread timer,
// which modal loops dispatch; actions queued together run in order. After 20 s without the window
// the active window is cancelled and the queue dropped, so that a test fails instead of hanging.
void OnNextWindow(std::function<bool(HWND)> matches, std::function<void(HWND)> act);
// Matches a window by its caption.
std::function<bool(HWND)> Titled(const std::string& caption);
// Answers the next message box with OK (an OnNextWindow action), adding "text|caption|owner" to
// `boxes`: the owner's caption, with " (disabled)" unless it took input, or "(none)". A real file
// dialog looks the same to it, so it is not for tests that show one.
void AnswerMessageBox(std::vector<std::string>& boxes);
// How many actions of OnNextWindow have not run.
std::size_t PendingWindowActions();

// Runs `dlg` modally; `script` runs once inside its message loop and must end the dialog.
INT_PTR RunModal(CDialog& dlg, const std::function<void()>& script);

// Processes this thread's messages for `milliseconds`, as a dialog's message loop would.
void PumpMessages(DWORD milliseconds);

std::string WindowText(HWND hWnd);
// Sends the dialog control `id`'s notification `code`, as the control would.
void Command(HWND hDlg, int id, int code);
// Every cell of a report list view, row by row.
std::vector<std::vector<std::string>> ListRows(HWND hList);
