#include "transfer/CopyWorker.h"

#include "library/CItuneDB.h"
#include "library/ResolvePath.h"
#include "library/TrackTableLock.h"
#include "library/Utf16.h"
#include "transfer/AlbumCovers.h"
#include "transfer/ByteCopier.h"
#include "transfer/CopyName.h"
#include "transfer/CopyProgress.h"
#include "transfer/DestinationFolder.h"
#include "transfer/FormattedDestination.h"
#include "transfer/IdenticalFile.h"
#include "transfer/PathComponent.h"
#include "transfer/Placement.h"
#include "transfer/RunNames.h"
#include "transfer/StagedCopy.h"
#include "transfer/TagValues.h"
#include "transfer/TagWriter.h"

#include <fcntl.h>
#include <mutex>
#include <optional>
#include <set>
#include <unistd.h>

namespace {

// One checked row with its destination settled.
struct RowPlan {
    bool hasSource = false;
    std::string source; // the row's location as UTF-8
    std::string title;  // as the database gave it, for reports
    Placement place;
    StepResult failure;                  // Done, or why the row cannot go ahead
    TagValues tags;                      // with writeTags
    std::optional<TrackDetails> details; // with covers or tags, when the library has them
};

// What became of a row that went ahead.
struct RowResult {
    RowResult(StepResult of) : step(of) {}
    StepResult step;
    bool alreadyThere = false; // with skipIdentical: what it would write is in the folder
    std::string untagged;      // with writeTags: why the copy in place has no tags
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

bool UsesFormat(const CopyJob& job) {
    return job.nameFormat && !job.nameFormat->Empty();
}

// Where PlanRow will put the row when every folder can be made.
std::string FolderOf(const CopyJob& job, const TrackRecord& row) {
    std::string folder = job.outputFolder;
    for (const std::string& level : CopyNameOf(job, row).folders)
        folder.append(level).append("/");
    return folder;
}

// Notes, before anything is written, which files an overwriting walk may
// replace: what the folders of its checked rows hold now.
void ListFoldersBeforeRun(const CopyJob& job, RunNames& names) {
    std::lock_guard lock(g_trackTableLock);
    std::set<std::string> folders;
    for (uint32_t i = 0; i < job.rowCount; ++i)
        if (job.rows[i].checked != 0)
            folders.insert(FolderOf(job, job.rows[i]));
    // Playlist files go beside the rows' folders, into the output folder.
    folders.insert(job.outputFolder);
    for (const std::string& folder : folders)
        names.ListBeforeRun(folder);
}

// Runs under g_trackTableLock: reads the row and creates its folders.
RowPlan PlanRow(const CopyJob& job, const TrackRecord& row, RunNames& names) {
    RowPlan plan;
    plan.hasSource = row.location != nullptr;
    plan.source = ToUtf8(Utf16View(row.location));
    plan.title = ToUtf8(Utf16View(row.title));
    int folderError = 0;
    if (UsesFormat(job)) {
        const FormattedName name = job.nameFormat->Apply(TrackNameFields(job.library, row));
        plan.place.folder = EnsureFormattedFolders(job.outputFolder, name, folderError);
        plan.place.title = name.title;
    } else {
        plan.place.folder = SettleFolder(job, row, folderError);
        plan.place.title = SafePathComponent(Utf16View(row.title));
    }
    plan.place.ext = SourceExtension(plan.source);
    if (job.writeTags)
        plan.tags = TagValuesOf(job.library, row);
    if ((job.writeCovers || job.writeTags) && job.library)
        if (const TrackDetails* details = job.library->DetailsOf(row))
            plan.details = *details;
    if (folderError != 0)
        plan.failure = StepResult::Fail(DestinationFailureOf(folderError));
    else if (names.FirstUse(plan.place.folder))
        RemoveStaleStagedFiles(plan.place.folder);
    return plan;
}

// Tags the staged copy; the reason when it stays untagged. A save that
// failed half-way may have damaged the copy, which is then staged afresh.
std::string TagStaged(const RowPlan& plan, const CopyJob& job, const std::string& source,
                      const std::vector<uint8_t>* cover, ByteCopier& copier, StagedCopy& staged,
                      StepResult& step) {
    const TagWriteResult tagged = WriteTags(staged.Path(), plan.place.ext, plan.tags, cover);
    if (tagged == TagWriteResult::NotSaved)
        step = staged.Stage(source, plan.place.folder, copier, job.abortRequested);
    else
        staged.RestoreSourceTimes();
    return tagged == TagWriteResult::Tagged ? std::string() : TagWriteText(tagged);
}

// The database's cover for a tagged copy. A file read from its own tags
// already carries whatever picture it has.
const std::vector<uint8_t>* CoverToEmbed(const CopyJob& job, const RowPlan& plan,
                                         TrackCovers* covers) {
    if (!job.writeTags || !covers || covers->ReadsFiles() || !plan.details)
        return nullptr;
    return covers->JpegOf(&*plan.details, std::string());
}

// Without the lock: the copy itself (and its tags), then the rename into
// place. A tag that goes in front of the audio is rendered first and
// written ahead of it; others are saved into the staged copy. With tags,
// skipIdentical looks for the tagged copy, as only that can be in the
// folder from an earlier run.
RowResult CarryOut(RowPlan& plan, const CopyJob& job, ByteCopier& copier, RunNames& names,
                   IdenticalFiles& known, TrackCovers* covers) {
    if (!plan.hasSource)
        return StepResult::Fail(CopyFailureReason::SourceMissing);
    if (!job.overwriteExisting)
        if (const StepResult chosen = ChooseName(plan.place, names, false); !chosen.Done())
            return chosen;
    const std::string source = ResolveTrackPath(plan.source);
    const std::vector<uint8_t>* cover = CoverToEmbed(job, plan, covers);
    FrontTag front;
    const bool tagFirst =
        job.writeTags && RenderFrontTag(source, plan.place.ext, plan.tags, cover, front);
    StagedCopy staged;
    RowResult result = staged.Stage(source, plan.place.folder, copier, job.abortRequested,
                                    front.bytes, front.replaced);
    if (result.step.Done() && job.writeTags && !tagFirst)
        result.untagged = TagStaged(plan, job, source, cover, copier, staged, result.step);
    if (result.step.Done() && job.writeTags && job.skipIdentical &&
        known.Find(staged.Path(), plan.place.folder, plan.place.title, plan.place.ext,
                   plan.place.destination)) {
        result.alreadyThere = true;
        return result;
    }
    if (result.step.Done())
        result.step = PlaceStaged(staged, plan.place, names, job.overwriteExisting);
    if (result.step.Done())
        known.Added(plan.place.folder, plan.place.destination.substr(plan.place.folder.size()));
    return result;
}

// Without the lock, like the copy it stands in for.
bool AlreadyThere(RowPlan& plan, IdenticalFiles& known) {
    return plan.hasSource && known.Find(ResolveTrackPath(plan.source), plan.place.folder,
                                        plan.place.title, plan.place.ext, plan.place.destination);
}

void Record(CopyOutcome& outcome, uint32_t row, const RowPlan& plan, const RowResult& result) {
    if (result.alreadyThere) {
        ++outcome.skippedCount;
        outcome.placed.push_back({row, plan.place.destination});
        return;
    }
    if (result.step.Done()) {
        ++outcome.copiedCount;
        outcome.placed.push_back({row, plan.place.destination});
        if (!result.untagged.empty())
            outcome.untagged.push_back({row, plan.title, plan.place.destination, result.untagged});
        return;
    }
    const Placement& place = plan.place;
    outcome.failures.push_back({row, result.step.reason, plan.title, plan.source,
                                place.destination.empty() ? place.folder : place.destination});
}

// The row's file is in its folder now, copied or found there.
void NotePlaced(std::optional<AlbumCovers>& covers, const RowPlan& plan, CopyOutcome& outcome) {
    if (covers)
        covers->Placed(plan.place.folder, plan.details ? &*plan.details : nullptr, plan.source,
                       outcome);
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
    std::optional<RunNames> ownNames;
    if (!job->names)
        ownNames.emplace();
    RunNames& names = job->names ? *job->names : *ownNames;
    IdenticalFiles known;
    std::optional<TrackCovers> trackCovers;
    if (job->writeCovers || job->writeTags)
        trackCovers.emplace(job->artwork, CoverRowsOf(*job));
    std::optional<AlbumCovers> covers;
    if (job->writeCovers)
        covers.emplace(*job, names, *trackCovers);
    if (job->overwriteExisting)
        ListFoldersBeforeRun(*job, names);
    // The owner's playlist files are staged there too, also when every row
    // goes into a folder below it.
    if (names.FirstUse(job->outputFolder))
        RemoveStaleStagedFiles(job->outputFolder);
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
        RowResult result = plan.failure;
        // A tagged copy is looked for once it is staged and tagged (CarryOut).
        if (plan.failure.Done() && job->skipIdentical && !job->writeTags)
            result.alreadyThere = AlreadyThere(plan, known);
        if (plan.failure.Done() && !result.alreadyThere)
            result =
                CarryOut(plan, *job, copier, names, known, trackCovers ? &*trackCovers : nullptr);
        if (result.step.kind == StepResult::Kind::Aborted) {
            outcome.cancelled = true;
            break;
        }
        Record(outcome, i, plan, result);
        if (result.step.Done())
            NotePlaced(covers, plan, outcome);
    }
    if (outcome.copiedCount > 0 || outcome.coversWritten > 0)
        FlushOutputVolume(job->outputFolder);
    outcome.failedCount = static_cast<uint32_t>(outcome.failures.size());
    job->progress->PostDone(std::move(outcome));
    return 0;
}
