#pragma once

#include <set>
#include <string>

#include "transfer/TrackCovers.h"

struct CopyJob;
struct CopyOutcome;
class RunNames;

// Where the job's rows came from, and so where their covers are.
TrackCovers::Rows CoverRowsOf(const CopyJob& job);

// cover.jpg in each folder below the output folder that the walk's copies
// go into (writeCovers): the cover of the folder's first placed track, in
// walk order, that has one. The output folder itself never gets one, as the
// tracks there are of every album. An existing cover.jpg is kept unless the
// walk overwrites, and even then only one from before the walk is replaced,
// by the same rules as the copies.
class AlbumCovers {
public:
    // `covers` is borrowed; the walk's tagging shares it.
    AlbumCovers(const CopyJob& job, RunNames& names, TrackCovers& covers);

    // A row's file is now in `folder`, copied or found there already;
    // `details` and `location` (the row's, as UTF-8) tell its cover.
    void Placed(const std::string& folder, const TrackDetails* details, const std::string& location,
                CopyOutcome& outcome);

private:
    const std::string& outputFolder_;
    bool overwrite_;
    RunNames& names_;
    TrackCovers& covers_;
    std::set<std::string> settled_; // folders whose cover.jpg was written, kept or failed
};
