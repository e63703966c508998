#include "cli/PrintableText.h"

#include "library/DirectionalControls.h"

#include <cstdio>

std::string Printable(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool c1 =
            c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) <= 0x9F;
        const DirectionalControl directional = DirectionalControlAt(text, i);
        if (c < 0x20 || c == 0x7F || c1) {
            out += '?';
            i += c1 ? 1 : 0;
        } else if (directional.bytes != 0) {
            char escaped[16];
            std::snprintf(escaped, sizeof escaped, "<U+%04X>", unsigned(directional.codePoint));
            out += escaped;
            i += directional.bytes - 1;
        } else {
            out += text[i];
        }
    }
    return out;
}
