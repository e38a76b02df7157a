// The watch in this process, on the fake platform, stopped as the console's Ctrl+C stops it: Wine
// cannot send that to a program.
#include "cli/watch_command.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/fake_platform.h"

TEST(WatchCommand, CtrlCEndsItWithTheSummary) {
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
    Sleep(300);
    EXPECT_TRUE(StopWatching(CTRL_C_EVENT));
    watch.join();
    EXPECT_EQ(exitCode, 0);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1],
              "2026-12-07 17:30:04  stopped after watching since 2026-12-07 17:30:04: "
              "monitor 1 (\\\\.\\DISPLAY2) changed 0 times");
    EXPECT_FALSE(StopWatching(CTRL_C_EVENT));  // no watch runs: the process ends as usual
}
