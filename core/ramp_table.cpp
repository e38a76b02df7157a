#include "core/ramp_table.h"

#include <cstdint>
#include <utility>

#include "core/number_text.h"

namespace lumatab {

const RampColumn kRampColumns[kRampColumnCount] = {
    {"Index", 41}, {"R hex", 60},   {"R dec", 60}, {"R gamma", 60}, {"G hex", 60},
    {"G dec", 60}, {"G gamma", 60}, {"B hex", 60}, {"B dec", 60},   {"B gamma", 60},
};

namespace {

// Longest padded cell ("%5u " of a 16-bit level) with its terminating zero.
constexpr int kPaddedCellCapacity = 8;

// Writes `value` right-aligned in `width` (at most 5) characters followed by one blank, as
// "%<width>u" or "%<width>X" followed by a blank would, and a terminating zero.
void FormatPaddedCell(char (&text)[kPaddedCellCapacity], std::uint16_t value, int width,
                      unsigned base) {
    static const char kDigits[] = "0123456789ABCDEF";
    text[width] = ' ';
    text[width + 1] = '\0';
    int pos = width - 1;
    unsigned rest = value;
    do {
        text[pos--] = kDigits[rest % base];
        rest /= base;
    } while (rest != 0);
    while (pos >= 0) {
        text[pos--] = ' ';
    }
}

}  // namespace

std::string FormatGammaCell(double gamma) {
    if (gamma <= 0.0) {
        return "---";
    }
    return FormatFixed(gamma, 2);
}

std::string FormatSummaryGamma(double gamma) {
    // The number would not fit the label, and it is no gamma.
    if (gamma == kGammaSentinelHundredths / 100.0) {
        return "---";
    }
    return FormatFixed(gamma, 2);
}

void RefreshRampTable(const GammaRamp& ramp, GammaTable& table, RampTableSink& sink) {
    sink.DeleteAllRows();
    char text[kPaddedCellCapacity];
    for (int i = 0; i < kRampSize; ++i) {
        const EntryGamma entry = TableEntryGamma(ramp, i);
        StoreEntryGamma(table, i, entry);
        if (i == kSummaryIndex) {
            sink.SetSummary(Channel::Red, FormatSummaryGamma(entry.red).c_str());
            sink.SetSummary(Channel::Green, FormatSummaryGamma(entry.green).c_str());
            sink.SetSummary(Channel::Blue, FormatSummaryGamma(entry.blue).c_str());
        }
        FormatPaddedCell(text, static_cast<std::uint16_t>(i), 4, 10);
        sink.InsertRow(i, text);
        for (Channel ch : {Channel::Red, Channel::Green, Channel::Blue}) {
            const int column = 1 + 3 * static_cast<int>(ch);
            const std::uint16_t level = ramp.at(ch, i);
            FormatPaddedCell(text, level, 4, 16);
            sink.SetCell(i, column, text);
            FormatPaddedCell(text, level, 5, 10);
            sink.SetCell(i, column + 1, text);
            sink.SetCell(i, column + 2, FormatGammaCell(entry.of(ch)).c_str());
        }
    }
}

namespace {

// Collects the rows of a refresh as values.
class RowsSink : public RampTableSink {
public:
    std::vector<RampRow> rows;
    void DeleteAllRows() override { rows.clear(); }
    void InsertRow(int, const char* cell) override { rows.push_back({cell}); }
    void SetCell(int row, int column, const char* cell) override { rows[row][column] = cell; }
    void SetSummary(Channel, const char*) override {}
};

}  // namespace

std::vector<RampRow> RampTableRows(const GammaRamp& ramp) {
    RowsSink sink;
    GammaTable table;
    RefreshRampTable(ramp, table, sink);
    return std::move(sink.rows);
}

std::string RampHeadingLine(char separator) {
    std::string line = kRampColumns[0].heading;
    for (int column = 1; column < kRampColumnCount; ++column) {
        line.append(1, separator).append(kRampColumns[column].heading);
    }
    return line;
}

std::string RampTableText(const GammaRamp& ramp) {
    std::string text = RampHeadingLine('\t');
    for (const RampRow& row : RampTableRows(ramp)) {
        text += "\r\n" + row[0];
        for (int column = 1; column < kRampColumnCount; ++column) {
            text.append("\t").append(row[column]);
        }
    }
    return text;
}

}  // namespace lumatab
