// The display access against Wine on a dummy X server of LUMATAB_MONITORS monitors of one model.
#include "platform/display_access.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/support/ramps.h"
#include "tests/support/x_ramp.h"

namespace {

using lumatab::GammaRamp;

// One entry per monitor, in order, each with its own device and the same description.
TEST(WineDisplay, ListsEachAdapterOnce) {
    const auto entries = ListMonitors();
    ASSERT_EQ(entries.size(), std::size_t{LUMATAB_MONITORS});
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(std::string(entries[i].deviceName), "\\\\.\\DISPLAY" + std::to_string(i + 1));
        EXPECT_EQ(entries[i].description, entries[0].description);
    }
    EXPECT_FALSE(entries[0].description.IsEmpty());
}

TEST(WineDisplay, ReadsTheServersRampAndLeavesItForAnUnknownDevice) {
    const GammaRamp untouched = lumatab::UniformRamp(0x1234);  // no X server can hold this
    for (const GammaRamp& loaded :
         {lumatab::IdentityRamp(), lumatab::CalibrationRamp(), lumatab::ThreeChannelRamp()}) {
        ASSERT_TRUE(lumatab::LoadXRamp(loaded));
        GammaRamp read = untouched;
        EXPECT_TRUE(ReadGammaRamp("\\\\.\\DISPLAY1", read));
        EXPECT_EQ(std::memcmp(&loaded, &read, sizeof(read)), 0);
    }
    // Wine makes a context for any "\\.\DISPLAYn"; a name without that form gets none.
    GammaRamp read = untouched;
    EXPECT_FALSE(ReadGammaRamp("bogus", read));
    EXPECT_EQ(std::memcmp(&untouched, &read, sizeof(read)), 0);
}

}  // namespace
