// Enumeration and ramp reading against Wine on a two-monitor dummy X server.
#include "platform/display_access.h"

#include <gtest/gtest.h>

#include "tests/platform/platform_ramps.h"
#include "tests/platform/x_ramp.h"

namespace {

TEST(WineTwoMonitors, ListsBothAdaptersInOrderWithTheirOwnNames) {
    CStringArray names;
    CStringArray devices;
    EnumerateMonitors(names, devices);
    ASSERT_EQ(devices.GetSize(), 2);
    ASSERT_EQ(names.GetSize(), 2);
    EXPECT_EQ(devices[0], CString("\\\\.\\DISPLAY1"));
    EXPECT_EQ(devices[1], CString("\\\\.\\DISPLAY2"));
    // Two monitors of one model: two entries with the same text, nothing merged.
    EXPECT_FALSE(names[0].IsEmpty());
    EXPECT_EQ(names[0], names[1]);
}

TEST(WineTwoMonitors, EachAdapterReadsTheServersRamp) {
    const lumatab::GammaRamp loaded = lumatab::ThreeChannelRamp();
    ASSERT_TRUE(lumatab::LoadXRamp(loaded));
    for (const char* device : {"\\\\.\\DISPLAY1", "\\\\.\\DISPLAY2"}) {
        SCOPED_TRACE(device);
        lumatab::GammaRamp read = lumatab::PatternRamp();
        EXPECT_TRUE(ReadGammaRamp(device, read));
        EXPECT_TRUE(lumatab::SameRamp(loaded, read));
    }
}

}  // namespace
