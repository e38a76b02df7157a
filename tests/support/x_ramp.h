// Loads a ramp into the dummy X server that Wine reads with the native tool at LUMATAB_XRAMP (a
// Unix path; scripts/test.sh exports it). Only multiples of 257 survive the server's 8 bits.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/gamma_ramp.h"

namespace lumatab {

// Use as ASSERT_TRUE(LoadXRamp(ramp)). Wine's CreateProcess gives no handle to wait on for a Unix
// program; __wine_unix_spawnvp waits and returns its exit code.
inline ::testing::AssertionResult LoadXRamp(const GammaRamp& ramp) {
    const char* tool = std::getenv("LUMATAB_XRAMP");
    const FARPROC spawn = GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp");
    if (!tool || !spawn) {
        return ::testing::AssertionFailure() << "needs Wine and LUMATAB_XRAMP (native xramp)";
    }
    std::vector<std::string> args{tool};
    for (int n = 0; n < kChannelCount * kRampSize; ++n) {
        args.push_back(std::to_string(ramp.levels[n / kRampSize][n % kRampSize]));
    }
    std::vector<char*> argv(args.size() + 1);  // ends in nullptr
    std::transform(args.begin(), args.end(), argv.begin(), [](std::string& a) { return &a[0]; });
    using Spawn = LONG(WINAPI*)(char* const argv[], int wait);
    const LONG status = reinterpret_cast<Spawn>(reinterpret_cast<void*>(spawn))(argv.data(), TRUE);
    return status == 0 ? ::testing::AssertionSuccess()
                       : ::testing::AssertionFailure() << tool << " failed: status " << status;
}

}  // namespace lumatab
