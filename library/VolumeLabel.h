#pragma once

#include <string>

// The label of the file system mounted at `mountPoint`, as udev lists it
// under /dev/disk/by-label ("JOHN'S IPOD"); empty when it has none, or when
// `mountPoint` is a plain folder rather than the root of a mount.
std::string VolumeLabel(const std::string& mountPoint);

// udev's escaping of a by-label name undone: "\x20" is a blank, and so on.
std::string UnescapeUdevName(const std::string& name);
