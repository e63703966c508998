#include "transfer/StagedCopy.h"

#include "transfer/ByteCopier.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kTempNameAttempts = 100;

int DestinationFailure(int error) {
    return FailureResult(DestinationFailureOf(error));
}

// Closes the descriptor it holds when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(int fd) : fd_(fd) {}
    ~FileHandle() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int Get() const { return fd_; }
    // Closes now and reports the error a delayed write may only show here.
    int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int fd_;
};

// Opens the source without blocking on a FIFO or device a crafted location
// might name, and accepts only regular files.
int OpenSource(const std::string& source, struct stat& st, int& fd) {
    fd = ::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return FailureResult(errno == ENOENT || errno == ENOTDIR
                                 ? CopyFailureReason::SourceMissing
                                 : CopyFailureReason::SourceUnreadable);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return FailureResult(CopyFailureReason::SourceUnreadable);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return 0;
}

constexpr const char kTempPrefix[] = ".corvane-";
constexpr const char kTempSuffix[] = ".part";

std::string TempName() {
    static std::atomic<unsigned> sequence{0};
    thread_local std::minstd_rand random{std::random_device{}()};
    char name[64];
    std::snprintf(name, sizeof name, "%s%d-%u-%08x%s", kTempPrefix, static_cast<int>(::getpid()),
                  sequence++, static_cast<unsigned>(random()), kTempSuffix);
    return name;
}

// Creates a new temporary file in `folder`; the mode leaves the umask in charge.
int CreateTemp(const std::string& folder, std::string& path, int& fd) {
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        path = folder + TempName();
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            return 0;
        if (errno != EEXIST)
            return DestinationFailure(errno);
    }
    return FailureResult(CopyFailureReason::DestinationNotWritable);
}

// What the destination holds after the copy; a copier that met an early end
// of the source must not pass for a whole copy.
off_t WrittenBytes(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? st.st_size : -1;
}

int CopyFailureOf(ByteCopyResult result) {
    switch (result) {
    case ByteCopyResult::Ok:
        return 0;
    case ByteCopyResult::ReadFailed:
        return FailureResult(CopyFailureReason::SourceUnreadable);
    case ByteCopyResult::NoSpace:
        return FailureResult(CopyFailureReason::DiskFull);
    case ByteCopyResult::Aborted:
        return StagedCopy::Aborted;
    case ByteCopyResult::WriteFailed:
        break;
    }
    return FailureResult(CopyFailureReason::DestinationNotWritable);
}

// The process ID in a name TempName() made, or 0 for any other name.
pid_t WriterOf(const std::string& name) {
    const std::string prefix = kTempPrefix, suffix = kTempSuffix;
    if (name.size() <= prefix.size() + suffix.size() || name.rfind(prefix, 0) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return 0;
    int pid = 0;
    unsigned sequence = 0, random = 0;
    int end = 0;
    const std::string middle =
        name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    if (std::sscanf(middle.c_str(), "%d-%u-%8x%n", &pid, &sequence, &random, &end) != 3 ||
        size_t(end) != middle.size() || pid <= 0)
        return 0;
    return pid;
}

bool IsAlive(pid_t pid) {
    return pid == ::getpid() || ::kill(pid, 0) == 0 || errno == EPERM;
}

} // namespace

void RemoveStaleStagedFiles(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const struct dirent* entry = ::readdir(dir)) {
        const pid_t writer = WriterOf(entry->d_name);
        if (writer != 0 && !IsAlive(writer))
            ::unlink((folder + entry->d_name).c_str());
    }
    ::closedir(dir);
}

StagedCopy::~StagedCopy() {
    Discard();
}

void StagedCopy::Discard() {
    if (!tempPath_.empty())
        ::unlink(tempPath_.c_str());
    tempPath_.clear();
}

int StagedCopy::Stage(const std::string& source, const std::string& folder, ByteCopier& copier,
                      const std::atomic<bool>& abort) {
    Discard();
    struct stat st {};
    int sourceFd = -1;
    int result = OpenSource(source, st, sourceFd);
    FileHandle in(sourceFd);
    if (result != 0)
        return result;
    int destFd = -1;
    result = CreateTemp(folder, tempPath_, destFd);
    if (result != 0) {
        tempPath_.clear();
        return result;
    }
    FileHandle out(destFd);
    result =
        CopyFailureOf(copier.Copy(in.Get(), out.Get(), static_cast<uint64_t>(st.st_size), abort));
    if (result == 0 && WrittenBytes(out.Get()) < st.st_size)
        result = FailureResult(CopyFailureReason::SourceUnreadable);
    if (result == 0) {
        // Times are a courtesy: a volume that cannot store them still gets the music.
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        ::futimens(out.Get(), times);
        const int closeError = out.Close();
        if (closeError != 0)
            result = DestinationFailure(closeError);
    }
    if (result != 0)
        Discard();
    return result;
}

int StagedCopy::StageContent(const std::string& folder, std::string_view content) {
    Discard();
    int fd = -1;
    int result = CreateTemp(folder, tempPath_, fd);
    if (result != 0) {
        tempPath_.clear();
        return result;
    }
    FileHandle out(fd);
    while (result == 0 && !content.empty()) {
        const ssize_t n = ::write(out.Get(), content.data(), content.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            result = DestinationFailure(n < 0 ? errno : ENOSPC);
        else
            content.remove_prefix(static_cast<size_t>(n));
    }
    // It may replace an earlier one: the new bytes are on the disk first.
    if (result == 0 && ::fsync(out.Get()) != 0)
        result = DestinationFailure(errno);
    if (result == 0)
        if (const int closeError = out.Close(); closeError != 0)
            result = DestinationFailure(closeError);
    if (result != 0)
        Discard();
    return result;
}

int StagedCopy::Commit(const std::string& destination, bool replace) {
    if (replace) {
        if (::rename(tempPath_.c_str(), destination.c_str()) != 0)
            return DestinationFailure(errno);
        tempPath_.clear();
        return Committed;
    }
    if (::renameat2(AT_FDCWD, tempPath_.c_str(), AT_FDCWD, destination.c_str(), RENAME_NOREPLACE) ==
        0) {
        tempPath_.clear();
        return Committed;
    }
    if (errno == EEXIST)
        return NameTaken;
    if (errno != EINVAL && errno != ENOSYS)
        return DestinationFailure(errno);
    return CommitWithoutNoReplace(destination);
}

// Network and FUSE volumes may refuse RENAME_NOREPLACE. A hard link refuses
// to replace just as well; where links are refused too, the name is taken
// first with an exclusive create, which no other writer can win at the same
// time, and the staged file is then renamed over that reservation of ours.
int StagedCopy::CommitWithoutNoReplace(const std::string& destination) {
    if (::link(tempPath_.c_str(), destination.c_str()) == 0) {
        Discard();
        return Committed;
    }
    if (errno == EEXIST)
        return NameTaken;
    if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS)
        return DestinationFailure(errno);
    const int reservation =
        ::open(destination.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (reservation < 0)
        return errno == EEXIST ? NameTaken : DestinationFailure(errno);
    ::close(reservation);
    if (::rename(tempPath_.c_str(), destination.c_str()) != 0) {
        const int error = errno;
        ::unlink(destination.c_str());
        return DestinationFailure(error);
    }
    tempPath_.clear();
    return Committed;
}
