#include "cli/TextTable.h"

#include "cli/DisplayWidth.h"
#include "cli/PrintableText.h"

#include <algorithm>
#include <ostream>

TextTable::TextTable(std::vector<std::string> headings, std::vector<bool> alignRight)
    : right(std::move(alignRight)) {
    right.resize(headings.size(), false);
    rows.push_back(std::move(headings));
}

void TextTable::AddRow(std::vector<std::string> cells) {
    cells.resize(rows.front().size());
    for (std::string& cell : cells)
        cell = Printable(cell);
    rows.push_back(std::move(cells));
}

void TextTable::Print(std::ostream& out) const {
    std::vector<size_t> widths(rows.front().size(), 0);
    for (const auto& row : rows)
        for (size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], DisplayWidth(row[c]));
    for (const auto& row : rows) {
        std::string line;
        for (size_t c = 0; c < row.size(); ++c) {
            const std::string pad(widths[c] - DisplayWidth(row[c]), ' ');
            const bool last = c + 1 == row.size();
            line += right[c] ? pad + row[c] : row[c] + (last ? "" : pad);
            if (!last)
                line += "  ";
        }
        out << line << "\n";
    }
}
