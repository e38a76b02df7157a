// Prints the CSV file the program exports for a ramp: ramp_csv R0..R255 G0..G255 B0..B255.
// The end-to-end test compares the program's export with it.
#include <cstdio>
#include <cstdlib>

#include "core/csv_export.h"

namespace {

class StdoutSink : public lumatab::ByteSink {
public:
    void Write(const void* data, std::size_t size) override { std::fwrite(data, 1, size, stdout); }
};

}  // namespace

int main(int argc, char** argv) {
    using namespace lumatab;
    if (argc != kChannelCount * kRampSize + 1) {
        std::fprintf(stderr, "usage: ramp_csv R0..R255 G0..G255 B0..B255 (768 levels)\n");
        return 2;
    }
    GammaRamp ramp{};
    for (int k = 0; k < kChannelCount * kRampSize; ++k) {
        const long level = std::strtol(argv[k + 1], nullptr, 10);
        if (level < 0 || level > 65535) {
            std::fprintf(stderr, "ramp_csv: level %d is not 0..65535\n", k);
            return 2;
        }
        ramp.levels[k / kRampSize][k % kRampSize] = static_cast<std::uint16_t>(level);
    }
    GammaTable table;
    BuildGammaTable(ramp, table);
    StdoutSink sink;
    WriteRampCsv(sink, ramp, table);
    return 0;
}
