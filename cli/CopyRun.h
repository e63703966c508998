#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "transfer/CopyJob.h"
#include "transfer/CopyOutcome.h"

// The pieces of 'copy' that 'export-playlists' runs too.

// The output folder as the worker wants it: absolute, created, ending in
// "/". False after the invalid-folder line to `err`.
bool PrepareOutputFolder(const std::string& given, std::string& folder, std::ostream& err);

class CItuneDB;

// The output folder from --to (as PrepareOutputFolder), then the device
// (OpenDevice). kExitOk, or the exit code after one line to `err`.
int OpenCopySource(const ParsedOptions& options, CopyJob& job, CItuneDB& db, std::ostream& err);

// --organize, --overwrite and --skip-identical into the job.
void ApplyCopyOptions(const ParsedOptions& options, CopyJob& job);

// Runs the worker on its own thread over job.rows, whose `chosen` rows are
// checked, drawing the progress on `err`; Ctrl-C cancels. Sets job.progress.
CopyOutcome RunCopyJob(CopyJob& job, const std::vector<uint32_t>& chosen, std::ostream& err);

// "copied 3, failed 1, cancelled 0 of 4 into DIR/" and a line per failure;
// with skipIdentical the rows already there are counted apart.
void PrintCopySummary(const CopyJob& job, const CopyOutcome& outcome, size_t chosen,
                      std::ostream& out);
