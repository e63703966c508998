#include "cli/CopyProgressLine.h"

#include <cstdio>
#include <iostream>
#include <sys/ioctl.h>
#include <unistd.h>

#include "cli/DisplayWidth.h"
#include "cli/PrintableText.h"
#include "cli/TextBar.h"
#include "library/Utf16.h"

namespace {

std::string PrintableField(const char16_t* text) {
    return Printable(ToUtf8(Utf16View(text)));
}

int TerminalColumns() {
    struct winsize size {};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col >= 40)
        return size.ws_col;
    return 80;
}

} // namespace

ProgressDisplay::ProgressDisplay(std::ostream& err, const TrackRecord* rows,
                                 const std::vector<uint32_t>& chosen)
    : err_(err), rows_(rows), chosen_(chosen), start_(std::chrono::steady_clock::now()),
      terminal_(&err == &std::cerr && ::isatty(STDERR_FILENO)) {}

void ProgressDisplay::Show(uint32_t started) {
    if (terminal_ && started > 0)
        Redraw(started);
    // Plain lines are for logs: one per file, none skipped between waits.
    for (uint32_t n = shown_ + 1; !terminal_ && n <= started; ++n)
        err_ << "copying " << Count(n) << ": " << TrackName(n) << "\n";
    shown_ = started;
}

void ProgressDisplay::Finish() {
    if (terminal_ && shown_ > 0)
        err_ << "\r\x1b[K" << std::flush;
}

void ProgressDisplay::Redraw(uint32_t started) {
    const std::string line = TextBar(started - 1, chosen_.size()) + " " + Count(started) + "  " +
                             Rate(started) + "  " + TrackName(started);
    err_ << "\r" << CutToColumns(line) << "\x1b[K" << std::flush;
}

std::string ProgressDisplay::Count(uint32_t started) const {
    return std::to_string(started) + "/" + std::to_string(chosen_.size());
}

std::string ProgressDisplay::TrackName(uint32_t started) const {
    const TrackRecord& track = rows_[chosen_[started - 1]];
    std::string name = PrintableField(track.title);
    if (track.artist)
        name += " - " + PrintableField(track.artist);
    return name;
}

// From the sizes the database gives for the files already done.
std::string ProgressDisplay::Rate(uint32_t started) const {
    double bytes = 0;
    for (uint32_t i = 0; i + 1 < started; ++i)
        bytes += rows_[chosen_[i]].fileSize;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB/s", seconds > 0 ? bytes / 1e6 / seconds : 0.0);
    return text;
}

std::string ProgressDisplay::CutToColumns(const std::string& line) const {
    const size_t columns = static_cast<size_t>(TerminalColumns()) - 1;
    size_t shown = 0;
    for (size_t i = 0; i < line.size();) {
        size_t next = i + 1;
        while (next < line.size() && (static_cast<unsigned char>(line[next]) & 0xC0) == 0x80)
            ++next;
        shown += DisplayWidth(std::string_view(line).substr(i, next - i));
        if (shown > columns)
            return line.substr(0, i);
        i = next;
    }
    return line;
}
