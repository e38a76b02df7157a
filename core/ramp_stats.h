// Statistics of each channel of a ramp: how many levels survive, whether it rises steadily,
// whether it is the identity, and the exponent of the power curve that describes it. (The ramp's
// own power is its exponent; "gamma" is only ever the effective gamma of the list.)
#pragma once

#include <string>
#include <vector>

#include "core/gamma_ramp.h"

namespace lumatab {

enum class IdentityKind {
    None,
    Times257,  // entry i holds i * 257: the usual read-back of an unchanged ramp
    Times256,  // entry i holds i * 256: drivers whose ramp tops out at 0xFF00
};

// The least-squares slope through the origin of ln y against ln x, with x = i/255 and
// y = level/65535, over the entries with 0.1 <= x <= 0.9 and 0 < y < 1.
struct PowerFit {
    bool defined;       // false: fewer than 8 usable entries, or the channel is not monotonic
    double exponent;    // g in y = x^g
    double reciprocal;  // 1/g
    double rmsLevels;   // root-mean-square difference of the fitted curve, in 16-bit output levels
};

// The fewest usable entries a fit needs.
constexpr int kMinFitEntries = 8;

struct ChannelStats {
    int distinctLevels;     // different 16-bit values
    int lostLevels;         // 256 minus the different high bytes: what an 8-bit path cannot show
    int nonMonotonicSteps;  // entries lower than the one before
    int clippedLow;         // entries at 0 after the first one
    int clippedHigh;        // entries at 65535 before the last one
    IdentityKind identity;
    PowerFit fit;              // undefined when nonMonotonicSteps > 0
    bool halfInputDefined;     // false when the output at half input is 0 or full scale
    double halfInputExponent;  // ln y(0.5) / ln 0.5, y interpolated between entries 127 and 128
};

ChannelStats ComputeChannelStats(const GammaRamp& ramp, Channel channel);

// The statistics as display texts, one row per statistic, a text per channel (red, green, blue);
// "undefined" where a value is undefined. The command-line program prints these rows aligned and
// the curves window shows them under its plot, so both show the same texts.
struct StatsRow {
    std::string label;
    std::string values[kChannelCount];
};

// Rows, in order: "Distinct levels", "Lost levels", "Non-monotonic steps", "Clipped at 0 / 65535"
// ("2 / 0"), "Identity" ("i*257", "i*256" or "no"), "Fitted exponent" and "1 / exponent"
// (three decimals), "Fit error (levels)" (two decimals), "Exponent at half input" (three
// decimals).
// Independent of the process locale.
std::vector<StatsRow> FormatRampStats(const GammaRamp& ramp);

}  // namespace lumatab
