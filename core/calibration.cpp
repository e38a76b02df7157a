#include "core/calibration.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/number_text.h"

namespace lumatab {

namespace {

// How far RGB_I may stray from its row's even position: positions written with four or more
// decimals pass, and the misplacement stays under a thirtieth of an 8-bit input step.
constexpr double kInputTolerance = 1e-4;

const char* NameAt(const char* const* names, int count, int index) {
    return index >= 0 && index < count ? names[index] : "???";
}

// A token or line for an error message: quoted, at most 40 characters, printable ASCII only.
std::string Quote(std::string_view text) {
    constexpr std::size_t kMaxShown = 40;
    std::string quoted = "'";
    for (char c : text.substr(0, kMaxShown)) {
        quoted += c >= ' ' && c <= '~' ? c : '?';
    }
    return quoted + (text.size() > kMaxShown ? "...'" : "'");
}

std::string_view Unquote(std::string_view token) {
    return token.size() >= 2 && token.front() == '"' ? token.substr(1, token.size() - 2) : token;
}

constexpr char kBlanks[] = " \t";
// Notepad began a file it saved with this UTF-8 byte-order mark until 2019.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    return first == std::string_view::npos
               ? std::string_view()
               : text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The four fields the reader needs, in the order it keeps them.
constexpr int kNeededFieldCount = 4;
const char* const kNeededFields[kNeededFieldCount] = {"RGB_I", "RGB_R", "RGB_G", "RGB_B"};

struct Row {
    double values[kNeededFieldCount];  // in the order of kNeededFields
    int line;
    std::string_view inputText;  // RGB_I as written, for messages
};

class CalibrationReader {
public:
    CalibrationReader(std::string_view text, std::string& error) : rest_(text), error_(error) {}

    bool Read(GammaRamp& ramp) {
        if (rest_.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
            rest_.remove_prefix(kByteOrderMark.size());
        }
        if (!NextLine() || Trimmed(line_) != "CAL") {
            return Fail("expected the CAL identifier, found " + Quote(Trimmed(line_)));
        }
        while (NextTokens()) {
            const std::string_view keyword = tokens_[0];
            if (keyword == "BEGIN_DATA_FORMAT") {
                if (!ReadDataFormat()) {
                    return false;
                }
            } else if (keyword == "BEGIN_DATA") {
                if (!CheckHeader() || !ReadData()) {
                    return false;
                }
                Resample(ramp);
                return true;
            } else if (keyword == "END_DATA_FORMAT" || keyword == "END_DATA") {
                return Fail(std::string(keyword) + " without BEGIN_" +
                            std::string(keyword.substr(4)));
            } else if (!ReadHeaderKeyword(keyword)) {
                return false;
            }
        }
        return EndsBefore("BEGIN_DATA");
    }

private:
    // The header's keywords the reader needs; anything else is a KEYWORD declaration or a
    // keyword it does not need, and passes.
    bool ReadHeaderKeyword(std::string_view keyword) {
        std::string_view value;
        if (keyword == "DEVICE_CLASS") {
            if (!ValueOf(value)) {
                return false;
            }
            if (value != "DISPLAY") {
                return Fail("DEVICE_CLASS is " + Quote(value) + ", not 'DISPLAY'");
            }
            deviceClassSeen_ = true;
        } else if (keyword == "COLOR_REP") {
            if (!ValueOf(value)) {
                return false;
            }
            if (value.substr(0, 3) != "RGB") {
                return Fail("COLOR_REP is " + Quote(value) + ", not RGB");
            }
            colorRepSeen_ = true;
        } else if (keyword == "NUMBER_OF_FIELDS") {
            declaredFieldsLine_ = lineNumber_;
            return ReadCount(declaredFields_);
        } else if (keyword == "NUMBER_OF_SETS") {
            if (!ReadCount(sets_)) {
                return false;
            }
            if (sets_ < kMinCalibrationRows || sets_ > kMaxCalibrationRows) {
                return Fail("NUMBER_OF_SETS must be from 2 to 16384, not " + FormatWhole(sets_));
            }
        }
        return true;
    }

    // An empty text fails before its first line is counted; call that line 1 too.
    bool FailAt(int line, const std::string& what) {
        error_ = "line " + FormatWhole(std::max(line, 1)) + ": " + what;
        return false;
    }
    bool Fail(const std::string& what) { return FailAt(lineNumber_, what); }

    // Takes the next line off the text, without its LF or CRLF.
    bool NextLine() {
        if (rest_.empty()) {
            return false;
        }
        const std::size_t end = std::min(rest_.find('\n'), rest_.size());
        line_ = rest_.substr(0, end);
        rest_.remove_prefix(std::min(end + 1, rest_.size()));
        if (!line_.empty() && line_.back() == '\r') {
            line_.remove_suffix(1);
        }
        ++lineNumber_;
        return true;
    }

    // Takes the next line that holds tokens: false at the end of the text, and for a line that
    // cannot be split, whose failure is then said.
    bool NextTokens() {
        while (NextLine()) {
            if (!Tokenize()) {
                unsplit_ = true;
                return false;
            }
            if (!tokens_.empty()) {
                return true;
            }
        }
        return false;
    }

    // The lines ran out before `what`, unless a line could not be split.
    bool EndsBefore(const char* what) {
        return unsplit_ ? false : Fail(std::string("the file ends before ") + what);
    }

    // Splits the line into tokens: runs of non-blank characters, or double-quoted strings with
    // their quotes; a token starting with '#' comments out the rest of the line.
    bool Tokenize() {
        tokens_.clear();
        std::string_view rest = line_;
        while (true) {
            rest.remove_prefix(std::min(rest.find_first_not_of(kBlanks), rest.size()));
            if (rest.empty() || rest.front() == '#') {
                return true;
            }
            std::size_t length = std::min(rest.find_first_of(kBlanks), rest.size());
            if (rest.front() == '"') {
                const std::size_t close = rest.find('"', 1);
                if (close == std::string_view::npos) {
                    return Fail("a string has no closing quote");
                }
                length = close + 1;
            }
            tokens_.push_back(rest.substr(0, length));
            rest.remove_prefix(length);
        }
    }

    // The keyword's one value, unquoted.
    bool ValueOf(std::string_view& value) {
        if (tokens_.size() != 2) {
            return Fail(std::string(tokens_[0]) + " needs one value");
        }
        value = Unquote(tokens_[1]);
        return true;
    }

    bool ReadCount(int& count) {
        std::string_view value;
        if (!ValueOf(value)) {
            return false;
        }
        const char* end = value.data() + value.size();
        const auto result = std::from_chars(value.data(), end, count);
        if (result.ec != std::errc() || result.ptr != end) {
            return Fail(Quote(value) + " is not a whole number");
        }
        return true;
    }

    // Reads the field names up to END_DATA_FORMAT and finds the columns of the needed fields.
    bool ReadDataFormat() {
        std::vector<std::string_view> fields;
        while (NextTokens()) {
            if (tokens_[0] == "END_DATA_FORMAT") {
                return FindColumns(fields);
            }
            fields.insert(fields.end(), tokens_.begin(), tokens_.end());
        }
        return EndsBefore("END_DATA_FORMAT");
    }

    bool FindColumns(const std::vector<std::string_view>& fields) {
        for (int needed = 0; needed < kNeededFieldCount; ++needed) {
            const std::string name = kNeededFields[needed];
            const auto first = std::find(fields.begin(), fields.end(), name);
            if (first == fields.end()) {
                return Fail("the data format has no " + name);
            }
            if (std::find(first + 1, fields.end(), name) != fields.end()) {
                return Fail("the data format has " + name + " twice");
            }
            columns_[needed] = static_cast<std::size_t>(first - fields.begin());
        }
        fieldCount_ = fields.size();
        return true;
    }

    bool CheckHeader() {
        if (!deviceClassSeen_) {
            return Fail("no DEVICE_CLASS before BEGIN_DATA");
        }
        if (!colorRepSeen_) {
            return Fail("no COLOR_REP before BEGIN_DATA");
        }
        if (fieldCount_ == 0) {
            return Fail("no data format before BEGIN_DATA");
        }
        if (sets_ == 0) {
            return Fail("no NUMBER_OF_SETS before BEGIN_DATA");
        }
        if (declaredFieldsLine_ != 0 && static_cast<std::size_t>(declaredFields_) != fieldCount_) {
            return FailAt(declaredFieldsLine_,
                          "NUMBER_OF_FIELDS is " + FormatWhole(declaredFields_) +
                              ", but the data format has " + FormatWhole(fieldCount_) + " fields");
        }
        return true;
    }

    bool ReadValue(int field, double& value) {
        const std::string_view token = tokens_[columns_[field]];
        const char* end = token.data() + token.size();
        const auto result = std::from_chars(token.data(), end, value);
        if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value)) {
            return Fail(Quote(token) + " is not a number");
        }
        if (!(value >= 0.0 && value <= 1.0)) {
            return Fail(kNeededFields[field] + (" " + Quote(token)) + " is outside 0 to 1");
        }
        return true;
    }

    bool ReadData() {
        rows_.reserve(static_cast<std::size_t>(sets_));
        while (NextTokens()) {
            if (tokens_[0] == "END_DATA") {
                if (rows_.size() != static_cast<std::size_t>(sets_)) {
                    return Fail(FormatWhole(rows_.size()) + " rows, but NUMBER_OF_SETS is " +
                                FormatWhole(sets_));
                }
                return CheckEvenSpacing();
            }
            if (rows_.size() == static_cast<std::size_t>(sets_)) {
                return Fail("more rows than NUMBER_OF_SETS (" + FormatWhole(sets_) + ")");
            }
            if (tokens_.size() != fieldCount_) {
                return Fail(FormatWhole(tokens_.size()) + " values, but the data format has " +
                            FormatWhole(fieldCount_) + " fields");
            }
            Row row{{}, lineNumber_, tokens_[columns_[0]]};
            for (int field = 0; field < kNeededFieldCount; ++field) {
                if (!ReadValue(field, row.values[field])) {
                    return false;
                }
            }
            rows_.push_back(row);
        }
        return EndsBefore("END_DATA");
    }

    // Resampling goes by row position, so RGB_I must agree with it.
    bool CheckEvenSpacing() {
        for (std::size_t r = 0; r < rows_.size(); ++r) {
            const double evenInput = static_cast<double>(r) / static_cast<double>(rows_.size() - 1);
            if (std::fabs(rows_[r].values[0] - evenInput) > kInputTolerance) {
                return FailAt(rows_[r].line, "RGB_I " + Quote(rows_[r].inputText) + " should be " +
                                                 FormatFixed(evenInput, 7) +
                                                 " for evenly spaced rows");
            }
        }
        return true;
    }

    void Resample(GammaRamp& ramp) const {
        std::vector<double> planar(kChannelCount * rows_.size());
        for (std::size_t r = 0; r < rows_.size(); ++r) {
            for (int ch = 0; ch < kChannelCount; ++ch) {
                planar[ch * rows_.size() + r] = rows_[r].values[1 + ch];
            }
        }
        ramp = ResampleToRamp(planar, sets_);
    }

    std::string_view rest_;
    std::string& error_;
    std::string_view line_;
    int lineNumber_ = 0;
    std::vector<std::string_view> tokens_;
    bool unsplit_ = false;  // a line could not be split into tokens
    bool deviceClassSeen_ = false;
    bool colorRepSeen_ = false;
    int declaredFields_ = 0;
    int declaredFieldsLine_ = 0;  // 0: no NUMBER_OF_FIELDS
    int sets_ = 0;                // 0: no NUMBER_OF_SETS
    std::size_t fieldCount_ = 0;  // 0: no data format
    std::size_t columns_[kNeededFieldCount] = {};
    std::vector<Row> rows_;
};

}  // namespace

GammaRamp ResampleToRamp(const std::vector<double>& planar, int count) {
    // Entry i lies at sample position i * (count - 1) / 255, between two samples or on one.
    const int last = count - 1;
    GammaRamp ramp{};
    for (int ch = 0; ch < kChannelCount; ++ch) {
        const double* samples = planar.data() + static_cast<std::size_t>(ch) * count;
        for (int i = 0; i < kRampSize; ++i) {
            const int scaled = i * last;
            const int at = scaled / 255;
            const int remainder = scaled % 255;
            double value = samples[at];
            if (remainder != 0) {
                value += (samples[at + 1] - value) * (remainder / 255.0);
            }
            ramp.levels[ch][i] =
                static_cast<std::uint16_t>(static_cast<int>(kFullScale * value + 0.5));
        }
    }
    return ramp;
}

std::string WriteCalibration(const GammaRamp& ramp, const std::string& created) {
    std::string out =
        "CAL    \n"
        "\n"
        "DESCRIPTOR \"Lumatab video LUT\"\n"
        "ORIGINATOR \"Lumatab\"\n"
        "CREATED \"";
    for (char c : created) {
        out += c == '"' ? '\'' : (static_cast<unsigned char>(c) < ' ' || c == '\x7F' ? ' ' : c);
    }
    out +=
        "\"\n"
        "DEVICE_CLASS \"DISPLAY\"\n"
        "COLOR_REP \"RGB\"\n"
        "\n"
        "NUMBER_OF_FIELDS 4\n"
        "BEGIN_DATA_FORMAT\n"
        "RGB_I RGB_R RGB_G RGB_B\n"
        "END_DATA_FORMAT\n"
        "\n"
        "NUMBER_OF_SETS 256\n"
        "BEGIN_DATA\n";
    for (int i = 0; i < kRampSize; ++i) {
        out += FormatFixed(i / 255.0, 7);
        for (int ch = 0; ch < kChannelCount; ++ch) {
            out += ' ' + FormatFixed(ramp.levels[ch][i] / static_cast<double>(kFullScale), 7);
        }
        out += '\n';
    }
    out += "END_DATA\n";
    return out;
}

std::string FormatCalibrationTime(int year, int month, int day, int weekday, int hour, int minute,
                                  int second) {
    static const char* const kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return std::string(NameAt(kWeekdays, 7, weekday)) + ' ' + NameAt(kMonths, 12, month - 1) + ' ' +
           FormatTwoDigits(day) + ' ' + FormatTwoDigits(hour) + ':' + FormatTwoDigits(minute) +
           ':' + FormatTwoDigits(second) + ' ' + FormatWhole(year);
}

bool ReadCalibration(std::string_view text, GammaRamp& ramp, std::string& error) {
    GammaRamp read;
    if (!CalibrationReader(text, error).Read(read)) {
        return false;
    }
    ramp = read;
    return true;
}

Verification VerifyCalibration(const GammaRamp& ramp, const GammaRamp& calibration) {
    Verification result{};
    result.loaded = true;
    for (int ch = 0; ch < kChannelCount; ++ch) {
        int largest = 0;
        for (int i = 0; i < kRampSize; ++i) {
            largest = std::max(largest, std::abs(ramp.levels[ch][i] - calibration.levels[ch][i]));
        }
        result.maxDifference[ch] = largest;
        result.maxPercent[ch] = 100.0 * largest / kFullScale;
        result.loaded = result.loaded && largest <= 257;
    }
    return result;
}

std::string DescribeVerification(const Verification& verification, const std::string& expected) {
    if (verification.loaded) {
        return "Matches " + expected + " within 1/255";
    }
    std::string text = "Largest differences:";
    for (int ch = 0; ch < kChannelCount; ++ch) {
        text += std::string(ch == 0 ? " " : ", ") + kChannelNamesLower[ch] + ' ' +
                FormatWhole(verification.maxDifference[ch]) + " (" +
                FormatFixed(verification.maxPercent[ch], 2) + "%)";
    }
    return text;
}

}  // namespace lumatab
