// What a ramp is compared with, from the monitor's profile or a file, and the verdict: one
// record and one rule for both front-ends. A profile without calibration ('vcgt') is compared
// with the linear ramp that calibration loaders then leave, and says so.
#pragma once

#include <string>

#include "core/calibration.h"
#include "core/gamma_ramp.h"
#include "diagnosis/monitor.h"

struct Comparison {
    // What the lines name it by: `Monitor profile "Test Display"` or `File "ramp.cal"`.
    std::string name;
    std::string path;  // the profile's full path, or the file's as given
    bool hasCalibration = false;
    lumatab::GammaRamp calibration{};  // the linear ramp where there is no calibration
};

// Why a comparison has no calibration of its own, for the line after its name.
extern const char kNoCalibration[];  // "no calibration in the profile: compared with a linear ramp"

// The profile the system associates with the monitor, read. Throws CFailure: "no profile is
// associated with monitor 0 (\\.\DISPLAY1)", or why the profile cannot be used.
MonitorProfile ProfileOf(const Monitor& monitor, CPlatform& platform);

// The calibration of the monitor's profile; fails as ProfileOf does.
Comparison CompareWithMonitorProfile(const Monitor& monitor, CPlatform& platform);

// The calibration of the file `path`, an ICC profile or a .cal file. Throws CFailure:
// `cannot read "x.cal": File not found.`, or why the file is no calibration, or as CheckFileName
// does (reading CON would wait for the console's input).
Comparison CompareWithFile(const std::string& path);

// What the ramp is, judged against the comparison's calibration where it holds one (or there is a
// comparison at all), otherwise against the linear ramp: "the calibration applied twice".
std::string RampIdentityText(const lumatab::GammaRamp& ramp, const Comparison* comparison);
// The same as a sentence: "The ramp is the calibration applied twice".
std::string RampIdentityLine(const lumatab::GammaRamp& ramp, const Comparison* comparison);

// The verdict after the comparison's name: "Matches the calibration within 1/255", "Largest
// differences: red 1234 (1.88%), ...", with kNoCalibration before it where that applies.
std::string VerdictText(const Comparison& comparison, const lumatab::Verification& verification);
