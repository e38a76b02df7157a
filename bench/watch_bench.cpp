// What lumatab-cli watch costs under Wine, on the display of the two-monitor dummy X server: the
// share of one core it takes at an interval, beside a bare poller that reads every monitor's ramp
// and takes a process snapshot as often, waiting in MsgWaitForMultipleObjects; and how soon a
// change of the ramp is printed. Reported, never failing on time. The goals: at 1 s, at most 1 %
// of a core and 1.2 times the poller; a change printed within the interval and 100 ms. Wine gives
// no other process's processor time, so each is measured in a process of its own, which says it.
//   lumatab_watch_bench.exe                          the benchmarks
//   lumatab_watch_bench.exe --watch|--poller MS      one of them for a while, then its % of a core
#include <benchmark/benchmark.h>

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <string>
#include <thread>

#include "cli/watch_command.h"

namespace {

constexpr DWORD kSecondsMeasured = 10;

std::atomic<bool> g_stopPolling{false};

void RunBarePoller(DWORD milliseconds) {
    while (!g_stopPolling) {
        DISPLAY_DEVICEA adapter{};
        adapter.cb = sizeof adapter;
        for (DWORD n = 0; EnumDisplayDevicesA(nullptr, n, &adapter, 0); ++n) {
            WORD ramp[3][256];
            const HDC dc = CreateDCA(adapter.DeviceName, adapter.DeviceName, nullptr, nullptr);
            GetDeviceGammaRamp(dc, ramp);
            DeleteDC(dc);
        }
        const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32 entry{};
        entry.dwSize = sizeof entry;
        for (BOOL more = Process32First(snapshot, &entry); more;
             more = Process32Next(snapshot, &entry)) {
        }
        CloseHandle(snapshot);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT);
    }
}

double CpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto seconds = [](const FILETIME& t) {
        return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

CliArguments WatchArguments(int milliseconds) {
    CliArguments args;
    args.command = CliCommand::Watch;
    args.monitor = -1;
    args.interval = milliseconds / 1000.0;
    return args;
}

// The watch or the poller, on a thread, for the time measured; prints the share of a core that
// this process took meanwhile.
int MeasureOne(bool watch, DWORD milliseconds) {
    std::thread worker([&] {
        if (watch) {
            WatchCommand(WatchArguments(static_cast<int>(milliseconds)), Win32Platform(),
                         Win32ProcessApi(), [](const std::string&) {});
        } else {
            RunBarePoller(milliseconds);
        }
    });
    Sleep(1000);  // started
    const double start = CpuSeconds();
    Sleep(kSecondsMeasured * 1000);
    std::printf("%.4f\n", (CpuSeconds() - start) * 100 / kSecondsMeasured);
    std::fflush(stdout);
    g_stopPolling = true;
    StopWatching(CTRL_C_EVENT);
    worker.join();
    return 0;
}

// What a copy of this program measuring one of them prints.
double Measured(const std::string& mode, int milliseconds) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string commandLine =
        "\"" + std::string(path) + "\" " + mode + " " + std::to_string(milliseconds);
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    CreatePipe(&read, &write, &inherit, 0);
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write;
    PROCESS_INFORMATION process{};
    CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                   &process);
    CloseHandle(write);
    std::string output;
    char buffer[256];
    for (DWORD got = 0; ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0;) {
        output.append(buffer, got);
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(read);
    return std::atof(output.c_str());
}

std::map<std::string, double> g_figures;

// The watch and the poller at 1 s and at 0.2 s, all four at once, in processes of their own.
void BM_WatchCpu(benchmark::State& state) {
    const struct {
        const char* mode;
        int milliseconds;
        const char* figure;
    } kRuns[] = {{"--watch", 1000, "watch1000"},
                 {"--poller", 1000, "poller1000"},
                 {"--watch", 200, "watch200"},
                 {"--poller", 200, "poller200"}};
    for (auto _ : state) {
        double measured[std::size(kRuns)] = {};
        std::thread runs[std::size(kRuns)];
        for (std::size_t k = 0; k < std::size(kRuns); ++k) {
            runs[k] = std::thread(
                [&, k] { measured[k] = Measured(kRuns[k].mode, kRuns[k].milliseconds); });
        }
        for (std::size_t k = 0; k < std::size(kRuns); ++k) {
            runs[k].join();
            g_figures[kRuns[k].figure] = measured[k];
            state.counters[std::string(kRuns[k].figure) + "_%"] = measured[k];
        }
    }
}
BENCHMARK(BM_WatchCpu)->Iterations(1)->Unit(benchmark::kSecond);

void SetPowerCurve(double exponent) {
    WORD ramp[3][256];
    for (auto& levels : ramp) {
        for (int i = 0; i < 256; ++i) {
            levels[i] = static_cast<WORD>(std::lround(65535 * std::pow(i / 255.0, exponent)));
        }
    }
    const HDC hScreen = GetDC(nullptr);
    SetDeviceGammaRamp(hScreen, ramp);
    ReleaseDC(nullptr, hScreen);
}

// How long after the ramp changes a watch at 1 s prints it, the change at a random moment of the
// interval.
void BM_ChangePrinted(benchmark::State& state) {
    const HANDLE printed = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    std::thread watch([&] {
        WatchCommand(WatchArguments(1000), Win32Platform(), Win32ProcessApi(),
                     [&](const std::string& line) {
                         if (line.find(" changed: ") != std::string::npos) {
                             SetEvent(printed);
                         }
                     });
    });
    Sleep(1500);
    double longest = 0;
    int changes = 0;
    for (auto _ : state) {
        Sleep(static_cast<DWORD>(std::rand() % 1000));
        SetPowerCurve(++changes % 2 != 0 ? 0.7 : 0.8);
        const ULONGLONG changed = GetTickCount64();
        const bool seen = WaitForSingleObject(printed, 5000) == WAIT_OBJECT_0;
        const double seconds = seen ? (GetTickCount64() - changed) / 1000.0 : 5.0;
        Sleep(100);  // the second monitor's line of the same change
        ResetEvent(printed);
        state.SetIterationTime(seconds);
        longest = std::max(longest, seconds);
    }
    StopWatching(CTRL_C_EVENT);
    watch.join();
    CloseHandle(printed);
    state.counters["longest_ms"] = longest * 1000;
    g_figures["longest"] = longest * 1000;
}
BENCHMARK(BM_ChangePrinted)->Iterations(8)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && (std::string(argv[1]) == "--watch" || std::string(argv[1]) == "--poller")) {
        return MeasureOne(std::string(argv[1]) == "--watch",
                          static_cast<DWORD>(std::atoi(argv[2])));
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::printf(
        "watch at 1 s: %.2f %% of a core, %.2f times the bare poller (%.2f %%); at 0.2 s: %.2f %%, "
        "%.2f times the poller (%.2f %%). A change printed within %.0f ms (goal: 1100 ms).\n",
        g_figures["watch1000"], g_figures["watch1000"] / g_figures["poller1000"],
        g_figures["poller1000"], g_figures["watch200"],
        g_figures["watch200"] / g_figures["poller200"], g_figures["poller200"],
        g_figures["longest"]);
    return 0;
}
