#pragma once

#include <string>
#include <string_view>

// The per-user folders the settings and the default output folder live in.

// $HOME, else the password database's entry; "" when neither is known.
std::string HomeFolder();

// $XDG_CONFIG_HOME when set and absolute, else HomeFolder() + "/.config";
// "" when there is no home either.
std::string ConfigFolder();

// XDG_MUSIC_DIR from the text of a user-dirs.dirs file, with "$HOME"
// expanded to `home`; "" when the file does not set it to an absolute path,
// or sets it to the home folder itself (which means "no music folder").
std::string MusicDirFromUserDirs(std::string_view userDirsText, const std::string& home);

// The user's music folder: XDG_MUSIC_DIR when it is an existing folder, else
// ~/Music when that exists; "" when neither does.
std::string MusicFolder();
