#include "core/ramp_identification.h"

#include <cmath>

#include <gtest/gtest.h>

#include "tests/support/ramps.h"

namespace lumatab {
namespace {

// Channel ch holds fraction(ch, i / 255) of full scale, rounded to a multiple of `step`: 257 for
// the 8-bit levels of an X server and many graphics cards.
template <typename Fraction>
GammaRamp Quantised(int step, Fraction fraction) {
    return RampOf([&](int ch, int i) {
        return std::lround(fraction(ch, i / 255.0) * kFullScale / step) * step;
    });
}

GammaRamp Bumped(GammaRamp ramp, int delta) {
    ramp.at(Channel::Green, 100) += delta;
    return ramp;
}

// The factors (red, green, blue) times the base curve.
template <typename Fraction>
GammaRamp Scaled(const double (&factors)[kChannelCount], Fraction base, int step = 1) {
    return Quantised(step, [&](int ch, double x) { return factors[ch] * base(ch, x); });
}

TEST(IdentifyRamp, NamesTheFirstKindThatFitsWithinTheTolerance) {
    // Channels unlike each other, blue steeper than linear, so that an input off by a step shows.
    const auto calibrated = [](int ch, double x) { return std::pow(x, 0.8 + 0.25 * ch); };
    const auto linear = [](int, double x) { return x; };
    const GammaRamp cal = Quantised(1, calibrated);
    const GammaRamp nearLinearCal = Bumped(IdentityRamp(), 1);
    const GammaRamp halfCal = RampOf([&](int ch, int i) { return cal.levels[ch][i] / 2; });
    const struct {
        RampKind kind;
        const char* text;
        GammaRamp live;
        const GammaRamp* calibration;
        int tolerance = 257;
    } cases[] = {
        {RampKind::Linear, "linear: no calibration is loaded", Bumped(IdentityRamp(), 257), &cal},
        {RampKind::Unknown, "an unknown curve", Bumped(IdentityRamp(), 258), nullptr},
        // A loaded calibration that is all but linear is the calibration.
        {RampKind::Calibration, "the calibration (exactly)", nearLinearCal, &nearLinearCal},
        {RampKind::Calibration, "the calibration (exactly)", cal, &cal},
        {RampKind::Calibration, "the calibration (at 8-bit precision)", Quantised(257, calibrated),
         &cal},
        // An X server keeping 8 bits gives back the high byte, up to 255 below.
        {RampKind::Calibration, "the calibration (at 8-bit precision)",
         RampOf([&](int ch, int i) { return cal.levels[ch][i] / 256 * 257; }), &cal},
        {RampKind::Calibration, "the calibration (within 1/255)", Bumped(cal, 1), &cal},
        {RampKind::Calibration, "the calibration (within 1/255)", Bumped(cal, 257), &cal},
        {RampKind::Unknown, "an unknown curve", Bumped(cal, 258), &cal},
        // A wider tolerance: the text gives the largest difference in 8-bit steps, rounded up.
        {RampKind::Calibration, "the calibration (within 2/255)", Bumped(cal, 300), &cal, 514},
        // x^g applied to itself is x^(g*g).
        {RampKind::CalibrationTwice, "the calibration applied twice",
         Quantised(1, [&](int ch, double x) { return calibrated(ch, calibrated(ch, x)); }), &cal},
        {RampKind::Scaled,
         "scaled red 100 %, green 77 %, blue 52 % over a linear ramp: a warm shift like night "
         "light, about 3400 K",
         Scaled({1, 0.77, 0.52}, linear, 257), &cal},
        {RampKind::Scaled,
         "scaled red 100 %, green 90 %, blue 82 % over the calibration: a warm shift like night "
         "light, about 5000 K",
         Scaled({1, 0.9, 0.82}, calibrated), &cal},
        // The whites of 6500 K and 6600 K; the second is bluish.
        {RampKind::Scaled,
         "scaled red 100 %, green 97 %, blue 100 % over a linear ramp: a warm shift like night "
         "light, about 6500 K",
         Scaled({1, 0.9748, 0.9967}, linear), nullptr},
        {RampKind::Scaled, "scaled red 99 %, green 97 %, blue 100 % over a linear ramp",
         Scaled({0.9934, 0.972, 1}, linear), nullptr},
        // A blue-light filter: no black body's white.
        {RampKind::Scaled, "scaled red 100 %, green 100 %, blue 60 % over a linear ramp",
         Scaled({1, 1, 0.6}, linear), nullptr},
        // Twice the factor of the half calibration is no scale: the factors are at most 1.
        {RampKind::PowerCurve, "a power curve: exponent 0.80 / 1.05 / 1.30", cal, &halfCal},
        // A game's "gamma 1.6", its exponent 0.625 on the rounding boundary.
        {RampKind::PowerCurve, "a power curve: exponent 0.62 / 0.62 / 0.62",
         Quantised(1, [](int, double x) { return std::pow(x, 1 / 1.6); }), nullptr},
        {RampKind::PowerCurve,
         "a power curve: exponent 2.20 / 2.00 / 1.80, black 0.0 / 0.0 / 2.0 %, white 98.0 %",
         Quantised(257,
                   [](int ch, double x) {
                       const double black = ch == 2 ? 0.02 : 0;
                       return black + (0.98 - black) * std::pow(x, 2.2 - 0.2 * ch);
                   }),
         nullptr},
    };
    for (const auto& c : cases) {
        const RampIdentity identity = IdentifyRamp(c.live, c.calibration, c.tolerance);
        EXPECT_EQ(identity.text, c.text);
        EXPECT_EQ(identity.kind, c.kind) << c.text;
    }
}

}  // namespace
}  // namespace lumatab
