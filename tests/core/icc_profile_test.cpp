#include "core/icc_profile.h"

#include <cmath>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/calibration.h"
#include "tests/core/golden.h"
#include "tests/support/ramps.h"

namespace lumatab {
namespace {

// Big-endian numbers and s15Fixed16 values, to patch the golden profiles with.
std::string Be32(std::uint64_t v) {
    return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
            static_cast<char>(v)};
}
std::string Fixed(double v) {
    return Be32(std::lround(v * 65536));
}

IccProfile Read(const std::string& bytes) {
    IccProfile profile;
    std::string error;
    EXPECT_TRUE(ReadIccProfile(bytes, "C:\\colour\\Plain.icm", profile, error)) << error;
    return profile;
}

constexpr char kNone[] = "none (a linear ramp is expected)";

TEST(ReadIccProfile, ReadsEveryFormOfTheCalibrationAndTheDescription) {
    const struct {
        const char* file;
        std::string description, calibrationText;
        GammaRamp calibration;
    } cases[] = {
        {"wide_gamut.icc", "Wide?? gamut", "vcgt table, 3 channels, 256 entries of 16 bits",
         GoldenThreeChannelRamp()},
        // No description: the file's name.
        {"eight_bit.icc", "Plain.icm", "vcgt table, 3 channels, 256 entries of 8 bits",
         ThreeChannelRamp()},
        // One channel serves all three; 256 entries are interpolated from two by position.
        {"one_channel.icc", "Plain.icm", "vcgt table, 1 channel, 2 entries of 16 bits",
         IdentityRamp()},
        // Declared 8-bit, but its tag of 1584 bytes holds 16-bit entries.
        {"declared_eight_bit.icc", "Plain.icm",
         "vcgt table, 3 channels, 256 entries of 16 bits (declared as 8)",
         GoldenThreeChannelRamp()},
        // Version 4: the en-US record wherever it stands (here after de-DE and en-GB), else the
        // first English one, else the first; a surrogate pair is one character. No 'vcgt': a
        // linear ramp is expected.
        {"en_us.icc", "Caf? ?!", kNone, IdentityRamp()},
        {"en_gb.icc", "Screen", kNone, IdentityRamp()},
        {"no_english.icc", "?cran", kNone, IdentityRamp()},
        {"nul_ended.icc", "Monitor", kNone, IdentityRamp()},  // a text's NUL is no character
    };
    for (const auto& c : cases) {
        const IccProfile p = Read(Golden(c.file));
        EXPECT_EQ(p.description, c.description);
        EXPECT_EQ(p.calibrationText, c.calibrationText);
        EXPECT_EQ(p.hasCalibration, c.calibrationText != kNone);
        EXPECT_TRUE(Same(p.calibration, c.calibration)) << c.calibrationText;
    }
    const IccProfile p =
        Read(Golden("formula.icc"));  // exponent, min, max: 2.2, 0, 1; 1, 0.1, 0.9; 0.5 ...
    EXPECT_EQ(p.calibrationText, "vcgt formula, exponent 2.20 / 1.00 / 0.50");
    EXPECT_EQ(p.calibration.at(Channel::Red, 128), 14386);
    EXPECT_EQ(p.calibration.at(Channel::Green, 0), 6554);
    EXPECT_EQ(p.calibration.at(Channel::Green, 255), 58981);
    EXPECT_EQ(p.calibration.at(Channel::Blue, 64), 32768);  // min = max: a constant
}

std::string Patched(std::string bytes, std::size_t at, const std::string& with) {
    return bytes.replace(at, with.size(), with);
}

TEST(ReadIccProfile, RefusesMalformedProfilesNamingThePlaceAndLeavesTheProfile) {
    // Each has one tag first, at 144.
    const std::string table = Golden("eight_bit.icc"), formula = Golden("formula.icc");
    const std::string desc = Golden("name.icc"), mluc = Golden("no_english.icc");
    const std::string in = "tag 'vcgt' at offset 144: ";
    const std::string inDesc = "tag 'desc' at offset 144: ";
    const struct {
        std::string bytes;
        std::string error;
    } cases[] = {
        {table.substr(0, 131),
         "the file has 131 bytes, fewer than a profile's header and tag count (132)"},
        {Patched(table, 36, "ACSP"), "no 'acsp' signature at offset 36"},
        {Patched(table, 0, Be32(933)), "the header's size 933 is larger than the file (932 bytes)"},
        {Patched(table, 128, Be32(0xFFFFFFFF)),
         "the table of 4294967295 tags ends beyond the file (932 bytes)"},
        {Patched(table, 140, Be32(0xFFFFFFFF)),
         in + "its 4294967295 bytes end beyond the file (932 bytes)"},
        {Patched(table, 144, "VCGT"), in + "type 'VCGT' is not 'vcgt'"},
        {Patched(table, 152, Be32(2)), in + "gamma type 2 is neither 0 (table) nor 1 (formula)"},
        {Patched(table, 156, Be32(2).substr(2)), in + "channel count 2 is not 1 or 3"},
        {Patched(table, 158, Be32(1).substr(2)), in + "entry count 1 is not from 2 to 65535"},
        {Patched(table, 160, Be32(3).substr(2)), in + "entry size 3 is not 1 or 2"},
        {Patched(table, 160, Be32(2).substr(2)),
         in + "its 786 bytes are too few for a table of 1536 bytes"},
        {Patched(formula, 140, Be32(47)), in + "its 47 bytes are too few for a formula"},
        {Patched(formula, 168, Fixed(0)), in + "green exponent 0.00000 is not above 0"},
        {Patched(formula, 184, Fixed(-0.5)), in + "blue min -0.50000 is below 0"},
        {Patched(formula, 164, Fixed(1.5)), in + "red max 1.50000 is above 1"},
        {Patched(Patched(formula, 160, Fixed(0.75)), 164, Fixed(0.5)),
         in + "red min 0.75000 is above its max 0.50000"},
        {Patched(desc, 144, "text"), inDesc + "type 'text' is neither 'desc' nor 'mluc'"},
        {Patched(desc, 152, Be32(1000)),
         inDesc + "its 95 bytes are too few for an ASCII text of 1000 bytes"},
        {Patched(mluc, 156, Be32(8)), inDesc + "record size 8 is less than 12"},
        {Patched(mluc, 152, Be32(0x20000000)),
         inDesc + "its 52 bytes are too few for 536870912 records of 12 bytes"},
        {Patched(mluc, 164, Be32(13)),
         inDesc + "the text at 40 of 13 bytes ends beyond the tag (52 bytes)"},
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

// The content decides, not the name; each refusal names the file and what it was taken for.
TEST(ReadCalibrationSource, TellsProfilesFromCalFilesByTheirBytes) {
    const struct {
        std::string bytes, fileName, read;  // what was read, or the refusal
    } cases[] = {
        {Golden("en_us.icc"), "D:\\a\\mine.cal", "no calibration"},  // only a profile has none
        {WriteCalibration(IdentityRamp(), "now"), "D:\\a\\b.icc", "calibration"},
        {std::string(36, ' ') + "acsp", "y.cal",
         "\"y.cal\" is not a valid ICC profile: the file has 40 bytes, fewer than a profile's "
         "header and tag count (132)"},
    };
    for (const auto& c : cases) {
        CalibrationSource s;
        std::string error;
        const bool read = ReadCalibrationSource(c.bytes, c.fileName, s, error);
        EXPECT_EQ(read ? (s.hasCalibration ? "calibration" : "no calibration") : error, c.read);
        EXPECT_TRUE(!read || Same(s.calibration, IdentityRamp())) << c.read;
    }
}

// Random edits of valid files, read as either kind: each reader reads only its input (a buffer of
// its exact size, which AddressSanitizer guards), and succeeds or fails with one line, leaving
// what it was given to fill.
TEST(ReadCalibrationSource, SurvivesMutatedFiles) {
    std::mt19937 random(14);
    auto below = [&](std::size_t n) { return random() % n; };
    const std::string seeds[] = {WriteCalibration(CalibrationRamp(), "now"),
                                 Golden("small_table.icc"), Golden("mluc_formula.icc")};
    // Inserted pieces of these or of the file: quotes, comments, keywords, repeated rows.
    const std::string words =
        "\"#-e9 1e400\r\nEND_DATA\nBEGIN_DATA\nKEYWORD\nNUMBER_OF_SETS 16384\n";
    for (int n = 0; n < 40000; ++n) {
        std::string bytes = seeds[n % 3];
        for (std::size_t edits = 1 + below(4); edits > 0; --edits) {
            const std::string pieces = words + bytes;
            const std::size_t at = below(bytes.size()), kind = below(3);
            if (kind == 0) {
                bytes.insert(at, pieces.substr(below(pieces.size()), 1 + below(200)));
            } else if (kind == 1) {  // never all of it
                bytes.erase(at, 1 + below(bytes.size() / 8));
            } else {  // a byte of a number: sizes, offsets and counts go wild
                bytes[at] = static_cast<char>(below(256));
            }
        }
        const std::vector<char> exact(bytes.begin(), bytes.end());
        CalibrationSource source;
        source.calibration = UniformRamp(12345);
        std::string error;
        if (!ReadCalibrationSource({exact.data(), exact.size()}, "f", source, error)) {
            ASSERT_EQ(error.find('\n'), std::string::npos) << error;
            ASSERT_TRUE(Same(source.calibration, UniformRamp(12345)));
        }
    }
}

}  // namespace
}  // namespace lumatab
