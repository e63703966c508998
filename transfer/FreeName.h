#pragma once

#include <string>

class RunNames;

// Upper bound on look-ups: the plain name, then (0) up to (9998).
inline constexpr int kMaxNameLookups = 10000;

enum class FreeNameResult : int {
    Found = 0,
    AllTaken = 1,     // kMaxNameLookups names all exist
    LookupFailed = 2, // the folder cannot be examined (missing rights, not a folder, ...)
};

// Looks for the first name in `folder` (ending in "/") that nothing occupies,
// file, folder or even a dangling link: title + ext, then title(0) + ext and
// so on, skipping the numbers `names` knows to be taken and recording the
// one found. Sets `path` to the full path found.
// With `replace` given (an overwriting walk), a name that holds a file from
// before the walk (RunNames::FromBeforeRun) and that the walk has not
// written will do as well, and *replace says whether the name found holds
// one: so a re-run lands on the names the first run gave.
FreeNameResult FindFreeName(const std::string& folder, const std::string& title,
                            const std::string& ext, RunNames& names, std::string& path,
                            bool* replace = nullptr);
