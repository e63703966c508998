#include "library/FileScanner.h"

#include <algorithm>

#include "library/CItuneDB.h"
#include "library/DevicePaths.h"
#include "library/FileScanProgress.h"
#include "library/MusicFiles.h"
#include "library/ResolvePath.h"
#include "library/Utf16.h"
#include "library/VolumeLabel.h"

namespace {

// The master playlist's name when the volume has no label.
constexpr const char16_t* kDefaultPlaylistName = u"iPod";

uint32_t ClampToWord(uint64_t value) {
    return uint32_t(std::min<uint64_t>(value, UINT32_MAX));
}

} // namespace

int CItuneDB::LoadFromFiles(const std::string& volumeRoot, FileScanProgress* progress) {
    // The window scans off its own thread while it may read the root; the
    // database load before the scan has set the same one already.
    const std::string root = VolumeFolder(volumeRoot);
    if (root != deviceRoot)
        deviceRoot = root;
    StartTrackResolution(root);
    return FileScanner(*this, progress).Load(volumeRoot);
}

int FileScanner::Load(const std::string& volumeRoot) {
    const std::vector<std::string> paths = ListMusicFiles(volumeRoot);
    if (!ReadAll(paths)) {
        db.message = "Scan of the music files stopped\r\n";
        return 0;
    }
    db.FreeTables();
    db.source = CItuneDB::Source::None;
    db.message = "Read from the music files under " + volumeRoot + "\r\n";
    db.message += std::to_string(files.size()) + " tracks, " + std::to_string(untagged) +
                  " without readable tags, " + std::to_string(skipped) + " files skipped\r\n";
    if (files.empty()) {
        db.message += "No songs\r\n";
        return 2;
    }
    const std::string label = VolumeLabel(volumeRoot);
    if (!BuildTables(label.empty() ? ToUtf8(kDefaultPlaylistName) : label) ||
        !db.BuildPlaylistView(0)) {
        db.FreeTables();
        return 0;
    }
    db.source = CItuneDB::Source::Files;
    return 1;
}

bool FileScanner::ReadAll(const std::vector<std::string>& paths) {
    files.reserve(paths.size());
    const uint32_t total = ClampToWord(paths.size());
    for (size_t i = 0; i < paths.size(); ++i) {
        if (progress && progress->StopRequested())
            return false;
        ScannedFile file{paths[i], {}};
        // A link out of the device is no track of it; its file is not read.
        const TagReadResult read = ResolveTrackPath(file.path).empty()
                                       ? TagReadResult::Unreadable
                                       : ReadFileTags(file.path, file.tags);
        switch (read) {
        case TagReadResult::Unreadable:
            ++skipped;
            break;
        case TagReadResult::Untagged:
            ++untagged;
            files.push_back(std::move(file));
            break;
        case TagReadResult::Tagged:
            files.push_back(std::move(file));
            break;
        }
        if (progress)
            progress->Scanned(uint32_t(i + 1), total);
    }
    return true;
}

uint64_t FileScanner::StringUnits(const std::string& playlistName) const {
    auto units = [](const std::optional<std::u16string>& text) {
        return text ? text->size() + 1 : 0;
    };
    uint64_t sum = 0;
    for (const ScannedFile& file : files)
        sum += units(file.tags.title) + units(file.tags.artist) + units(file.tags.album) +
               units(file.tags.genre) + units(file.tags.composer) + units(file.tags.albumArtist) +
               FromUtf8(file.path).size() + 1;
    return sum + FromUtf8(playlistName).size() + 1;
}

// Every table is one allocation sized from what the scan found, as after a
// database's counting walk; the playlist name shares the track pool.
bool FileScanner::BuildTables(const std::string& playlistName) {
    const uint32_t count = ClampToWord(files.size());
    db.trackCount = count;
    db.trackStringUnits = StringUnits(playlistName);
    db.playlistTotal = 1;
    db.playlistNameUnits = 0;
    db.totalMembers = count;
    db.ResetFillCursors();
    db.trackIndexById.Clear();
    if (!db.tableMemory.Allocate(TableMemory::Rows(db.tracks, count),
                                 TableMemory::Rows(db.trackStrings, db.trackStringUnits),
                                 TableMemory::Rows(db.playlists, 1),
                                 TableMemory::Rows(db.memberIndices, count),
                                 TableMemory::Rows(db.trackDetails, count)) ||
        !db.trackIndexById.Reserve(count))
        return false;
    for (uint32_t row = 0; row < count; ++row)
        FillTrack(row, files[row]);
    db.trackIndexById.Seal();
    db.playlists[0] = {1, PutString(FromUtf8(playlistName)), db.memberIndices, count};
    db.playlistCount = db.playlistFill = 1;
    db.memberPos = count;
    return true;
}

const char16_t* FileScanner::PutString(const std::u16string& text) {
    char16_t* dst = db.trackStrings + db.trackStringPos;
    std::copy(text.begin(), text.end(), dst);
    dst[text.size()] = 0;
    db.trackStringPos += text.size() + 1;
    return dst;
}

// What the tags say of the track's length and its place in its album, as a
// database's header would; a file has no play counts, rating or dates added.
void FileScanner::FillDetails(TrackDetails& details, const FileTags& tags) {
    auto place = [this](const std::optional<std::u16string>& text) {
        return text ? uint32_t(PutString(*text) - db.trackStrings + 1) : 0;
    };
    details = TrackDetails{};
    details.lengthMs = tags.lengthMs;
    details.trackNumber = tags.trackNumber, details.trackCount = tags.trackCount;
    details.discNumber = tags.discNumber, details.discCount = tags.discCount;
    details.year = tags.year;
    details.compilation = tags.compilation ? 1 : 0;
    details.present = TrackDetails::kTrackNumber | TrackDetails::kTrackCount |
                      TrackDetails::kDiscNumber | TrackDetails::kDiscCount | TrackDetails::kYear |
                      TrackDetails::kCompilation;
    details.composer = place(tags.composer);
    details.albumArtist = place(tags.albumArtist);
}

// Track ids are the scan order, from 1; the kind word stays 0, since no
// database gave one.
void FileScanner::FillTrack(uint32_t row, const ScannedFile& file) {
    auto put = [this](const std::optional<std::u16string>& text) {
        return text ? PutString(*text) : nullptr;
    };
    TrackRecord& track = db.tracks[row];
    track = TrackRecord{};
    track.trackId = row + 1;
    track.title = put(file.tags.title);
    track.artist = put(file.tags.artist);
    track.album = put(file.tags.album);
    track.genre = put(file.tags.genre);
    track.location = PutString(FromUtf8(file.path));
    track.fileSize = ClampToWord(file.tags.size);
    FillDetails(db.trackDetails[row], file.tags);
    db.memberIndices[row] = int32_t(row);
    db.trackIndexById.Add(track.trackId, int32_t(row));
    ++db.zeroKindCount;
    db.trackFill = row + 1;
}
