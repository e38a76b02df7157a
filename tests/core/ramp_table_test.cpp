#include "core/ramp_table.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/ramps.h"
#include "tests/support/recording_sink.h"

namespace lumatab {
namespace {

using Row = std::vector<std::string>;

TEST(GammaTexts, CellsHideZeroAndBelowSummariesHideOnlyTheUndefined) {
    EXPECT_EQ(FormatGammaCell(15.8), "15.80");
    EXPECT_EQ(FormatGammaCell(0.01), "0.01");
    EXPECT_EQ(FormatGammaCell(0.0), "---");
    EXPECT_EQ(FormatGammaCell(-1.29), "---");
    EXPECT_EQ(FormatSummaryGamma(0.0), "0.00");
    EXPECT_EQ(FormatSummaryGamma(0.47), "0.47");
    EXPECT_EQ(FormatSummaryGamma(-1.29), "-1.29");
    EXPECT_EQ(FormatSummaryGamma(-21474836.48), "---");
}

// Red rises, green is a constant 40000, blue falls, and red's entry 128 is undefined. Each
// channel's gamma is its own; the first and last entries have none.
TEST(RefreshRampTable, ListsEveryRowAndTheSummariesAndStoresTheTable) {
    GammaRamp ramp = RampOf([](int ch, int i) {
        return ch == 0 ? i * 257 : ch == 1 ? 40000 : (255 - i) * 257;
    });
    ramp.at(Channel::Red, 128) = 47283;
    RecordingSink sink;
    GammaTable table{};
    RefreshRampTable(ramp, table, sink);

    ASSERT_EQ(sink.rows.size(), 256u);
    EXPECT_EQ(sink.rows[0], (Row{"   0 ", "   0 ", "    0 ", "---", "9C40 ", "40000 ", "---",
                                 "FFFF ", "65535 ", "---"}));
    EXPECT_EQ(sink.rows[1], (Row{"   1 ", " 101 ", "  257 ", "2.20", "9C40 ", "40000 ", "---",
                                 "FEFE ", "65278 ", "---"}));
    EXPECT_EQ(sink.rows[128], (Row{" 128 ", "B8B3 ", "47283 ", "---", "9C40 ", "40000 ", "3.19",
                                   "7F7F ", "32639 ", "2.17"}));
    EXPECT_EQ(Row(sink.summary, sink.summary + 3), (Row{"---", "3.19", "2.17"}));
    GammaTable built;
    BuildGammaTable(ramp, built);
    EXPECT_EQ(std::memcmp(&table, &built, sizeof built), 0);
}

}  // namespace
}  // namespace lumatab
