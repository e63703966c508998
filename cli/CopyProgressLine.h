#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "library/TrackRecord.h"

// The copy's progress on stderr: on a terminal one line, redrawn, with a
// bar, the count, the rate and the current track; elsewhere, for logs, one
// plain line per file, none skipped between redraws.
class ProgressDisplay {
public:
    ProgressDisplay(std::ostream& err, const TrackRecord* rows,
                    const std::vector<uint32_t>& chosen);

    // `started` rows have been announced by the worker.
    void Show(uint32_t started);
    void Finish();

private:
    void Redraw(uint32_t started);
    std::string Count(uint32_t started) const;
    std::string TrackName(uint32_t started) const;
    std::string Rate(uint32_t started) const;
    std::string CutToColumns(const std::string& line) const;

    std::ostream& err_;
    const TrackRecord* rows_;
    const std::vector<uint32_t>& chosen_;
    std::chrono::steady_clock::time_point start_;
    bool terminal_;
    uint32_t shown_ = 0;
};
