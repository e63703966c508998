#include "transfer/FreeName.h"

#include "transfer/PathComponent.h"
#include "transfer/RunNames.h"

#include <cerrno>
#include <sys/stat.h>

FreeNameResult FindFreeName(const std::string& folder, const std::string& title,
                            const std::string& ext, RunNames& names, std::string& path) {
    for (int counter = names.FirstCounter(folder, title, ext); counter < kMaxNameLookups - 1;
         ++counter) {
        path = folder + CandidateFileName(title, counter, ext);
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0)
            continue;
        // Only "does not exist" means free. Any other error would repeat for
        // every candidate, so there is no point in trying the rest.
        if (errno != ENOENT)
            return FreeNameResult::LookupFailed;
        names.MarkTaken(folder, title, ext, counter);
        return FreeNameResult::Found;
    }
    names.MarkTaken(folder, title, ext, kMaxNameLookups - 2);
    return FreeNameResult::AllTaken;
}
