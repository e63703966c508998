#include "transfer/M3uPlaylist.h"

#include "library/CItuneDB.h"
#include "library/Utf16.h"
#include "transfer/CopyOutcome.h"
#include "transfer/PathComponent.h"
#include "transfer/Placement.h"
#include "transfer/StagedCopy.h"

namespace {

constexpr const char* kUnnamedPlaylist = "Playlist";
constexpr const char* kExtension = ".m3u8";

// Device text on one line: a line break in a title would start a new entry.
std::string OneLine(const char16_t* text, const char* fallback) {
    std::string line = text && *text ? ToUtf8(Utf16View(text)) : fallback;
    for (char& c : line)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    return line;
}

std::string Seconds(uint32_t lengthMs) {
    return lengthMs == 0 ? "-1" : std::to_string((uint64_t(lengthMs) + 500) / 1000);
}

} // namespace

std::string M3uText(const std::vector<M3uEntry>& entries) {
    std::string text = "#EXTM3U\n";
    for (const M3uEntry& entry : entries) {
        text += "#EXTINF:" + Seconds(entry.lengthMs) + "," + OneLine(entry.artist, kUnknownArtist) +
                " - " + OneLine(entry.title, kUnknownTitle) + "\n";
        text += entry.relativePath + "\n";
    }
    return text;
}

std::string M3uTitle(const char16_t* playlistName) {
    const size_t room = kMaxComponentBytes - std::char_traits<char>::length(kExtension);
    std::string name = SafePathComponent(Utf16View(playlistName), room);
    return name.empty() ? kUnnamedPlaylist : name;
}

std::vector<M3uEntry> PlacedEntries(const CItuneDB& db, const TrackRecord* rows,
                                    const CopyOutcome& outcome, const std::string& folder) {
    std::vector<M3uEntry> entries;
    for (const PlacedFile& placed : outcome.placed) {
        const TrackRecord& row = rows[placed.row];
        if (placed.destination.compare(0, folder.size(), folder) != 0)
            continue;
        entries.push_back({placed.destination.substr(folder.size()), db.TrackLengthMs(row),
                           row.artist, row.title});
    }
    return entries;
}

StepResult WritePlaylistFile(const std::string& folder, const std::string& title,
                             const std::vector<M3uEntry>& entries, RunNames& names, bool overwrite,
                             std::string& where) {
    Placement place{folder, title, kExtension, {}, false};
    StagedCopy staged;
    StepResult result = overwrite ? StepResult{} : ChooseName(place, names, false);
    if (result.Done())
        result = staged.StageContent(folder, M3uText(entries));
    if (result.Done())
        result = PlaceStaged(staged, place, names, overwrite);
    if (result.Done()) {
        where = place.destination.substr(folder.size());
    } else if (place.destination.empty()) {
        where = folder;
        where.append(title).append(kExtension);
    } else {
        where = place.destination;
    }
    return result;
}
