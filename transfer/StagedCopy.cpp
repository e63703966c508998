#include "transfer/StagedCopy.h"

#include "transfer/ByteCopier.h"
#include "transfer/ProcessAlive.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <signal.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

constexpr int kTempNameAttempts = 100;

StepResult DestinationFailure(int error) {
    return StepResult::Fail(DestinationFailureOf(error));
}

const StepResult kDone{};
const StepResult kNameTaken = StepResult::Of(StepResult::Kind::NameTaken);

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
StepResult OpenSource(const std::string& source, struct stat& st, int& fd) {
    fd = ::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return StepResult::Fail(errno == ENOENT || errno == ENOTDIR
                                    ? CopyFailureReason::SourceMissing
                                    : CopyFailureReason::SourceUnreadable);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return StepResult::Fail(CopyFailureReason::SourceUnreadable);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return kDone;
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
StepResult CreateTemp(const std::string& folder, std::string& path, int& fd) {
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        path = folder + TempName();
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            return kDone;
        if (errno != EEXIST)
            return DestinationFailure(errno);
    }
    return StepResult::Fail(CopyFailureReason::DestinationNotWritable);
}

// What the destination holds after the copy; a copier that met an early end
// of the source must not pass for a whole copy.
off_t WrittenBytes(int fd) {
    struct stat st {};
    return ::fstat(fd, &st) == 0 ? st.st_size : -1;
}

StepResult CopyFailureOf(ByteCopyResult result) {
    switch (result) {
    case ByteCopyResult::Ok:
        return kDone;
    case ByteCopyResult::ReadFailed:
        return StepResult::Fail(CopyFailureReason::SourceUnreadable);
    case ByteCopyResult::NoSpace:
        return StepResult::Fail(CopyFailureReason::DiskFull);
    case ByteCopyResult::Aborted:
        return StepResult::Of(StepResult::Kind::Aborted);
    case ByteCopyResult::WriteFailed:
        break;
    }
    return StepResult::Fail(CopyFailureReason::DestinationNotWritable);
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

// Some volumes refuse the write of a full disk with EPERM (fusefat); the
// volume's own count of free blocks tells what happened.
StepResult NamingAFullVolume(StepResult result, const std::string& folder) {
    struct statvfs volume {};
    if (result.Is(CopyFailureReason::DestinationNotWritable) &&
        ::statvfs(folder.c_str(), &volume) == 0 && volume.f_bfree == 0)
        return StepResult::Fail(CopyFailureReason::DiskFull);
    return result;
}

StepResult WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return DestinationFailure(n < 0 ? errno : ENOSPC);
        content.remove_prefix(static_cast<size_t>(n));
    }
    return kDone;
}

// Puts `head` where the source's first `replaced` bytes were; the copy
// goes on from there, on both sides.
StepResult WriteHead(int from, int to, std::string_view head, uint64_t replaced, off_t size) {
    if (replaced > static_cast<uint64_t>(size) ||
        ::lseek(from, static_cast<off_t>(replaced), SEEK_SET) < 0)
        return StepResult::Fail(CopyFailureReason::SourceUnreadable);
    return WriteAll(to, head);
}

} // namespace

void RemoveStaleStagedFiles(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const struct dirent* entry = ::readdir(dir)) {
        const pid_t writer = WriterOf(entry->d_name);
        if (writer != 0 && !ProcessIsAlive(writer))
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

StepResult StagedCopy::Stage(const std::string& source, const std::string& folder,
                             ByteCopier& copier, const std::atomic<bool>& abort,
                             std::string_view head, uint64_t replaced) {
    Discard();
    struct stat st {};
    int sourceFd = -1;
    StepResult result = OpenSource(source, st, sourceFd);
    FileHandle in(sourceFd);
    if (!result.Done())
        return result;
    int destFd = -1;
    result = CreateTemp(folder, tempPath_, destFd);
    if (!result.Done()) {
        tempPath_.clear();
        return result;
    }
    FileHandle out(destFd);
    if (!head.empty() || replaced > 0)
        result = WriteHead(in.Get(), out.Get(), head, replaced, st.st_size);
    const uint64_t rest =
        static_cast<uint64_t>(st.st_size) - std::min<uint64_t>(replaced, st.st_size);
    if (result.Done())
        result = CopyFailureOf(copier.Copy(in.Get(), out.Get(), rest, abort));
    if (result.Done() && WrittenBytes(out.Get()) < off_t(head.size() + rest))
        result = StepResult::Fail(CopyFailureReason::SourceUnreadable);
    if (result.Done()) {
        // Times are a courtesy: a volume that cannot store them still gets the music.
        sourceTimes_[0] = st.st_atim;
        sourceTimes_[1] = st.st_mtim;
        ::futimens(out.Get(), sourceTimes_);
        const int closeError = out.Close();
        if (closeError != 0)
            result = DestinationFailure(closeError);
    }
    if (!result.Done())
        Discard();
    return NamingAFullVolume(result, folder);
}

void StagedCopy::RestoreSourceTimes() const {
    if (!tempPath_.empty())
        ::utimensat(AT_FDCWD, tempPath_.c_str(), sourceTimes_, 0);
}

StepResult StagedCopy::StageContent(const std::string& folder, std::string_view content,
                                    Sync sync) {
    Discard();
    int fd = -1;
    StepResult result = CreateTemp(folder, tempPath_, fd);
    if (!result.Done()) {
        tempPath_.clear();
        return result;
    }
    FileHandle out(fd);
    result = WriteAll(out.Get(), content);
    // It may replace an earlier one: the new bytes are on the disk first.
    if (result.Done() && sync == Sync::BeforeCommit && ::fsync(out.Get()) != 0)
        result = DestinationFailure(errno);
    if (result.Done())
        if (const int closeError = out.Close(); closeError != 0)
            result = DestinationFailure(closeError);
    if (!result.Done())
        Discard();
    return NamingAFullVolume(result, folder);
}

StepResult StagedCopy::Commit(const std::string& destination, bool replace) {
    if (replace) {
        if (::rename(tempPath_.c_str(), destination.c_str()) != 0)
            return DestinationFailure(errno);
        tempPath_.clear();
        return kDone;
    }
    if (::renameat2(AT_FDCWD, tempPath_.c_str(), AT_FDCWD, destination.c_str(), RENAME_NOREPLACE) ==
        0) {
        tempPath_.clear();
        return kDone;
    }
    if (errno == EEXIST)
        return kNameTaken;
    if (errno != EINVAL && errno != ENOSYS)
        return DestinationFailure(errno);
    return CommitWithoutNoReplace(destination);
}

// Network and FUSE volumes may refuse RENAME_NOREPLACE. A hard link refuses
// to replace just as well; where links are refused too, the name is taken
// first with an exclusive create, which no other writer can win at the same
// time, and the staged file is then renamed over that reservation of ours.
StepResult StagedCopy::CommitWithoutNoReplace(const std::string& destination) {
    if (::link(tempPath_.c_str(), destination.c_str()) == 0) {
        Discard();
        return kDone;
    }
    if (errno == EEXIST)
        return kNameTaken;
    if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS)
        return DestinationFailure(errno);
    const int reservation =
        ::open(destination.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (reservation < 0)
        return errno == EEXIST ? kNameTaken : DestinationFailure(errno);
    ::close(reservation);
    if (::rename(tempPath_.c_str(), destination.c_str()) != 0) {
        const int error = errno;
        ::unlink(destination.c_str());
        return DestinationFailure(error);
    }
    tempPath_.clear();
    return kDone;
}
