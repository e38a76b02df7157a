// Prints a digest of the effective gamma of every (index 1..254, level 0..65535) pair, so that
// the test command can check that the native and the Windows builds compute the same values.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "core/gamma_ramp.h"

int main() {
    using namespace lumatab;
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a over the results in hundredths
    GammaRamp ramp{};
    for (int i = 1; i <= 254; ++i) {
        for (int level = 0; level <= 65535; ++level) {
            ramp.at(Channel::Red, i) = static_cast<std::uint16_t>(level);
            // Results are whole hundredths; compare those, not the doubles' bit patterns.
            const auto hundredths =
                static_cast<std::uint32_t>(std::llround(ComputeEntryGamma(ramp, i).red * 100.0));
            for (int byte = 0; byte < 4; ++byte) {
                hash = (hash ^ ((hundredths >> (8 * byte)) & 0xFFu)) * 1099511628211ull;
            }
        }
    }
    char text[17] = {};
    std::to_chars(text, text + 16, hash, 16);
    std::printf("%s\n", text);
    return 0;
}
