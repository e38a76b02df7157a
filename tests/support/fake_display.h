// Stands in for the display's Win32 calls: monitors of the test's choosing, reported the way a
// careless driver does (junk after every field, names that fill their fields to the last byte).
#pragma once

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/display_access.h"
#include "tests/support/ramps.h"

class CFakeMonitors : public CDisplayApi {
public:
    struct Monitor {
        std::string deviceName;
        const char* description;  // null: the monitor query fails
        bool readable = true;     // false: the read fails after writing part of the block
        lumatab::GammaRamp ramp{};
        DWORD flags = DISPLAY_DEVICE_ATTACHED_TO_DESKTOP;
        bool answers = true;  // false: the adapter query itself fails
        std::string deviceKey{};
    };
    std::vector<Monitor> monitors;
    std::map<std::string, int> reads;  // GetDeviceGammaRamp calls by device name
    std::string log;  // CreateDCA's driver and device, then the calls on each context

    BOOL EnumDisplayDevicesA(const char* device, DWORD n, DISPLAY_DEVICEA* info, DWORD) override {
        std::memset(info, 'A', sizeof *info);
        for (const Monitor& m : monitors) {
            if (device == nullptr && n-- == 0) {  // the n-th adapter
                Put(info->DeviceName, m.deviceName);
                info->StateFlags = m.flags;
                return m.answers;
            }
            if (device != nullptr && m.deviceName == device && m.description && n == 0) {
                Put(info->DeviceString, m.description);
                Put(info->DeviceKey, m.deviceKey);
                return TRUE;
            }
        }
        return FALSE;
    }
    HDC CreateDCA(const char* driver, const char* device, const char*, const DEVMODEA*) override {
        log += std::string(driver) + " " + device + "; ";
        for (std::size_t k = 0; k < monitors.size(); ++k) {
            if (monitors[k].deviceName == device) {
                return reinterpret_cast<HDC>(k + 1);
            }
        }
        return nullptr;
    }
    BOOL GetDeviceGammaRamp(HDC dc, void* ramp) override {
        const Monitor& m = monitors.at(reinterpret_cast<std::size_t>(dc) - 1);
        log += "Get " + m.deviceName + "; ";
        ++reads[m.deviceName];
        std::memcpy(ramp, &m.ramp, m.readable ? sizeof m.ramp : 700);
        return m.readable;
    }
    BOOL DeleteDC(HDC dc) override {
        log += "Delete " + monitors.at(reinterpret_cast<std::size_t>(dc) - 1).deviceName + "; ";
        return TRUE;
    }

private:
    // Copies text into a fixed-size field, unterminated when it fills the field.
    template <std::size_t N>
    static void Put(char (&field)[N], const std::string& text) {
        std::memcpy(field, text.c_str(), text.size() < N ? text.size() + 1 : N);
    }
};

// Two monitors with different ramps, the second's name first in alphabetical order.
inline CFakeMonitors TwoMonitors() {
    CFakeMonitors fake;
    fake.monitors.push_back({"\\\\.\\DISPLAY1", "Same Model", true, lumatab::CalibrationRamp()});
    fake.monitors.push_back({"\\\\.\\DISPLAY2", "Other Model", true, lumatab::ThreeChannelRamp()});
    return fake;
}
