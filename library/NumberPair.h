#pragma once

#include <cstdint>
#include <string_view>

// A tag's "3/12" (track or disc 3 of 12), "3" alone, or "3 / 12": the
// number and the count, each 0 where the text gives none. Leading blanks
// are skipped; anything else that is not a decimal number reads as none.
struct NumberPair {
    uint32_t number = 0;
    uint32_t count = 0;
};
NumberPair ParseNumberPair(std::string_view text);
