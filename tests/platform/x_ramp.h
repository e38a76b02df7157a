// Loads a chosen ramp into the dummy X server that Wine reads, for tests running under wine64.
// The native tool is found through LUMATAB_XRAMP (its Unix path; scripts/test.sh exports it).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/gamma_ramp.h"

namespace lumatab {

// Runs the native xramp tool and waits for it. Wine's CreateProcess starts Unix programs
// without a handle to wait on, so this uses Wine's own __wine_unix_spawnvp, which waits and
// returns the exit code. The server keeps 8 bits: only multiples of 257 read back unchanged.
// Use as ASSERT_TRUE(LoadXRamp(ramp)).
inline ::testing::AssertionResult LoadXRamp(const GammaRamp& ramp) {
    const char* tool = std::getenv("LUMATAB_XRAMP");
    if (!tool || !*tool) {
        return ::testing::AssertionFailure()
               << "LUMATAB_XRAMP is not set; export the path of the native build's "
                  "tests/xramp/xramp";
    }
    using SpawnFunction = LONG(WINAPI*)(char* const argv[], int wait);
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    const FARPROC proc = ntdll ? GetProcAddress(ntdll, "__wine_unix_spawnvp") : nullptr;
    if (!proc) {
        return ::testing::AssertionFailure()
               << "not running under Wine: the native xramp tool cannot be started";
    }
    const auto spawn = reinterpret_cast<SpawnFunction>(reinterpret_cast<void*>(proc));

    std::vector<std::string> args{tool};
    for (const auto& channel : ramp.levels) {
        for (const std::uint16_t level : channel) {
            args.push_back(std::to_string(level));
        }
    }
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(&arg[0]);
    }
    argv.push_back(nullptr);
    const LONG status = spawn(argv.data(), TRUE);
    if (status < 0) {
        char code[16];
        std::snprintf(code, sizeof(code), "0x%08lX", static_cast<unsigned long>(status));
        return ::testing::AssertionFailure() << tool << " could not be started: status " << code;
    }
    if (status != 0) {
        return ::testing::AssertionFailure()
               << tool << " exited with code " << status << " (its message is above)";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace lumatab
