#include "library/LocationPath.h"

#include <bit>
#include <cstring>

namespace {

char16_t UnitAt(const uint8_t* bytes, size_t i) {
    return char16_t(bytes[2 * i] | bytes[2 * i + 1] << 8);
}

bool IsDot(const char16_t* component, size_t length) {
    return length == 1 && component[0] == u'.';
}

bool IsDotDot(const char16_t* component, size_t length) {
    return length == 2 && component[0] == u'.' && component[1] == u'.';
}

} // namespace

// Device strings run to a few dozen units: the end is found four units at a
// time, and the units before it are copied whole where the host's order is
// the file's.
size_t CopyDeviceString(char16_t* dst, const uint8_t* bytes, size_t units) {
    size_t n = 0;
    constexpr uint64_t kLow = 0x0001000100010001, kHigh = 0x8000800080008000;
    for (uint64_t word = 0; n + 4 <= units; n += 4) {
        std::memcpy(&word, bytes + 2 * n, 8);
        if ((word - kLow) & ~word & kHigh)
            break; // a NUL among these four
    }
    while (n < units && UnitAt(bytes, n) != 0)
        ++n;
    if constexpr (std::endian::native == std::endian::little) {
        if (n > 0)
            std::memcpy(dst, bytes, 2 * n);
    } else {
        for (size_t i = 0; i < n; ++i)
            dst[i] = UnitAt(bytes, i);
    }
    dst[n] = 0;
    return n;
}

size_t WriteLocation(char16_t* dst, std::u16string_view root, const uint8_t* stored,
                     size_t storedUnits) {
    size_t pos = root.copy(dst, root.size());
    size_t i = 0;
    while (i <= storedUnits) {
        // One component: everything up to the next ":" or the end.
        const size_t slash = pos;
        dst[pos++] = u'/';
        for (; i < storedUnits; ++i) {
            const char16_t u = UnitAt(stored, i);
            if (u == 0) {
                i = storedUnits;
                break;
            }
            if (u == u':')
                break;
            if (u == u'/')
                return 0;
            dst[pos++] = u;
        }
        ++i;
        const size_t length = pos - slash - 1;
        if (IsDotDot(dst + slash + 1, length))
            return 0;
        if (length == 0 || IsDot(dst + slash + 1, length))
            pos = slash;
    }
    if (pos == root.size())
        return 0;
    dst[pos] = 0;
    return pos;
}
