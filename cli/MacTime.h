#pragma once

#include <cstdint>
#include <string>

// A time as the iPod stores it (seconds since 1904-01-01, UTC) in ISO 8601,
// "2020-09-13T12:26:40Z". The device keeps no zone, so the time is shown as
// stored, as UTC.
std::string MacTimeIso8601(uint32_t macTime);
