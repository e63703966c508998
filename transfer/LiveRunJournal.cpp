#include "transfer/LiveRunJournal.h"

#include "transfer/PathComponent.h"
#include "transfer/ProcessAlive.h"

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace {

std::string JournalFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string base = runtime && *runtime ? runtime : "/tmp";
    return base + "/corvane-copies-" + std::to_string(::getuid()) + "/";
}

// Journals are named "<pid>-<start>": the process ID tells whether the run
// still goes, the start time tells apart the runs of one process.
pid_t OwnerOf(const std::string& name) {
    return static_cast<pid_t>(std::strtol(name.c_str(), nullptr, 10));
}

} // namespace

LiveRunJournal::LiveRunJournal() : folder_(JournalFolder()) {
    ::mkdir(folder_.c_str(), 0700);
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    ownName_ = std::to_string(::getpid()) + "-" + std::to_string(now.tv_sec) + "." +
               std::to_string(now.tv_nsec);
    // Without a journal this run is only unprotected, never unsafe itself.
    fd_ = ::open((folder_ + ownName_).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC,
                 0600);
}

LiveRunJournal::~LiveRunJournal() {
    if (fd_ < 0)
        return;
    ::close(fd_);
    ::unlink((folder_ + ownName_).c_str());
}

void LiveRunJournal::Wrote(const std::string& path) {
    if (fd_ < 0)
        return;
    // One write each: a reader never sees half of another's line.
    const std::string line = FoldedName(path) + "\n";
    [[maybe_unused]] const ssize_t written = ::write(fd_, line.data(), line.size());
}

bool LiveRunJournal::WrittenByAnother(const std::string& path) {
    ReadOthers();
    return writtenByOthers_.count(FoldedName(path)) != 0;
}

// Reads what the other journals gained since the last look.
void LiveRunJournal::ReadOthers() {
    DIR* dir = ::opendir(folder_.c_str());
    if (!dir)
        return;
    while (const struct dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == ownName_ || name[0] == '.')
            continue;
        if (!ProcessIsAlive(OwnerOf(name))) {
            ::unlink((folder_ + name).c_str());
            continue;
        }
        FILE* file = std::fopen((folder_ + name).c_str(), "r");
        if (!file)
            continue;
        Journal& journal = others_[name];
        std::fseek(file, journal.readUpTo, SEEK_SET);
        for (int c; (c = std::fgetc(file)) != EOF;) {
            if (c != '\n') {
                journal.partialLine += static_cast<char>(c);
                continue;
            }
            writtenByOthers_.insert(journal.partialLine);
            journal.partialLine.clear();
        }
        journal.readUpTo = std::ftell(file);
        std::fclose(file);
    }
    ::closedir(dir);
}
