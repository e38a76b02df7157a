// Ramps the core's tests share.
#pragma once

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

}  // namespace lumatab
