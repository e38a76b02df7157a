// The enumeration and ramp-reading logic against a scripted stand-in for the Win32 calls.
#include "platform/display_access.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/support/ramps.h"

namespace {

struct FakeAdapter {
    std::string name;
    DWORD flags;
    const char* monitor;  // its monitor's description; nullptr: the monitor query fails
    bool answers = true;  // false: the adapter query itself fails
};

// Copies text into a fixed-size field, unterminated when it fills the field.
template <std::size_t N>
void Put(char (&field)[N], const std::string& text) {
    std::memcpy(field, text.c_str(), text.size() < N ? text.size() + 1 : N);
}

class CFakeDisplayApi : public CDisplayApi {
public:
    BOOL EnumDisplayDevicesA(const char* device, DWORD n, DISPLAY_DEVICEA* info, DWORD) override {
        std::memset(info, 'A', sizeof(*info));  // like a careless driver: junk past every field
        for (const FakeAdapter& fake : m_adapters) {
            if (!device && n-- == 0) {  // the n-th adapter
                Put(info->DeviceName, fake.name);
                info->StateFlags = fake.flags;
                return fake.answers;
            }
            if (device && fake.name == device && fake.monitor && n == 0) {
                Put(info->DeviceString, fake.monitor);
                return TRUE;
            }
        }
        return FALSE;
    }

    HDC CreateDCA(const char* driver, const char* device, const char*, const DEVMODEA*) override {
        m_log += std::string(driver ? driver : "-") + " " + (device ? device : "-") + "; ";
        return m_hDc;
    }

    BOOL GetDeviceGammaRamp(HDC dc, void* ramp) override {
        m_log += dc == m_hDc ? "Get; " : "Get(?); ";
        std::memset(ramp, 0xEE, 700);  // fails after writing part of the block
        return FALSE;
    }

    BOOL DeleteDC(HDC dc) override {
        m_log += dc == m_hDc ? "Delete; " : "Delete(?); ";
        return TRUE;
    }

    std::vector<FakeAdapter> m_adapters;
    HDC m_hDc = reinterpret_cast<HDC>(static_cast<UINT_PTR>(0x7010042));  // the code owns it
    std::string m_log;  // CreateDCA's driver and device, then the calls on the context
};

TEST(ListMonitors, ListsDesktopAdaptersInPlatformOrder) {
    const DWORD desk = DISPLAY_DEVICE_ATTACHED_TO_DESKTOP;
    const std::string name(32, 'N'), text(128, 'M');
    CFakeDisplayApi api;
    api.m_adapters = {
        {"D2", desk, "Same"},
        {"D3", 0, "Off"},  // not on the desktop
        {"D1", desk, "Same"},
        {"D4", desk, nullptr},       // must not keep D1's or the driver's text
        {name, desk, text.c_str()},  // both fields filled to their last byte
        {"D5", desk, "Lost", false},
        {"D6", desk, "After"},  // after a failed adapter query
    };
    std::vector<std::string> listed;
    for (const MonitorEntry& entry : ListMonitors(api)) {
        listed.push_back(std::string(entry.description) + "|" + std::string(entry.deviceName));
    }
    EXPECT_EQ(listed, (std::vector<std::string>{"Same|D2", "Same|D1", "|D4", text + "|" + name}));
}

TEST(ReadGammaRamp, LeavesTheRampWhenTheReadFails) {
    CFakeDisplayApi api;
    lumatab::GammaRamp ramp = lumatab::UniformRamp(0x1234);
    EXPECT_FALSE(ReadGammaRamp("D2", ramp, api));
    api.m_hDc = nullptr;
    EXPECT_FALSE(ReadGammaRamp("D2", ramp, api));
    const lumatab::GammaRamp before = lumatab::UniformRamp(0x1234);
    EXPECT_EQ(std::memcmp(&before, &ramp, sizeof(ramp)), 0);
    EXPECT_EQ(api.m_log, "D2 D2; Get; Delete; D2 D2; ");
}

}  // namespace
