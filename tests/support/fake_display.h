// Stands in for the display: monitors with ramps of the test's choosing.
#pragma once

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/display_access.h"
#include "tests/support/ramps.h"

// Monitors with ramps of the test's choosing; a monitor without a ramp cannot be read.
class CFakeMonitors : public CDisplayApi {
public:
    struct Monitor {
        std::string deviceName;
        std::string description;
        bool readable;
        lumatab::GammaRamp ramp;
    };
    std::vector<Monitor> monitors;
    std::map<std::string, int> reads;  // GetDeviceGammaRamp calls by device name

    BOOL EnumDisplayDevicesA(const char* device, DWORD devNum, DISPLAY_DEVICEA* info,
                             DWORD) override {
        const DWORD cb = info->cb;
        for (std::size_t k = 0; k < monitors.size(); ++k) {
            const Monitor& m = monitors[k];
            if (device == nullptr ? devNum == k : (devNum == 0 && m.deviceName == device)) {
                std::memset(info, 0, sizeof *info);
                info->cb = cb;
                std::strcpy(info->DeviceName, m.deviceName.c_str());
                std::strcpy(info->DeviceString, device ? m.description.c_str() : "Fake Adapter");
                info->StateFlags = DISPLAY_DEVICE_ATTACHED_TO_DESKTOP;
                return TRUE;
            }
        }
        return FALSE;
    }
    HDC CreateDCA(const char*, const char* device, const char*, const DEVMODEA*) override {
        for (std::size_t k = 0; k < monitors.size(); ++k) {
            if (monitors[k].readable && monitors[k].deviceName == device) {
                return reinterpret_cast<HDC>(k + 1);
            }
        }
        return nullptr;
    }
    BOOL GetDeviceGammaRamp(HDC dc, void* ramp) override {
        const Monitor& m = monitors[reinterpret_cast<std::size_t>(dc) - 1];
        ++reads[m.deviceName];
        std::memcpy(ramp, &m.ramp, sizeof m.ramp);
        return TRUE;
    }
    BOOL DeleteDC(HDC) override { return TRUE; }
};

// Two monitors of one model with different ramps.
inline CFakeMonitors TwoMonitors() {
    CFakeMonitors fake;
    fake.monitors.push_back({"\\\\.\\DISPLAY1", "Same Model", true, lumatab::CalibrationRamp()});
    fake.monitors.push_back({"\\\\.\\DISPLAY2", "Same Model", true, lumatab::ThreeChannelRamp()});
    return fake;
}
