#include "core/ramp_table.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/core/comma_locale.h"
#include "tests/support/ramps.h"
#include "tests/support/recording_sink.h"

namespace lumatab {
namespace {

using Row = std::vector<std::string>;

TEST(GammaTexts, CellsHideZeroAndBelowSummariesHideOnlyTheUndefinedAndNoLocaleChangesThem) {
    const CommaLocale locale;
    ASSERT_TRUE(locale.active()) << "no comma-decimal locale could be set";
    EXPECT_EQ(FormatGammaCell(2.2), "2.20");
    EXPECT_EQ(FormatGammaCell(15.8), "15.80");
    EXPECT_EQ(FormatGammaCell(0.01), "0.01");
    EXPECT_EQ(FormatGammaCell(0.0), "---");
    EXPECT_EQ(FormatGammaCell(-1.29), "---");
    EXPECT_EQ(FormatSummaryGamma(0.0), "0.00");
    EXPECT_EQ(FormatSummaryGamma(0.47), "0.47");
    EXPECT_EQ(FormatSummaryGamma(-1.29), "-1.29");
    EXPECT_EQ(FormatSummaryGamma(-21474836.48), "---");
}

// Red rises, green is a constant 40000, blue falls, and red's entry 128 is undefined.
TEST(RefreshRampTable, ListsEveryRowAndTheSummariesInOrderAndStoresTheTable) {
    GammaRamp ramp{};
    for (int i = 0; i < kRampSize; ++i) {
        ramp.at(Channel::Red, i) = static_cast<std::uint16_t>(i * 257);
        ramp.at(Channel::Green, i) = 40000;
        ramp.at(Channel::Blue, i) = static_cast<std::uint16_t>((255 - i) * 257);
    }
    ramp.at(Channel::Red, 128) = 47283;
    RecordingSink sink;
    GammaTable table;
    std::memset(&table, 0xAB, sizeof table);  // no stale value may survive
    RefreshRampTable(ramp, table, sink);

    ASSERT_EQ(sink.calls.size(), 1u + 256u * 10u + 3u);
    EXPECT_EQ(sink.calls[0], "delete");
    // The summaries come right before row 128 is inserted.
    EXPECT_EQ(std::vector<std::string>(sink.calls.begin() + 1281, sink.calls.begin() + 1285),
              (std::vector<std::string>{"summary 0 '---'", "summary 1 '3.19'", "summary 2 '2.17'",
                                        "row 128 ' 128 '"}));
    ASSERT_EQ(sink.rows.size(), 256u);
    EXPECT_EQ(sink.rows[0], (Row{"   0 ", "   0 ", "    0 ", "---", "9C40 ", "40000 ", "---",
                                 "FFFF ", "65535 ", "---"}));
    EXPECT_EQ(sink.rows[1], (Row{"   1 ", " 101 ", "  257 ", "2.20", "9C40 ", "40000 ", "---",
                                 "FEFE ", "65278 ", "---"}));
    EXPECT_EQ(sink.rows[128], (Row{" 128 ", "B8B3 ", "47283 ", "---", "9C40 ", "40000 ", "3.19",
                                   "7F7F ", "32639 ", "2.17"}));
    EXPECT_EQ(sink.rows[255], (Row{" 255 ", "FFFF ", "65535 ", "---", "9C40 ", "40000 ", "---",
                                   "   0 ", "    0 ", "---"}));
    GammaTable built;
    BuildGammaTable(ramp, built);
    EXPECT_EQ(std::memcmp(&table, &built, sizeof built), 0);
}

}  // namespace
}  // namespace lumatab
