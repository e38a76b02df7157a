// Each thing a ramp can be compared with, once, through the shared tier: what it is named, what
// it holds, and the verdict, or the failure that both front-ends show.
#include "diagnosis/comparison.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/calibration.h"
#include "tests/core/golden.h"
#include "tests/support/fake_platform.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(Comparison, IsTheSameAnswerForEveryKindOfCalibration) {
    const TempFolder folder;
    // eight_bit.icc holds ThreeChannelRamp, name.icc no calibration; both have no description.
    WriteFileBytes(folder.File("table.icm"), lumatab::Golden("eight_bit.icc"));
    WriteFileBytes(folder.File("none.icm"), lumatab::Golden("name.icc"));
    WriteFileBytes(folder.File("junk.icm"), "junk");
    WriteFileBytes(folder.File("ramp.cal"), lumatab::WriteCalibration(lumatab::IdentityRamp(), ""));
    const std::string table = folder.File("table.icm"), none = folder.File("none.icm"),
                      junk = folder.File("junk.icm"), cal = folder.File("ramp.cal");
    const struct {
        std::string monitorProfile;  // "" for no profile
        std::string file;            // "" to compare with the monitor's profile
        std::string answer;          // the name and verdict, or the failure
    } cases[] = {
        {table, "", "Monitor profile \"table.icm\": Matches the calibration within 1/255"},
        {none, "",
         "Monitor profile \"Name\": no calibration in the profile: compared with a linear ramp. "
         "Largest differences: red 0 (0.00%), green 65535 (100.00%), blue 62194 (94.90%)"},
        {"", "", "no profile is associated with monitor 0 (\\\\.\\DISPLAY1)"},
        {junk, "", "\"" + junk + "\" is not a valid ICC profile: the file has 4 bytes, fewer "},
        {"", cal,
         "File \"" + cal +
             "\": Largest differences: red 0 (0.00%), green 65535 "
             "(100.00%), blue 62194 (94.90%)"},
        {"", junk, "\"" + junk + "\" is not a valid calibration file: line 1: expected the CAL "},
    };
    for (const auto& c : cases) {
        CFakePlatform fake;
        fake.display.monitors[0].ramp = lumatab::ThreeChannelRamp();
        fake.colors.contextProfile = c.monitorProfile;
        std::string answer;
        try {
            const Monitor monitor = MonitorAt(0, fake.platform);
            const Comparison comparison = c.file.empty()
                                              ? CompareWithMonitorProfile(monitor, fake.platform)
                                              : CompareWithFile(c.file);
            answer = comparison.name + ": " +
                     VerdictText(comparison,
                                 lumatab::VerifyCalibration(ReadRamp(monitor, fake.platform).ramp,
                                                            comparison.calibration));
        } catch (const CFailure& failure) {
            answer = failure.Sentence();
        }
        EXPECT_EQ(answer.substr(0, c.answer.size()), c.answer);
    }
}

// The window's monitor, chosen from the list it read at the start, keeps its own profile when
// the monitors move, and is named when it goes.
TEST(MonitorNow, IsTheChosenMonitorWhereverTheSystemNowListsIt) {
    CFakePlatform fake;
    const Monitor chosen = MonitorAt(1, fake.platform);
    std::swap(fake.display.monitors[0], fake.display.monitors[1]);
    fake.display.monitors[0].deviceKey = "KEY";
    EXPECT_EQ(std::string(MonitorNow(chosen, fake.platform).entry.deviceKey), "KEY");
    fake.display.monitors.erase(fake.display.monitors.begin());
    try {
        MonitorNow(chosen, fake.platform);
        ADD_FAILURE() << "no failure";
    } catch (const CFailure& failure) {
        EXPECT_EQ(failure.Sentence(),
                  "monitor 1 (\\\\.\\DISPLAY2) is no longer attached to the desktop");
    }
}

}  // namespace
