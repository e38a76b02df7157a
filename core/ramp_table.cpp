#include "core/ramp_table.h"

#include <cstdint>

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

// Collects the rows of a refresh as tab-separated text.
class TextSink : public RampTableSink {
public:
    std::string text;
    void DeleteAllRows() override {}
    void InsertRow(int, const char* cell) override { text.append("\r\n").append(cell); }
    void SetCell(int, int, const char* cell) override { text.append("\t").append(cell); }
    void SetSummary(Channel, const char*) override {}
};

}  // namespace

std::string RampTableText(const GammaRamp& ramp) {
    TextSink sink;
    for (const RampColumn& column : kRampColumns) {
        sink.text.append(sink.text.empty() ? "" : "\t").append(column.heading);
    }
    GammaTable table;
    RefreshRampTable(ramp, table, sink);
    return sink.text;
}

}  // namespace lumatab
