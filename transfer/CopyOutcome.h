#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Why one checked row could not be copied. Small integers on purpose: they
// cross from the worker thread to the window and the CLI as plain values.
enum class CopyFailureReason : int {
    SourceMissing = 1,          // the device file is gone (or the row names none)
    SourceUnreadable = 2,       // it exists but could not be opened or read
    DestinationNotWritable = 3, // folder or file could not be created or renamed into place
    DiskFull = 4,               // the output volume (or a file size limit) ran out
    NoFreeName = 5,             // every numbered name was taken and overwriting is off
};

// What one step of a copy came to: done, failed for a reason, a name that
// someone else holds (a staged file stays for the next name), or abandoned
// at the owner's word.
struct StepResult {
    enum class Kind { Done, Failed, NameTaken, Aborted };
    Kind kind = Kind::Done;
    CopyFailureReason reason = CopyFailureReason::SourceMissing; // what failed, with Failed

    static StepResult Fail(CopyFailureReason why) { return {Kind::Failed, why}; }
    static StepResult Of(Kind kind) { return {kind, CopyFailureReason::SourceMissing}; }
    bool Done() const { return kind == Kind::Done; }
    bool Is(CopyFailureReason why) const { return kind == Kind::Failed && reason == why; }
};

// How a destination's errno is reported: DiskFull when the volume (its
// blocks or its inodes), the quota or a file size limit ran out, else
// DestinationNotWritable.
CopyFailureReason DestinationFailureOf(int error);

// Lower-case text for reports: "source missing", "disk full", ...
const char* CopyFailureText(CopyFailureReason reason);

struct CopyFailure {
    uint32_t row = 0; // index into the job's rows, in the order walked
    CopyFailureReason reason = CopyFailureReason::SourceMissing;
    std::string title;       // UTF-8, as the database gave it (may be empty)
    std::string source;      // UTF-8 source path tried (may be empty)
    std::string destination; // the file, or failing that the folder, it was to go to
};

// Where a row's file ended up: copied there, or found there already.
struct PlacedFile {
    uint32_t row = 0;
    std::string destination; // UTF-8, absolute
};

// A copy that is in place but could not be tagged (writeTags); it counts
// as copied.
struct UntaggedCopy {
    uint32_t row = 0;
    std::string title;       // UTF-8, as the database gave it
    std::string destination; // the copy
    std::string reason;      // lower-case text for reports, e.g. "not a format that takes tags"
};

// A cover.jpg (writeCovers) that could not be written; the copies count as
// copied all the same.
struct CoverFailure {
    std::string destination; // the cover.jpg it was to be
    CopyFailureReason reason = CopyFailureReason::DestinationNotWritable;
};

// What one walk did; handed to the owner together with COPY_DONE.
struct CopyOutcome {
    uint32_t copiedCount = 0;
    uint32_t skippedCount = 0;               // already there, with skipIdentical
    std::vector<PlacedFile> placed;          // copied and skipped rows, in walk order
    uint32_t failedCount = 0;                // always failures.size()
    bool cancelled = false;                  // the walk stopped before its last row
    std::vector<CopyFailure> failures;       // in walk order
    std::vector<UntaggedCopy> untagged;      // in walk order
    uint32_t coversWritten = 0;              // cover.jpg files put into album folders
    uint32_t coversKept = 0;                 // folders whose cover.jpg was left as it was
    std::vector<CoverFailure> coverFailures; // in walk order
};
