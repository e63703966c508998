#include "library/ResolvePath.h"

#include <dirent.h>
#include <memory>
#include <string_view>
#include <sys/stat.h>

namespace {

bool Exists(const std::string& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (fold(a[i]) != fold(b[i]))
            return false;
    }
    return true;
}

// The entry of `folder` named like `name` but for case; when several are,
// the byte-wise smallest, so the answer never depends on directory order.
std::string FindCaseVariant(const std::string& folder, std::string_view name) {
    std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.empty() ? "/" : folder.c_str()),
                                            closedir);
    std::string best;
    if (!dir)
        return best;
    while (const dirent* entry = readdir(dir.get())) {
        const std::string_view candidate(entry->d_name);
        if (EqualIgnoringAsciiCase(candidate, name) && (best.empty() || candidate < best))
            best = candidate;
    }
    return best;
}

} // namespace

std::string ResolveExistingPath(const std::string& absolutePath) {
    if (absolutePath.empty() || absolutePath[0] != '/' || Exists(absolutePath))
        return absolutePath;
    std::string resolved;
    size_t start = 1;
    while (start <= absolutePath.size()) {
        size_t end = absolutePath.find('/', start);
        if (end == std::string::npos)
            end = absolutePath.size();
        const std::string_view name(absolutePath.data() + start, end - start);
        start = end + 1;
        if (name.empty())
            continue;
        std::string next = resolved + '/';
        next += name;
        if (!Exists(next)) {
            const std::string variant = FindCaseVariant(resolved, name);
            if (variant.empty())
                return absolutePath;
            next = resolved + '/' + variant;
        }
        resolved = std::move(next);
    }
    return resolved;
}
