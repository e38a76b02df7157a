#include "core/gamma_ramp.h"

#include <cmath>

namespace lumatab {

const char* const kChannelNames[kChannelCount] = {"Red", "Green", "Blue"};
const char* const kChannelNamesLower[kChannelCount] = {"red", "green", "blue"};

double EntryGamma::of(Channel ch) const {
    switch (ch) {
        case Channel::Red:
            return red;
        case Channel::Green:
            return green;
        case Channel::Blue:
            break;
    }
    return blue;
}

GammaRamp IdentityRamp() {
    GammaRamp ramp{};
    for (auto& levels : ramp.levels) {
        for (int i = 0; i < kRampSize; ++i) {
            levels[i] = static_cast<std::uint16_t>(i * 257);
        }
    }
    return ramp;
}

std::int32_t TruncateToInt32(double value) {
    // The negated comparison also rejects NaN; the range is half-open so that every
    // accepted value truncates into int32 (values just below -2^31 give INT32_MIN anyway).
    if (!(value >= -2147483648.0 && value < 2147483648.0)) {
        return kGammaSentinelHundredths;
    }
    return static_cast<std::int32_t>(value);
}

namespace {

double ChannelGamma(double y, double logX, std::uint16_t level) {
    const double a = y - level / static_cast<double>(kFullScale);
    const double r = std::log(a) / logX;
    const std::int32_t n = TruncateToInt32(r * 100.0 + 0.5);
    return n / 100.0;
}

}  // namespace

EntryGamma ComputeEntryGamma(const GammaRamp& ramp, int index) {
    const double x = index * 257.0 / kFullScale;
    const double y = std::pow(x, 2.2) + x;
    const double logX = std::log(x);
    return EntryGamma{ChannelGamma(y, logX, ramp.at(Channel::Red, index)),
                      ChannelGamma(y, logX, ramp.at(Channel::Green, index)),
                      ChannelGamma(y, logX, ramp.at(Channel::Blue, index))};
}

EntryGamma TableEntryGamma(const GammaRamp& ramp, int index) {
    if (index < 1 || index > kRampSize - 2) {
        return EntryGamma{0.0, 0.0, 0.0};
    }
    return ComputeEntryGamma(ramp, index);
}

void StoreEntryGamma(GammaTable& table, int index, const EntryGamma& entry) {
    table.at(Channel::Red, index) = entry.red;
    table.at(Channel::Green, index) = entry.green;
    table.at(Channel::Blue, index) = entry.blue;
}

void BuildGammaTable(const GammaRamp& ramp, GammaTable& table) {
    for (int i = 0; i < kRampSize; ++i) {
        StoreEntryGamma(table, i, TableEntryGamma(ramp, i));
    }
}

}  // namespace lumatab
