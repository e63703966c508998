#include "app/SettingsStore.h"

#include "app/AtomicFile.h"
#include "app/IniText.h"

#include <fstream>
#include <iterator>

namespace {

// Values are read through a buffer of this many UTF-16 units, terminator
// included; longer values are cut to fit.
constexpr size_t kValueBufferUnits = 0x8000;

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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

std::string SettingsStore::ReadValue(const char* key) const {
    return CutToBuffer(IniValue(ReadWholeFile(settingsPath_), kSettingsSection, key).value_or(""));
}

bool SettingsStore::WriteValue(const char* key, const std::string& value) const {
    const auto updated = IniWithValue(ReadWholeFile(settingsPath_), kSettingsSection, key, value);
    return updated && WriteFileAtomically(settingsPath_, *updated);
}

bool SettingsStore::ReadOption(OptionKey key) const {
    const auto stored = IniValue(ReadWholeFile(settingsPath_), kSettingsSection, key.name);
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
