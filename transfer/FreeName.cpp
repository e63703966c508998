#include "transfer/FreeName.h"

#include "transfer/PathComponent.h"

#include <cerrno>
#include <sys/stat.h>

FreeNameResult FindFreeName(const std::string& folder, const std::string& title,
                            const std::string& ext, std::string& path) {
    for (int counter = -1; counter < kMaxNameLookups - 1; ++counter) {
        path = folder + CandidateFileName(title, counter, ext);
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0)
            continue;
        // Only "does not exist" means free. Any other error would repeat for
        // every candidate, so there is no point in trying the rest.
        return errno == ENOENT ? FreeNameResult::Found : FreeNameResult::LookupFailed;
    }
    return FreeNameResult::AllTaken;
}
