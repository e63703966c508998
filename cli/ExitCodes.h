#pragma once

// corvane-cli's exit codes, for scripts.
enum ExitCode : int {
    kExitOk = 0,
    kExitSomeFailed = 1, // copy: some chosen track was not copied
    kExitUsage = 2,
    kExitNoDevice = 3,
    kExitUnreadable = 4, // the database could not be read (load result 0)
    kExitEmpty = 5,      // the database holds no tracks or playlists (load result 2)
};
