// What the window and the command line both ask of the system: the monitors by position, their
// ramps as read at a moment, and the clock. Every failure is a CFailure with the user's sentence.
#pragma once

#include <windows.h>

#include <string>

#include "core/gamma_ramp.h"
#include "framework/exceptions.h"
#include "platform/display_access.h"
#include "platform/monitor_profile.h"

// The local time, behind a seam so that tests can fix it.
class CClock {
public:
    virtual ~CClock() = default;
    virtual SYSTEMTIME Now() = 0;
};

// The system the shared operations work on: the real one unless a test stands in fakes. Not
// owned: each must outlive its users.
struct CPlatform {
    CDisplayApi& display;
    CColorProfileApi& colors;
    CClock& clock;
};

// The process's real platform.
CPlatform& Win32Platform();

// "11:32:07".
std::string ClockText(const SYSTEMTIME& time);
// "2026-12-08 11:32:07".
std::string DateTimeText(const SYSTEMTIME& time);
// "Mon Dec 07 17:30:04 2026", as a calibration file's CREATED states it.
std::string CalibrationTimeText(const SYSTEMTIME& time);

// A monitor by its position in the list of the desktop's monitors.
struct Monitor {
    int position;
    MonitorEntry entry;
    // "monitor 1 (\\.\DISPLAY2)", as sentences name it.
    std::string Name() const;
};

// The monitor at `position` among those the system lists now. Throws CFailure: "there is no
// monitor 3: the monitors are 0 to 1".
Monitor MonitorAt(int position, CPlatform& platform);
// `chosen` as the system lists it now, found by its device name, with its device key: the
// monitors may have moved since the list it was chosen from. Throws CFailure: "monitor 1
// (\\.\DISPLAY2) is no longer attached to the desktop".
Monitor MonitorNow(const Monitor& chosen, CPlatform& platform);

// A monitor's ramp and the local time it was read.
struct RampRead {
    lumatab::GammaRamp ramp;
    SYSTEMTIME time;
};

// Reads the monitor's ramp now. Throws CFailure: "cannot read the gamma ramp of monitor 0
// (\\.\DISPLAY1)".
RampRead ReadRamp(const Monitor& monitor, CPlatform& platform);
