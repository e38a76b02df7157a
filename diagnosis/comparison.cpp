#include "diagnosis/comparison.h"

#include "core/icc_profile.h"
#include "core/ramp_identification.h"
#include "diagnosis/files.h"
#include "framework/exceptions.h"

const char kNoCalibration[] = "no calibration in the profile: compared with a linear ramp";

MonitorProfile ProfileOf(const Monitor& monitor, CPlatform& platform) {
    MonitorProfile profile = ReadMonitorProfile(monitor.entry, platform.colors, platform.display);
    if (!profile.found) {
        throw CFailure("no profile is associated with " + monitor.Name());
    }
    return profile;
}

Comparison CompareWithMonitorProfile(const Monitor& monitor, CPlatform& platform) {
    const MonitorProfile profile = ProfileOf(monitor, platform);
    return {"Monitor profile \"" + profile.profile.description + "\"",
            static_cast<const char*>(profile.path), profile.profile.hasCalibration,
            profile.profile.calibration};
}

Comparison CompareWithFile(const std::string& path) {
    CheckFileName(path);
    const lumatab::CalibrationSource source = ReadCalibrationFile(path.c_str());
    return {"File \"" + path + "\"", path, source.hasCalibration, source.calibration};
}

std::string RampIdentityText(const lumatab::GammaRamp& ramp, const Comparison* comparison) {
    const bool calibrated = comparison != nullptr && comparison->hasCalibration;
    return lumatab::IdentifyRamp(ramp, calibrated ? &comparison->calibration : nullptr).text;
}

std::string RampIdentityLine(const lumatab::GammaRamp& ramp, const Comparison* comparison) {
    return "The ramp is " + RampIdentityText(ramp, comparison);
}

std::string VerdictText(const Comparison& comparison, const lumatab::Verification& verification) {
    return comparison.hasCalibration
               ? lumatab::DescribeVerification(verification, "the calibration")
               : std::string(kNoCalibration) + ". " +
                     lumatab::DescribeVerification(verification, "it");
}
