// The files an iPod writes beside its database between syncs: the play
// counts of its tracks and the On-The-Go playlists made on it. A sync folds
// them into the database and deletes them, so a device that has been played
// since holds what the database does not yet know. They are input from the
// device like the database: a file that cannot be used is ignored, and the
// database loads all the same.
#include "library/CItuneDB.h"

#include "library/DeviceSideFile.h"
#include "library/OnTheGoFile.h"
#include "library/ResolvePath.h"
#include "library/Utf16.h"

namespace {

constexpr const char* kPlayCountsName = "Play Counts";
constexpr const char* kOnTheGoName = "OTGPlaylistInfo";
// Far above what a device with 40,000 tracks writes (28 bytes a track).
constexpr size_t kLargestPlayCounts = size_t(64) << 20;
constexpr size_t kLargestOnTheGo = size_t(16) << 20;
constexpr size_t kMostOnTheGoFiles = 1000;

// Appended: GCC 12's -Wrestrict misreads an inlined "literal" + std::string.
std::string OnTheGoFileName(size_t n) {
    std::string name = kOnTheGoName;
    if (n != 0) {
        name += '_';
        name += std::to_string(n);
    }
    return name;
}

std::u16string OnTheGoPlaylistName(size_t number) {
    std::u16string name = u"On-The-Go ";
    name += FromUtf8(std::to_string(number));
    return name;
}

// Why a file that exists was not read, as a line of `message`; nothing for
// a missing one, which is what a device synced since it was last played has.
void NoteUnread(std::string& message, const std::string& name, DeviceFileRead read) {
    if (read == DeviceFileRead::Unreadable)
        message += name + " ignored: cannot be read\r\n";
    else if (read == DeviceFileRead::TooLarge)
        message += name + " ignored: too large\r\n";
}

} // namespace

void CItuneDB::ReadDeviceSideFiles() {
    deviceSideNotes.clear();
    const std::string folder = dbPath.substr(0, dbPath.rfind('/') + 1);
    const DeviceFileRead read = MapDeviceSideFile(ResolveExistingPath(folder + kPlayCountsName),
                                                  kLargestPlayCounts, playCountsFile);
    hasPlayCounts = read == DeviceFileRead::Read;
    NoteUnread(deviceSideNotes, kPlayCountsName, read);
    ReadOnTheGoFiles(folder);
}

void CItuneDB::ReadOnTheGoFiles(const std::string& folder) {
    onTheGoLists.clear();
    std::vector<uint8_t> bytes;
    for (size_t n = 0; n < kMostOnTheGoFiles; ++n) {
        const std::string name = OnTheGoFileName(n);
        const DeviceFileRead read =
            ReadDeviceSideFile(ResolveExistingPath(folder + name), kLargestOnTheGo, bytes);
        if (read == DeviceFileRead::Missing)
            return;
        NoteUnread(deviceSideNotes, name, read);
        std::vector<uint32_t> indexes =
            ReadOnTheGoIndexes(bytes.data(), bytes.size(), name, deviceSideNotes);
        // The device keeps an empty file for the playlist not yet begun.
        if (!indexes.empty())
            onTheGoLists.push_back(std::move(indexes));
    }
}

TableRoom CItuneDB::OnTheGoRoom() const {
    TableRoom more;
    more.playlists = onTheGoLists.size();
    for (size_t i = 0; i < onTheGoLists.size(); ++i) {
        more.playlistNameUnits += OnTheGoPlaylistName(i + 1).size() + 1;
        more.members += onTheGoLists[i].size();
    }
    return more;
}

// After the database's playlists, so that their rows and the master's
// place stay as the database has them.
void CItuneDB::AppendOnTheGo() {
    onTheGoCount = 0;
    for (size_t i = 0; i < onTheGoLists.size(); ++i)
        AppendOnTheGoPlaylist(i + 1, onTheGoLists[i]);
}

void CItuneDB::AppendOnTheGoPlaylist(size_t number, const std::vector<uint32_t>& indexes) {
    const std::u16string name = OnTheGoPlaylistName(number);
    if (playlistFill >= room.playlists || room.playlistNameUnits - playlistNamePos <= name.size() ||
        room.members - memberPos < indexes.size())
        return; // only when the tables were laid out without this file's room
    PlaylistRecord& playlist = playlists[playlistFill++];
    playlist = PlaylistRecord{};
    char16_t* dst = playlistNames + playlistNamePos;
    name.copy(dst, name.size());
    dst[name.size()] = 0;
    playlistNamePos += name.size() + 1;
    playlist.name = dst;
    playlist.members = memberIndices + memberPos;
    size_t unknown = 0;
    for (uint32_t index : indexes) {
        if (index >= trackFill) {
            ++unknown;
            continue;
        }
        memberIndices[memberPos++] = int32_t(index);
        ++playlist.memberCount;
    }
    ++onTheGoCount;
    if (unknown > 0)
        message +=
            ToUtf8(name) + ": " + std::to_string(unknown) + " entries past the last track\r\n";
}
