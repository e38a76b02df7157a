// What the user sees of a ramp: the ten-column table of 256 rows and the entry-128 summary.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/gamma_ramp.h"

namespace lumatab {

constexpr int kRampColumnCount = 10;
// The entry whose gamma the three summary labels show.
constexpr int kSummaryIndex = 128;

struct RampColumn {
    const char* heading;
    int width;  // pixels
};

// Headings and widths of the list's columns, in display order.
extern const RampColumn kRampColumns[kRampColumnCount];

// "---" for a gamma of 0 or less, otherwise two decimals; independent of the process locale.
std::string FormatGammaCell(double gamma);

// Two decimals ("0.00", "-1.29"), or "---" for an undefined gamma (the value of an unrepresentable
// result, -21474836.48); independent of the process locale.
std::string FormatSummaryGamma(double gamma);

// Receiver of a refresh: the list's rows and the three summary labels.
class RampTableSink {
public:
    virtual ~RampTableSink() = default;

    virtual void DeleteAllRows() = 0;
    // Appends row `row` with `text` in column 0.
    virtual void InsertRow(int row, const char* text) = 0;
    // Sets column 1..9 of an existing row.
    virtual void SetCell(int row, int column, const char* text) = 0;
    virtual void SetSummary(Channel channel, const char* text) = 0;
};

// Recomputes the whole table from the ramp and rebuilds every row and the summaries in sink.
void RefreshRampTable(const GammaRamp& ramp, GammaTable& table, RampTableSink& sink);

// One row's ten cells as the list shows them: numbers padded to their column and followed by a
// blank, gammas as FormatGammaCell gives them.
using RampRow = std::array<std::string, kRampColumnCount>;

// The 256 rows of the table.
std::vector<RampRow> RampTableRows(const GammaRamp& ramp);

// The column headings joined by `separator`: the first line of the clipboard text and of the CSV.
std::string RampHeadingLine(char separator);

// The table as text, for the clipboard: the headings, then every row's cells as the list shows
// them; cells separated by tabs, rows by CRLF.
std::string RampTableText(const GammaRamp& ramp);

}  // namespace lumatab
