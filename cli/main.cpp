// corvane-cli: the command-line companion. Each command lives in its own
// Cmd*.cpp; adding one is a line in the table below.
#include <algorithm>
#include <cstring>
#include <iostream>

#include "cli/Commands.h"
#include "cli/ExitCodes.h"
#include "packaging/Version.h"

namespace {

struct Command {
    const char* name;
    CommandFn run;
    const char* summary;
};

const Command kCommands[] = {
    {"devices", RunDevices, "list the removable volumes that hold an iPod database or music"},
    {"playlists", RunPlaylists, "list the device's playlists, master first"},
    {"tracks", RunTracks, "list the tracks of one playlist"},
    {"copy", RunCopy, "copy a playlist's tracks into a folder"},
    {"export-playlists", RunExportPlaylists, "copy every playlist's tracks, with M3U8 files"},
};

void PrintUsage(std::ostream& out) {
    out << "usage: corvane-cli COMMAND [OPTIONS]\n\nCopies music off an iPod in disk mode; "
           "reads the device, never writes it.\n\ncommands:\n";
    for (const Command& command : kCommands)
        out << "  " << command.name
            << std::string(18 - std::min<size_t>(std::strlen(command.name), 17), ' ')
            << command.summary << "\n";
    out << "\n'corvane-cli COMMAND --help' describes a command's options.\n"
           "'corvane-cli --version' prints the version.\n"
           "CORVANE_VOLUMES=DIR[:DIR...] replaces the system's list of removable volumes.\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        PrintUsage(std::cerr);
        return kExitUsage;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(std::cout);
        return kExitOk;
    }
    if (name == "--version") {
        std::cout << "corvane-cli " << kCorvaneVersion << "\n";
        return kExitOk;
    }
    for (const Command& command : kCommands)
        if (name == command.name)
            return command.run(CommandArgs(argv + 2, argv + argc), std::cout, std::cerr);
    std::cerr << "corvane-cli: unknown command '" << name << "' (see --help)\n";
    return kExitUsage;
}
