#pragma once

#include <atomic>
#include <cstdint>

// How the worker moves the bytes of one file from an open source to an open,
// empty destination. A seam: tests hand the worker copiers that fail after a
// number of bytes or that watch what the worker holds while copying.
enum class ByteCopyResult : int {
    Ok = 0,
    ReadFailed = 1,  // the source could not be read
    WriteFailed = 2, // the destination refused the bytes
    NoSpace = 3,     // ENOSPC, EDQUOT or EFBIG on the destination
    Aborted = 4,     // `abort` was set while the bytes were moving
};

class ByteCopier {
public:
    virtual ~ByteCopier() = default;

    // Copies from the offset of `from` (its start, unless a tag rendered
    // beforehand replaces the first bytes) to its end into `to`, at its
    // offset; `sizeHint` is what the source held from there at open time
    // (the copy still runs to the real end, and an end short of the hint
    // is ReadFailed). `abort` is looked at between
    // pieces of the file, so that a user who stops hard waits for no file.
    virtual ByteCopyResult Copy(int from, int to, uint64_t sizeHint,
                                const std::atomic<bool>& abort) = 0;
};

// The kernel's in-place copy (copy_file_range, then sendfile, then plain
// read and write when the file systems refuse the faster calls).
ByteCopier& KernelByteCopier();
