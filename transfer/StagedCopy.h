#pragma once

#include "transfer/CopyOutcome.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <time.h>

class ByteCopier;

// One file copy that is never seen half-done: the bytes go to a hidden
// temporary file in the destination folder, which is renamed into place only
// when complete. Whatever has not been committed is removed when the object
// goes away, so a failed or abandoned copy leaves nothing behind.
class StagedCopy {
public:
    StagedCopy() = default;
    ~StagedCopy();
    StagedCopy(const StagedCopy&) = delete;
    StagedCopy& operator=(const StagedCopy&) = delete;

    // Copies `source` into a new temporary file inside `folder` (ending in
    // "/"), with the source's modification time: done, failed, or Aborted
    // when `abort` stopped it. `head`, when given, is written in place of
    // the source's first `replaced` bytes (a tag rendered beforehand).
    StepResult Stage(const std::string& source, const std::string& folder, ByteCopier& copier,
                     const std::atomic<bool>& abort, std::string_view head = {},
                     uint64_t replaced = 0);

    // When a staged file's bytes reach the disk: before it may replace an
    // earlier file, or with the rest of the volume when it takes a new name
    // and its owner flushes the volume once the run is done (a cover an
    // album, thousands in a run, each waiting for the disk would cost more
    // than the copies).
    enum class Sync { BeforeCommit, WithVolume };

    // Writes `content` into a new temporary file inside `folder`, for files
    // the run makes itself (playlists, covers).
    StepResult StageContent(const std::string& folder, std::string_view content,
                            Sync sync = Sync::BeforeCommit);

    // Renames the staged file to `destination`. With replace false an
    // existing entry is never replaced: NameTaken, and the staged file stays
    // for another try.
    StepResult Commit(const std::string& destination, bool replace);

    // The staged file, for a step that rewrites it before Commit (the tags);
    // empty when nothing is staged.
    const std::string& Path() const { return tempPath_; }
    // Gives the staged file the source's times again after such a step.
    void RestoreSourceTimes() const;

private:
    StepResult CommitWithoutNoReplace(const std::string& destination);
    void Discard();

    std::string tempPath_;                // empty when nothing is staged
    struct timespec sourceTimes_[2] = {}; // access and modification, from Stage
};

// Removes from `folder` the temporary files that copies of processes which
// have since died (killed, or cut off with the power) left there; their
// names hold the process ID. Those of live processes stay.
void RemoveStaleStagedFiles(const std::string& folder);
