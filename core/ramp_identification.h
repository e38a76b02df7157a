// What a display's ramp is: linear, the calibration, the calibration applied twice, a per-channel
// scale, a power curve, or none of these.
#pragma once

#include <string>

#include "core/gamma_ramp.h"

namespace lumatab {

enum class RampKind { Linear, Calibration, CalibrationTwice, Scaled, PowerCurve, Unknown };

struct RampIdentity {
    RampKind kind;
    std::string text;  // completes "The ramp is ", such as "the calibration applied twice"
};

// Names the first of the kinds above that `live` fits within `tolerance` (0 or more) 16-bit
// levels in every entry; the default is the one 8-bit step that VerifyCalibration allows. With no
// calibration (nullptr) only the linear ramp is the base of a scale.
//
// Texts: "linear: no calibration is loaded"; "the calibration (exactly)", "(at 8-bit precision)"
// (each level rounded or truncated to a multiple of 257) or "(within 1/255)" (the largest
// difference in 8-bit steps, rounded up); "the calibration applied twice"; "scaled red 100 %,
// green 82 %, blue 61 % over the calibration" or "over a linear ramp", with ": a warm shift like
// night light, about 3400 K" where the factors are the white of a black body of at most 6500 K;
// "a power curve: exponent 0.62 / 0.62 / 0.62", then ", black 2.0 %" and ", white 98.0 %" where
// those are not 0 and 100 ("2.0 / 0.0 / 0.0 %" where the channels differ); "an unknown curve".
RampIdentity IdentifyRamp(const GammaRamp& live, const GammaRamp* calibration, int tolerance = 257);

}  // namespace lumatab
