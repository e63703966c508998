#include "transfer/RunNames.h"

#include "transfer/PathComponent.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace {

std::string CounterKey(const std::string& folder, const std::string& title,
                       const std::string& ext) {
    return folder + '\0' + title + '\0' + ext;
}

} // namespace

void RunNames::ListBeforeRun(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const struct dirent* entry = ::readdir(dir)) {
        const std::string path = folder + entry->d_name;
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            beforeRun_.insert({FoldedName(path), {st.st_dev, st.st_ino, st.st_size, st.st_mtim}});
    }
    ::closedir(dir);
}

bool RunNames::FromBeforeRun(const std::string& folder, const std::string& name,
                             const struct stat& st) {
    if (!S_ISREG(st.st_mode) || journal_.WrittenByAnother(folder + name))
        return false;
    const auto [first, last] = beforeRun_.equal_range(FoldedName(folder + name));
    return std::any_of(first, last, [&](const auto& entry) {
        const Identity& was = entry.second;
        return was.dev == st.st_dev && was.ino == st.st_ino && was.size == st.st_size &&
               was.modified.tv_sec == st.st_mtim.tv_sec &&
               was.modified.tv_nsec == st.st_mtim.tv_nsec;
    });
}

int RunNames::FirstCounter(const std::string& folder, const std::string& title,
                           const std::string& ext) const {
    const auto found = nextCounter_.find(CounterKey(folder, title, ext));
    return found == nextCounter_.end() ? -1 : found->second;
}

void RunNames::MarkTaken(const std::string& folder, const std::string& title,
                         const std::string& ext, int counter) {
    int& next = nextCounter_.try_emplace(CounterKey(folder, title, ext), -1).first->second;
    if (counter + 1 > next)
        next = counter + 1;
}

void RunNames::Wrote(const std::string& folder, const std::string& name) {
    const std::string path = folder + name;
    writtenFolded_.insert(FoldedName(path));
    journal_.Wrote(path);
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0)
        writtenFiles_.insert({st.st_dev, st.st_ino});
}

bool RunNames::WroteEarlier(const std::string& folder, const std::string& name) const {
    // A spelling in another case counts as the same name: FAT treats it so,
    // and FUSE volumes give each spelling an inode number of its own, so
    // nothing on disk can tell. Where the volume does tell them apart, the
    // cost is a numbered name instead of a replaced file.
    if (writtenFolded_.count(FoldedName(folder + name)) != 0)
        return true;
    // Volumes that fold more than ASCII (exFAT, case-folding ext4): the
    // entry that answers to the name tells.
    struct stat st {};
    return ::lstat((folder + name).c_str(), &st) == 0 &&
           writtenFiles_.count({st.st_dev, st.st_ino}) != 0;
}
