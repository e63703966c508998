#include "transfer/CopyWorker.h"

#include "library/ResolvePath.h"
#include "library/TrackTableLock.h"
#include "library/Utf16.h"
#include "transfer/ByteCopier.h"
#include "transfer/CopyProgress.h"
#include "transfer/DestinationFolder.h"
#include "transfer/FolderLock.h"
#include "transfer/FreeName.h"
#include "transfer/IdenticalFile.h"
#include "transfer/PathComponent.h"
#include "transfer/RunNames.h"
#include "transfer/StagedCopy.h"

#include <fcntl.h>
#include <mutex>
#include <set>
#include <unistd.h>

namespace {

// Another program (or another run of this one) may take the chosen name
// while the file is copying; the search then goes on past it. Each try that
// fails means a name someone else has just written, so runs side by side on
// the same titles need a good many before one would give up.
constexpr int kCommitAttempts = 100;

// One checked row with its destination settled.
struct RowPlan {
    bool hasSource = false;
    std::string source;      // the row's location as UTF-8
    std::string title;       // as the database gave it, for reports
    std::string folder;      // ending in "/"
    std::string fileTitle;   // safe title component, may be empty
    std::string ext;         // safe extension, may be empty
    std::string destination; // full path the copy is renamed to
    bool replace = false;    // the destination may replace a file from before the walk
    int failure = 0;         // a CopyFailureReason, or 0
};

std::string SettleFolder(const CopyJob& job, const TrackRecord& row, int& error) {
    if (!job.keepOrganized)
        return job.outputFolder;
    const std::string artistFolder = EnsureChildFolder(
        job.outputFolder, SafePathComponent(Utf16View(row.artist)), kUnknownArtist, error);
    if (error != 0)
        return artistFolder;
    return EnsureChildFolder(artistFolder, SafePathComponent(Utf16View(row.album)), kUnknownAlbum,
                             error);
}

std::string ChildFolderName(const char16_t* text, const char* fallback) {
    const std::string name = SafePathComponent(Utf16View(text));
    return (name.empty() ? std::string(fallback) : name) + "/";
}

// Where SettleFolder will put the row when every folder can be made.
std::string FolderOf(const CopyJob& job, const TrackRecord& row) {
    if (!job.keepOrganized)
        return job.outputFolder;
    return job.outputFolder + ChildFolderName(row.artist, kUnknownArtist) +
           ChildFolderName(row.album, kUnknownAlbum);
}

// Notes, before anything is written, which files an overwriting walk may
// replace: what the folders of its checked rows hold now.
void ListFoldersBeforeRun(const CopyJob& job, RunNames& names) {
    std::lock_guard lock(g_trackTableLock);
    std::set<std::string> folders;
    for (uint32_t i = 0; i < job.rowCount; ++i)
        if (job.rows[i].checked != 0)
            folders.insert(FolderOf(job, job.rows[i]));
    for (const std::string& folder : folders)
        names.ListBeforeRun(folder);
}

// Settles plan.destination: a free name, or with `overwrite` also one that
// holds a file from before the walk, to be replaced.
int ChooseName(RowPlan& plan, RunNames& names, bool overwrite) {
    plan.replace = false;
    switch (FindFreeName(plan.folder, plan.fileTitle, plan.ext, names, plan.destination,
                         overwrite ? &plan.replace : nullptr)) {
    case FreeNameResult::Found:
        return 0;
    case FreeNameResult::AllTaken:
        return FailureResult(CopyFailureReason::NoFreeName);
    case FreeNameResult::LookupFailed:
        break;
    }
    return FailureResult(CopyFailureReason::DestinationNotWritable);
}

// Runs under g_trackTableLock: reads the row and creates its folders.
RowPlan PlanRow(const CopyJob& job, const TrackRecord& row, RunNames& names) {
    RowPlan plan;
    plan.hasSource = row.location != nullptr;
    plan.source = ToUtf8(Utf16View(row.location));
    plan.title = ToUtf8(Utf16View(row.title));
    int folderError = 0;
    plan.folder = SettleFolder(job, row, folderError);
    plan.fileTitle = SafePathComponent(Utf16View(row.title));
    plan.ext = SourceExtension(plan.source);
    if (folderError != 0)
        plan.failure = FailureResult(DestinationFailureOf(folderError));
    else if (names.FirstUse(plan.folder))
        RemoveStaleStagedFiles(plan.folder);
    return plan;
}

// Without the lock: the copy itself, then the rename into place. A name to
// replace is chosen only once the copy is staged, in the folder's turn, as
// the file there may have changed while the bytes were copying.
int CarryOut(RowPlan& plan, const CopyJob& job, ByteCopier& copier, RunNames& names,
             IdenticalFiles& known) {
    if (!plan.hasSource)
        return FailureResult(CopyFailureReason::SourceMissing);
    const bool overwrite = job.overwriteExisting;
    if (!overwrite)
        if (const int chosen = ChooseName(plan, names, false); chosen != 0)
            return chosen;
    StagedCopy staged;
    const int result =
        staged.Stage(ResolveTrackPath(plan.source), plan.folder, copier, job.abortRequested);
    if (result != 0)
        return result;
    for (int attempt = 0; attempt < kCommitAttempts; ++attempt) {
        const FolderLock turn(overwrite ? plan.folder : std::string());
        if (overwrite || attempt > 0)
            if (const int chosen = ChooseName(plan, names, overwrite); chosen != 0)
                return chosen;
        const int committed = staged.Commit(plan.destination, plan.replace);
        if (committed == StagedCopy::Committed) {
            const std::string name = plan.destination.substr(plan.folder.size());
            names.Wrote(plan.folder, name);
            known.Added(plan.folder, name);
        }
        if (committed != StagedCopy::NameTaken)
            return committed;
    }
    return FailureResult(CopyFailureReason::NoFreeName);
}

// Without the lock, like the copy it stands in for.
bool AlreadyThere(RowPlan& plan, IdenticalFiles& known) {
    return plan.hasSource && known.Find(ResolveTrackPath(plan.source), plan.folder, plan.fileTitle,
                                        plan.ext, plan.destination);
}

void Record(CopyOutcome& outcome, uint32_t row, const RowPlan& plan, int result) {
    if (result == 0) {
        ++outcome.copiedCount;
        outcome.placed.push_back({row, plan.destination});
        return;
    }
    outcome.failures.push_back({row, static_cast<CopyFailureReason>(result), plan.title,
                                plan.source,
                                plan.destination.empty() ? plan.folder : plan.destination});
}

// The owner tells the user the transfer has finished once COPY_DONE arrives;
// that should hold for the disk, not only for the page cache.
void FlushOutputVolume(const std::string& outputFolder) {
    const int fd = ::open(outputFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::syncfs(fd);
    ::close(fd);
}

} // namespace

unsigned CopyWorkerProc(CopyJob* job) {
    ByteCopier& copier = job->byteCopier ? *job->byteCopier : KernelByteCopier();
    CopyOutcome outcome;
    RunNames names;
    IdenticalFiles known;
    if (job->overwriteExisting)
        ListFoldersBeforeRun(*job, names);
    for (uint32_t i = 0; i < job->rowCount; ++i) {
        if (job->cancelRequested.load()) {
            outcome.cancelled = true;
            break;
        }
        RowPlan plan;
        {
            std::lock_guard lock(g_trackTableLock);
            const TrackRecord& row = job->rows[i];
            if (row.checked == 0)
                continue;
            job->progress->Post(COPY_NEXT);
            plan = PlanRow(*job, row, names);
        }
        if (job->skipIdentical && plan.failure == 0 && AlreadyThere(plan, known)) {
            ++outcome.skippedCount;
            outcome.placed.push_back({i, plan.destination});
            continue;
        }
        const int result =
            plan.failure != 0 ? plan.failure : CarryOut(plan, *job, copier, names, known);
        if (result == StagedCopy::Aborted) {
            outcome.cancelled = true;
            break;
        }
        Record(outcome, i, plan, result);
    }
    if (outcome.copiedCount > 0)
        FlushOutputVolume(job->outputFolder);
    outcome.failedCount = static_cast<uint32_t>(outcome.failures.size());
    job->progress->PostDone(std::move(outcome));
    return 0;
}
