#include "cli/DisplayWidth.h"

#include <locale.h>
#include <wchar.h>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The code point at utf8[i], moving i past it; kReplacement for a byte that
// starts no well-formed sequence, which is then passed alone.
char32_t NextCodePoint(std::string_view utf8, size_t& i) {
    const auto lead = static_cast<unsigned char>(utf8[i++]);
    if (lead < 0x80)
        return lead;
    if (lead < 0xC2 || lead > 0xF4)
        return kReplacement;
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : 1;
    char32_t codePoint = lead & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if (i + k >= utf8.size() || (static_cast<unsigned char>(utf8[i + k]) & 0xC0) != 0x80)
            return kReplacement;
        codePoint = codePoint << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    i += extra;
    return codePoint;
}

// wcwidth knows the widths only in a UTF-8 locale; the user's may be none,
// and the tables must line up all the same. Without C.UTF-8 installed the
// text keeps the process's locale, where every character counts one.
class Utf8Locale {
public:
    Utf8Locale() : previous_(kUtf8 ? ::uselocale(kUtf8) : locale_t(0)) {}
    ~Utf8Locale() {
        if (previous_)
            ::uselocale(previous_);
    }
    Utf8Locale(const Utf8Locale&) = delete;
    Utf8Locale& operator=(const Utf8Locale&) = delete;

private:
    static inline const locale_t kUtf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(0));
    locale_t previous_;
};

} // namespace

size_t DisplayWidth(std::string_view utf8) {
    const Utf8Locale inUtf8;
    size_t columns = 0;
    for (size_t i = 0; i < utf8.size();) {
        const int width = ::wcwidth(static_cast<wchar_t>(NextCodePoint(utf8, i)));
        columns += width < 0 ? 1 : size_t(width);
    }
    return columns;
}
