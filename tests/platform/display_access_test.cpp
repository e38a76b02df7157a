// The enumeration and ramp-reading logic against a stand-in for the Win32 calls.
#include "platform/display_access.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/fake_display.h"

namespace {

TEST(ListMonitors, ListsDesktopAdaptersInPlatformOrder) {
    const std::string name(32, 'N'), text(128, 'M');
    CFakeMonitors api;
    api.monitors = {
        {"D2", "Same", true, {}, DISPLAY_DEVICE_ATTACHED_TO_DESKTOP, true, "K2"},
        {"D3", "Off", true, {}, 0},  // not on the desktop
        {"D1", "Same"},
        {"D4", nullptr},       // must not keep D1's or the driver's text
        {name, text.c_str()},  // both fields filled to their last byte
        {"D5", "Lost", true, {}, DISPLAY_DEVICE_ATTACHED_TO_DESKTOP, false},
        {"D6", "After"},  // after a failed adapter query
    };
    std::vector<std::string> listed;
    for (const MonitorEntry& entry : ListMonitors(api)) {
        listed.push_back(std::string(entry.description) + "|" + std::string(entry.deviceName) +
                         "|" + std::string(entry.deviceKey));
    }
    EXPECT_EQ(listed, (std::vector<std::string>{"Same|D2|K2", "Same|D1|", "|D4|",
                                                text + "|" + name + "|"}));
}

// A read that fails after writing part of the block, and a device with no context: the ramp
// stays whole, and every context made is deleted.
TEST(ReadGammaRamp, LeavesTheRampWhenTheReadFails) {
    CFakeMonitors api;
    api.monitors = {{"D2", "Any", false, lumatab::UniformRamp(0xEEEE)}};
    lumatab::GammaRamp ramp = lumatab::UniformRamp(0x1234);
    EXPECT_FALSE(ReadGammaRamp("D2", ramp, api));
    EXPECT_FALSE(ReadGammaRamp("D9", ramp, api));
    EXPECT_TRUE(lumatab::Same(ramp, lumatab::UniformRamp(0x1234)));
    EXPECT_EQ(api.log, "D2 D2; Get D2; Delete D2; D9 D9; ");
}

}  // namespace
