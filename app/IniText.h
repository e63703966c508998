#pragma once

#include <optional>
#include <string>
#include <string_view>

// The "ini" text of the settings file, read and edited as text so that an
// edit keeps every line it does not concern. Section and key names match
// ignoring ASCII case, as the profile files this format comes from do; keys
// and values are trimmed of blanks. The first matching section and key win.

std::optional<std::string> IniValue(std::string_view text, std::string_view section,
                                    std::string_view key);

// `text` with `key` in `section` set to `value`: the key's line is replaced,
// or added at the end of the section, or the section is appended. A value
// holding a line break or NUL cannot be stored and gives std::nullopt.
std::optional<std::string> IniWithValue(std::string_view text, std::string_view section,
                                        std::string_view key, std::string_view value);
