// corvane-cli tracks: one playlist's tracks, each once, in playlist order.
#include <ostream>

#include "cli/Commands.h"
#include "cli/DeviceSession.h"
#include "cli/ExitCodes.h"
#include "cli/JsonWriter.h"
#include "cli/TextTable.h"
#include "library/ArtworkLibrary.h"
#include "library/MacTime.h"
#include "library/Utf16.h"

namespace {

const char* const kUsage =
    "usage: corvane-cli tracks [--device DIR] [--playlist INDEX] [--from-files] [--json]\n"
    "\n"
    "Lists the tracks of a playlist as corvane shows them: each track once,\n"
    "in playlist order.\n"
    "  --device DIR       the iPod's mount point (default: the first one found)\n"
    "  --playlist INDEX   the playlist's index from 'playlists' (default 0, the master)\n"
    "  --from-files       read the music files' own tags, not the database (the\n"
    "                     default when the database is missing, empty or unreadable)\n"
    "  --json             write a JSON array of {\"num\", \"id\", \"title\", \"artist\",\n"
    "                     \"album\", \"genre\", \"size\", \"path\", \"source\", ...}; source\n"
    "                     is \"database\" or \"files\"; then \"trackNumber\", \"trackCount\",\n"
    "                     \"discNumber\", \"discCount\", \"year\" (null when 0 or unknown),\n"
    "                     \"composer\", \"albumArtist\", \"compilation\", \"rating\" (0-100,\n"
    "                     20 a star), \"playCount\", \"skipCount\" (with the device's plays\n"
    "                     since its last sync), \"lastPlayed\", \"dateAdded\" (ISO 8601 UTC,\n"
    "                     null when unknown), \"artwork\" (whether the device's artwork\n"
    "                     database holds a cover for it)\n";

void CountField(JsonArrayWriter& json, std::string_view key, uint32_t value) {
    if (value == 0)
        json.NullField(key);
    else
        json.NumberField(key, value);
}

void TimeField(JsonArrayWriter& json, std::string_view key, uint32_t macTime) {
    if (macTime == 0)
        json.NullField(key);
    else
        json.TextField(key, MacTimeIso8601(macTime));
}

// Absent fields read as zero here: the keys say null or 0 alike for both.
void WriteDetails(JsonArrayWriter& json, const CItuneDB& db, const ArtworkLibrary& artwork,
                  const TrackRecord& track) {
    static const TrackDetails kNone;
    const TrackDetails* found = db.DetailsOf(track);
    const TrackDetails& details = found ? *found : kNone;
    CountField(json, "trackNumber", details.trackNumber);
    CountField(json, "trackCount", details.trackCount);
    CountField(json, "discNumber", details.discNumber);
    CountField(json, "discCount", details.discCount);
    CountField(json, "year", details.year);
    json.TextField("composer", db.DetailText(details.composer));
    json.TextField("albumArtist", db.DetailText(details.albumArtist));
    json.BoolField("compilation", details.compilation != 0);
    json.NumberField("rating", details.rating);
    json.NumberField("playCount", details.playCount);
    json.NumberField("skipCount", details.skipCount);
    TimeField(json, "lastPlayed", details.lastPlayed);
    TimeField(json, "dateAdded", details.dateAdded);
    json.BoolField("artwork", artwork.CoverOf(details).Valid());
}

// Rows read from the files name no image of the artwork database: their
// covers, if any, are inside the files, and telling would mean opening each.
void WriteJson(const CItuneDB& db, std::ostream& out) {
    ArtworkLibrary artwork;
    if (db.source == CItuneDB::Source::Database)
        artwork.Load(db.DeviceRoot());
    JsonArrayWriter json(out);
    for (uint32_t i = 0; i < db.viewRowCount; ++i) {
        const TrackRecord& track = db.viewRows[i];
        json.BeginObject();
        json.NumberField("num", i + 1);
        json.NumberField("id", track.trackId);
        json.TextField("title", track.title);
        json.TextField("artist", track.artist);
        json.TextField("album", track.album);
        json.TextField("genre", track.genre);
        json.NumberField("size", track.fileSize);
        if (const std::string path = TrackSourcePath(track); !path.empty())
            json.TextField("path", path);
        else
            json.NullField("path");
        json.TextField("source", SourceName(db));
        WriteDetails(json, db, artwork, track);
        json.EndObject();
    }
}

void WriteTable(const CItuneDB& db, std::ostream& out) {
    TextTable table({"#", "Title", "Artist", "Album", "Genre", "Size", "Path"},
                    {true, false, false, false, false, true});
    auto text = [](const char16_t* field) { return ToUtf8(Utf16View(field)); };
    for (uint32_t i = 0; i < db.viewRowCount; ++i) {
        const TrackRecord& track = db.viewRows[i];
        table.AddRow({std::to_string(i + 1), text(track.title), text(track.artist),
                      text(track.album), text(track.genre), std::to_string(track.fileSize),
                      TrackSourcePath(track)});
    }
    table.Print(out);
    out << SourceLine(db) << "\n";
}

} // namespace

int RunTracks(const CommandArgs& args, std::ostream& out, std::ostream& err) {
    ParsedOptions options;
    const std::vector<OptionSpec> specs = {
        {"device", true}, {"playlist", true}, {"json"}, kFromFilesOption};
    if (int done = HandleCommonOptions(args, specs, kUsage, options, out, err); done >= 0)
        return done;
    int32_t index = 0;
    if (options.Has("playlist") && !ParseIndex(options.Get("playlist"), index)) {
        err << "corvane-cli: --playlist needs a playlist index, not '" << options.Get("playlist")
            << "'\n";
        return kExitUsage;
    }
    CItuneDB db;
    if (int code = OpenDevice(options, db, err); code != kExitOk)
        return code;
    if (uint32_t(index) >= db.playlistCount) {
        err << "corvane-cli: no playlist " << index << ": the device has " << db.playlistCount
            << " (0-" << db.playlistCount - 1 << ")\n";
        return kExitUsage;
    }
    if (!db.BuildPlaylistView(index)) {
        err << "corvane-cli: out of memory building the view of playlist " << index << "\n";
        return kExitUnreadable;
    }
    if (options.Has("json"))
        WriteJson(db, out);
    else
        WriteTable(db, out);
    return kExitOk;
}
