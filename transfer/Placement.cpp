#include "transfer/Placement.h"

#include "transfer/CopyOutcome.h"
#include "transfer/FolderLock.h"
#include "transfer/FreeName.h"
#include "transfer/RunNames.h"
#include "transfer/StagedCopy.h"

namespace {

// Another program (or another run of this one) may take the chosen name
// while the file is copying; the search then goes on past it. Each try that
// fails means a name someone else has just written, so runs side by side on
// the same titles need a good many before one would give up.
constexpr int kCommitAttempts = 100;

} // namespace

int ChooseName(Placement& place, RunNames& names, bool overwrite) {
    place.replace = false;
    switch (FindFreeName(place.folder, place.title, place.ext, names, place.destination,
                         overwrite ? &place.replace : nullptr)) {
    case FreeNameResult::Found:
        return 0;
    case FreeNameResult::AllTaken:
        return FailureResult(CopyFailureReason::NoFreeName);
    case FreeNameResult::LookupFailed:
        break;
    }
    return FailureResult(CopyFailureReason::DestinationNotWritable);
}

int PlaceStaged(StagedCopy& staged, Placement& place, RunNames& names, bool overwrite) {
    for (int attempt = 0; attempt < kCommitAttempts; ++attempt) {
        const FolderLock turn(overwrite ? place.folder : std::string());
        if (overwrite || attempt > 0)
            if (const int chosen = ChooseName(place, names, overwrite); chosen != 0)
                return chosen;
        const int committed = staged.Commit(place.destination, place.replace);
        if (committed == StagedCopy::Committed)
            names.Wrote(place.folder, place.destination.substr(place.folder.size()));
        if (committed != StagedCopy::NameTaken)
            return committed;
    }
    return FailureResult(CopyFailureReason::NoFreeName);
}
