#include "app/FolderPath.h"

#include <cerrno>
#include <sys/stat.h>

namespace {

// Creates `prefix` when nothing exists there. Other look-up errors are
// passed over: the next level, or the final check, will fail instead.
bool CreateIfMissing(const std::string& prefix) {
    struct stat st {};
    if (::stat(prefix.c_str(), &st) == 0 || errno != ENOENT)
        return true;
    return ::mkdir(prefix.c_str(), 0777) == 0 || errno == EEXIST;
}

} // namespace

bool EnsureFolderPath(const std::string& path) {
    if (path.empty() || path[0] != '/' || path.size() >= kMaxFolderPathBytes)
        return false;
    if (path.find('\0') != std::string::npos)
        return false;
    for (size_t end = path.find('/', 1); end != std::string::npos; end = path.find('/', end + 1)) {
        if (path[end - 1] != '/' && !CreateIfMissing(path.substr(0, end)))
            return false;
    }
    if (path.back() != '/' && !CreateIfMissing(path))
        return false;
    // A path that names a file would pass every step above.
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
