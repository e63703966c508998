#pragma once

#include <string>
#include <string_view>

// Conversions between the pools' UTF-16 text and the UTF-8 that Linux paths
// and terminals use. Device text is untrusted: a lone surrogate becomes
// U+FFFD instead of producing invalid UTF-8.
std::u16string_view Utf16View(const char16_t* text); // null gives an empty view
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text); // invalid bytes become U+FFFD
