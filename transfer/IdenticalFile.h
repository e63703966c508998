#pragma once

#include <string>

// Re-running a copy into the same folder should not leave Song(0).mp3 next
// to Song.mp3. Looks through the names the free-name search would try —
// title + ext, then title(0) + ext and so on, up to the first free one —
// for a regular file with the same size and the same bytes as `source`.
// Sizes are compared first, so files that differ cost one stat each.
// Sets `found` to its path; false when there is none or `source` cannot be read.
bool FindIdenticalFile(const std::string& source, const std::string& folder,
                       const std::string& title, const std::string& ext, std::string& found);

// Whether the two regular files hold the same bytes.
bool SameContent(const std::string& a, const std::string& b);
