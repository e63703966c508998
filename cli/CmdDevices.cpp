// corvane-cli devices: the removable volumes that hold an iPod database.
#include <ostream>

#include "cli/Commands.h"
#include "cli/DeviceSession.h"
#include "cli/ExitCodes.h"
#include "cli/JsonWriter.h"
#include "cli/TextTable.h"
#include "library/DatabaseChoice.h"
#include "library/DevicePaths.h"
#include "library/MusicFiles.h"
#include "library/RemovableVolumes.h"

namespace {

const char* const kUsage =
    "usage: corvane-cli devices [--json]\n"
    "\n"
    "Lists the mounted removable volumes that hold an iPod database or music\n"
    "files under iPod_Control/Music, in the order corvane searches them.\n"
    "  --json   write a JSON array of {\"id\", \"mountPoint\", \"database\",\n"
    "           \"musicFiles\"}; \"database\" is the file read (iTunesCDB when\n"
    "           it is not empty), null when the volume has none\n";

struct Device {
    Volume volume;
    std::string database; // empty when there is none
    bool musicFiles = false;
};

std::vector<Device> DevicesFound() {
    std::vector<Device> devices;
    for (const Volume& volume : ListRemovableVolumes()) {
        const std::string path = ChooseDatabaseOnVolume(volume.mountPoint);
        const bool musicFiles = HasMusicFiles(volume.mountPoint);
        if (!path.empty() || musicFiles)
            devices.push_back({volume, path, musicFiles});
    }
    return devices;
}

} // namespace

int RunDevices(const CommandArgs& args, std::ostream& out, std::ostream& err) {
    ParsedOptions options;
    if (int done = HandleCommonOptions(args, {{"json"}}, kUsage, options, out, err); done >= 0)
        return done;
    const std::vector<Device> devices = DevicesFound();
    if (options.Has("json")) {
        JsonArrayWriter json(out);
        for (const Device& device : devices) {
            json.BeginObject();
            json.NumberField("id", device.volume.id);
            json.TextField("mountPoint", device.volume.mountPoint);
            if (device.database.empty())
                json.NullField("database");
            else
                json.TextField("database", device.database);
            json.BoolField("musicFiles", device.musicFiles);
            json.EndObject();
        }
    } else if (!devices.empty()) {
        TextTable table({"ID", "Mount point", "Database", "Music files"}, {true});
        for (const Device& device : devices)
            table.AddRow({std::to_string(device.volume.id), device.volume.mountPoint,
                          device.database, device.musicFiles ? "yes" : ""});
        table.Print(out);
    }
    if (devices.empty()) {
        err << "corvane-cli: no iPod found: no removable volume holds " << kDatabaseOnVolume
            << " or music files\n";
        return kExitNoDevice;
    }
    return kExitOk;
}
