#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// An aligned, plain-text table for people; widths are terminal columns
// (DisplayWidth), so wide CJK titles line up too. Cells come from the
// device, so they are made Printable.
class TextTable {
public:
    explicit TextTable(std::vector<std::string> headings, std::vector<bool> alignRight = {});
    void AddRow(std::vector<std::string> cells);
    void Print(std::ostream& out) const;

private:
    std::vector<std::vector<std::string>> rows; // headings first
    std::vector<bool> right;
};
