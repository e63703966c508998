#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Every command takes the arguments after its name and writes its results
// to `out` and one-line errors to `err`; the result is the exit code.
using CommandArgs = std::vector<std::string>;
using CommandFn = int (*)(const CommandArgs& args, std::ostream& out, std::ostream& err);

int RunDevices(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunPlaylists(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunTracks(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunCopy(const CommandArgs& args, std::ostream& out, std::ostream& err);
int RunExportPlaylists(const CommandArgs& args, std::ostream& out, std::ostream& err);
