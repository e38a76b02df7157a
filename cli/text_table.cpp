#include "cli/text_table.h"

#include <algorithm>

std::string CTextTable::Text() const {
    std::vector<std::size_t> widths(m_alignments.size());
    for (const auto& row : m_rows) {
        for (std::size_t column = 0; column < widths.size(); ++column) {
            widths[column] = std::max(widths[column], row.at(column).size());
        }
    }
    std::string text;
    for (const auto& row : m_rows) {
        std::string line;
        for (std::size_t column = 0; column < widths.size(); ++column) {
            const std::string padding(widths[column] - row[column].size(), ' ');
            line += column == 0 ? "" : "  ";
            line +=
                m_alignments[column] == Align::Left ? row[column] + padding : padding + row[column];
        }
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + '\n';
    }
    return text;
}
