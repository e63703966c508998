#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// A mounted file system that may be an iPod: on a removable disk or a USB bus.
struct Volume {
    int32_t id = -1;        // mount ID (first field of mountinfo); 1, 2, ... under CORVANE_VOLUMES
    std::string mountPoint; // no trailing "/" except for "/" itself
};

// The removable volumes sorted by mount point, byte-wise. When CORVANE_VOLUMES
// is set, its colon-separated directories are the volumes instead, in that
// order, with IDs 1, 2, ... by position (empty entries are skipped); relative
// ones are taken from the working folder.
std::vector<Volume> ListRemovableVolumes();

// The pieces, reachable from tests without touching the system.
std::vector<Volume> ParseVolumeList(std::string_view colonSeparated);
using BlockDeviceTest = std::function<bool(unsigned major, unsigned minor)>;
std::vector<Volume> ParseMountInfo(std::string_view mountinfo, const BlockDeviceTest& isRemovable);
bool IsRemovableBlockDevice(unsigned major, unsigned minor); // reads /sys/dev/block
