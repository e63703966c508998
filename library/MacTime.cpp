#include "library/MacTime.h"

#include <cstdio>

namespace {

constexpr int64_t kMacEpochBeforeUnix = 2082844800;
constexpr int64_t kSecondsPerDay = 86400;

struct CivilDate {
    int64_t year;
    unsigned month, day;
};

// The proleptic Gregorian date `days` after 1970-01-01, counted in 400-year
// eras of 146097 days whose years begin in March, so that the leap day
// falls at the end of a year.
CivilDate DateOfUnixDay(int64_t days) {
    const int64_t shifted = days + 719468; // from 0000-03-01
    const int64_t era = (shifted >= 0 ? shifted : shifted - 146096) / 146097;
    const int64_t dayOfEra = shifted - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    const unsigned day = unsigned(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    const unsigned month = unsigned(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    return {year, month, day};
}

} // namespace

UtcTime MacTimeUtc(uint32_t macTime) {
    const int64_t unix = int64_t(macTime) - kMacEpochBeforeUnix;
    int64_t days = unix / kSecondsPerDay;
    int64_t seconds = unix % kSecondsPerDay;
    if (seconds < 0) {
        seconds += kSecondsPerDay;
        --days;
    }
    const CivilDate date = DateOfUnixDay(days);
    return {date.year,
            date.month,
            date.day,
            unsigned(seconds / 3600),
            unsigned(seconds / 60 % 60),
            unsigned(seconds % 60)};
}

std::string MacTimeIso8601(uint32_t macTime) {
    const UtcTime time = MacTimeUtc(macTime);
    char text[32];
    std::snprintf(text, sizeof text, "%04lld-%02u-%02uT%02u:%02u:%02uZ",
                  static_cast<long long>(time.year), time.month, time.day, time.hour, time.minute,
                  time.second);
    return text;
}
