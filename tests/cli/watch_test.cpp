// The watch in this process, on the fake platform: the system's events as its window gets them,
// and stopped as the console's Ctrl+C stops it, which Wine cannot send to a program.
#include "cli/watch_command.h"

#include <gtest/gtest.h>
#include <wtsapi32.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/fake_platform.h"

TEST(WatchCommand, SaysTheSystemsEventsAndCtrlCEndsItWithTheSummary) {
    CFakePlatform fake;
    CliArguments args;
    args.monitor = 1;
    args.interval = 0.1;
    std::vector<std::string> lines;
    std::atomic<bool> started{false};
    int exitCode = -1;
    std::thread watch([&] {
        exitCode =
            WatchCommand(args, fake.platform, Win32ProcessApi(), [&](const std::string& line) {
                lines.push_back(line);
                started = true;
            });
    });
    while (!started) {
        Sleep(10);
    }
    const HWND hEvents = FindWindowA("LumatabWatch", nullptr);
    SendMessageA(hEvents, WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0);
    SendMessageA(hEvents, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    SendMessageA(hEvents, WM_DISPLAYCHANGE, 32, 0);
    Sleep(300);
    EXPECT_TRUE(StopWatching(CTRL_C_EVENT));
    watch.join();
    EXPECT_EQ(exitCode, 0);
    const std::string at = "2026-12-07 17:30:04  ";
    EXPECT_EQ(
        std::vector<std::string>(lines.begin() + 1, lines.end()),
        (std::vector<std::string>{at + "the session was locked",
                                  at + "the system resumed from sleep", at + "the display changed",
                                  at + "stopped after watching since 2026-12-07 17:30:04: "
                                       "monitor 1 (\\\\.\\DISPLAY2) changed 0 times"}));
    EXPECT_FALSE(StopWatching(CTRL_C_EVENT));  // no watch runs: the process ends as usual
}
