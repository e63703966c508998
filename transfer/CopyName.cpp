#include "transfer/CopyName.h"

#include "library/Utf16.h"
#include "transfer/CopyJob.h"
#include "transfer/FormattedDestination.h"
#include "transfer/PathComponent.h"

namespace {

std::string FolderName(const char16_t* text, const char* fallback) {
    std::string name = SafePathComponent(Utf16View(text));
    return name.empty() ? std::string(fallback) : name;
}

} // namespace

FormattedName CopyNameOf(const CopyJob& job, const TrackRecord& row) {
    if (job.nameFormat && !job.nameFormat->Empty())
        return job.nameFormat->Apply(TrackNameFields(job.library, row));
    FormattedName name;
    if (job.keepOrganized)
        name.folders = {FolderName(row.artist, kUnknownArtist),
                        FolderName(row.album, kUnknownAlbum)};
    name.title = SafePathComponent(Utf16View(row.title));
    return name;
}

std::string CopyPathOf(const CopyJob& job, const TrackRecord& row) {
    const FormattedName name = CopyNameOf(job, row);
    std::string path;
    for (const std::string& folder : name.folders)
        path.append(folder).append("/");
    return path +
           CandidateFileName(name.title, -1, SourceExtension(ToUtf8(Utf16View(row.location))));
}
