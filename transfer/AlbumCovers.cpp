#include "transfer/AlbumCovers.h"

#include "library/CItuneDB.h"
#include "library/ResolvePath.h"
#include "transfer/CopyJob.h"
#include "transfer/CopyOutcome.h"
#include "transfer/FolderLock.h"
#include "transfer/RunNames.h"
#include "transfer/StagedCopy.h"

#include <string_view>
#include <sys/stat.h>

namespace {

constexpr const char* kCoverName = "cover.jpg";

enum class CoverSpot { Free, Replace, Keep };

// What the folder's cover.jpg allows now: nothing there, one from before
// the walk that an overwriting walk replaces, or one to keep (the user's,
// this walk's, another run's, or something that is not a file).
CoverSpot SpotOf(const std::string& folder, RunNames& names, bool overwrite) {
    struct stat st {};
    if (::lstat((folder + kCoverName).c_str(), &st) != 0)
        return CoverSpot::Free;
    if (overwrite && !names.WroteEarlier(folder, kCoverName) &&
        names.FromBeforeRun(folder, kCoverName, st))
        return CoverSpot::Replace;
    return CoverSpot::Keep;
}

// Puts `jpeg` into the folder as cover.jpg: Done, NameTaken when one is
// to be kept, or why it could not be written. `first` is the spot as the
// caller found it, before encoding; it is looked at again in the folder's
// turn, just before the rename, as another run may have written one
// meanwhile.
StepResult PlaceCover(const std::string& folder, const std::vector<uint8_t>& jpeg, RunNames& names,
                      bool overwrite, CoverSpot first) {
    const StepResult keep = StepResult::Of(StepResult::Kind::NameTaken);
    // A file that was not there at first is not from before the walk, so
    // only a cover that replaces one needs its bytes on the disk first.
    StagedCopy staged;
    const StepResult staging = staged.StageContent(
        folder, std::string_view(reinterpret_cast<const char*>(jpeg.data()), jpeg.size()),
        first == CoverSpot::Replace ? StagedCopy::Sync::BeforeCommit
                                    : StagedCopy::Sync::WithVolume);
    if (!staging.Done())
        return staging;
    const FolderLock turn(overwrite ? folder : std::string());
    const CoverSpot spot = SpotOf(folder, names, overwrite);
    if (spot == CoverSpot::Keep)
        return keep;
    const StepResult committed = staged.Commit(folder + kCoverName, spot == CoverSpot::Replace);
    if (committed.Done())
        names.Wrote(folder, kCoverName);
    return committed;
}

} // namespace

TrackCovers::Rows CoverRowsOf(const CopyJob& job) {
    return job.library && job.library->source == CItuneDB::Source::Files
               ? TrackCovers::Rows::FromFiles
               : TrackCovers::Rows::FromDatabase;
}

AlbumCovers::AlbumCovers(const CopyJob& job, RunNames& names, TrackCovers& covers)
    : outputFolder_(job.outputFolder), overwrite_(job.overwriteExisting), names_(names),
      covers_(covers) {}

void AlbumCovers::Placed(const std::string& folder, const TrackDetails* details,
                         const std::string& location, CopyOutcome& outcome) {
    if (folder == outputFolder_ || settled_.count(folder) != 0)
        return;
    const TrackCovers::Found found =
        covers_.Find(details, covers_.ReadsFiles() ? ResolveTrackPath(location) : std::string());
    if (!found.Valid())
        return;
    // Looked at before encoding, so that a re-run that keeps every cover
    // neither encodes nor writes one.
    const CoverSpot spot = SpotOf(folder, names_, overwrite_);
    if (spot == CoverSpot::Keep) {
        settled_.insert(folder);
        ++outcome.coversKept;
        return;
    }
    const std::vector<uint8_t>* jpeg = covers_.Jpeg(found);
    if (!jpeg)
        return;
    settled_.insert(folder);
    const StepResult result = PlaceCover(folder, *jpeg, names_, overwrite_, spot);
    if (result.Done())
        ++outcome.coversWritten;
    else if (result.kind == StepResult::Kind::NameTaken)
        ++outcome.coversKept;
    else
        outcome.coverFailures.push_back({folder + kCoverName, result.reason});
}
