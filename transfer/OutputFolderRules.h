#pragma once

#include <string>

// Checks an output folder must pass before a transfer writes into it. Both
// the window and corvane-cli run them, before the folder is created.

// `path` with a leading "~" or "~/" turned into the home folder ($HOME, or
// the user database's entry when HOME is unset); anything else unchanged.
std::string ExpandHomeFolder(const std::string& path);

// True when writing into `folder` (which need not exist yet) would write
// onto the device whose volume is mounted at, or kept in, `deviceRoot` ("" for no device): the
// folder lies inside the device folder, also through a link, or, where the
// device folder is a mount point of its own, on that same file system.
// The program promises never to write to the iPod.
bool IsOnDeviceVolume(const std::string& folder, const std::string& deviceRoot);

// True when this process may create files in the existing folder `folder`.
bool IsWritableFolder(const std::string& folder);

enum class OutputFolderProblem {
    None,
    OnDevice,     // the folder is on the device's volume; nothing was created
    CannotCreate, // relative, too long, a file, or a level could not be made
    NotWritable,  // the folder is there, but no file can be created in it
};

// The whole check, in the order that keeps the device untouched: the device
// first, so that not even a missing level is made on it, then every missing
// level is created, then the folder must take new files. `deviceRoot` is
// CItuneDB::DeviceRoot() of the loaded device, "" for none.
OutputFolderProblem PrepareOutputFolder(const std::string& folder, const std::string& deviceRoot);
