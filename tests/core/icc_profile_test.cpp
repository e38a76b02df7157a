#include "core/icc_profile.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/calibration.h"
#include "tests/support/ramps.h"

namespace lumatab {
namespace {

bool Same(const GammaRamp& a, const GammaRamp& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::string Be16(std::uint32_t v) {
    return {static_cast<char>(v >> 8), static_cast<char>(v)};
}
std::string Be32(std::uint32_t v) {
    return Be16(v >> 16) + Be16(v & 0xFFFF);
}
std::string Fixed(double v) {
    return Be32(static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(v * 65536))));
}

// A profile of these tags, in this order, each after the tag table and 4-byte aligned.
std::string Profile(const std::vector<std::pair<std::string, std::string>>& tags) {
    std::string table = Be32(static_cast<std::uint32_t>(tags.size())), data;
    std::size_t at = 132 + 12 * tags.size();
    for (const auto& [signature, bytes] : tags) {
        table += signature + Be32(static_cast<std::uint32_t>(at)) +
                 Be32(static_cast<std::uint32_t>(bytes.size()));
        const std::string padded = bytes + std::string((4 - bytes.size() % 4) % 4, '\0');
        data += padded;
        at += padded.size();
    }
    std::string header(128, '\0');
    header.replace(0, 4, Be32(static_cast<std::uint32_t>(128 + table.size() + data.size())));
    header.replace(36, 4, "acsp");
    return header + table + data;
}

std::string Desc(const std::string& ascii) {
    return "desc" + Be32(0) + Be32(static_cast<std::uint32_t>(ascii.size() + 1)) + ascii +
           std::string(79, '\0');
}

// Records of language, country and UTF-16 text.
std::string Mluc(const std::vector<std::pair<std::string, std::u16string>>& records) {
    std::string head =
        "mluc" + Be32(0) + Be32(static_cast<std::uint32_t>(records.size())) + Be32(12);
    std::string texts;
    std::size_t at = 16 + 12 * records.size();
    for (const auto& [locale, text] : records) {
        head += locale + Be32(static_cast<std::uint32_t>(2 * text.size())) +
                Be32(static_cast<std::uint32_t>(at + texts.size()));
        for (char16_t c : text) {
            texts += Be16(c);
        }
    }
    return head + texts;
}

std::string VcgtTable(int channels, int count, int size, const std::vector<int>& values) {
    std::string bytes = "vcgt" + Be32(0) + Be32(0) + Be16(channels) + Be16(count) + Be16(size);
    for (int v : values) {
        bytes += size == 1 ? std::string(1, static_cast<char>(v)) : Be16(v);
    }
    return bytes;
}

std::string VcgtFormula(const double (&gammaMinMax)[9]) {
    std::string bytes = "vcgt" + Be32(0) + Be32(1);
    for (double v : gammaMinMax) {
        bytes += Fixed(v);
    }
    return bytes;
}

// The planar values of a ramp, divided by `scale`.
std::vector<int> Planar(const GammaRamp& ramp, int scale = 1) {
    std::vector<int> values;
    for (const auto& channel : ramp.levels) {
        for (int level : channel) {
            values.push_back(level / scale);
        }
    }
    return values;
}

IccProfile Read(const std::string& bytes) {
    IccProfile profile;
    std::string error;
    EXPECT_TRUE(ReadIccProfile(bytes, "C:\\colour\\Plain.icm", profile, error)) << error;
    return profile;
}

TEST(ReadIccProfile, ReadsEveryFormOfTheCalibrationAndTheDescription) {
    const GammaRamp three = GoldenThreeChannelRamp();
    IccProfile p = Read(Profile(
        {{"desc", Desc("Wide\x01\xE9 gamut")}, {"vcgt", VcgtTable(3, 256, 2, Planar(three))}}));
    EXPECT_EQ(p.description, "Wide?? gamut");
    EXPECT_TRUE(p.hasCalibration);
    EXPECT_TRUE(Same(p.calibration, three));
    EXPECT_EQ(p.calibrationText, "vcgt table, 3 channels, 256 entries of 16 bits");

    p = Read(Profile({{"vcgt", VcgtTable(3, 256, 1, Planar(ThreeChannelRamp(), 257))}}));
    EXPECT_TRUE(Same(p.calibration, ThreeChannelRamp()));
    EXPECT_EQ(p.calibrationText, "vcgt table, 3 channels, 256 entries of 8 bits");
    EXPECT_EQ(p.description, "Plain.icm");  // no description: the file name

    // One channel serves all three.
    std::vector<int> red = Planar(CalibrationRamp());
    red.resize(kRampSize);
    p = Read(Profile({{"vcgt", VcgtTable(1, 256, 2, red)}}));
    EXPECT_TRUE(Same(p.calibration, CalibrationRamp()));
    EXPECT_EQ(p.calibrationText, "vcgt table, 1 channel, 256 entries of 16 bits");

    // Entry i lies at position i * 1023 / 255 of a straight line: interpolation by position.
    std::vector<int> line;
    for (int k = 0; k < 3 * 1024; ++k) {
        line.push_back(k % 1024 * 64);
    }
    p = Read(Profile({{"vcgt", VcgtTable(3, 1024, 2, line)}}));
    EXPECT_EQ(p.calibrationText, "vcgt table, 3 channels, 1024 entries of 16 bits");
    for (int i : {1, 100, 254, 255}) {
        EXPECT_EQ(p.calibration.at(Channel::Blue, i), std::lround(i * 1023 * 64 / 255.0)) << i;
    }

    p = Read(Profile({{"vcgt", VcgtFormula({2.2, 0, 1, 1, 0.1, 0.9, 0.5, 0, 0.5})}}));
    EXPECT_EQ(p.calibrationText, "vcgt formula, gamma 2.20 / 1.00 / 0.50");
    EXPECT_EQ(p.calibration.at(Channel::Red, 128), 14386);
    EXPECT_EQ(p.calibration.at(Channel::Green, 0), 6554);
    EXPECT_EQ(p.calibration.at(Channel::Green, 255), 58981);
    EXPECT_EQ(p.calibration.at(Channel::Blue, 64), 16416);

    // Version 4: the en-US record wherever it stands, else the first; a surrogate pair is one
    // character. No 'vcgt': a linear ramp is expected.
    p = Read(
        Profile({{"desc", Mluc({{"deDE", u"Bildschirm"}, {"enUS", u"Caf\u00e9 \U0001F600!"}})}}));
    EXPECT_EQ(p.description, "Caf? ?!");
    EXPECT_FALSE(p.hasCalibration);
    EXPECT_TRUE(Same(p.calibration, IdentityRamp()));
    EXPECT_EQ(p.calibrationText, "none (a linear ramp is expected)");
    EXPECT_EQ(
        Read(Profile({{"desc", Mluc({{"frFR", u"\u00c9cran"}, {"deDE", u"B"}})}})).description,
        "?cran");
}

std::string Patched(std::string bytes, std::size_t at, const std::string& with) {
    return bytes.replace(at, with.size(), with);
}

TEST(ReadIccProfile, RefusesMalformedProfilesNamingThePlaceAndLeavesTheProfile) {
    const std::string table =
        Profile({{"vcgt", VcgtTable(3, 256, 1, Planar(IdentityRamp(), 257))}});
    const std::string formula = Profile({{"vcgt", VcgtFormula({1, 0, 1, 1, 0, 1, 1, 0, 1})}});
    const std::string desc = Profile({{"desc", Desc("Name")}});
    const std::string mluc = Profile({{"desc", Mluc({{"enUS", u"Name"}})}});
    const std::string in = "tag 'vcgt' at offset 144: ";
    const std::string inDesc = "tag 'desc' at offset 144: ";
    const struct {
        std::string bytes;
        std::string error;
    } cases[] = {
        {table.substr(0, 131),
         "the file has 131 bytes, fewer than a profile's header and tag count (132)"},
        {Patched(table, 36, "ACSP"), "no 'acsp' signature at offset 36"},
        {Patched(table, 0, Be32(9000)),
         "the header's size 9000 is larger than the file (932 bytes)"},
        {Patched(table, 128, Be32(0xFFFFFFFF)),
         "the table of 4294967295 tags ends beyond the file (932 bytes)"},
        {Patched(table, 140, Be32(0xFFFFFFFF)),
         in + "its 4294967295 bytes end beyond the file (932 bytes)"},
        {Patched(table, 144, "VCGT"), in + "type 'VCGT' is not 'vcgt'"},
        {Patched(table, 152, Be32(2)), in + "gamma type 2 is neither 0 (table) nor 1 (formula)"},
        {Patched(table, 156, Be16(2)), in + "channel count 2 is not 1 or 3"},
        {Patched(table, 158, Be16(1)), in + "entry count 1 is not from 2 to 65535"},
        {Patched(table, 160, Be16(3)), in + "entry size 3 is not 1 or 2"},
        {Patched(table, 160, Be16(2)), in + "its 786 bytes are too few for a table of 1536 bytes"},
        {Patched(formula, 168, Fixed(0)), in + "green gamma 0.00000 is not above 0"},
        {Patched(formula, 184, Fixed(-0.5)), in + "blue min -0.50000 is below 0"},
        {Patched(formula, 164, Fixed(1.5)), in + "red max 1.50000 is above 1"},
        {Patched(Patched(formula, 160, Fixed(0.75)), 164, Fixed(0.5)),
         in + "red min 0.75000 is above its max 0.50000"},
        {Patched(desc, 144, "text"), inDesc + "type 'text' is neither 'desc' nor 'mluc'"},
        {Patched(desc, 152, Be32(1000)),
         inDesc + "its 95 bytes are too few for an ASCII text of 1000 bytes"},
        {Patched(mluc, 156, Be32(8)), inDesc + "record size 8 is less than 12"},
        {Patched(mluc, 152, Be32(0x20000000)),
         inDesc + "its 36 bytes are too few for 536870912 records of 12 bytes"},
        {Patched(mluc, 164, Be32(9)),
         inDesc + "the text at 28 of 9 bytes ends beyond the tag (36 bytes)"},
    };
    for (const auto& c : cases) {
        IccProfile profile;
        profile.description = "before";
        std::string error;
        EXPECT_FALSE(ReadIccProfile(c.bytes, "x.icc", profile, error)) << c.error;
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(profile.description, "before");
    }
}

// Random mutations of valid profiles: the reader reads only its input (each profile sits in a
// buffer of its exact size, which AddressSanitizer guards), and fails with one line or succeeds.
TEST(ReadIccProfile, SurvivesMutatedProfiles) {
    std::mt19937 random(14);
    const std::string seeds[] = {
        Profile(
            {{"desc", Desc("Display")}, {"vcgt", VcgtTable(3, 16, 2, std::vector<int>(48, 999))}}),
        Profile({{"desc", Mluc({{"deDE", u"A"}, {"enUS", u"B"}})},
                 {"vcgt", VcgtFormula({2.2, 0, 1, 2.2, 0, 1, 2.2, 0, 1})}}),
    };
    auto below = [&](std::size_t n) { return random() % n; };
    for (int n = 0; n < 20000; ++n) {
        std::string bytes = seeds[n % 2];
        for (std::size_t edits = 1 + below(4); edits > 0; --edits) {
            const std::size_t at = below(bytes.size());
            switch (below(3)) {
                case 0:  // a byte of a number: sizes, offsets and counts go wild
                    bytes[at] = static_cast<char>(below(256));
                    break;
                case 1:
                    bytes[at] = static_cast<char>(bytes[at] ^ (1 << below(8)));
                    break;
                default:
                    bytes.erase(at, below(16));
            }
        }
        const std::unique_ptr<char[]> exact(new char[bytes.size()]);
        std::memcpy(exact.get(), bytes.data(), bytes.size());
        IccProfile profile;
        std::string error;
        if (!ReadIccProfile(std::string_view(exact.get(), bytes.size()), "f.icc", profile, error)) {
            ASSERT_FALSE(error.empty());
            ASSERT_EQ(error.find('\n'), std::string::npos) << error;
        }
    }
}

// The content decides, not the name; each refusal names the file and what it was taken for.
TEST(ReadCalibrationSource, TellsProfilesFromCalFilesByTheirBytes) {
    CalibrationSource source;
    std::string error;
    ASSERT_TRUE(
        ReadCalibrationSource(Profile({{"desc", Desc("Mine")}}), "D:\\a\\mine.cal", source, error))
        << error;
    EXPECT_TRUE(source.isProfile);
    EXPECT_EQ(source.description, "Mine");
    EXPECT_FALSE(source.hasCalibration);
    ASSERT_TRUE(ReadCalibrationSource(WriteCalibration(CalibrationRamp(), "now"), "D:\\a\\b.icc",
                                      source, error))
        << error;
    EXPECT_FALSE(source.isProfile);
    EXPECT_EQ(source.description, "b.icc");
    EXPECT_TRUE(source.hasCalibration);
    EXPECT_TRUE(Same(source.calibration, CalibrationRamp()));
    EXPECT_FALSE(ReadCalibrationSource("CAL\n", "x.icm", source, error));
    EXPECT_EQ(error,
              "\"x.icm\" is not a valid calibration file: line 1: the file ends before BEGIN_DATA");
    EXPECT_FALSE(ReadCalibrationSource(std::string(36, ' ') + "acsp", "y.cal", source, error));
    EXPECT_EQ(error,
              "\"y.cal\" is not a valid ICC profile: the file has 40 bytes, fewer than a "
              "profile's header and tag count (132)");
    EXPECT_FALSE(source.isProfile);
}

}  // namespace
}  // namespace lumatab
