// Speed of the core: a full refresh and the CSV text.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "core/csv_export.h"
#include "core/ramp_table.h"
#include "tests/support/string_sink.h"

namespace lumatab {
namespace {

// A typical calibration curve, different in each channel.
GammaRamp CalibrationRamp() {
    GammaRamp ramp{};
    for (int i = 0; i < kRampSize; ++i) {
        ramp.at(Channel::Red, i) = static_cast<std::uint16_t>(i * 257);
        ramp.at(Channel::Green, i) = static_cast<std::uint16_t>(i * 250);
        ramp.at(Channel::Blue, i) = static_cast<std::uint16_t>(i * 240);
    }
    return ramp;
}

// Counts the bytes a refresh hands over, as cheaply as a sink can.
class CountingSink : public RampTableSink {
public:
    std::size_t bytes = 0;
    void DeleteAllRows() override {}
    void InsertRow(int, const char* text) override { Count(text); }
    void SetCell(int, int, const char* text) override { Count(text); }
    void SetSummary(Channel, const char* text) override { Count(text); }

private:
    void Count(const char* text) { bytes += std::strlen(text); }
};

void BM_ComputeEntryGamma(benchmark::State& state) {
    const GammaRamp ramp = CalibrationRamp();
    int index = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeEntryGamma(ramp, index));
        index = index == 254 ? 1 : index + 1;
    }
}
BENCHMARK(BM_ComputeEntryGamma);

void BM_BuildGammaTable(benchmark::State& state) {
    const GammaRamp ramp = CalibrationRamp();
    GammaTable table;
    for (auto _ : state) {
        BuildGammaTable(ramp, table);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BuildGammaTable);

void BM_FormatGammaCell(benchmark::State& state) {
    double gamma = 2.2;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatGammaCell(gamma));
        gamma = gamma > 20.0 ? 0.01 : gamma + 0.37;
    }
}
BENCHMARK(BM_FormatGammaCell);

void BM_RefreshRampTable(benchmark::State& state) {
    const GammaRamp ramp = CalibrationRamp();
    GammaTable table;
    CountingSink sink;
    for (auto _ : state) {
        RefreshRampTable(ramp, table, sink);
    }
    benchmark::DoNotOptimize(sink.bytes);
}
BENCHMARK(BM_RefreshRampTable)->Unit(benchmark::kMicrosecond);

void BM_WriteRampCsv(benchmark::State& state) {
    const GammaRamp ramp = CalibrationRamp();
    GammaTable table;
    BuildGammaTable(ramp, table);
    StringSink sink;
    sink.bytes.reserve(16384);
    for (auto _ : state) {
        sink.bytes.clear();
        WriteRampCsv(sink, ramp, table);
    }
    benchmark::DoNotOptimize(sink.bytes.data());
}
BENCHMARK(BM_WriteRampCsv)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lumatab

BENCHMARK_MAIN();
