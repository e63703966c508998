#pragma once

#include <string>

// Checks an output folder must pass before a transfer writes into it. Both
// the window and corvane-cli run them, before the folder is created.

// `path` with a leading "~" or "~/" turned into the home folder ($HOME, or
// the user database's entry when HOME is unset); anything else unchanged.
std::string ExpandHomeFolder(const std::string& path);

// The folder of the device whose database is `dbPath`; "" when there is none.
std::string DeviceRootOfDatabase(const std::string& dbPath);

// True when writing into `folder` (which need not exist yet) would write
// onto the device whose volume is mounted at, or kept in, `deviceRoot` ("" for no device): the
// folder lies inside the device folder, also through a link, or, where the
// device folder is a mount point of its own, on that same file system.
// The program promises never to write to the iPod.
bool IsOnDeviceVolume(const std::string& folder, const std::string& deviceRoot);

// True when this process may create files in the existing folder `folder`.
bool IsWritableFolder(const std::string& folder);
