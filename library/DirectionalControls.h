#pragma once

#include <cstddef>
#include <string_view>

// The invisible characters that reorder the text around them: U+061C,
// U+200E, U+200F, U+202A..U+202E and U+2066..U+2069. A name holding them
// shows other than it spells: "Song\u202E3pm.exe" reads as "Songexe.mp3".

struct DirectionalControl {
    char32_t codePoint = 0;
    size_t bytes = 0; // 0 when there is none
};

// The directional control whose UTF-8 sequence starts at utf8[i], if any.
DirectionalControl DirectionalControlAt(std::string_view utf8, size_t i);
