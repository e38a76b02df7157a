// Display access: lists the desktop's monitors and reads an adapter's gamma ramp. The four
// Win32 calls sit behind CDisplayApi so the logic around them can be tested with fakes.
#pragma once

#include <windows.h>

#include <vector>

#include "core/gamma_ramp.h"
#include "framework/string.h"

static_assert(sizeof(DISPLAY_DEVICEA) == 424, "the display queries expect 424-byte records");

// The Win32 calls of the display access, named and shaped as the platform's ANSI forms.
class CDisplayApi {
public:
    virtual ~CDisplayApi() = default;
    virtual BOOL EnumDisplayDevicesA(const char* device, DWORD devNum, DISPLAY_DEVICEA* info,
                                     DWORD flags) = 0;
    virtual HDC CreateDCA(const char* driver, const char* device, const char* port,
                          const DEVMODEA* initData) = 0;
    virtual BOOL GetDeviceGammaRamp(HDC dc, void* ramp) = 0;
    virtual BOOL DeleteDC(HDC dc) = 0;
};

// Forwards to the real Win32 calls.
class CWin32DisplayApi : public CDisplayApi {
public:
    BOOL EnumDisplayDevicesA(const char* device, DWORD devNum, DISPLAY_DEVICEA* info,
                             DWORD flags) override;
    HDC CreateDCA(const char* driver, const char* device, const char* port,
                  const DEVMODEA* initData) override;
    BOOL GetDeviceGammaRamp(HDC dc, void* ramp) override;
    BOOL DeleteDC(HDC dc) override;
};

// The process's one real implementation, used when no other is given.
CDisplayApi& Win32DisplayApi();

// One desktop adapter as the user picks it.
struct MonitorEntry {
    CString description;  // DeviceString of the adapter's first monitor; empty if unknown
    CString deviceName;   // DeviceName of the adapter, as ReadGammaRamp takes it
    CString deviceKey;    // DeviceKey of the adapter's first monitor, for its colour profile
};

// The adapters attached to the desktop, in the platform's enumeration order.
std::vector<MonitorEntry> ListMonitors(CDisplayApi& api = Win32DisplayApi());

// Appends each desktop adapter's monitor description and device name to the parallel arrays.
void EnumerateMonitors(CStringArray& monitorNames, CStringArray& deviceNames,
                       CDisplayApi& api = Win32DisplayApi());

// Reads the gamma ramp of the adapter `deviceName`. Returns false, leaving `ramp` as it was,
// when the device context cannot be created or the ramp cannot be read.
bool ReadGammaRamp(const char* deviceName, lumatab::GammaRamp& ramp,
                   CDisplayApi& api = Win32DisplayApi());
