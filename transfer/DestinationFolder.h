#pragma once

#include <string>

// Creates `parent` + `name` as a folder (or uses it when it already is one)
// and returns it with a trailing "/". An empty name, or a name that cannot
// be made a folder for any other reason (including an existing file of that
// name), gives `parent` + `fallback` instead; the fallback's own creation may
// fail, and the copy into it then fails and is reported. `parent` ends in "/".
std::string EnsureChildFolder(const std::string& parent, const std::string& name,
                              const char* fallback);
