#include "app/IniText.h"

#include <vector>

namespace {

struct Line {
    size_t start = 0; // offset of the line in the text
    size_t end = 0;   // offset just past its last character, before "\r\n" or "\n"
};

std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t next = text.find('\n', start);
        const size_t stop = next == std::string_view::npos ? text.size() : next;
        size_t end = stop;
        if (end > start && text[end - 1] == '\r')
            --end;
        lines.push_back({start, end});
        start = next == std::string_view::npos ? text.size() : next + 1;
    }
    return lines;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The section a header line opens, or nullopt when the line is no header.
// Editors that save UTF-8 may put a byte-order mark before the first one.
std::optional<std::string_view> SectionName(std::string_view line) {
    if (line.substr(0, kUtf8Bom.size()) == kUtf8Bom)
        line.remove_prefix(kUtf8Bom.size());
    line = Trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    const size_t close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

bool IsKeyLine(std::string_view line, std::string_view key, std::string_view* value) {
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos || !SameIgnoringAsciiCase(Trim(line.substr(0, eq)), key))
        return false;
    if (value)
        *value = Trim(line.substr(eq + 1));
    return true;
}

// Line indices of a section: its body runs from `first` up to `end`.
struct SectionSpan {
    size_t first = 0;
    size_t lastContent = 0; // last non-blank line of the body, or the header
    size_t end = 0;         // one past the body
};

std::optional<SectionSpan> FindSection(std::string_view text, const std::vector<Line>& lines,
                                       std::string_view section) {
    for (size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionName(text.substr(lines[i].start, lines[i].end - lines[i].start));
        if (!name || !SameIgnoringAsciiCase(*name, section))
            continue;
        SectionSpan span{i + 1, i, lines.size()};
        for (size_t j = i + 1; j < lines.size(); ++j) {
            const std::string_view body =
                text.substr(lines[j].start, lines[j].end - lines[j].start);
            if (SectionName(body)) {
                span.end = j;
                break;
            }
            if (!Trim(body).empty())
                span.lastContent = j;
        }
        return span;
    }
    return std::nullopt;
}

std::string_view LineText(std::string_view text, const Line& line) {
    return text.substr(line.start, line.end - line.start);
}

std::string_view NewlineOf(std::string_view text, const std::vector<Line>& lines) {
    if (!lines.empty() && lines[0].end < text.size() && text[lines[0].end] == '\r')
        return "\r\n";
    return "\n";
}

// Inserts `insertion` as a whole line just after `line`.
std::string InsertAfterLine(std::string_view text, const Line& line, std::string_view newline,
                            const std::string& insertion) {
    size_t at = text.find('\n', line.end);
    if (at == std::string_view::npos)
        return std::string(text) + std::string(newline) + insertion + std::string(newline);
    ++at;
    return std::string(text.substr(0, at)) + insertion + std::string(newline) +
           std::string(text.substr(at));
}

} // namespace

std::optional<std::string> IniValue(std::string_view text, std::string_view section,
                                    std::string_view key) {
    const std::vector<Line> lines = SplitLines(text);
    const auto span = FindSection(text, lines, section);
    if (!span)
        return std::nullopt;
    for (size_t i = span->first; i < span->end; ++i) {
        std::string_view value;
        if (IsKeyLine(LineText(text, lines[i]), key, &value))
            return std::string(value);
    }
    return std::nullopt;
}

std::optional<std::string> IniWithValue(std::string_view text, std::string_view section,
                                        std::string_view key, std::string_view value) {
    if (value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        return std::nullopt;
    const std::vector<Line> lines = SplitLines(text);
    const std::string_view newline = NewlineOf(text, lines);
    const std::string entry = std::string(key) + "=" + std::string(value);
    const auto span = FindSection(text, lines, section);
    if (!span) {
        std::string out(text);
        if (!out.empty() && out.back() != '\n')
            out += newline;
        return out + "[" + std::string(section) + "]" + std::string(newline) + entry +
               std::string(newline);
    }
    for (size_t i = span->first; i < span->end; ++i) {
        if (IsKeyLine(LineText(text, lines[i]), key, nullptr))
            return std::string(text.substr(0, lines[i].start)) + entry +
                   std::string(text.substr(lines[i].end));
    }
    return InsertAfterLine(text, lines[span->lastContent], newline, entry);
}
