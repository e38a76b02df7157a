#include "cli/watch_command.h"

#include <wtsapi32.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <vector>

#include "framework/handles.h"

namespace {

enum class WatchEvent { DisplayChanged, Resumed, Locked, Unlocked };

// The watch's two events, while one runs: stop it, and its summary is out. The console's handler
// reads them on a thread of its own.
std::atomic<HANDLE> g_hStop{nullptr};
std::atomic<HANDLE> g_hStopped{nullptr};
std::vector<WatchEvent> g_events;  // what the event window was told since it was last asked

LRESULT CALLBACK EventWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DISPLAYCHANGE) {
        g_events.push_back(WatchEvent::DisplayChanged);
    } else if (message == WM_POWERBROADCAST && wParam == PBT_APMRESUMEAUTOMATIC) {
        g_events.push_back(WatchEvent::Resumed);
    } else if (message == WM_WTSSESSION_CHANGE &&
               (wParam == WTS_SESSION_LOCK || wParam == WTS_SESSION_UNLOCK)) {
        g_events.push_back(wParam == WTS_SESSION_LOCK ? WatchEvent::Locked : WatchEvent::Unlocked);
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

// A hidden top-level window, which the system's broadcasts reach (a message-only window would
// not get them), registered for the session's notifications where the system has them.
class CEventWindow {
public:
    CEventWindow() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &EventWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "LumatabWatch";
        RegisterClassA(&windowClass);
        *m_window.Out() = CreateWindowExA(0, "LumatabWatch", "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                          nullptr, windowClass.hInstance, nullptr);
        if (const auto registration =
                m_wtsapi.Find<BOOL(WINAPI*)(HWND, DWORD)>("WTSRegisterSessionNotification")) {
            m_bRegistered = registration(m_window.Get(), NOTIFY_FOR_THIS_SESSION);
        }
    }
    CEventWindow(const CEventWindow&) = delete;
    CEventWindow& operator=(const CEventWindow&) = delete;
    ~CEventWindow() {
        const auto unregistration =
            m_wtsapi.Find<BOOL(WINAPI*)(HWND)>("WTSUnRegisterSessionNotification");
        if (m_bRegistered && unregistration != nullptr) {
            unregistration(m_window.Get());
        }
    }

    // Handles the thread's messages; returns what the window was told meanwhile.
    std::vector<WatchEvent> TakeEvents() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        std::vector<WatchEvent> events;
        events.swap(g_events);
        return events;
    }

private:
    CSystemHandle<HWND, DestroyWindow> m_window;
    // Loaded at run time: not every system has it.
    const CSystemLibrary m_wtsapi{"wtsapi32.dll"};
    BOOL m_bRegistered = FALSE;
};

// Makes StopWatching stop this watch while the object lives; then says that its summary is out.
class CStopRegistration {
public:
    CStopRegistration(HANDLE hStop, HANDLE hStopped) {
        g_hStop = hStop;
        g_hStopped = hStopped;
        SetConsoleCtrlHandler(&StopWatching, TRUE);
    }
    CStopRegistration(const CStopRegistration&) = delete;
    CStopRegistration& operator=(const CStopRegistration&) = delete;
    ~CStopRegistration() {
        SetConsoleCtrlHandler(&StopWatching, FALSE);
        SetEvent(g_hStopped);
        g_hStop = nullptr;
        g_hStopped = nullptr;
    }
};

std::vector<std::string> EventLines(WatchEvent event, CRampWatch& watch) {
    switch (event) {
        case WatchEvent::DisplayChanged:
            return watch.DisplayChanged();
        case WatchEvent::Resumed:
            return {watch.Line("the system resumed from sleep")};
        case WatchEvent::Locked:
            return {watch.Line("the session was locked")};
        case WatchEvent::Unlocked:
            break;
    }
    return {watch.Line("the session was unlocked")};
}

void PrintAll(const std::vector<std::string>& lines,
              const std::function<void(const std::string&)>& print) {
    for (const std::string& line : lines) {
        print(line);
    }
}

}  // namespace

int WatchCommand(const CliArguments& args, CPlatform& platform, CProcessApi& processes,
                 const std::function<void(const std::string&)>& print) {
    CRampWatch watch(args.monitor, platform, processes);
    const CSystemHandle<HANDLE, CloseHandle> stop(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    const CSystemHandle<HANDLE, CloseHandle> stopped(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (stop.Get() == nullptr || stopped.Get() == nullptr) {
        throw AfxLastErrorFailure("cannot watch");
    }
    const CStopRegistration registration(stop.Get(), stopped.Get());
    CEventWindow window;
    PrintAll(watch.Start(), print);
    const ULONGLONG interval = static_cast<ULONGLONG>(std::llround(args.interval * 1000));
    int exitCode = 0;
    for (ULONGLONG next = GetTickCount64() + interval; exitCode == 0;) {
        const ULONGLONG now = GetTickCount64();
        const DWORD wait = now >= next ? 0 : static_cast<DWORD>(next - now);
        const HANDLE hStop = stop.Get();
        const DWORD woken = MsgWaitForMultipleObjects(1, &hStop, FALSE, wait, QS_ALLINPUT);
        if (woken == WAIT_FAILED) {
            throw AfxLastErrorFailure("cannot watch");
        }
        if (woken == WAIT_OBJECT_0) {
            PrintAll({watch.Summary()}, print);
            break;
        }
        for (const WatchEvent event : window.TakeEvents()) {
            PrintAll(EventLines(event, watch), print);
        }
        if (GetTickCount64() >= next) {
            PrintAll(watch.Poll(), print);
            next = std::max(next + interval, GetTickCount64());
            exitCode = args.untilChange && watch.Changes() > 0 ? 1 : 0;
        }
    }
    return exitCode;
}

BOOL WINAPI StopWatching(DWORD event) {
    const HANDLE hStop = g_hStop;
    const HANDLE hStopped = g_hStopped;
    if (hStop == nullptr) {
        return FALSE;
    }
    SetEvent(hStop);
    // The console's close ends the process once this returns: the summary goes out first.
    if (event == CTRL_CLOSE_EVENT) {
        WaitForSingleObject(hStopped, 4000);
    }
    return TRUE;
}
