#include "core/csv_export.h"

#include <string>

#include <gtest/gtest.h>

#include "tests/core/comma_locale.h"
#include "tests/core/golden.h"
#include "tests/support/ramps.h"
#include "tests/support/string_sink.h"

namespace lumatab {
namespace {

// The expected files come from an independent model of the arithmetic and the format
// (golden/make_golden.py); a comma-decimal locale must change no byte.
TEST(WriteRampCsv, MatchesTheGoldenFilesByteForByteInAnyLocale) {
    const CommaLocale locale;
    ASSERT_TRUE(locale.active()) << "no comma-decimal locale could be set";
    EXPECT_EQ(CsvOf(IdentityRamp()), Golden("identity.csv"));
    EXPECT_EQ(CsvOf(UniformRamp(0)), Golden("zero.csv"));
    EXPECT_EQ(CsvOf(UniformRamp(65535)), Golden("full.csv"));
    EXPECT_EQ(CsvOf(GoldenThreeChannelRamp()), Golden("three_channels.csv"));
}

// The header with one write, then each record with one write, line feed first, from the stored
// table: nothing is recomputed.
TEST(WriteRampCsv, WritesTheStoredTableARecordAtATime) {
    const GammaRamp ramp = IdentityRamp();
    GammaTable table;
    BuildGammaTable(ramp, table);
    table.at(Channel::Green, 128) = 9.99;
    table.at(Channel::Blue, 128) = -21474836.48;
    StringSink sink;
    WriteRampCsv(sink, ramp, table);
    ASSERT_EQ(sink.writeEnds.size(), 257u);
    EXPECT_EQ(sink.WriteAt(0), "Index,R hex,R dec,R gamma,G hex,G dec,G gamma,B hex,B dec,B gamma");
    EXPECT_EQ(sink.WriteAt(2), "\n1,0x101,257,2.20,0x101,257,2.20,0x101,257,2.20");
    EXPECT_EQ(sink.WriteAt(129), "\n128,0x8080,32896,2.20,0x8080,32896,9.99,0x8080,32896,---");
}

}  // namespace
}  // namespace lumatab
