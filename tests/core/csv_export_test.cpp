#include "core/csv_export.h"

#include <string>

#include <gtest/gtest.h>

#include "tests/core/golden.h"
#include "tests/support/ramps.h"
#include "tests/support/string_sink.h"

namespace lumatab {
namespace {

// The expected files come from an independent model of the arithmetic and the format
// (golden/make_golden.py). The gammas are the stored table's, not recomputed.
TEST(WriteRampCsv, MatchesTheGoldenFilesByteForByteAndWritesTheStoredTable) {
    EXPECT_EQ(CsvOf(IdentityRamp()), Golden("identity.csv"));
    EXPECT_EQ(CsvOf(UniformRamp(0)), Golden("zero.csv"));
    EXPECT_EQ(CsvOf(UniformRamp(65535)), Golden("full.csv"));
    EXPECT_EQ(CsvOf(GoldenThreeChannelRamp()), Golden("three_channels.csv"));
    GammaTable table;
    BuildGammaTable(IdentityRamp(), table);
    table.at(Channel::Green, 128) = 9.99;
    StringSink sink;
    WriteRampCsv(sink, IdentityRamp(), table);
    EXPECT_NE(sink.bytes.find("\n128,0x8080,32896,2.20,0x8080,32896,9.99,"), std::string::npos);
}

}  // namespace
}  // namespace lumatab
