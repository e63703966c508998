// corvane-cli playlists: the playlist table of the device, master first.
#include <ostream>

#include "cli/Commands.h"
#include "cli/DeviceSession.h"
#include "cli/ExitCodes.h"
#include "cli/JsonWriter.h"
#include "cli/TextTable.h"
#include "library/Utf16.h"

namespace {

const char* const kUsage =
    "usage: corvane-cli playlists [--device DIR] [--from-files] [--json]\n"
    "\n"
    "Lists the device's playlists; index 0 is the master playlist.\n"
    "  --device DIR   the iPod's mount point (default: the first one found)\n"
    "  --from-files   read the music files' own tags, not the database (the\n"
    "                 default when the database is missing, empty or unreadable)\n"
    "  --json         write a JSON array of {\"index\", \"name\", \"master\", \"items\",\n"
    "                 \"source\", \"onTheGo\"}; source is \"database\" or \"files\";\n"
    "                 onTheGo is true for the playlists made on the device since\n"
    "                 its last sync (\"On-The-Go 1\", ...), after the others\n";

} // namespace

int RunPlaylists(const CommandArgs& args, std::ostream& out, std::ostream& err) {
    ParsedOptions options;
    if (int done = HandleCommonOptions(args, {{"device", true}, {"json"}, kFromFilesOption}, kUsage,
                                       options, out, err);
        done >= 0)
        return done;
    CItuneDB db;
    if (int code = OpenDevice(options, db, err); code != kExitOk)
        return code;
    if (options.Has("json")) {
        JsonArrayWriter json(out);
        for (uint32_t i = 0; i < db.playlistCount; ++i) {
            const PlaylistRecord& playlist = db.playlists[i];
            json.BeginObject();
            json.NumberField("index", i);
            json.TextField("name", playlist.name);
            json.BoolField("master", playlist.masterFlag != 0);
            json.NumberField("items", playlist.memberCount);
            json.TextField("source", SourceName(db));
            json.BoolField("onTheGo", db.IsOnTheGo(i));
            json.EndObject();
        }
        return kExitOk;
    }
    TextTable table({"Index", "Name", "Items", "Master"}, {true, false, true});
    for (uint32_t i = 0; i < db.playlistCount; ++i) {
        const PlaylistRecord& playlist = db.playlists[i];
        table.AddRow({std::to_string(i), ToUtf8(Utf16View(playlist.name)),
                      std::to_string(playlist.memberCount), playlist.masterFlag ? "yes" : ""});
    }
    table.Print(out);
    out << SourceLine(db) << "\n";
    return kExitOk;
}
