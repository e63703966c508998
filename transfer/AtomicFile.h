#pragma once

#include <string>
#include <string_view>

// Replaces the file at `path` with `content` so that a crash at any moment
// leaves either the old file or the new one: the content goes to a new file
// in the same folder, is flushed to the disk, and is renamed over `path`.
bool WriteFileAtomically(const std::string& path, std::string_view content);
