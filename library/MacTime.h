#pragma once

#include <cstdint>
#include <string>

// A time as the iPod stores it: seconds since 1904-01-01. The device keeps
// no zone, so the time is shown as stored, as UTC.
struct UtcTime {
    int64_t year;
    unsigned month, day, hour, minute, second;
};

UtcTime MacTimeUtc(uint32_t macTime);

// ISO 8601, "2020-09-13T12:26:40Z".
std::string MacTimeIso8601(uint32_t macTime);
