// corvane-cli devices: the removable volumes that hold an iPod database.
#include <ostream>

#include "cli/Commands.h"
#include "cli/DeviceSession.h"
#include "cli/ExitCodes.h"
#include "cli/JsonWriter.h"
#include "cli/TextTable.h"
#include "library/DatabaseChoice.h"
#include "library/DevicePaths.h"
#include "library/RemovableVolumes.h"

namespace {

const char* const kUsage =
    "usage: corvane-cli devices [--json]\n"
    "\n"
    "Lists the mounted removable volumes that hold an iPod database,\n"
    "in the order corvane searches them.\n"
    "  --json   write a JSON array of {\"id\", \"mountPoint\", \"database\"};\n"
    "           \"database\" is the file read: iTunesCDB when it is not empty\n";

struct Device {
    Volume volume;
    std::string database;
};

std::vector<Device> DevicesWithDatabase() {
    std::vector<Device> devices;
    for (const Volume& volume : ListRemovableVolumes()) {
        const std::string path = ChooseDatabaseOnVolume(volume.mountPoint);
        if (!path.empty())
            devices.push_back({volume, path});
    }
    return devices;
}

} // namespace

int RunDevices(const CommandArgs& args, std::ostream& out, std::ostream& err) {
    ParsedOptions options;
    if (int done = HandleCommonOptions(args, {{"json"}}, kUsage, options, out, err); done >= 0)
        return done;
    const std::vector<Device> devices = DevicesWithDatabase();
    if (options.Has("json")) {
        JsonArrayWriter json(out);
        for (const Device& device : devices) {
            json.BeginObject();
            json.NumberField("id", device.volume.id);
            json.TextField("mountPoint", device.volume.mountPoint);
            json.TextField("database", device.database);
            json.EndObject();
        }
    } else if (!devices.empty()) {
        TextTable table({"ID", "Mount point", "Database"}, {true});
        for (const Device& device : devices)
            table.AddRow(
                {std::to_string(device.volume.id), device.volume.mountPoint, device.database});
        table.Print(out);
    }
    if (devices.empty()) {
        err << "corvane-cli: no iPod found: no removable volume holds " << kDatabaseOnVolume
            << "\n";
        return kExitNoDevice;
    }
    return kExitOk;
}
