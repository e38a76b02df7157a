// A ByteSink that keeps what it is given in one string, for the tests and benchmarks of what is
// written as CSV or .cal text.
#pragma once

#include <string>

#include "core/csv_export.h"

namespace lumatab {

class StringSink : public ByteSink {
public:
    std::string bytes;

    void Write(const void* data, std::size_t size) override {
        bytes.append(static_cast<const char*>(data), size);
    }
};

// The CSV file of a ramp, as the program exports it after a refresh.
inline std::string CsvOf(const GammaRamp& ramp) {
    GammaTable table;
    BuildGammaTable(ramp, table);
    StringSink sink;
    WriteRampCsv(sink, ramp, table);
    return sink.bytes;
}

}  // namespace lumatab
