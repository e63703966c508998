#pragma once

#include "app/SettingsKeys.h"

#include <optional>
#include <string>

// The remembered settings in section TASKSINFO of the settings file.
// Reads never fail (a missing or unreadable file, section or key gives the
// default); writes keep every other line of the file and replace it
// atomically, and report success so callers may ignore it, as the window
// does. A file that exists but cannot be read is never replaced.
class SettingsStore {
public:
    explicit SettingsStore(std::string settingsPath);

    // On exactly when the stored value is "TRUE" (case-sensitive).
    bool ReadOption(OptionKey key) const;
    bool WriteOption(OptionKey key, bool on) const;

    // LAST_FOLDER trimmed of white space at both ends; "" when absent.
    std::string ReadFolder() const;
    bool WriteFolder(const std::string& folder) const;

    // NAME_FORMAT as stored; "" when absent.
    std::string ReadNameFormat() const;
    bool WriteNameFormat(const std::string& format) const;

    // TRACK_COLUMNS as stored; "" when absent.
    std::string ReadTrackColumns() const;
    bool WriteTrackColumns(const std::string& columns) const;

    const std::string& Path() const { return settingsPath_; }

private:
    std::optional<std::string> StoredValue(const char* key) const;
    std::string ReadValue(const char* key) const;
    bool WriteValue(const char* key, const std::string& value) const;

    std::string settingsPath_;
};
