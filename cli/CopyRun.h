#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "transfer/CopyJob.h"
#include "transfer/CopyOutcome.h"
#include "transfer/M3uPlaylist.h"

// The pieces of 'copy' that 'export-playlists' runs too.

class CItuneDB;

// The output folder as the worker wants it: `given` with "~/" expanded,
// absolute, created, writable, ending in "/", and never on the device `db`
// was read from. Checked only once the device is known, so that a run that
// fails earlier leaves no folder behind. False after one line to `err`.
bool PrepareOutputFolder(const std::string& given, const CItuneDB& db, std::string& folder,
                         std::ostream& err);

// --organize, --overwrite, --skip-identical, --write-tags and --covers into
// the job.
void ApplyCopyOptions(const ParsedOptions& options, CopyJob& job);

// Runs the worker on its own thread over job.rows, whose `chosen` rows are
// checked, drawing the progress on `err`. Ctrl-C, SIGTERM and SIGHUP stop
// after the current file, a second one at once; a closed pipe is ignored.
// Sets job.progress.
CopyOutcome RunCopyJob(CopyJob& job, const std::vector<uint32_t>& chosen, std::ostream& err);

// "copied 3, failed 1, cancelled 0 of 4 into DIR/" and a line per failure;
// with skipIdentical the rows already there are counted apart, with
// writeTags the copies that could not be tagged, each with its reason. With
// writeCovers, "covers 2, kept 1, failed 0" and a line per cover not written.
void PrintCopySummary(const CopyJob& job, const CopyOutcome& outcome, size_t chosen,
                      std::ostream& out);

// WritePlaylistFile, told on `err` when it fails. The name written, or "".
std::string WritePlaylistOrSay(const std::string& folder, const std::string& title,
                               const std::vector<M3uEntry>& entries, RunNames& names,
                               bool overwrite, std::ostream& err);
