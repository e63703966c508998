#pragma once

#include <string>

// Paths of this many bytes or more are refused (the kernel's PATH_MAX).
inline constexpr size_t kMaxFolderPathBytes = 4096;

// Checks that `path` is absolute ("/" first) and shorter than
// kMaxFolderPathBytes, then creates every missing level of it. A trailing "/"
// is allowed. True when the whole path ends up as a folder; false for a
// relative path, a level that cannot be created, or a path that exists but
// is not a folder.
bool EnsureFolderPath(const std::string& path);

// Creates the one folder `path` (its parent must exist). True when a folder
// is there afterwards, made now or before; false when anything else is.
bool MakeFolder(const std::string& path);
