#pragma once

#include "transfer/NameFormat.h"

struct CopyJob;
struct TrackRecord;

// The name a row's copy takes under the job's output folder before the
// free-name search numbers it: the job's name format, or else the title,
// inside artist and album folders when the job keeps them organized.
// Folders are named as they will be made, fallbacks included.
FormattedName CopyNameOf(const CopyJob& job, const TrackRecord& row);

// That name as a path relative to the output folder, with the extension of
// the row's file: "Artist/Album/Title.mp3".
std::string CopyPathOf(const CopyJob& job, const TrackRecord& row);
