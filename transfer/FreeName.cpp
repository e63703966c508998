#include "transfer/FreeName.h"

#include "transfer/PathComponent.h"
#include "transfer/RunNames.h"

#include <cerrno>
#include <sys/stat.h>

FreeNameResult FindFreeName(const std::string& folder, const std::string& title,
                            const std::string& ext, RunNames& names, std::string& path,
                            bool* replace) {
    for (int counter = names.FirstCounter(folder, title, ext); counter < kMaxNameLookups - 1;
         ++counter) {
        const std::string name = CandidateFileName(title, counter, ext);
        path = folder + name;
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0) {
            if (!replace || !names.FromBeforeRun(folder, name, st) ||
                names.WroteEarlier(folder, name))
                continue;
            *replace = true;
            names.MarkTaken(folder, title, ext, counter);
            return FreeNameResult::Found;
        }
        // Only "does not exist" means free. Any other error would repeat for
        // every candidate, so there is no point in trying the rest.
        if (errno != ENOENT)
            return FreeNameResult::LookupFailed;
        // Free here, but this walk wrote it in another case, which a volume
        // that folds case (FAT) would take for the same name.
        if (names.WroteEarlier(folder, name))
            continue;
        if (replace)
            *replace = false;
        names.MarkTaken(folder, title, ext, counter);
        return FreeNameResult::Found;
    }
    names.MarkTaken(folder, title, ext, kMaxNameLookups - 2);
    return FreeNameResult::AllTaken;
}
