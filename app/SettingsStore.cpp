#include "app/SettingsStore.h"

#include "app/IniText.h"
#include "transfer/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace {

// Values are read through a buffer of this many UTF-16 units, terminator
// included; longer values are cut to fit.
constexpr size_t kValueBufferUnits = 0x8000;

// The file's text, "" when there is no file yet; nullopt when it exists but
// cannot be read, so that a write does not replace lines it never saw.
std::optional<std::string> ReadSettingsText(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? std::optional<std::string>("") : std::nullopt;
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ::close(fd);
            return got == 0 ? std::optional<std::string>(std::move(text)) : std::nullopt;
        }
        text.append(buffer, static_cast<size_t>(got));
    }
}

bool IsUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Cuts `value` after kValueBufferUnits - 1 UTF-16 units: a UTF-8 sequence of
// four bytes is two units, every other sequence one.
std::string CutToBuffer(std::string value) {
    size_t units = 0;
    for (size_t i = 0; i < value.size(); ++i) {
        if (IsUtf8Continuation(value[i]))
            continue;
        const size_t width = (static_cast<unsigned char>(value[i]) >= 0xF0) ? 2 : 1;
        if (units + width > kValueBufferUnits - 1) {
            value.resize(i);
            break;
        }
        units += width;
    }
    return value;
}

std::string TrimWhiteSpace(const std::string& text) {
    const char* blanks = " \t\r\n\v\f";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

} // namespace

SettingsStore::SettingsStore(std::string settingsPath) : settingsPath_(std::move(settingsPath)) {}

std::optional<std::string> SettingsStore::StoredValue(const char* key) const {
    return IniValue(ReadSettingsText(settingsPath_).value_or(""), kSettingsSection, key);
}

std::string SettingsStore::ReadValue(const char* key) const {
    return CutToBuffer(StoredValue(key).value_or(""));
}

bool SettingsStore::WriteValue(const char* key, const std::string& value) const {
    const auto text = ReadSettingsText(settingsPath_);
    if (!text)
        return false;
    const auto updated = IniWithValue(*text, kSettingsSection, key, value);
    return updated && WriteFileAtomically(settingsPath_, *updated);
}

bool SettingsStore::ReadOption(OptionKey key) const {
    const auto stored = StoredValue(key.name);
    if (!stored)
        return key.defaultOn;
    return *stored == kValueTrue;
}

bool SettingsStore::WriteOption(OptionKey key, bool on) const {
    return WriteValue(key.name, on ? kValueTrue : kValueFalse);
}

std::string SettingsStore::ReadFolder() const {
    return TrimWhiteSpace(ReadValue(kLastFolderKey));
}

bool SettingsStore::WriteFolder(const std::string& folder) const {
    return WriteValue(kLastFolderKey, folder);
}

std::string SettingsStore::ReadNameFormat() const {
    return ReadValue(kNameFormatKey);
}

bool SettingsStore::WriteNameFormat(const std::string& format) const {
    return WriteValue(kNameFormatKey, format);
}

std::string SettingsStore::ReadTrackColumns() const {
    return ReadValue(kTrackColumnsKey);
}

bool SettingsStore::WriteTrackColumns(const std::string& columns) const {
    return WriteValue(kTrackColumnsKey, columns);
}
