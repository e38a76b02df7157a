#include "core/gamma_ramp.h"

#include <cstdint>

#include <gtest/gtest.h>

#include "tests/support/ramps.h"

namespace lumatab {
namespace {

constexpr double kUndefined = -21474836.48;

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
