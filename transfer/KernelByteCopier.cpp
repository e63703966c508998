#include "transfer/ByteCopier.h"

#include <cerrno>
#include <memory>
#include <sys/sendfile.h>
#include <unistd.h>

namespace {

// Large enough that a 100 MB file takes a handful of calls, small enough
// that an abort is seen within a few milliseconds.
constexpr size_t kKernelChunk = size_t{1} << 24;
constexpr size_t kBufferBytes = size_t{1} << 20;

bool IsNoSpace(int error) {
    return error == ENOSPC || error == EDQUOT || error == EFBIG;
}

enum class Step { Done, Fallback, Failed };

bool WriteAll(int to, const char* data, size_t size, ByteCopyResult& result) {
    while (size > 0) {
        const ssize_t n = ::write(to, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            result = IsNoSpace(errno) ? ByteCopyResult::NoSpace : ByteCopyResult::WriteFailed;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// The plain way; it also tells read errors from write errors exactly, so
// the faster calls hand over to it whenever they fail in an unclear way.
ByteCopyResult ReadWriteCopy(int from, int to, uint64_t& copied, const std::atomic<bool>& abort) {
    const auto buffer = std::make_unique_for_overwrite<char[]>(kBufferBytes);
    ByteCopyResult result = ByteCopyResult::Ok;
    for (;;) {
        if (abort.load())
            return ByteCopyResult::Aborted;
        const ssize_t n = ::read(from, buffer.get(), kBufferBytes);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return ByteCopyResult::ReadFailed;
        if (n == 0)
            return ByteCopyResult::Ok;
        if (!WriteAll(to, buffer.get(), static_cast<size_t>(n), result))
            return result;
        copied += static_cast<uint64_t>(n);
    }
}

// Runs one of the kernel's copy calls until the end of the source. Any
// error but a full disk hands over to the next way (unsupported across these
// file systems, or a failure read/write can name precisely). A call that
// returns 0 short of the size the source had, or before any byte, may mean
// "this file system will not" (some pseudo and FUSE files); the next way
// settles whether it is the end.
template <typename KernelCall>
Step KernelCopy(KernelCall call, uint64_t sizeHint, uint64_t& copied, ByteCopyResult& result,
                const std::atomic<bool>& abort) {
    for (;;) {
        if (abort.load()) {
            result = ByteCopyResult::Aborted;
            return Step::Failed;
        }
        const ssize_t n = call(kKernelChunk);
        if (n > 0) {
            copied += static_cast<uint64_t>(n);
            continue;
        }
        if (n == 0)
            return copied >= sizeHint && copied > 0 ? Step::Done : Step::Fallback;
        if (errno == EINTR)
            continue;
        if (IsNoSpace(errno)) {
            result = ByteCopyResult::NoSpace;
            return Step::Failed;
        }
        return Step::Fallback;
    }
}

class KernelCopier : public ByteCopier {
public:
    ByteCopyResult Copy(int from, int to, uint64_t sizeHint,
                        const std::atomic<bool>& abort) override {
        ByteCopyResult result = ByteCopyResult::Ok;
        uint64_t copied = 0;
        Step step = KernelCopy(
            [&](size_t chunk) { return ::copy_file_range(from, nullptr, to, nullptr, chunk, 0); },
            sizeHint, copied, result, abort);
        if (step == Step::Fallback)
            step = KernelCopy([&](size_t chunk) { return ::sendfile(to, from, nullptr, chunk); },
                              sizeHint, copied, result, abort);
        if (step == Step::Fallback)
            result = ReadWriteCopy(from, to, copied, abort);
        // A source that shrank while it was read (truncated, or a device
        // giving out) ends early without an error; that is not a copy.
        if (result == ByteCopyResult::Ok && copied < sizeHint)
            return ByteCopyResult::ReadFailed;
        return result;
    }
};

} // namespace

ByteCopier& KernelByteCopier() {
    static KernelCopier copier;
    return copier;
}
