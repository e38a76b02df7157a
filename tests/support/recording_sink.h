// A refresh's receiver that keeps every call and the rows and summaries as a list would show them.
#pragma once

#include <string>
#include <vector>

#include "core/ramp_table.h"

namespace lumatab {

// Records every sink call as one line, in order.
class RecordingSink : public RampTableSink {
public:
    std::vector<std::string> calls;
    // The cell texts as the list would show them: rows[i][column].
    std::vector<std::vector<std::string>> rows;
    std::string summary[kChannelCount];

    void DeleteAllRows() override {
        calls.push_back("delete");
        rows.clear();
    }
    void InsertRow(int row, const char* text) override {
        calls.push_back("row " + std::to_string(row) + " '" + text + "'");
        rows.insert(rows.begin() + row, std::vector<std::string>(kRampColumnCount));
        rows[row][0] = text;
    }
    void SetCell(int row, int column, const char* text) override {
        calls.push_back("cell " + std::to_string(row) + " " + std::to_string(column) + " '" + text +
                        "'");
        rows.at(row).at(column) = text;
    }
    void SetSummary(Channel channel, const char* text) override {
        calls.push_back("summary " + std::to_string(static_cast<int>(channel)) + " '" + text + "'");
        summary[static_cast<int>(channel)] = text;
    }
};

}  // namespace lumatab
