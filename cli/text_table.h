// Rows of texts printed in columns, for people reading a console.
#pragma once

#include <string>
#include <utility>
#include <vector>

class CTextTable {
public:
    enum class Align { Left, Right };

    // One alignment per column; every row has that many cells.
    explicit CTextTable(std::vector<Align> alignments) : m_alignments(std::move(alignments)) {}

    void AddRow(std::vector<std::string> cells) { m_rows.push_back(std::move(cells)); }

    // Each column as wide as its widest cell, two blanks between columns, no blanks at the end
    // of a line; LF line ends.
    std::string Text() const;

private:
    std::vector<Align> m_alignments;
    std::vector<std::vector<std::string>> m_rows;
};
