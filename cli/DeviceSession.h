#pragma once

#include <iosfwd>
#include <string>

#include "cli/CliOptions.h"
#include "library/CItuneDB.h"

// Finds the device (--device DIR, or the first removable volume that holds
// a database or music files) and loads it into `db`: its database, or with
// --from-files, or when the database is missing, empty or unreadable, the
// music files' own tags. Returns kExitOk, or the exit code after writing
// one line to `err` that names the path. A stop signal meanwhile ends the
// process (see RunUntilStopSignal).
int OpenDevice(const ParsedOptions& options, CItuneDB& db, std::ostream& err);

// The option every command that reads a device takes.
inline const OptionSpec kFromFilesOption{"from-files"};

// Which source the tables came from, for the JSON "source" field and the
// line under the human tables: "database" or "files".
const char* SourceName(const CItuneDB& db);
std::string SourceLine(const CItuneDB& db);

// Text of a track's file on the device in UTF-8, spelled as on disk when it
// exists under another letter case; empty when the track has no location.
std::string TrackSourcePath(const TrackRecord& track);

// Writes `usage` to `out` for --help; otherwise a parse error to `err`.
// Returns -1 when the command should go on, else its exit code.
int HandleCommonOptions(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs,
                        const char* usage, ParsedOptions& parsed, std::ostream& out,
                        std::ostream& err);
