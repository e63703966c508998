#pragma once

#include <string>
#include <sys/mount.h>
#include <sys/stat.h>

// A tmpfs mounted over a folder for one test, when this machine lets us
// mount; unmounted (and so emptied) on the way out.
class ScopedTmpfs {
public:
    ScopedTmpfs(const std::string& folder, const char* options) : folder_(folder) {
        ::mkdir(folder.c_str(), 0777);
        mounted_ = ::mount("corvane-test", folder.c_str(), "tmpfs", 0, options) == 0;
    }
    ~ScopedTmpfs() {
        if (mounted_)
            ::umount(folder_.c_str());
    }
    ScopedTmpfs(const ScopedTmpfs&) = delete;
    ScopedTmpfs& operator=(const ScopedTmpfs&) = delete;
    bool Mounted() const { return mounted_; }

private:
    std::string folder_;
    bool mounted_ = false;
};
