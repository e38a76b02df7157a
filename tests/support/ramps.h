// Ramps the tests share. Those named for a display keep to the 8-bit steps (multiples of 257)
// an X server keeps, so they read back unchanged through Wine.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

#include "core/gamma_ramp.h"

namespace lumatab {

// The ramp whose entry i of channel ch holds level(ch, i).
template <typename Level>
GammaRamp RampOf(Level level) {
    GammaRamp ramp{};
    for (int ch = 0; ch < kChannelCount; ++ch) {
        for (int i = 0; i < kRampSize; ++i) {
            ramp.levels[ch][i] = static_cast<std::uint16_t>(level(ch, i));
        }
    }
    return ramp;
}

inline bool Same(const GammaRamp& a, const GammaRamp& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

inline GammaRamp UniformRamp(int level) {
    return RampOf([=](int, int) { return level; });
}

// A display calibrated from gamma 2.2 to 2.4.
inline GammaRamp CalibrationRamp() {
    return RampOf(
        [](int, int i) { return std::lround(255 * std::pow(i / 255.0, 2.2 / 2.4)) * 257; });
}

// Red rises, green falls, blue zigzags: three different channels, also at entry 128.
inline GammaRamp ThreeChannelRamp() {
    return RampOf([](int ch, int i) {
        return (ch == 0 ? i : ch == 1 ? 255 - i : (i * 37 + 50) % 256) * 257;
    });
}

// The ramp of the golden files named three_channels: gamma 1.8 (as 1.8/2.2), inverted, constant.
inline GammaRamp GoldenThreeChannelRamp() {
    return RampOf([](int ch, int i) {
        return ch == 0 ? std::lround(65535 * std::pow(i / 255.0, 1.8 / 2.2))
                       : (ch == 1 ? 65535 - i * 257 : 40000);
    });
}

}  // namespace lumatab
