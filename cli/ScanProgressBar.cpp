#include "cli/ScanProgressBar.h"

#include "cli/TextBar.h"

#include <iostream>
#include <string>
#include <unistd.h>

namespace {

// Often enough to look alive, seldom enough that drawing costs nothing
// next to reading the files.
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

} // namespace

std::string ScanBarText(uint32_t done, uint32_t total) {
    // Appended piece by piece: GCC 12's -Wrestrict misreads an inlined
    // " " + std::string in Release builds.
    std::string text = TextBar(done, total);
    text += ' ';
    text += std::to_string(done);
    text += '/';
    text += std::to_string(total);
    text += " reading tags";
    return text;
}

ScanProgressBar::ScanProgressBar(std::ostream& err)
    : err_(err), terminal_(&err == &std::cerr && ::isatty(STDERR_FILENO)) {}

ScanProgressBar::~ScanProgressBar() {
    if (drawn_)
        err_ << "\r\x1b[K" << std::flush;
}

void ScanProgressBar::Scanned(uint32_t done, uint32_t total) {
    if (!terminal_)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (drawn_ && done != total && now - lastDraw_ < kRedrawInterval)
        return;
    lastDraw_ = now;
    drawn_ = true;
    err_ << "\r" << ScanBarText(done, total) << "\x1b[K" << std::flush;
}
