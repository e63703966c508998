#include "transfer/FormattedDestination.h"

#include "library/CItuneDB.h"
#include "transfer/DestinationFolder.h"

NameFields TrackNameFields(const CItuneDB* library, const TrackRecord& row) {
    NameFields fields;
    fields.title = row.title;
    fields.artist = row.artist;
    fields.album = row.album;
    fields.genre = row.genre;
    const TrackDetails* details = library ? library->DetailsOf(row) : nullptr;
    if (!details)
        return fields;
    fields.albumArtist = library->DetailText(details->albumArtist);
    fields.composer = library->DetailText(details->composer);
    fields.year = details->year;
    fields.track = details->trackNumber;
    fields.disc = details->discNumber;
    return fields;
}

std::string EnsureFormattedFolders(const std::string& outputFolder, const FormattedName& name,
                                   int& error) {
    std::string folder = outputFolder;
    // A level that cannot be made has no other name to fall back on: the
    // row fails with the reason, as when the fallback folders cannot be made.
    for (size_t i = 0; i < name.folders.size() && error == 0; ++i)
        folder = EnsureChildFolder(folder, name.folders[i], name.folders[i].c_str(), error);
    return folder;
}
