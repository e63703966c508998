#pragma once

#include <string>

// Where the program keeps its settings: "Corvane Data" inside the user's
// configuration folder ($XDG_CONFIG_HOME, else ~/.config).
struct DataFolderPaths {
    std::string dataFolder;   // no trailing "/"
    std::string settingsPath; // dataFolder + "/settings.ini"
};

// Finds the data folder and creates it when missing. True with `paths` set;
// false with `failureText` holding the message for the user (shown under the
// caption kMessageCaption): kTextNoDataFolder when no configuration folder
// can be found, kTextCannotCreateDataFolder (filled in) when the folder is
// missing and cannot be created. A path that exists as a file is accepted;
// writes of the settings then fail quietly.
bool PrepareDataFolder(DataFolderPaths& paths, std::string& failureText);
