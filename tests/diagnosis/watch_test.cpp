// The watch's lines, poll by poll, on the fake platform and a fake process list.
#include "diagnosis/watch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/fake_platform.h"

namespace {

using Lines = std::vector<std::string>;

class CFakeProcesses : public CProcessApi {
public:
    std::map<DWORD, std::string> running = {{4, "explorer.exe"}};
    DWORD foreground = 0;
    std::map<DWORD, std::string> Processes() override { return running; }
    DWORD ForegroundProcess() override { return foreground; }
};

TEST(RampWatch, SaysWhatChangedWhatWasStartedAndWhatCannotBeRead) {
    CFakePlatform fake;
    fake.display.monitors[0].ramp = lumatab::IdentityRamp();
    CFakeProcesses processes;
    CRampWatch watch(-1, fake.platform, processes);
    const std::string at = "2026-12-07 17:30:04  ";
    const std::string first = at + "monitor 0 (\\\\.\\DISPLAY1)",
                      second = at + "monitor 1 (\\\\.\\DISPLAY2)";
    EXPECT_EQ(watch.Start(),
              (Lines{first + ": the ramp is linear: no calibration is loaded; no profile is "
                             "associated with monitor 0 (\\\\.\\DISPLAY1)",
                     second + ": the ramp is an unknown curve; no profile is associated with "
                              "monitor 1 (\\\\.\\DISPLAY2)"}));
    // Twelve programs start, one of them ends, and a game takes the foreground and changes two
    // entries of the first monitor's ramp.
    for (DWORD id = 100; id < 112; ++id) {
        processes.running[id] = "p" + std::to_string(id) + ".exe";
        EXPECT_EQ(watch.Poll(), Lines{});
    }
    processes.running.erase(111);
    processes.foreground = 110;
    fake.display.monitors[0].ramp.levels[0][10] += 3000;
    fake.display.monitors[0].ramp.levels[1][255] = 65000;
    Lines expected = {first +
                      " changed: 2 entries, by up to 3000 levels (4.58 %); the ramp is "
                      "an unknown curve; no profile is associated with monitor 0 "
                      "(\\\\.\\DISPLAY1)"};
    for (DWORD id = 111; id > 101; --id) {
        expected.push_back("    started 17:30:04: p" + std::to_string(id) + ".exe (process " +
                           std::to_string(id) + (id == 111 ? ", ended)" : ", running)"));
    }
    expected.push_back("    in the foreground: p110.exe (process 110, running)");
    EXPECT_EQ(watch.Poll(), expected);

    // A ramp that cannot be read is said once, and again once it can be read.
    fake.display.monitors[1].readable = false;
    EXPECT_EQ(watch.Poll(),
              Lines{at + "cannot read the gamma ramp of monitor 1 (\\\\.\\DISPLAY2)"});
    EXPECT_EQ(watch.Poll(), Lines{});
    fake.display.monitors[1].readable = true;
    EXPECT_EQ(watch.Poll(),
              Lines{second + " can be read again: the ramp is an unknown curve; no "
                             "profile is associated with monitor 1 (\\\\.\\DISPLAY2)"});
    CFakeMonitors::Monitor gone = fake.display.monitors.back();
    fake.display.monitors.pop_back();
    EXPECT_EQ(watch.DisplayChanged(),
              Lines{at + "the display changed: monitor 1 (\\\\.\\DISPLAY2) went away"});
    // A monitor that comes back is told of as new, also where it cannot be read; a failed
    // process snapshot neither starts every program nor hides one that started meanwhile.
    gone.readable = false;
    fake.display.monitors.push_back(gone);
    EXPECT_EQ(watch.DisplayChanged(),
              (Lines{at + "the display changed: monitor 1 (\\\\.\\DISPLAY2) appeared",
                     at + "cannot read the gamma ramp of monitor 1 (\\\\.\\DISPLAY2)"}));
    const std::map<DWORD, std::string> running = processes.running;
    processes.running.clear();
    EXPECT_EQ(watch.Poll(), Lines{});
    processes.running = running;
    processes.running[200] = "game.exe";
    fake.display.monitors[0].ramp = lumatab::IdentityRamp();
    const Lines changed = watch.Poll();
    ASSERT_EQ(changed.size(), 3u);
    EXPECT_EQ(changed[1], "    started 17:30:04: game.exe (process 200, running)");
    EXPECT_EQ(watch.Summary(), at +
                                   "stopped after watching since 2026-12-07 17:30:04: monitor 0 "
                                   "(\\\\.\\DISPLAY1) changed 2 times, monitor 1 (\\\\.\\DISPLAY2) "
                                   "changed 0 times");
}

}  // namespace
