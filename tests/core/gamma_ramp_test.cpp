#include "core/gamma_ramp.h"

#include <cstdint>

#include <gtest/gtest.h>

#include "tests/support/ramps.h"

namespace lumatab {
namespace {

constexpr double kUndefined = -21474836.48;

TEST(ComputeEntryGamma, GivesTheListedValuesInEveryChannel) {
    const struct {
        int index;
        std::uint16_t level;
        double gamma;
    } cases[] = {
        {128, 40000, 3.19},       {128, 30000, 1.93},   {128, 0, 0.47},
        {128, 47281, 15.80},      {128, 47282, 18.26},  {128, 47283, kUndefined},
        {128, 65535, kUndefined}, {1, 300, kUndefined}, {254, 65535, 3.21},
        {254, 65278, 2.20},       {162, 0, 0.00},       {200, 0, -1.29},
        {254, 0, -174.80},
    };
    for (const auto& c : cases) {
        const EntryGamma e = ComputeEntryGamma(UniformRamp(c.level), c.index);
        EXPECT_EQ(e.red, c.gamma) << "index " << c.index << " level " << c.level;
        EXPECT_EQ(e.green, c.gamma) << "index " << c.index << " level " << c.level;
        EXPECT_EQ(e.blue, c.gamma) << "index " << c.index << " level " << c.level;
    }
    const GammaRamp identity = IdentityRamp();
    for (int i = 1; i <= 254; ++i) {
        const EntryGamma e = ComputeEntryGamma(identity, i);
        EXPECT_TRUE(e.red == 2.20 && e.green == 2.20 && e.blue == 2.20) << "index " << i;
    }
}

TEST(BuildGammaTable, HoldsEachChannelsOwnGammaAtItsPositionAndZeroAtTheEnds) {
    GammaRamp ramp = UniformRamp(65535);
    ramp.at(Channel::Red, 128) = 32896;
    ramp.at(Channel::Green, 128) = 40000;
    ramp.at(Channel::Blue, 127) = 30000;
    GammaTable table;
    BuildGammaTable(ramp, table);
    EXPECT_EQ(table.values[0][128], 2.20);  // flat position ch * 256 + i
    EXPECT_EQ(table.values[1][128], 3.19);
    EXPECT_EQ(table.values[2][128], kUndefined);
    EXPECT_EQ(table.values[2][127], 1.95);
    for (Channel ch : {Channel::Red, Channel::Green, Channel::Blue}) {
        EXPECT_EQ(table.at(ch, 0), 0.0);
        EXPECT_EQ(table.at(ch, 255), 0.0);
    }
}

}  // namespace
}  // namespace lumatab
