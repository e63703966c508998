#include "transfer/CopyWorker.h"

#include "library/ResolvePath.h"
#include "library/TrackTableLock.h"
#include "library/Utf16.h"
#include "transfer/ByteCopier.h"
#include "transfer/CopyProgress.h"
#include "transfer/DestinationFolder.h"
#include "transfer/FormattedDestination.h"
#include "transfer/FreeName.h"
#include "transfer/IdenticalFile.h"
#include "transfer/PathComponent.h"
#include "transfer/RunNames.h"
#include "transfer/StagedCopy.h"

#include <fcntl.h>
#include <mutex>
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

int ChooseFreeName(RowPlan& plan, RunNames& names) {
    plan.replace = false;
    switch (FindFreeName(plan.folder, plan.fileTitle, plan.ext, names, plan.destination)) {
    case FreeNameResult::Found:
        return 0;
    case FreeNameResult::AllTaken:
        return FailureResult(CopyFailureReason::NoFreeName);
    case FreeNameResult::LookupFailed:
        break;
    }
    return FailureResult(CopyFailureReason::DestinationNotWritable);
}

std::string PlainName(const RowPlan& plan) {
    return CandidateFileName(plan.fileTitle, -1, plan.ext);
}

// Runs under g_trackTableLock: reads the row, creates the folders and
// settles the name.
RowPlan PlanRow(const CopyJob& job, const TrackRecord& row, RunNames& names) {
    RowPlan plan;
    plan.hasSource = row.location != nullptr;
    plan.source = ToUtf8(Utf16View(row.location));
    plan.title = ToUtf8(Utf16View(row.title));
    int folderError = 0;
    if (job.nameFormat && !job.nameFormat->Empty()) {
        const FormattedName name = job.nameFormat->Apply(TrackNameFields(job.library, row));
        plan.folder = EnsureFormattedFolders(job.outputFolder, name, folderError);
        plan.fileTitle = name.title;
    } else {
        plan.folder = SettleFolder(job, row, folderError);
        plan.fileTitle = SafePathComponent(Utf16View(row.title));
    }
    plan.ext = SourceExtension(plan.source);
    if (folderError == 0 && names.FirstUse(plan.folder))
        RemoveStaleStagedFiles(plan.folder);
    if (folderError != 0) {
        plan.failure = FailureResult(DestinationFailureOf(folderError));
    } else if (job.overwriteExisting && !names.WroteEarlier(plan.folder, PlainName(plan))) {
        plan.destination = plan.folder + PlainName(plan);
        plan.replace = true;
    } else {
        plan.failure = ChooseFreeName(plan, names);
    }
    return plan;
}

// Runs without the lock: the copy itself, then the rename into place.
int CarryOut(RowPlan& plan, const CopyJob& job, ByteCopier& copier, RunNames& names) {
    if (!plan.hasSource)
        return FailureResult(CopyFailureReason::SourceMissing);
    StagedCopy staged;
    int result =
        staged.Stage(ResolveTrackPath(plan.source), plan.folder, copier, job.abortRequested);
    for (int attempt = 0; result == 0 && attempt < kCommitAttempts; ++attempt) {
        result = staged.Commit(plan.destination, plan.replace);
        if (result == StagedCopy::Committed)
            names.Wrote(plan.folder, plan.destination.substr(plan.folder.size()));
        if (result != StagedCopy::NameTaken)
            return result;
        result = ChooseFreeName(plan, names);
    }
    return result == 0 || result == StagedCopy::NameTaken
               ? FailureResult(CopyFailureReason::NoFreeName)
               : result;
}

// Without the lock, like the copy it stands in for.
bool AlreadyThere(RowPlan& plan) {
    return plan.hasSource && FindIdenticalFile(ResolveTrackPath(plan.source), plan.folder,
                                               plan.fileTitle, plan.ext, plan.destination);
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
        if (job->skipIdentical && plan.failure == 0 && AlreadyThere(plan)) {
            ++outcome.skippedCount;
            outcome.placed.push_back({i, plan.destination});
            continue;
        }
        const int result = plan.failure != 0 ? plan.failure : CarryOut(plan, *job, copier, names);
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
