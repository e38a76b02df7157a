#include "core/ramp_stats.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include <gtest/gtest.h>

#include "core/number_text.h"
#include "tests/support/ramps.h"

namespace lumatab {
namespace {

// Distinct, lost, non-monotonic, clipped at 0 and at full scale, the identity, and which of the
// fit and the half-input exponent are defined.
std::string Counts(const ChannelStats& s) {
    return FormatWhole(s.distinctLevels) + ' ' + FormatWhole(s.lostLevels) + ' ' +
           FormatWhole(s.nonMonotonicSteps) + ' ' + FormatWhole(s.clippedLow) + ' ' +
           FormatWhole(s.clippedHigh) +
           (s.identity == IdentityKind::Times257   ? " i*257"
            : s.identity == IdentityKind::Times256 ? " i*256"
                                                   : " no") +
           (s.fit.defined ? " fit" : "") + (s.halfInputDefined ? " half" : "");
}

// The i*256, gamma 1.6 and all-zero ramps are in the texts test at the end.
TEST(ComputeChannelStats, CountsIdentityAndWhichMeasuresAreDefined) {
    const struct {
        GammaRamp ramp;
        const char* counts;
    } cases[] = {
        {IdentityRamp(), "256 0 0 0 0 i*257 fit half"},
        {RampOf([](int, int i) { return (i & ~3) * 257; }), "64 192 0 3 0 no fit half"},
        {RampOf([](int, int i) { return i == 100 ? 25000 : i * 257; }), "256 1 1 0 0 no half"},
        {RampOf([](int, int i) { return std::clamp(i * 300 - 6000, 0, 65535); }),
         "220 37 0 20 16 no fit half"},
        {UniformRamp(65535), "1 255 0 0 255 no"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Counts(ComputeChannelStats(c.ramp, Channel::Green)), c.counts);
    }
}

// A ramp that is the identity from `first` for `count` entries, 0 before and full scale after:
// only those entries can be fitted, and only where they lie within 0.1..0.9.
TEST(ComputeChannelStats, FitNeedsEightUsableEntriesWithinTheInputRange) {
    struct Case {
        int first, count;
        bool defined;
    };
    const Case cases[] = {
        {26, 8, true}, {26, 7, false}, {25, 8, false}, {222, 8, true}, {223, 8, false}};
    for (const Case& c : cases) {
        const GammaRamp ramp = RampOf([&](int, int i) {
            return i < c.first ? 0 : (i < c.first + c.count ? i * 257 : 65535);
        });
        const PowerFit fit = ComputeChannelStats(ramp, Channel::Blue).fit;
        EXPECT_EQ(fit.defined, c.defined) << "first " << c.first << " count " << c.count;
        if (c.defined) {
            EXPECT_NEAR(fit.exponent, 1.0, 1e-12);
            EXPECT_NEAR(fit.rmsLevels, 0.0, 1e-9);  // clipped entries are not in the error
        }
    }
}

// Red is the identity of drivers that top out at 0xFF00 (a straight line a little below the
// diagonal, which fits g just over 1 with a clear error), green gamma 1.6 (fitted g 0.625: only
// rounding to levels is left over) and blue all zero, where nothing can be fitted.
TEST(FormatRampStats, ShowsEachChannelsTexts) {
    GammaRamp ramp = RampOf([](int, int i) { return i * 256; });
    // What a gamma tool loads for "gamma 1.6": y = x^(1/1.6).
    const GammaRamp gamma16 =
        RampOf([](int, int i) { return std::lround(65535 * std::pow(i / 255.0, 1 / 1.6)); });
    std::copy(std::begin(gamma16.levels[1]), std::end(gamma16.levels[1]), ramp.levels[1]);
    std::fill(std::begin(ramp.levels[2]), std::end(ramp.levels[2]), 0);

    const std::vector<StatsRow> rows = FormatRampStats(ramp);
    const StatsRow expected[] = {
        {"Distinct levels", {"256", "256", "1"}},
        {"Lost levels", {"0", "44", "255"}},
        {"Non-monotonic steps", {"0", "0", "0"}},
        {"Clipped at 0 / 65535", {"0 / 0", "0 / 0", "255 / 0"}},
        {"Identity", {"i*256", "no", "no"}},
        {"Fitted exponent", {"1.003", "0.625", "undefined"}},
        {"1 / exponent", {"0.997", "1.600", "undefined"}},
        {"Fit error (levels)", {"97.54", "0.30", "undefined"}},
        {"Exponent at half input", {"1.006", "0.625", "undefined"}},
    };
    ASSERT_EQ(rows.size(), std::size(expected));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        EXPECT_EQ(rows[r].label, expected[r].label);
        for (int ch = 0; ch < kChannelCount; ++ch) {
            EXPECT_EQ(rows[r].values[ch], expected[r].values[ch]) << expected[r].label << " " << ch;
        }
    }
}

}  // namespace
}  // namespace lumatab
