#pragma once

#include <string>

// Holds an exclusive lock on a folder while it lives, so that runs side by
// side that replace files there take turns: each looks at a name and
// renames over it as one step, and no run replaces what another has just
// written. Runs that only add new names need no turn; the kernel refuses
// them a name that is taken. Where the volume cannot lock, nothing is held.
class FolderLock {
public:
    // `folder` empty: holds nothing.
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int fd_ = -1;
};
