// A refresh's receiver that keeps the rows and summaries as a list would show them.
#pragma once

#include <string>
#include <vector>

#include "core/ramp_table.h"

namespace lumatab {

class RecordingSink : public RampTableSink {
public:
    // The cell texts as the list would show them: rows[i][column].
    std::vector<std::vector<std::string>> rows;
    std::string summary[kChannelCount];

    void DeleteAllRows() override { rows.clear(); }
    void InsertRow(int row, const char* text) override {
        rows.insert(rows.begin() + row, std::vector<std::string>(kRampColumnCount));
        rows[row][0] = text;
    }
    void SetCell(int row, int column, const char* text) override { rows.at(row).at(column) = text; }
    void SetSummary(Channel channel, const char* text) override {
        summary[static_cast<int>(channel)] = text;
    }
};

}  // namespace lumatab
