// Ramps and a ramp comparison shared by the display-access tests.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "core/gamma_ramp.h"

namespace lumatab {

// Every level distinct from its neighbours and from the ramps a device would hold, so that any
// write into a ramp filled with it shows.
inline GammaRamp PatternRamp() {
    GammaRamp ramp{};
    for (int ch = 0; ch < kChannelCount; ++ch) {
        for (int i = 0; i < kRampSize; ++i) {
            ramp.levels[ch][i] = static_cast<std::uint16_t>(((ch * 256 + i) * 7919 + 13) & 0xFFFF);
        }
    }
    return ramp;
}

// A display calibrated from gamma 2.2 to 2.4, in the 8-bit steps (multiples of 257) an X
// server keeps.
inline GammaRamp CalibrationRamp() {
    GammaRamp ramp{};
    for (int ch = 0; ch < kChannelCount; ++ch) {
        for (int i = 0; i < kRampSize; ++i) {
            const double level = 255.0 * std::pow(i / 255.0, 2.2 / 2.4);
            ramp.levels[ch][i] = static_cast<std::uint16_t>(std::lround(level) * 257);
        }
    }
    return ramp;
}

// Red rises, green falls, blue zigzags: three different channels, multiples of 257.
inline GammaRamp ThreeChannelRamp() {
    GammaRamp ramp{};
    for (int i = 0; i < kRampSize; ++i) {
        ramp.at(Channel::Red, i) = static_cast<std::uint16_t>(i * 257);
        ramp.at(Channel::Green, i) = static_cast<std::uint16_t>((255 - i) * 257);
        ramp.at(Channel::Blue, i) = static_cast<std::uint16_t>((i * 37 % 256) * 257);
    }
    return ramp;
}

// Compares all 768 levels and names the first that differs.
inline ::testing::AssertionResult SameRamp(const GammaRamp& expected, const GammaRamp& actual) {
    static const char* const kNames[kChannelCount] = {"red", "green", "blue"};
    for (int ch = 0; ch < kChannelCount; ++ch) {
        for (int i = 0; i < kRampSize; ++i) {
            if (expected.levels[ch][i] != actual.levels[ch][i]) {
                return ::testing::AssertionFailure()
                       << kNames[ch] << "[" << i << "] is " << actual.levels[ch][i] << ", expected "
                       << expected.levels[ch][i];
            }
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace lumatab
