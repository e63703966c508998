#include "transfer/FolderPath.h"

#include <cerrno>
#include <sys/stat.h>

namespace {

bool IsFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

bool MakeFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) == 0)
        return true;
    return errno == EEXIST && IsFolder(path);
}

bool EnsureFolderPath(const std::string& path) {
    if (path.empty() || path[0] != '/' || path.size() >= kMaxFolderPathBytes)
        return false;
    if (path.find('\0') != std::string::npos)
        return false;
    for (size_t end = path.find('/', 1); end != std::string::npos; end = path.find('/', end + 1)) {
        if (path[end - 1] != '/' && !MakeFolder(path.substr(0, end)))
            return false;
    }
    return path.back() == '/' || MakeFolder(path);
}
