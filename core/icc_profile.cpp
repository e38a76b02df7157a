#include "core/icc_profile.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "core/calibration.h"
#include "core/number_text.h"
#include "core/printable_text.h"

namespace lumatab {

namespace {

constexpr std::size_t kHeaderBytes = 128;
constexpr std::size_t kTagTableStart = kHeaderBytes + 4;  // after the tag count
constexpr std::size_t kTagEntryBytes = 12;
constexpr std::size_t kSignatureOffset = 36;
constexpr std::uint16_t kEnglish = 0x656E;       // "en"
constexpr std::uint16_t kUnitedStates = 0x5553;  // "US"
constexpr std::size_t kTableData = 18;           // a 'vcgt' table's entries, after its header
// The tag size of the 3 x 256 tables declared 8-bit that Adobe's software filled with 16-bit
// entries; other readers take these as 16-bit, and so does this one.
constexpr std::size_t kWideEightBitTableBytes = 1584;

char Shown(std::uint32_t c) {
    return c >= ' ' && c <= '~' ? static_cast<char>(c) : '?';
}

struct Tag {
    std::size_t offset;
    std::size_t size;
};

class IccReader {
public:
    IccReader(std::string_view bytes, std::string& error) : bytes_(bytes), error_(error) {}

    bool Read(std::string_view fileName, IccProfile& profile) {
        if (bytes_.size() < kTagTableStart) {
            return Fail("the file has " + FormatWhole(bytes_.size()) +
                        " bytes, fewer than a profile's header and tag count (132)");
        }
        if (!IsIccProfile(bytes_)) {
            return Fail("no 'acsp' signature at offset 36");
        }
        const std::uint32_t declared = U32(0);
        if (declared > bytes_.size()) {
            return Fail("the header's size " + FormatWhole(declared) +
                        " is larger than the file (" + FormatWhole(bytes_.size()) + " bytes)");
        }
        const std::uint64_t tagCount = U32(kHeaderBytes);
        if (kTagTableStart + tagCount * kTagEntryBytes > bytes_.size()) {
            return Fail("the table of " + FormatWhole(tagCount) + " tags ends beyond the file (" +
                        FormatWhole(bytes_.size()) + " bytes)");
        }
        tagCount_ = static_cast<std::size_t>(tagCount);
        Tag tag{};
        bool found = false;
        if (!FindTag("desc", tag, found) || (found && !ReadDescription(tag, profile.description))) {
            return false;
        }
        if (profile.description.empty()) {
            profile.description = std::string(BaseName(fileName));
        }
        if (!FindTag("vcgt", tag, found) || (found && !ReadCalibration(tag, profile))) {
            return false;
        }
        if (!found) {
            profile.hasCalibration = false;
            profile.calibrationText = "none (a linear ramp is expected)";
            profile.calibration = IdentityRamp();
        }
        return true;
    }

private:
    bool Fail(const std::string& what) {
        error_ = what;
        return false;
    }
    bool FailIn(const std::string& what) {
        return Fail("tag '" + name_ + "' at offset " + FormatWhole(tag_.offset) + ": " + what);
    }
    // The tag holds at least `bytes` bytes, else fails saying what they were for.
    bool Holds(std::uint64_t bytes, const std::string& what) {
        return bytes <= tag_.size ||
               FailIn("its " + FormatWhole(tag_.size) + " bytes are too few for " + what);
    }

    // Big-endian numbers; the callers have checked that they lie inside the input.
    std::uint32_t U16(std::size_t at) const {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[at]) << 8 |
                                          static_cast<unsigned char>(bytes_[at + 1]));
    }
    std::uint32_t U32(std::size_t at) const { return U16(at) << 16 | U16(at + 2); }
    // Within the current tag.
    std::uint32_t TagU16(std::size_t at) const { return U16(tag_.offset + at); }
    std::uint32_t TagU32(std::size_t at) const { return U32(tag_.offset + at); }
    double TagFixed(std::size_t at) const {
        return static_cast<std::int32_t>(TagU32(at)) / 65536.0;
    }
    std::string TagSignature(std::size_t at) const {
        std::string text;
        for (std::size_t k = 0; k < 4; ++k) {
            text += Shown(static_cast<unsigned char>(bytes_[tag_.offset + at + k]));
        }
        return text;
    }

    // The first tag of that signature, checked to lie inside the file; `found` false if none.
    bool FindTag(const char* signature, Tag& tag, bool& found) {
        found = false;
        for (std::size_t n = 0; n < tagCount_; ++n) {
            const std::size_t entry = kTagTableStart + n * kTagEntryBytes;
            if (bytes_.substr(entry, 4) != signature) {
                continue;
            }
            name_ = signature;
            tag_ = {U32(entry + 4), U32(entry + 8)};
            if (std::uint64_t{tag_.offset} + tag_.size > bytes_.size()) {
                return FailIn("its " + FormatWhole(tag_.size) + " bytes end beyond the file (" +
                              FormatWhole(bytes_.size()) + " bytes)");
            }
            tag = tag_;
            found = true;
            return true;
        }
        return true;
    }

    bool ReadDescription(const Tag& tag, std::string& description) {
        tag_ = tag;
        if (!Holds(8, "a type")) {
            return false;
        }
        const std::string type = TagSignature(0);
        if (type == "desc") {
            if (!Holds(12, "an ASCII count")) {
                return false;
            }
            const std::uint32_t count = TagU32(8);
            if (!Holds(12 + std::uint64_t{count},
                       "an ASCII text of " + FormatWhole(count) + " bytes")) {
                return false;
            }
            for (std::size_t k = 0; k < count && bytes_[tag_.offset + 12 + k] != '\0'; ++k) {
                description += Shown(static_cast<unsigned char>(bytes_[tag_.offset + 12 + k]));
            }
            return true;
        }
        if (type == "mluc") {
            return ReadLocalizedText(description);
        }
        return FailIn("type '" + type + "' is neither 'desc' nor 'mluc'");
    }

    // The chosen record's text: UTF-16 big-endian, a surrogate pair one character.
    bool ReadLocalizedText(std::string& text) {
        if (!Holds(16, "a record count and size")) {
            return false;
        }
        const std::uint32_t count = TagU32(8);
        const std::uint32_t recordSize = TagU32(12);
        if (recordSize < 12) {
            return FailIn("record size " + FormatWhole(recordSize) + " is less than 12");
        }
        if (!Holds(16 + std::uint64_t{count} * recordSize,
                   FormatWhole(count) + " records of " + FormatWhole(recordSize) + " bytes")) {
            return false;
        }
        if (count == 0) {
            return true;
        }
        const std::size_t record = ChosenRecord(count, recordSize);
        const std::uint32_t length = TagU32(record + 4);
        const std::uint32_t start = TagU32(record + 8);
        if (std::uint64_t{start} + length > tag_.size) {
            return FailIn("the text at " + FormatWhole(start) + " of " + FormatWhole(length) +
                          " bytes ends beyond the tag (" + FormatWhole(tag_.size) + " bytes)");
        }
        for (std::size_t k = 0; k + 1 < length; k += 2) {
            const std::uint32_t unit = TagU16(start + k);
            if (unit == 0) {
                break;
            }
            const bool pair = unit >= 0xD800 && unit < 0xDC00 && k + 3 < length &&
                              TagU16(start + k + 2) >= 0xDC00 && TagU16(start + k + 2) < 0xE000;
            k += pair ? 2 : 0;
            text += Shown(unit);
        }
        return true;
    }

    // The offset of the en-US record, else of the first English one, else of the first: the
    // text other readers show.
    std::size_t ChosenRecord(std::uint32_t count, std::uint32_t recordSize) const {
        std::size_t english = 0;  // none yet
        for (std::size_t n = 0; n < count; ++n) {
            const std::size_t at = 16 + n * recordSize;
            if (TagU16(at) == kEnglish && TagU16(at + 2) == kUnitedStates) {
                return at;
            }
            if (TagU16(at) == kEnglish && english == 0) {
                english = at;
            }
        }
        return english != 0 ? english : 16;
    }

    bool ReadCalibration(const Tag& tag, IccProfile& profile) {
        tag_ = tag;
        if (!Holds(12, "a gamma type")) {
            return false;
        }
        const std::string type = TagSignature(0);
        if (type != "vcgt") {
            return FailIn("type '" + type + "' is not 'vcgt'");
        }
        const std::uint32_t gammaType = TagU32(8);
        GammaRamp ramp{};
        if (gammaType == 0) {
            if (!ReadTable(ramp, profile.calibrationText)) {
                return false;
            }
        } else if (gammaType == 1) {
            if (!ReadFormula(ramp, profile.calibrationText)) {
                return false;
            }
        } else {
            return FailIn("gamma type " + FormatWhole(gammaType) +
                          " is neither 0 (table) nor 1 (formula)");
        }
        profile.hasCalibration = true;
        profile.calibration = ramp;
        return true;
    }

    bool ReadTable(GammaRamp& ramp, std::string& text) {
        if (!Holds(kTableData, "a table header")) {
            return false;
        }
        const std::uint32_t channels = TagU16(12);
        const std::uint32_t count = TagU16(14);
        const std::uint32_t declaredSize = TagU16(16);
        if (channels != 1 && channels != 3) {
            return FailIn("channel count " + FormatWhole(channels) + " is not 1 or 3");
        }
        if (count < 2) {
            return FailIn("entry count " + FormatWhole(count) + " is not from 2 to 65535");
        }
        if (declaredSize != 1 && declaredSize != 2) {
            return FailIn("entry size " + FormatWhole(declaredSize) + " is not 1 or 2");
        }
        const bool wide = channels == 3 && count == 256 && declaredSize == 1 &&
                          tag_.size == kWideEightBitTableBytes;
        const std::uint32_t entrySize = wide ? 2 : declaredSize;
        const std::uint32_t tableBytes = channels * count * entrySize;
        if (!Holds(kTableData + tableBytes, "a table of " + FormatWhole(tableBytes) + " bytes")) {
            return false;
        }
        ramp = ResampleToRamp(TableEntries(channels, count, entrySize), static_cast<int>(count));
        text = "vcgt table, " + FormatWhole(channels) +
               (channels == 1 ? " channel, " : " channels, ") + FormatWhole(count) +
               " entries of " + FormatWhole(entrySize * 8) + " bits" +
               (wide ? " (declared as 8)" : "");
        return true;
    }

    // The table's entries as fractions of full scale held planar; one channel serves all three.
    std::vector<double> TableEntries(std::uint32_t channels, std::uint32_t count,
                                     std::uint32_t entrySize) const {
        std::vector<double> planar(kChannelCount * count);
        const double full = entrySize == 1 ? 255.0 : kFullScale;
        for (std::size_t k = 0; k < planar.size(); ++k) {
            const std::size_t entry = channels == 1 ? k % count : k;
            const std::size_t at = tag_.offset + kTableData + entry * entrySize;
            const std::uint32_t value =
                entrySize == 1 ? static_cast<unsigned char>(bytes_[at]) : U16(at);
            planar[k] = value / full;
        }
        return planar;
    }

    // Per channel an exponent, a min and a max (s15Fixed16): min + (max - min) * x^exponent.
    bool ReadFormula(GammaRamp& ramp, std::string& text) {
        if (!Holds(12 + kChannelCount * 12, "a formula")) {
            return false;
        }
        text = "vcgt formula, exponent ";
        for (int ch = 0; ch < kChannelCount; ++ch) {
            const double exponent = TagFixed(12 + ch * 12);
            const double min = TagFixed(16 + ch * 12);
            const double max = TagFixed(20 + ch * 12);
            const std::string name = kChannelNamesLower[ch];
            if (exponent <= 0) {
                return FailIn(name + " exponent " + FormatFixed(exponent, 5) + " is not above 0");
            }
            if (min < 0) {
                return FailIn(name + " min " + FormatFixed(min, 5) + " is below 0");
            }
            if (max > 1) {
                return FailIn(name + " max " + FormatFixed(max, 5) + " is above 1");
            }
            if (min > max) {
                return FailIn(name + " min " + FormatFixed(min, 5) + " is above its max " +
                              FormatFixed(max, 5));
            }
            for (int i = 0; i < kRampSize; ++i) {
                const double value = min + (max - min) * std::pow(i / 255.0, exponent);
                ramp.levels[ch][i] =
                    static_cast<std::uint16_t>(static_cast<int>(kFullScale * value + 0.5));
            }
            text += (ch == 0 ? "" : " / ") + FormatFixed(exponent, 2);
        }
        return true;
    }

    std::string_view bytes_;
    std::string& error_;
    std::size_t tagCount_ = 0;
    std::string name_;  // the signature of the tag being read, for messages
    Tag tag_{};
};

}  // namespace

bool IsIccProfile(std::string_view bytes) {
    return bytes.size() >= kSignatureOffset + 4 && bytes.substr(kSignatureOffset, 4) == "acsp";
}

bool ReadIccProfile(std::string_view bytes, std::string_view fileName, IccProfile& profile,
                    std::string& error) {
    IccProfile read;
    if (!IccReader(bytes, error).Read(fileName, read)) {
        return false;
    }
    profile = read;
    return true;
}

bool ReadCalibrationSource(std::string_view bytes, std::string_view fileName,
                           CalibrationSource& source, std::string& error) {
    CalibrationSource read;
    std::string fault;
    if (IsIccProfile(bytes)) {
        IccProfile profile;
        if (!ReadIccProfile(bytes, fileName, profile, fault)) {
            error = "\"" + std::string(fileName) + "\" is not a valid ICC profile: " + fault;
            return false;
        }
        read.hasCalibration = profile.hasCalibration;
        read.calibration = profile.calibration;
    } else {
        if (!ReadCalibration(bytes, read.calibration, fault)) {
            error = "\"" + std::string(fileName) + "\" is not a valid calibration file: " + fault;
            return false;
        }
        read.hasCalibration = true;
    }
    source = read;
    return true;
}

}  // namespace lumatab
