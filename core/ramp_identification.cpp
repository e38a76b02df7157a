#include "core/ramp_identification.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <optional>

#include "core/calibration.h"
#include "core/number_text.h"
#include "core/ramp_stats.h"

namespace lumatab {

namespace {

constexpr int kEightBitStep = 257;

// One value per channel, red, green, blue.
using Triple = std::array<double, kChannelCount>;

// Whether every entry of `live` lies within `tolerance` of expected(channel, index); a NaN
// expectation fits nothing.
template <typename Expected>
bool Fits(const GammaRamp& live, double tolerance, Expected expected) {
    for (int ch = 0; ch < kChannelCount; ++ch) {
        for (int i = 0; i < kRampSize; ++i) {
            if (!(std::fabs(live.levels[ch][i] - expected(ch, i)) <= tolerance)) {
                return false;
            }
        }
    }
    return true;
}

// What 8-bit hardware and loaders leave of the calibration: each level rounded to the nearest
// multiple of 257, or truncated to its high byte as an X server keeping 8 bits gives it back.
bool AtEightBitPrecision(const GammaRamp& live, const GammaRamp& calibration) {
    const auto nearest = [&](int ch, int i) {
        return (calibration.levels[ch][i] + kEightBitStep / 2) / kEightBitStep * kEightBitStep;
    };
    const auto truncated = [&](int ch, int i) {
        return (calibration.levels[ch][i] >> 8) * kEightBitStep;
    };
    return Fits(live, 0, nearest) || Fits(live, 0, truncated);
}

// "exactly", "at 8-bit precision" or "within 1/255" (the largest difference in 8-bit steps,
// rounded up), or nothing where the ramp is not the calibration.
std::optional<std::string> CalibrationPrecision(const GammaRamp& live, const GammaRamp& calibration,
                                                int tolerance) {
    const Verification verification = VerifyCalibration(live, calibration);
    const int largest = *std::max_element(std::begin(verification.maxDifference),
                                          std::end(verification.maxDifference));
    if (largest == 0) {
        return "exactly";
    }
    if (AtEightBitPrecision(live, calibration)) {
        return "at 8-bit precision";
    }
    if (largest <= tolerance) {
        return "within " + FormatWhole((largest + kEightBitStep - 1) / kEightBitStep) + "/255";
    }
    return std::nullopt;
}

// The channel's curve at an input of `level`: level / 65535 * 255 as a position between entries,
// interpolated linearly.
double EvaluateAt(const std::uint16_t* levels, double level) {
    const double position = level * (kRampSize - 1) / kFullScale;
    const int below = std::min(static_cast<int>(position), kRampSize - 2);
    return levels[below] + (levels[below + 1] - levels[below]) * (position - below);
}

bool IsAppliedTwice(const GammaRamp& live, const GammaRamp& calibration, int tolerance) {
    return Fits(live, tolerance, [&](int ch, int i) {
        return EvaluateAt(calibration.levels[ch], calibration.levels[ch][i]);
    });
}

double SrgbEncoded(double linear) {
    return linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
}

// The white of a black body at `kelvin` (1667 to 25000) as a night-light tool scales the encoded
// ramp: the chromaticity by the cubic approximation of Kim et al. (2002), XYZ with Y = 1, linear
// sRGB by the IEC 61966-2-1 matrix with negatives clamped to 0, largest channel 1, then encoded.
Triple BlackBodyWhite(double kelvin) {
    const double u = 1e3 / kelvin;
    const double x = kelvin <= 4000 ? ((-0.2661239 * u - 0.2343589) * u + 0.8776956) * u + 0.179910
                                    : ((-3.0258469 * u + 2.1070379) * u + 0.2226347) * u + 0.240390;
    const double y =
        kelvin <= 2222   ? ((-1.1063814 * x - 1.34811020) * x + 2.18555832) * x - 0.20219683
        : kelvin <= 4000 ? ((-0.9549476 * x - 1.37418593) * x + 2.09137015) * x - 0.16748867
                         : ((3.0817580 * x - 5.87338670) * x + 3.75112997) * x - 0.37001483;
    const double bigX = x / y;
    const double bigZ = (1 - x - y) / y;
    Triple white = {std::max(0.0, 3.2406 * bigX - 1.5372 - 0.4986 * bigZ),
                    std::max(0.0, -0.9689 * bigX + 1.8758 + 0.0415 * bigZ),
                    std::max(0.0, 0.0557 * bigX - 0.2040 + 1.0570 * bigZ)};
    const double largest = *std::max_element(white.begin(), white.end());
    for (double& channel : white) {
        channel = SrgbEncoded(channel / largest);
    }
    return white;
}

double SquaredDistance(const Triple& a, const Triple& b) {
    double sum = 0.0;
    for (int ch = 0; ch < kChannelCount; ++ch) {
        sum += (a[ch] - b[ch]) * (a[ch] - b[ch]);
    }
    return sum;
}

// The temperature from 1700 K to 25000 K whose white is nearest the factors in least squares.
// Searched in mired, where equal steps look about equally different: a coarse scan finds the
// nearest step, a ternary search between its neighbours the minimum, about 100 whites in all.
double NearestTemperature(const Triple& factors) {
    constexpr double kCoolestMired = 1e6 / 25000;
    constexpr double kWarmestMired = 1e6 / 1700;
    constexpr int kCoarseSteps = 55;
    constexpr double kStep = (kWarmestMired - kCoolestMired) / kCoarseSteps;
    const auto distance = [&](double mired) {
        return SquaredDistance(BlackBodyWhite(1e6 / mired), factors);
    };
    double best = kCoolestMired;
    double bestDistance = distance(best);
    for (int n = 1; n <= kCoarseSteps; ++n) {
        const double mired = kCoolestMired + n * kStep;
        const double d = distance(mired);
        if (d < bestDistance) {
            best = mired;
            bestDistance = d;
        }
    }
    double low = std::max(kCoolestMired, best - kStep);
    double high = std::min(kWarmestMired, best + kStep);
    for (int n = 0; n < 20; ++n) {
        const double third = (high - low) / 3;
        if (distance(low + third) < distance(high - third)) {
            high -= third;
        } else {
            low += third;
        }
    }
    return 1e6 / ((low + high) / 2);
}

// ": a warm shift like night light, about 3400 K" where every factor is within 0.02 of the white
// of the nearest black body, shown as at most 6500 K: hotter whites are bluish, not warm.
std::string WarmShift(const Triple& factors) {
    const double kelvin = NearestTemperature(factors);
    const Triple white = BlackBodyWhite(kelvin);
    for (int ch = 0; ch < kChannelCount; ++ch) {
        if (!(std::fabs(white[ch] - factors[ch]) <= 0.02)) {
            return "";
        }
    }
    const long shown = std::lround(kelvin / 100) * 100;
    return shown <= 6500 ? ": a warm shift like night light, about " + FormatWhole(shown) + " K"
                         : "";
}

// The factor k, at most 1, whose k * base is nearest `live` in least squares; 1 where the base is
// all 0, which every factor scales alike.
double ScaleFactor(const std::uint16_t* live, const std::uint16_t* base) {
    double liveTimesBase = 0.0;
    double baseSquared = 0.0;
    for (int i = 0; i < kRampSize; ++i) {
        liveTimesBase += static_cast<double>(live[i]) * base[i];
        baseSquared += static_cast<double>(base[i]) * base[i];
    }
    return baseSquared > 0.0 ? std::min(liveTimesBase / baseSquared, 1.0) : 1.0;
}

// "scaled red 100 %, green 82 %, blue 61 % over " + baseName, and any warm shift; nothing where
// `live` is no scale of `base`.
std::optional<std::string> DescribeScale(const GammaRamp& live, const GammaRamp& base,
                                         const char* baseName, int tolerance) {
    Triple factors;
    for (int ch = 0; ch < kChannelCount; ++ch) {
        factors[ch] = ScaleFactor(live.levels[ch], base.levels[ch]);
    }
    if (!Fits(live, tolerance, [&](int ch, int i) { return factors[ch] * base.levels[ch][i]; })) {
        return std::nullopt;
    }
    std::string text = "scaled";
    for (int ch = 0; ch < kChannelCount; ++ch) {
        text += std::string(ch == 0 ? " " : ", ") + kChannelNamesLower[ch] + ' ' +
                FormatWhole(std::lround(100 * factors[ch])) + " %";
    }
    return text + " over " + baseName + WarmShift(factors);
}

// black + (white - black) * x^exponent per channel, x = i / 255, black and white in levels.
struct PowerCurve {
    Triple exponent;
    Triple black;
    Triple white;

    double at(int ch, int i) const {
        return black[ch] + (white[ch] - black[ch]) * std::pow(i / 255.0, exponent[ch]);
    }
};

// Black and white are entries 0 and 255; the exponent is the statistics' fitted power of the
// channel stretched to 0..65535. False where a channel does not rise or has no fit.
bool FitPowerCurve(const GammaRamp& live, PowerCurve& curve) {
    GammaRamp stretched{};
    for (int ch = 0; ch < kChannelCount; ++ch) {
        const int black = live.levels[ch][0];
        const int white = live.levels[ch][kRampSize - 1];
        if (white <= black) {
            return false;
        }
        for (int i = 0; i < kRampSize; ++i) {
            const long level = std::lround((live.levels[ch][i] - black) *
                                           static_cast<double>(kFullScale) / (white - black));
            stretched.levels[ch][i] =
                static_cast<std::uint16_t>(std::clamp(level, 0L, long{kFullScale}));
        }
        const PowerFit fit = ComputeChannelStats(stretched, static_cast<Channel>(ch)).fit;
        if (!fit.defined) {
            return false;
        }
        curve.exponent[ch] = fit.exponent;
        curve.black[ch] = black;
        curve.white[ch] = white;
    }
    return true;
}

// Levels in per cent of full scale: "2.0 %" where the channels agree at one decimal, else
// "2.0 / 0.0 / 0.0 %".
std::string Percentages(const Triple& levels) {
    std::string texts[kChannelCount];
    for (int ch = 0; ch < kChannelCount; ++ch) {
        texts[ch] = FormatFixed(100.0 * levels[ch] / kFullScale, 1);
    }
    const bool same = texts[0] == texts[1] && texts[1] == texts[2];
    return (same ? texts[0] : texts[0] + " / " + texts[1] + " / " + texts[2]) + " %";
}

// Three decimals first, as the statistics show the fit: a game's 0.625 then reads 0.62 whether
// its levels keep 8 or 16 bits, rather than as their rounding happens to tip it.
std::string ExponentText(double exponent) {
    return FormatFixed(std::round(exponent * 1000) / 1000, 2);
}

std::optional<std::string> DescribePowerCurve(const GammaRamp& live, int tolerance) {
    PowerCurve curve{};
    const auto curveLevel = [&](int ch, int i) { return curve.at(ch, i); };
    if (!FitPowerCurve(live, curve) || !Fits(live, tolerance, curveLevel)) {
        return std::nullopt;
    }
    const std::string black = Percentages(curve.black);
    const std::string white = Percentages(curve.white);
    return "a power curve: exponent " + ExponentText(curve.exponent[0]) + " / " +
           ExponentText(curve.exponent[1]) + " / " + ExponentText(curve.exponent[2]) +
           (black != "0.0 %" ? ", black " + black : "") +
           (white != "100.0 %" ? ", white " + white : "");
}

}  // namespace

RampIdentity IdentifyRamp(const GammaRamp& live, const GammaRamp* calibration, int tolerance) {
    // A calibration close to linear that is loaded is the calibration, not "no calibration".
    if (calibration != nullptr) {
        if (const auto precision = CalibrationPrecision(live, *calibration, tolerance)) {
            return {RampKind::Calibration, "the calibration (" + *precision + ")"};
        }
    }
    if (Fits(live, tolerance, [](int, int i) { return i * kEightBitStep; })) {
        return {RampKind::Linear, "linear: no calibration is loaded"};
    }
    if (calibration != nullptr) {
        if (IsAppliedTwice(live, *calibration, tolerance)) {
            return {RampKind::CalibrationTwice, "the calibration applied twice"};
        }
        if (const auto scale = DescribeScale(live, *calibration, "the calibration", tolerance)) {
            return {RampKind::Scaled, *scale};
        }
    }
    if (const auto scale = DescribeScale(live, IdentityRamp(), "a linear ramp", tolerance)) {
        return {RampKind::Scaled, *scale};
    }
    if (const auto curve = DescribePowerCurve(live, tolerance)) {
        return {RampKind::PowerCurve, *curve};
    }
    return {RampKind::Unknown, "an unknown curve"};
}

}  // namespace lumatab
