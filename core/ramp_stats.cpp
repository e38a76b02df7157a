#include "core/ramp_stats.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/number_text.h"

namespace lumatab {

namespace {

int CountDistinctLevels(const std::uint16_t* levels) {
    std::uint16_t sorted[kRampSize];
    std::copy(levels, levels + kRampSize, sorted);
    std::sort(sorted, sorted + kRampSize);
    return static_cast<int>(std::unique(sorted, sorted + kRampSize) - sorted);
}

int CountLostLevels(const std::uint16_t* levels) {
    bool seen[256] = {};
    int distinctHighBytes = 0;
    for (int i = 0; i < kRampSize; ++i) {
        bool& highByteSeen = seen[levels[i] >> 8];
        distinctHighBytes += highByteSeen ? 0 : 1;
        highByteSeen = true;
    }
    return 256 - distinctHighBytes;
}

IdentityKind FindIdentity(const std::uint16_t* levels) {
    bool times257 = true;
    bool times256 = true;
    for (int i = 0; i < kRampSize; ++i) {
        times257 = times257 && levels[i] == i * 257;
        times256 = times256 && levels[i] == i * 256;
    }
    return times257 ? IdentityKind::Times257
                    : (times256 ? IdentityKind::Times256 : IdentityKind::None);
}

// Entries whose input lies in 0.1..0.9 and whose output is neither 0 nor full scale: the ends and
// clipped entries say nothing about the curve's exponent, and ln 0 is undefined.
bool UsableForFit(int index, std::uint16_t level) {
    return 10 * index >= 255 && 10 * index <= 9 * 255 && level > 0 && level < kFullScale;
}

PowerFit FitPower(const std::uint16_t* levels, bool monotonic) {
    const PowerFit undefined{false, 0.0, 0.0, 0.0};
    if (!monotonic) {
        return undefined;
    }
    double sumLogXLogY = 0.0;
    double sumLogXSquared = 0.0;
    int count = 0;
    for (int i = 0; i < kRampSize; ++i) {
        if (UsableForFit(i, levels[i])) {
            const double logX = std::log(i / 255.0);
            sumLogXLogY += logX * std::log(levels[i] / static_cast<double>(kFullScale));
            sumLogXSquared += logX * logX;
            ++count;
        }
    }
    if (count < kMinFitEntries) {
        return undefined;
    }
    const double exponent = sumLogXLogY / sumLogXSquared;
    double sumSquaredDifferences = 0.0;
    for (int i = 0; i < kRampSize; ++i) {
        if (UsableForFit(i, levels[i])) {
            const double difference = kFullScale * std::pow(i / 255.0, exponent) - levels[i];
            sumSquaredDifferences += difference * difference;
        }
    }
    return PowerFit{true, exponent, 1.0 / exponent, std::sqrt(sumSquaredDifferences / count)};
}

std::string FormatIdentity(IdentityKind identity) {
    switch (identity) {
        case IdentityKind::Times257:
            return "i*257";
        case IdentityKind::Times256:
            return "i*256";
        case IdentityKind::None:
            break;
    }
    return "no";
}

}  // namespace

ChannelStats ComputeChannelStats(const GammaRamp& ramp, Channel channel) {
    const std::uint16_t* levels = ramp.levels[static_cast<int>(channel)];
    ChannelStats stats{};
    stats.distinctLevels = CountDistinctLevels(levels);
    stats.lostLevels = CountLostLevels(levels);
    for (int i = 0; i < kRampSize; ++i) {
        stats.nonMonotonicSteps += i > 0 && levels[i] < levels[i - 1] ? 1 : 0;
        stats.clippedLow += i > 0 && levels[i] == 0 ? 1 : 0;
        stats.clippedHigh += i < kRampSize - 1 && levels[i] == kFullScale ? 1 : 0;
    }
    stats.identity = FindIdentity(levels);
    stats.fit = FitPower(levels, stats.nonMonotonicSteps == 0);
    // Half input lies halfway between entries 127 and 128.
    const int twiceHalfLevel = levels[127] + levels[128];
    stats.halfInputDefined = twiceHalfLevel > 0 && twiceHalfLevel < 2 * kFullScale;
    stats.halfInputExponent = stats.halfInputDefined
                                  ? std::log(twiceHalfLevel / (2.0 * kFullScale)) / std::log(0.5)
                                  : 0.0;
    return stats;
}

std::vector<StatsRow> FormatRampStats(const GammaRamp& ramp) {
    std::vector<StatsRow> rows = {
        {"Distinct levels", {}},      {"Lost levels", {}},        {"Non-monotonic steps", {}},
        {"Clipped at 0 / 65535", {}}, {"Identity", {}},           {"Fitted exponent", {}},
        {"1 / exponent", {}},         {"Fit error (levels)", {}}, {"Exponent at half input", {}},
    };
    const std::string undefined = "undefined";
    for (int ch = 0; ch < kChannelCount; ++ch) {
        const ChannelStats s = ComputeChannelStats(ramp, static_cast<Channel>(ch));
        rows[0].values[ch] = FormatWhole(s.distinctLevels);
        rows[1].values[ch] = FormatWhole(s.lostLevels);
        rows[2].values[ch] = FormatWhole(s.nonMonotonicSteps);
        rows[3].values[ch] = FormatWhole(s.clippedLow) + " / " + FormatWhole(s.clippedHigh);
        rows[4].values[ch] = FormatIdentity(s.identity);
        rows[5].values[ch] = s.fit.defined ? FormatFixed(s.fit.exponent, 3) : undefined;
        rows[6].values[ch] = s.fit.defined ? FormatFixed(s.fit.reciprocal, 3) : undefined;
        rows[7].values[ch] = s.fit.defined ? FormatFixed(s.fit.rmsLevels, 2) : undefined;
        rows[8].values[ch] = s.halfInputDefined ? FormatFixed(s.halfInputExponent, 3) : undefined;
    }
    return rows;
}

}  // namespace lumatab
