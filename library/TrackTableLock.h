#pragma once

#include <mutex>

// Guards the rows of the shown playlist view (their order and `checked`
// words) between the copy worker and the track list. Recursive because the
// list's drawing takes it per field while a sort may already hold it.
// A list's own display lock is always taken before this one.
extern std::recursive_mutex g_trackTableLock;
