#pragma once

#include <string>

// The output folder used when no LAST_FOLDER is remembered:
// "My Transfered iPod Music" inside the user's music folder (XDG_MUSIC_DIR
// from user-dirs.dirs, else ~/Music), or inside the home folder when there is
// no music folder. Creates that one folder level when missing (a failure is
// ignored; the copy checks the folder again). No trailing "/". Empty when
// not even a home folder is known, so that the user has to choose.
std::string DefaultOutputFolder();
