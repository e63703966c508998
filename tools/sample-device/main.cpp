// corvane-sample-device [--no-database | --compressed] DIR: writes a folder
// that looks like a mounted iPod, its track files real audio tagged as the
// database says; with --no-database, as it looks after the database was
// lost; with --compressed, as a newer one (iTunesCDB, empty iTunesDB).
#include <cstdio>
#include <string>

#include "support/SampleDevice.h"
#include "support/TaggedSampleDevice.h"

namespace {

constexpr const char* kUsage =
    "usage: corvane-sample-device [--no-database | --compressed] DIR\n"
    "Writes into DIR a folder that looks like a mounted iPod, its tracks real tagged audio.\n"
    "  --no-database  as it looks after its database was lost\n"
    "  --compressed   as a newer one keeps it (iTunesCDB, an empty iTunesDB)\n";

bool IsVariant(const std::string& arg) {
    return arg == "--no-database" || arg == "--compressed";
}

// Everything that starts with "-" is an option, so that a mistyped one is
// refused instead of becoming the folder to write.
bool ParseArguments(int argc, char** argv, std::string& variant, std::string& root) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (IsVariant(arg) && variant.empty())
            variant = arg;
        else if (arg.empty() || arg[0] == '-' || !root.empty())
            return false;
        else
            root = arg;
    }
    return !root.empty();
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--help" || std::string(argv[i]) == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    std::string variant, root;
    if (!ParseArguments(argc, argv, variant, root)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const bool written = variant == "--no-database"
                             ? WriteSampleDeviceWithoutDatabase(root)
                             : WriteTaggedSampleDevice(root) &&
                                   (variant != "--compressed" || CompressSampleDatabase(root));
    if (!written) {
        std::fprintf(stderr, "corvane-sample-device: cannot write %s\n", root.c_str());
        return 1;
    }
    return 0;
}
