#pragma once

#include <string>

// A fresh directory under $TMPDIR (or /tmp), removed with its contents when
// the object goes. For tests that need real files.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return root; }
    std::string operator/(const std::string& relative) const { return root + "/" + relative; }

private:
    std::string root;
};
