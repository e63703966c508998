#pragma once

#include <chrono>
#include <iosfwd>

#include "library/FileScanProgress.h"

// The scan of the music files, shown as a bar on stderr when stderr is a
// terminal; silent otherwise, so logs and scripts see only the result.
class ScanProgressBar : public FileScanProgress {
public:
    explicit ScanProgressBar(std::ostream& err);
    ~ScanProgressBar() override; // clears the line it drew

    void Scanned(uint32_t done, uint32_t total) override;
    bool StopRequested() const override { return false; }

private:
    std::ostream& err_;
    const bool terminal_;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point lastDraw_{};
};

// "[#####...............] 120/500 reading tags": the bar's text.
std::string ScanBarText(uint32_t done, uint32_t total);
