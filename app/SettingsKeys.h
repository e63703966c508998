#pragma once

// The settings file's section, keys and values, and the texts the window
// shows when the data folder cannot be prepared. They are part of the file
// format and of what users see, so they never change spelling.
inline constexpr const char* kSettingsSection = "TASKSINFO";
inline constexpr const char* kSettingsFileName = "settings.ini";
inline constexpr const char* kDataFolderName = "Corvane Data";
inline constexpr const char* kValueTrue = "TRUE";
inline constexpr const char* kValueFalse = "FALSE";

// One check-box option: its key and the state it has when the file lacks it.
struct OptionKey {
    const char* name;
    bool defaultOn;
};
inline constexpr OptionKey kCheckOpenFolder{"CHECK_OPENFOLDER", true};
inline constexpr OptionKey kCheckKeepOrganized{"CHECK_KEEPORGANIZED", false};
inline constexpr OptionKey kCheckOverwriteExisting{"CHECK_OVERWRITE_EXISTING", false};
// The Options dialog's choices for what a transfer writes besides the copies.
inline constexpr OptionKey kCheckSaveCovers{"CHECK_SAVE_COVERS", false};
inline constexpr OptionKey kCheckWriteTags{"CHECK_WRITE_TAGS", false};
inline constexpr OptionKey kCheckWriteM3u8{"CHECK_WRITE_M3U8", false};
inline constexpr OptionKey kCheckSkipIdentical{"CHECK_SKIP_IDENTICAL", false};
inline constexpr const char* kLastFolderKey = "LAST_FOLDER";
// How copies are named (see NameFormat); empty or absent for the usual names.
inline constexpr const char* kNameFormatKey = "NAME_FORMAT";
// The track list's detail columns that are shown, e.g. "TRACK,RATING";
// absent or empty while only the six usual columns are.
inline constexpr const char* kTrackColumnsKey = "TRACK_COLUMNS";

inline constexpr const char* kMessageCaption = "Corvane";
inline constexpr const char* kTextNoDataFolder = "Can not load the application data directory";
// printf form; %s is the data folder path.
inline constexpr const char* kTextCannotCreateDataFolder =
    "Can not find the application data directory \"%s\" for Corvane, Please reinstall this "
    "program.";

// Name of the default output folder inside the user's music folder.
inline constexpr const char* kDefaultOutputFolderName = "My Transfered iPod Music";
