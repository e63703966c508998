#pragma once

#include <string>

// Creates `parent` + `name` as a folder (or uses it when it already is one)
// and returns it with a trailing "/". An empty name, or a name that cannot
// be made a folder for any other reason (including an existing file of that
// name), gives `parent` + `fallback` instead. When the fallback cannot be
// made either, `error` is set to the errno of that failure (else left
// alone), and the row is reported with it. `parent` ends in "/".
std::string EnsureChildFolder(const std::string& parent, const std::string& name,
                              const char* fallback, int& error);
