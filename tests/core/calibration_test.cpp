#include "core/calibration.h"

#include <random>
#include <string>

#include <gtest/gtest.h>

#include "core/number_text.h"
#include "tests/core/golden.h"
#include "tests/support/ramps.h"

namespace lumatab {
namespace {

// Four lines a string: lines 1 to 4, 5 to 8 and 9 to 12.
const std::string kTwoRows =
    "CAL\nDEVICE_CLASS \"DISPLAY\"\nCOLOR_REP \"RGB\"\nNUMBER_OF_FIELDS 4\n"
    "BEGIN_DATA_FORMAT\nRGB_I RGB_R RGB_G RGB_B\nEND_DATA_FORMAT\nNUMBER_OF_SETS 2\n"
    "BEGIN_DATA\n0.0 0.0 0.0 0.0\n1.0 1.0 1.0 1.0\nEND_DATA\n";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

// The goldens come from an independent model; any ramp reads back exactly.
TEST(Calibration, WritesTheGoldenFilesAndReadsAnyRampBackExactly) {
    const std::string created = FormatCalibrationTime(2026, 12, 7, 1, 17, 30, 4);
    EXPECT_EQ(WriteCalibration(IdentityRamp(), created), Golden("identity.cal"));
    EXPECT_EQ(WriteCalibration(GoldenThreeChannelRamp(), created), Golden("three_channels.cal"));
    EXPECT_EQ(FormatCalibrationTime(2027, 1, 3, 0, 0, 0, 0), "Sun Jan 03 00:00:00 2027");
    EXPECT_EQ(FormatCalibrationTime(2026, 0, 1, 7, 1, 2, 3), "??? ??? 01 01:02:03 2026");
    // The created value stays one quoted string.
    EXPECT_NE(WriteCalibration(IdentityRamp(), "a\"b\nc").find("\nCREATED \"a'b c\"\n"),
              std::string::npos);
    std::mt19937 random(20261207);
    for (int n = 0; n < 50; ++n) {
        const GammaRamp ramp = RampOf([&](int, int) { return random() % 65536; });
        GammaRamp read{};
        std::string error;
        ASSERT_TRUE(ReadCalibration(WriteCalibration(ramp, "now"), read, error)) << error;
        ASSERT_TRUE(Same(read, ramp)) << "ramp " << n;
    }
}

// Comments, declarations, unknown keywords and fields, keywords in any order, CRLF, and what
// follows END_DATA are passed over; 2 to 16384 rows are resampled to 256 entries by position.
TEST(ReadCalibration, SkipsWhatItDoesNotNeedAndResamplesByRowPosition) {
    const char text[] =
        "CAL    \r\n# written by hand\r\nKEYWORD \"MY_NOTE\"\r\nNUMBER_OF_SETS 2\r\n"
        "BEGIN_DATA_FORMAT\r\nRGB_B RGB_G SAMPLE_ID\r\nRGB_R RGB_I\r\nEND_DATA_FORMAT\r\n"
        "COLOR_REP \"RGB_XYZ\"\r\nDEVICE_CLASS DISPLAY\r\nBEGIN_DATA\r\n"
        "0.2 0.25 \"first row\" 0 0\r\n\r\n0.6 0.75 x 0.4 1 # last row\r\nEND_DATA\r\nmore";
    GammaRamp read{};
    std::string error;
    ASSERT_TRUE(ReadCalibration(text, read, error)) << error;
    // Entry 51 lies a fifth of the way from the first row to the second: 65535 * 0.08.
    EXPECT_EQ(read.at(Channel::Red, 51), 5243);
    EXPECT_EQ(read.at(Channel::Red, 255), 26214);
    EXPECT_EQ(read.at(Channel::Green, 0), 16384);
    EXPECT_EQ(read.at(Channel::Blue, 255), 39321);
    ASSERT_TRUE(ReadCalibration(kTwoRows, read, error)) << error;
    EXPECT_TRUE(Same(read, IdentityRamp()));

    // The identity in 16384 rows, the most a file may have, comes back exactly.
    std::string rows;
    for (int row = 0; row < kMaxCalibrationRows; ++row) {
        const std::string x = FormatFixed(row / (kMaxCalibrationRows - 1.0), 7);
        rows += x + " " + x + " " + x + " " + x + "\n";
    }
    ASSERT_TRUE(ReadCalibration(Replaced(Replaced(kTwoRows, "SETS 2", "SETS 16384"),
                                         "0.0 0.0 0.0 0.0\n1.0 1.0 1.0 1.0\n", rows),
                                read, error))
        << error;
    EXPECT_TRUE(Same(read, IdentityRamp()));
}

TEST(ReadCalibration, RefusesMalformedFilesNamingTheLineAndLeavesTheRamp) {
    const std::string two = kTwoRows, mark = "\xEF\xBB\xBF";  // UTF-8's byte-order mark
    const struct {
        std::string text;
        const char* error;
    } cases[] = {
        {"", "line 1: expected the CAL identifier, found ''"},
        // The mark is skipped where it starts the file only.
        {mark + Replaced(two, "DEVICE", mark + "DEVICE"),
         "line 9: no DEVICE_CLASS before BEGIN_DATA"},
        {Replaced(two, "DISPLAY", "OUTPUT"), "line 2: DEVICE_CLASS is 'OUTPUT', not 'DISPLAY'"},
        {Replaced(two, "DEVICE_CLASS \"DISPLAY\"\n", ""),
         "line 8: no DEVICE_CLASS before BEGIN_DATA"},
        {Replaced(two, "\"RGB\"", "\"CMYK\""), "line 3: COLOR_REP is 'CMYK', not RGB"},
        {Replaced(two, "FIELDS 4", "FIELDS 5"),
         "line 4: NUMBER_OF_FIELDS is 5, but the data format has 4 fields"},
        {Replaced(two, "RGB_G ", ""), "line 7: the data format has no RGB_G"},
        {Replaced(two, "RGB_G ", "RGB_G RGB_I "), "line 7: the data format has RGB_I twice"},
        {two.substr(0, two.find("END_DATA_FORMAT")),
         "line 6: the file ends before END_DATA_FORMAT"},
        {Replaced(two, "SETS 2", "SETS 2x"), "line 8: '2x' is not a whole number"},
        {Replaced(two, "SETS 2", "SETS 1"),
         "line 8: NUMBER_OF_SETS must be from 2 to 16384, not 1"},
        {Replaced(two, "SETS 2", "SETS 16385"),
         "line 8: NUMBER_OF_SETS must be from 2 to 16384, not 16385"},
        {Replaced(two, "SETS 2", "SETS 3"), "line 12: 2 rows, but NUMBER_OF_SETS is 3"},
        {Replaced(two, "END_DATA\n", "1.0 1.0 1.0 1.0\nEND_DATA\n"),
         "line 12: more rows than NUMBER_OF_SETS (2)"},
        {Replaced(two, "1.0 1.0 1.0 1.0", "1.0 1.0 abc 1.0"), "line 11: 'abc' is not a number"},
        {Replaced(two, "1.0 1.0 1.0 1.0", "1.0 1.0 1.5 1.0"),
         "line 11: RGB_G '1.5' is outside 0 to 1"},
        {Replaced(two, "1.0 1.0 1.0 1.0", "1.0 1.0 1.0"),
         "line 11: 3 values, but the data format has 4 fields"},
        {Replaced(two, "1.0 1.0 1.0 1.0", "0.9998 1.0 1.0 1.0"),
         "line 11: RGB_I '0.9998' should be 1.0000000 for evenly spaced rows"},
        {Replaced(two, "END_DATA\n", ""), "line 11: the file ends before END_DATA"},
    };
    for (const auto& c : cases) {
        GammaRamp ramp = UniformRamp(12345);
        std::string error;
        EXPECT_FALSE(ReadCalibration(c.text, ramp, error)) << c.error;
        EXPECT_EQ(error, c.error);
        EXPECT_TRUE(Same(ramp, UniformRamp(12345))) << c.error;
    }
}

TEST(VerifyCalibration, AllowsOneEightBitStepPerLevelAndSaysSo) {
    const GammaRamp calibration = CalibrationRamp();
    GammaRamp ramp = calibration;
    ramp.at(Channel::Red, 10) += 257;
    ramp.at(Channel::Blue, 255) -= 200;
    EXPECT_EQ(DescribeVerification(VerifyCalibration(ramp, calibration), "the calibration"),
              "Matches the calibration within 1/255");
    ramp.at(Channel::Red, 10) += 1;  // one level more than an 8-bit step
    EXPECT_FALSE(VerifyCalibration(ramp, calibration).loaded);
    ramp.at(Channel::Green, 128) -= 888;  // 1.355% of 65535, 1.3549% of 65536
    EXPECT_EQ(DescribeVerification(VerifyCalibration(ramp, calibration), "the calibration"),
              "Largest differences: red 258 (0.39%), green 888 (1.36%), blue 200 (0.31%)");
}

}  // namespace
}  // namespace lumatab
