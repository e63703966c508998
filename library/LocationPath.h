#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// A track's stored path is ":"-separated and relative to the device's
// volume, e.g. ":iPod_Control:Music:F23:RPDM.mp3". These turn it into an
// absolute Linux path under the volume's mount point.

// Code units (NUL included) that WriteLocation may need.
inline uint64_t LocationCapacity(size_t rootUnits, size_t storedUnits) {
    return uint64_t(rootUnits) + storedUnits + 2;
}

// Writes root, then "/" and each non-empty, non-"." component of the stored
// path (UTF-16LE bytes, `storedUnits` code units, a NUL unit ends it early),
// then a NUL. Returns the units written before the NUL, or 0 when the path
// is no valid location: it names nothing, or a component is ".." or holds
// a "/", which would reach outside the volume.
size_t WriteLocation(char16_t* dst, std::u16string_view root, const uint8_t* stored,
                     size_t storedUnits);

// Copies up to `units` UTF-16LE code units, stopping at a NUL unit, and
// terminates the copy. Returns the units copied before the NUL.
size_t CopyDeviceString(char16_t* dst, const uint8_t* bytes, size_t units);
