#include "diagnosis/monitor.h"

#include <vector>

#include "core/calibration.h"
#include "core/number_text.h"
#include "framework/exceptions.h"

namespace {

class CWin32Clock : public CClock {
public:
    SYSTEMTIME Now() override {
        SYSTEMTIME now;
        GetLocalTime(&now);
        return now;
    }
};

}  // namespace

CPlatform& Win32Platform() {
    static CWin32Clock clock;
    static CPlatform platform{Win32DisplayApi(), Win32ColorProfileApi(), clock};
    return platform;
}

std::string ClockText(const SYSTEMTIME& time) {
    return lumatab::FormatTwoDigits(time.wHour) + ":" + lumatab::FormatTwoDigits(time.wMinute) +
           ":" + lumatab::FormatTwoDigits(time.wSecond);
}

std::string DateTimeText(const SYSTEMTIME& time) {
    return lumatab::FormatWhole(time.wYear) + "-" + lumatab::FormatTwoDigits(time.wMonth) + "-" +
           lumatab::FormatTwoDigits(time.wDay) + " " + ClockText(time);
}

std::string CalibrationTimeText(const SYSTEMTIME& time) {
    return lumatab::FormatCalibrationTime(time.wYear, time.wMonth, time.wDay, time.wDayOfWeek,
                                          time.wHour, time.wMinute, time.wSecond);
}

std::string Monitor::Name() const {
    return "monitor " + std::to_string(position) + " (" +
           static_cast<const char*>(entry.deviceName) + ")";
}

Monitor MonitorAt(int position, CPlatform& platform) {
    const std::vector<MonitorEntry> monitors = ListMonitors(platform.display);
    const std::string missing = "there is no monitor " + std::to_string(position);
    if (monitors.empty()) {
        throw CFailure(missing + ": none is attached to the desktop");
    }
    if (position < 0 || position >= static_cast<int>(monitors.size())) {
        throw CFailure(missing + ": the monitors are 0 to " + std::to_string(monitors.size() - 1));
    }
    return {position, monitors[position]};
}

Monitor MonitorNow(const Monitor& chosen, CPlatform& platform) {
    for (const MonitorEntry& entry : ListMonitors(platform.display)) {
        if (std::string(entry.deviceName) == std::string(chosen.entry.deviceName)) {
            return {chosen.position, entry};
        }
    }
    throw CFailure(chosen.Name() + " is no longer attached to the desktop");
}

RampRead ReadRamp(const Monitor& monitor, CPlatform& platform) {
    RampRead read{{}, platform.clock.Now()};
    if (!ReadGammaRamp(monitor.entry.deviceName, read.ramp, platform.display)) {
        throw CFailure("cannot read the gamma ramp of " + monitor.Name());
    }
    return read;
}
