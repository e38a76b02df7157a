// The CSV file format of an exported ramp.
#pragma once

#include "core/byte_sink.h"
#include "core/gamma_ramp.h"

namespace lumatab {

// Writes the header (the list's headings joined by commas) with one write, then each of the 256
// records with one write of its own, line feed first: 257 lines, LF only, no final LF, ASCII only.
void WriteRampCsv(ByteSink& file, const GammaRamp& ramp, const GammaTable& table);

}  // namespace lumatab
