#include "library/LocationPath.h"

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

size_t CopyDeviceString(char16_t* dst, const uint8_t* bytes, size_t units) {
    size_t n = 0;
    for (; n < units; ++n) {
        const char16_t u = UnitAt(bytes, n);
        if (u == 0)
            break;
        dst[n] = u;
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
