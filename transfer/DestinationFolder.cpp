#include "transfer/DestinationFolder.h"

#include <cerrno>
#include <sys/stat.h>

namespace {

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool MakeFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) == 0)
        return true;
    return errno == EEXIST && IsFolder(path);
}

} // namespace

std::string EnsureChildFolder(const std::string& parent, const std::string& name,
                              const char* fallback, int& error) {
    if (!name.empty() && MakeFolder(parent + name))
        return parent + name + "/";
    if (!MakeFolder(parent + fallback))
        error = errno;
    return parent + fallback + "/";
}
