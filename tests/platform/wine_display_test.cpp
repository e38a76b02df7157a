// The display access against Wine's real calls on a one-monitor dummy X server, whose ramp the
// native xramp tool sets.
#include "platform/display_access.h"

#include <gtest/gtest.h>

#include "tests/core/ramps.h"
#include "tests/platform/platform_ramps.h"
#include "tests/platform/x_ramp.h"

namespace {

using lumatab::GammaRamp;
using lumatab::LoadXRamp;
using lumatab::PatternRamp;
using lumatab::SameRamp;

TEST(WineOneMonitor, ListsTheOneDesktopAdapter) {
    CStringArray names;
    CStringArray devices;
    EnumerateMonitors(names, devices);
    ASSERT_EQ(devices.GetSize(), 1);
    ASSERT_EQ(names.GetSize(), 1);
    EXPECT_EQ(devices[0], CString("\\\\.\\DISPLAY1"));
    EXPECT_FALSE(names[0].IsEmpty());
}

TEST(WineGammaRamp, ReadsTheRampTheServerHolds) {
    const struct {
        const char* name;
        GammaRamp ramp;
    } cases[] = {
        {"identity", lumatab::IdentityRamp()},
        {"calibration", lumatab::CalibrationRamp()},
        {"three channels", lumatab::ThreeChannelRamp()},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        ASSERT_TRUE(LoadXRamp(test.ramp));
        GammaRamp read = PatternRamp();
        EXPECT_TRUE(ReadGammaRamp("\\\\.\\DISPLAY1", read));
        EXPECT_TRUE(SameRamp(test.ramp, read));
    }
}

TEST(WineGammaRamp, LeavesTheRampUntouchedForADeviceWithoutContext) {
    ASSERT_TRUE(LoadXRamp(lumatab::IdentityRamp()));
    GammaRamp ramp = PatternRamp();
    // Wine makes a context for any "\\.\DISPLAYn"; a name without that form gets none.
    EXPECT_FALSE(ReadGammaRamp("bogus", ramp));
    EXPECT_TRUE(SameRamp(PatternRamp(), ramp));
}

}  // namespace
