// The gamma ramp of a display device and the effective gamma derived from it.
#pragma once

#include <cstdint>
#include <type_traits>

namespace lumatab {

constexpr int kChannelCount = 3;
constexpr int kRampSize = 256;
// The highest level of an entry: full scale.
constexpr int kFullScale = 65535;

// Channel order of every record: red, green, blue.
enum class Channel { Red = 0, Green = 1, Blue = 2 };
// The channels' names in that order: capitalised for headings, lower case within a sentence.
extern const char* const kChannelNames[kChannelCount];
extern const char* const kChannelNamesLower[kChannelCount];

// Output level of each input level, red then green then blue: exactly the 1536-byte block
// that GetDeviceGammaRamp fills, so the display code hands this object to it directly.
struct GammaRamp {
    std::uint16_t levels[kChannelCount][kRampSize];

    std::uint16_t& at(Channel ch, int index) { return levels[static_cast<int>(ch)][index]; }
    std::uint16_t at(Channel ch, int index) const { return levels[static_cast<int>(ch)][index]; }
};
static_assert(sizeof(GammaRamp) == 1536, "GammaRamp must match the device's 3 x 256 word block");
static_assert(std::is_trivially_copyable<GammaRamp>::value &&
                  std::is_standard_layout<GammaRamp>::value,
              "GammaRamp is handed to the platform as raw memory");

// Entry i holds i * 257 in every channel: the linear ramp of an uncalibrated display.
GammaRamp IdentityRamp();

// The effective gamma of one entry.
struct EntryGamma {
    double red;
    double green;
    double blue;

    double of(Channel ch) const;
};

// Effective gamma of every entry, laid out like GammaRamp; entries 0 and 255 hold 0.
struct GammaTable {
    double values[kChannelCount][kRampSize];

    double& at(Channel ch, int index) { return values[static_cast<int>(ch)][index]; }
    double at(Channel ch, int index) const { return values[static_cast<int>(ch)][index]; }
};

// Value every unrepresentable result (NaN, infinite, outside int32) converts to.
constexpr std::int32_t kGammaSentinelHundredths = INT32_MIN;

// Truncates toward zero; NaN, infinities and out-of-range values give INT32_MIN.
std::int32_t TruncateToInt32(double value);

// Effective gamma of entry index (1..254) for each channel, in hundredths, rounded by
// adding one half and truncating.
EntryGamma ComputeEntryGamma(const GammaRamp& ramp, int index);

// The table's value for any index 0..255: ComputeEntryGamma for 1..254, zero for 0 and 255.
EntryGamma TableEntryGamma(const GammaRamp& ramp, int index);

// Stores the three values of one entry into the table.
void StoreEntryGamma(GammaTable& table, int index, const EntryGamma& entry);

// Fills every entry of the table from the ramp.
void BuildGammaTable(const GammaRamp& ramp, GammaTable& table);

}  // namespace lumatab
