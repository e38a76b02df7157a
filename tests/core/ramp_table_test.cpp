#include "core/ramp_table.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/core/comma_locale.h"
#include "tests/core/recording_sink.h"
#include "tests/core/ramps.h"

namespace lumatab {
namespace {

TEST(FormatGammaCell, ShowsDashesForZeroAndNegativeAndTwoDecimalsOtherwise) {
    EXPECT_EQ(FormatGammaCell(2.2), "2.20");
    EXPECT_EQ(FormatGammaCell(15.8), "15.80");
    EXPECT_EQ(FormatGammaCell(0.01), "0.01");
    EXPECT_EQ(FormatGammaCell(0.0), "---");
    EXPECT_EQ(FormatGammaCell(-1.29), "---");
    EXPECT_EQ(FormatGammaCell(-21474836.48), "---");
}

TEST(FormatSummaryGamma, HasNoSpecialCase) {
    EXPECT_EQ(FormatSummaryGamma(0.0), "0.00");
    EXPECT_EQ(FormatSummaryGamma(2.2), "2.20");
    EXPECT_EQ(FormatSummaryGamma(-1.29), "-1.29");
    EXPECT_EQ(FormatSummaryGamma(-21474836.48), "-21474836.48");
}

TEST(FormatGammaTexts, IgnoreACommaDecimalLocale) {
    const CommaLocale locale;
    ASSERT_TRUE(locale.active()) << "no comma-decimal locale could be set";
    EXPECT_EQ(FormatGammaCell(2.2), "2.20");
    EXPECT_EQ(FormatSummaryGamma(-21474836.48), "-21474836.48");
}

TEST(RefreshRampTable, MakesTheCallsInOrder) {
    RecordingSink sink;
    GammaTable table;
    RefreshRampTable(IdentityRamp(), table, sink);

    ASSERT_EQ(sink.calls.size(), 1u + 256u * 10u + 3u);
    EXPECT_EQ(sink.calls[0], "delete");
    const std::vector<std::string> row0(sink.calls.begin() + 1, sink.calls.begin() + 11);
    EXPECT_EQ(row0, (std::vector<std::string>{
                        "row 0 '   0 '", "cell 0 1 '   0 '", "cell 0 2 '    0 '", "cell 0 3 '---'",
                        "cell 0 4 '   0 '", "cell 0 5 '    0 '", "cell 0 6 '---'",
                        "cell 0 7 '   0 '", "cell 0 8 '    0 '", "cell 0 9 '---'"}));
    // The summaries come right before row 128 is inserted.
    const std::size_t row128 = 1 + 128 * 10;
    EXPECT_EQ(sink.calls[row128], "summary 0 '2.20'");
    EXPECT_EQ(sink.calls[row128 + 1], "summary 1 '2.20'");
    EXPECT_EQ(sink.calls[row128 + 2], "summary 2 '2.20'");
    EXPECT_EQ(sink.calls[row128 + 3], "row 128 ' 128 '");
    EXPECT_EQ(sink.calls.back(), "cell 255 9 '---'");
}

TEST(RefreshRampTable, IdentityRampRows) {
    RecordingSink sink;
    GammaTable table;
    RefreshRampTable(IdentityRamp(), table, sink);

    ASSERT_EQ(sink.rows.size(), 256u);
    EXPECT_EQ(sink.rows[128],
              (std::vector<std::string>{" 128 ", "8080 ", "32896 ", "2.20", "8080 ", "32896 ",
                                        "2.20", "8080 ", "32896 ", "2.20"}));
    EXPECT_EQ(sink.rows[1][1], " 101 ");
    EXPECT_EQ(sink.rows[1][2], "  257 ");
    EXPECT_EQ(sink.rows[255],
              (std::vector<std::string>{" 255 ", "FFFF ", "65535 ", "---", "FFFF ", "65535 ", "---",
                                        "FFFF ", "65535 ", "---"}));
    for (const std::string& text : sink.summary) {
        EXPECT_EQ(text, "2.20");
    }
}

TEST(RefreshRampTable, ZeroAndNegativeGammaShowDashesButAreStored) {
    RecordingSink sink;
    GammaTable table;
    RefreshRampTable(UniformRamp(0), table, sink);

    EXPECT_EQ(table.at(Channel::Red, 162), 0.00);
    EXPECT_EQ(table.at(Channel::Green, 200), -1.29);
    EXPECT_EQ(table.at(Channel::Blue, 254), -174.80);
    EXPECT_EQ(sink.rows[162][3], "---");
    EXPECT_EQ(sink.rows[200][6], "---");
    EXPECT_EQ(sink.rows[254][9], "---");
    EXPECT_EQ(sink.rows[128][3], "0.47");
    EXPECT_EQ(sink.summary[0], "0.47");
}

TEST(RefreshRampTable, SentinelShowsInTheSummaryButNotInTheList) {
    GammaRamp ramp = IdentityRamp();
    ramp.at(Channel::Red, 128) = 47283;
    ramp.at(Channel::Green, 128) = 47282;
    RecordingSink sink;
    GammaTable table;
    RefreshRampTable(ramp, table, sink);

    EXPECT_EQ(sink.summary[0], "-21474836.48");
    EXPECT_EQ(sink.rows[128][3], "---");
    EXPECT_EQ(sink.summary[1], "18.26");
    EXPECT_EQ(sink.rows[128][6], "18.26");
    EXPECT_EQ(sink.rows[128][1], "B8B3 ");
    EXPECT_EQ(sink.rows[128][2], "47283 ");
}

TEST(RefreshRampTable, FillsTheSameTableAsBuildGammaTable) {
    GammaRamp ramp = IdentityRamp();
    ramp.at(Channel::Red, 10) = 65535;
    ramp.at(Channel::Blue, 200) = 0;
    GammaTable refreshed;
    std::memset(&refreshed, 0xAB, sizeof refreshed);  // no stale value may survive
    RecordingSink sink;
    RefreshRampTable(ramp, refreshed, sink);
    GammaTable built;
    BuildGammaTable(ramp, built);
    EXPECT_EQ(std::memcmp(&refreshed, &built, sizeof built), 0);
}

TEST(RefreshRampTable, RepeatsItselfExactlyOnAnUnchangedRamp) {
    GammaRamp ramp = IdentityRamp();
    ramp.at(Channel::Green, 77) = 12345;
    RecordingSink first;
    GammaTable firstTable;
    RefreshRampTable(ramp, firstTable, first);
    RecordingSink second = first;  // a sink that already holds the rows of the first refresh
    second.calls.clear();
    GammaTable secondTable = firstTable;
    RefreshRampTable(ramp, secondTable, second);
    EXPECT_EQ(second.calls, first.calls);
    EXPECT_EQ(second.rows, first.rows);
    EXPECT_EQ(std::memcmp(&firstTable, &secondTable, sizeof firstTable), 0);
}

}  // namespace
}  // namespace lumatab
