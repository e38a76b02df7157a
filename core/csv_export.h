// The CSV file format of an exported ramp.
#pragma once

#include <cstddef>

#include "core/gamma_ramp.h"

namespace lumatab {

// Where WriteRampCsv puts its bytes; the Windows side hands it an open file.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual void Write(const void* data, std::size_t size) = 0;
};

// The header line of the file, without a line feed.
extern const char kRampCsvHeader[];

// Writes the header with one write, then each of the 256 records with one write of its own,
// line feed first: 257 lines, LF only, no final LF, ASCII only.
void WriteRampCsv(ByteSink& file, const GammaRamp& ramp, const GammaTable& table);

}  // namespace lumatab
