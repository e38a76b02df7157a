#include "core/csv_export.h"

#include <cmath>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/core/comma_locale.h"
#include "tests/core/ramps.h"

namespace lumatab {
namespace {

class MemorySink : public ByteSink {
public:
    std::vector<std::string> writes;
    std::string bytes() const {
        std::string all;
        for (const std::string& w : writes) {
            all += w;
        }
        return all;
    }
    void Write(const void* data, std::size_t size) override {
        writes.emplace_back(static_cast<const char*>(data), size);
    }
};

std::string CsvOf(const GammaRamp& ramp) {
    GammaTable table;
    BuildGammaTable(ramp, table);
    MemorySink sink;
    WriteRampCsv(sink, ramp, table);
    return sink.bytes();
}

std::string Golden(const char* name) {
    std::ifstream file(std::string(LUMATAB_GOLDEN_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(file.good()) << "missing golden file " << name;
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

GammaRamp GoldenThreeChannelRamp() {
    GammaRamp ramp{};
    for (int i = 0; i < kRampSize; ++i) {
        // The same curves as the golden file's generator: gamma 1.8, inverted, constant.
        ramp.at(Channel::Red, i) =
            static_cast<std::uint16_t>(std::lround(65535 * std::pow(i / 255.0, 1.8 / 2.2)));
        ramp.at(Channel::Green, i) = static_cast<std::uint16_t>(65535 - i * 257);
        ramp.at(Channel::Blue, i) = 40000;
    }
    return ramp;
}

TEST(WriteRampCsv, MatchesTheGoldenFilesByteForByte) {
    EXPECT_EQ(CsvOf(IdentityRamp()), Golden("identity.csv"));
    EXPECT_EQ(CsvOf(UniformRamp(0)), Golden("zero.csv"));
    EXPECT_EQ(CsvOf(UniformRamp(65535)), Golden("full.csv"));
    EXPECT_EQ(CsvOf(GoldenThreeChannelRamp()), Golden("three_channels.csv"));
}

TEST(WriteRampCsv, WritesTheHeaderThenOneRecordPerWriteLineFeedFirst) {
    const GammaRamp ramp = IdentityRamp();
    GammaTable table;
    BuildGammaTable(ramp, table);
    MemorySink sink;
    WriteRampCsv(sink, ramp, table);

    ASSERT_EQ(sink.writes.size(), 257u);
    EXPECT_EQ(sink.writes[0], "Index,R hex,R dec,R gamma,G hex,G dec,G gamma,B hex,B dec,B gamma");
    EXPECT_EQ(sink.writes[0].size(), 65u);
    EXPECT_EQ(sink.writes[1], "\n0,0x0,0,---,0x0,0,---,0x0,0,---");
    EXPECT_EQ(sink.writes[2], "\n1,0x101,257,2.20,0x101,257,2.20,0x101,257,2.20");
    EXPECT_EQ(sink.writes[129], "\n128,0x8080,32896,2.20,0x8080,32896,2.20,0x8080,32896,2.20");
    EXPECT_EQ(sink.writes[256], "\n255,0xFFFF,65535,---,0xFFFF,65535,---,0xFFFF,65535,---");
}

TEST(WriteRampCsv, WritesTheStoredTableWithoutRecomputing) {
    const GammaRamp ramp = IdentityRamp();
    GammaTable table;
    BuildGammaTable(ramp, table);
    table.at(Channel::Green, 128) = 9.99;
    table.at(Channel::Blue, 128) = -21474836.48;
    MemorySink sink;
    WriteRampCsv(sink, ramp, table);
    EXPECT_EQ(sink.writes[129], "\n128,0x8080,32896,2.20,0x8080,32896,9.99,0x8080,32896,---");
}

TEST(WriteRampCsv, IgnoresACommaDecimalLocale) {
    const std::string expected = CsvOf(IdentityRamp());
    const CommaLocale locale;
    ASSERT_TRUE(locale.active()) << "no comma-decimal locale could be set";
    EXPECT_EQ(CsvOf(IdentityRamp()), expected);
}

}  // namespace
}  // namespace lumatab
