#include "library/DirectionalControls.h"

namespace {

unsigned char ByteAt(std::string_view utf8, size_t i) {
    return i < utf8.size() ? static_cast<unsigned char>(utf8[i]) : 0;
}

} // namespace

DirectionalControl DirectionalControlAt(std::string_view utf8, size_t i) {
    const unsigned char lead = ByteAt(utf8, i), second = ByteAt(utf8, i + 1);
    if (lead == 0xD8 && second == 0x9C)
        return {0x061C, 2};
    if (lead != 0xE2 || (second != 0x80 && second != 0x81))
        return {};
    const unsigned char third = ByteAt(utf8, i + 2);
    const char32_t codePoint = char32_t(0x2000 | ((second & 0x3F) << 6) | (third & 0x3F));
    const bool directional =
        (third & 0xC0) == 0x80 && (codePoint == 0x200E || codePoint == 0x200F ||
                                   (codePoint >= 0x202A && codePoint <= 0x202E) ||
                                   (codePoint >= 0x2066 && codePoint <= 0x2069));
    return directional ? DirectionalControl{codePoint, 3} : DirectionalControl{};
}
