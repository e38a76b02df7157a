// Ramps the tests share. Those named for a display keep to the 8-bit steps (multiples of 257)
// an X server keeps, so they read back unchanged through Wine.
#pragma once

#include <cmath>
#include <cstdint>

#include "core/gamma_ramp.h"

namespace lumatab {

// Entry i holds i * 257 in every channel: the ramp of an uncalibrated display.
inline GammaRamp IdentityRamp() {
    GammaRamp ramp{};
    for (int ch = 0; ch < kChannelCount; ++ch) {
        for (int i = 0; i < kRampSize; ++i) {
            ramp.levels[ch][i] = static_cast<std::uint16_t>(i * 257);
        }
    }
    return ramp;
}

inline GammaRamp UniformRamp(std::uint16_t level) {
    GammaRamp ramp{};
    for (auto& channel : ramp.levels) {
        for (auto& value : channel) {
            value = level;
        }
    }
    return ramp;
}

// A display calibrated from gamma 2.2 to 2.4.
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

// Red rises, green falls, blue zigzags: three different channels.
inline GammaRamp ThreeChannelRamp() {
    GammaRamp ramp{};
    for (int i = 0; i < kRampSize; ++i) {
        ramp.at(Channel::Red, i) = static_cast<std::uint16_t>(i * 257);
        ramp.at(Channel::Green, i) = static_cast<std::uint16_t>((255 - i) * 257);
        ramp.at(Channel::Blue, i) = static_cast<std::uint16_t>((i * 37 % 256) * 257);
    }
    return ramp;
}

// The ramp of the golden files named three_channels: gamma 1.8 (as 1.8/2.2), inverted, constant.
inline GammaRamp GoldenThreeChannelRamp() {
    GammaRamp ramp{};
    for (int i = 0; i < kRampSize; ++i) {
        ramp.at(Channel::Red, i) =
            static_cast<std::uint16_t>(std::lround(65535 * std::pow(i / 255.0, 1.8 / 2.2)));
        ramp.at(Channel::Green, i) = static_cast<std::uint16_t>(65535 - i * 257);
        ramp.at(Channel::Blue, i) = 40000;
    }
    return ramp;
}

}  // namespace lumatab
