#include "core/gamma_ramp.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "tests/core/ramps.h"

namespace lumatab {
namespace {

constexpr double kSentinel = -21474836.48;

TEST(ComputeEntryGamma, IdentityRampGivesTwoPointTwoEverywhere) {
    const GammaRamp ramp = IdentityRamp();
    for (int i = 1; i <= 254; ++i) {
        const EntryGamma e = ComputeEntryGamma(ramp, i);
        EXPECT_EQ(e.red, 2.20) << "index " << i;
        EXPECT_EQ(e.green, 2.20) << "index " << i;
        EXPECT_EQ(e.blue, 2.20) << "index " << i;
    }
}

struct ListedValue {
    int index;
    std::uint16_t level;
    double gamma;
};

TEST(ComputeEntryGamma, ListedValues) {
    const ListedValue cases[] = {
        {128, 40000, 3.19},  {128, 30000, 1.93},      {128, 0, 0.47},          {128, 47281, 15.80},
        {128, 47282, 18.26}, {128, 47283, kSentinel}, {128, 65535, kSentinel}, {1, 300, kSentinel},
        {254, 65535, 3.21},  {254, 65278, 2.20},      {162, 0, 0.00},          {200, 0, -1.29},
        {254, 0, -174.80},
    };
    for (const ListedValue& c : cases) {
        const EntryGamma e = ComputeEntryGamma(UniformRamp(c.level), c.index);
        EXPECT_EQ(e.red, c.gamma) << "index " << c.index << " level " << c.level;
        EXPECT_EQ(e.green, c.gamma) << "index " << c.index << " level " << c.level;
        EXPECT_EQ(e.blue, c.gamma) << "index " << c.index << " level " << c.level;
    }
}

TEST(ComputeEntryGamma, ChannelsAreIndependent) {
    GammaRamp ramp{};
    ramp.at(Channel::Red, 128) = 40000;
    ramp.at(Channel::Green, 128) = 30000;
    ramp.at(Channel::Blue, 128) = 65535;
    const EntryGamma e = ComputeEntryGamma(ramp, 128);
    EXPECT_EQ(e.red, 3.19);
    EXPECT_EQ(e.green, 1.93);
    EXPECT_EQ(e.blue, kSentinel);
}

TEST(TruncateToInt32, TruncatesTowardZeroAndMapsTheUnrepresentableToTheSentinel) {
    // Rounding adds one half first, so -1.7 becomes -1.2 and truncates to -1, not -2.
    EXPECT_EQ(TruncateToInt32(-1.7 + 0.5), -1);
    EXPECT_EQ(TruncateToInt32(-0.7 + 0.5), 0);
    EXPECT_EQ(TruncateToInt32(2.99), 2);
    EXPECT_EQ(TruncateToInt32(2147483647.9), INT32_MAX);
    EXPECT_EQ(TruncateToInt32(-2147483648.0), INT32_MIN);
    EXPECT_EQ(TruncateToInt32(2147483648.0), INT32_MIN);
    EXPECT_EQ(TruncateToInt32(-2147483649.0), INT32_MIN);
    EXPECT_EQ(TruncateToInt32(1e300), INT32_MIN);
    EXPECT_EQ(TruncateToInt32(std::numeric_limits<double>::infinity()), INT32_MIN);
    EXPECT_EQ(TruncateToInt32(-std::numeric_limits<double>::infinity()), INT32_MIN);
    EXPECT_EQ(TruncateToInt32(std::numeric_limits<double>::quiet_NaN()), INT32_MIN);
    EXPECT_EQ(INT32_MIN / 100.0, kSentinel);
}

TEST(BuildGammaTable, HoldsEachEntrysGammaAtItsChannelPositionAndZeroAtTheEnds) {
    GammaRamp ramp = UniformRamp(65535);
    ramp.at(Channel::Red, 128) = 32896;
    ramp.at(Channel::Green, 128) = 40000;
    GammaTable table;
    BuildGammaTable(ramp, table);
    EXPECT_EQ(table.values[0][128], 2.20);  // flat position ch * 256 + i
    EXPECT_EQ(table.values[1][128], 3.19);
    EXPECT_EQ(table.values[2][128], kSentinel);
    for (Channel ch : {Channel::Red, Channel::Green, Channel::Blue}) {
        EXPECT_EQ(table.at(ch, 0), 0.0);
        EXPECT_EQ(table.at(ch, 255), 0.0);
    }
}

// Every (index, level) pair: the result is the sentinel or a finite whole number of
// hundredths, and at a fixed index it never falls as the level rises until it becomes the
// sentinel, which it then stays.
TEST(ComputeEntryGamma, SweepOfEveryIndexAndLevel) {
    GammaRamp ramp{};
    for (int i = 1; i <= 254; ++i) {
        double previous = -std::numeric_limits<double>::infinity();
        bool sentinelReached = false;
        int failures = 0;
        for (int level = 0; level <= 65535 && failures < 5; ++level) {
            ramp.at(Channel::Red, i) = static_cast<std::uint16_t>(level);
            const double g = ComputeEntryGamma(ramp, i).red;
            if (g == kSentinel) {
                sentinelReached = true;
                continue;
            }
            const bool ok = !sentinelReached && std::isfinite(g) &&
                            g == std::nearbyint(g * 100.0) / 100.0 && g >= previous;
            if (!ok) {
                ++failures;
                ADD_FAILURE() << "index " << i << " level " << level << " gamma " << g
                              << " previous " << previous;
            }
            previous = g;
        }
    }
}

}  // namespace
}  // namespace lumatab
