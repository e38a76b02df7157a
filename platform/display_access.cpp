#include "platform/display_access.h"

#include <cstring>

namespace {

// A fixed-size text field of a record, read up to its first NUL or its end: drivers may fill
// it to the last byte.
template <std::size_t N>
CString FieldText(const char (&field)[N]) {
    const void* end = std::memchr(field, '\0', N);
    const std::size_t length =
        end ? static_cast<std::size_t>(static_cast<const char*>(end) - field) : N;
    return CString(field, static_cast<int>(length));
}

DISPLAY_DEVICEA EmptyRecord() {
    DISPLAY_DEVICEA record{};
    record.cb = sizeof(DISPLAY_DEVICEA);
    return record;
}

}  // namespace

BOOL CWin32DisplayApi::EnumDisplayDevicesA(const char* device, DWORD devNum, DISPLAY_DEVICEA* info,
                                           DWORD flags) {
    return ::EnumDisplayDevicesA(device, devNum, info, flags);
}

HDC CWin32DisplayApi::CreateDCA(const char* driver, const char* device, const char* port,
                                const DEVMODEA* initData) {
    return ::CreateDCA(driver, device, port, initData);
}

BOOL CWin32DisplayApi::GetDeviceGammaRamp(HDC dc, void* ramp) {
    return ::GetDeviceGammaRamp(dc, ramp);
}

BOOL CWin32DisplayApi::DeleteDC(HDC dc) {
    return ::DeleteDC(dc);
}

CDisplayApi& Win32DisplayApi() {
    static CWin32DisplayApi api;
    return api;
}

std::vector<MonitorEntry> ListMonitors(CDisplayApi& api) {
    std::vector<MonitorEntry> entries;
    // Fresh records for every query: no text of an earlier adapter can show through.
    for (DWORD n = 0;; ++n) {
        DISPLAY_DEVICEA adapter = EmptyRecord();
        if (!api.EnumDisplayDevicesA(nullptr, n, &adapter, 0)) {
            break;
        }
        if (!(adapter.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP)) {
            continue;
        }
        MonitorEntry entry;
        entry.deviceName = FieldText(adapter.DeviceName);
        DISPLAY_DEVICEA monitor = EmptyRecord();
        if (api.EnumDisplayDevicesA(entry.deviceName, 0, &monitor, 0)) {
            entry.description = FieldText(monitor.DeviceString);
            entry.deviceKey = FieldText(monitor.DeviceKey);
        }
        entries.push_back(entry);
    }
    return entries;
}

void EnumerateMonitors(CStringArray& monitorNames, CStringArray& deviceNames, CDisplayApi& api) {
    for (const MonitorEntry& entry : ListMonitors(api)) {
        monitorNames.Add(entry.description);
        deviceNames.Add(entry.deviceName);
    }
}

bool ReadGammaRamp(const char* deviceName, lumatab::GammaRamp& ramp, CDisplayApi& api) {
    if (!deviceName) {
        return false;
    }
    // This function owns the device context from here to the DeleteDC below.
    HDC dc = api.CreateDCA(deviceName, deviceName, nullptr, nullptr);
    if (!dc) {
        return false;
    }
    // A failing read may leave part of its block written: only a complete one reaches `ramp`.
    lumatab::GammaRamp read{};
    const BOOL ok = api.GetDeviceGammaRamp(dc, &read);
    api.DeleteDC(dc);
    if (!ok) {
        return false;
    }
    ramp = read;
    return true;
}
