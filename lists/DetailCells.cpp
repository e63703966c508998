#include "lists/DetailCells.h"

#include "library/MacTime.h"

#include <algorithm>

namespace {

struct FieldRule {
    TrackDetails::Field field;
    uint32_t TrackDetails::*value; // null for the rating, which is a byte
    bool zeroIsNull;
};

FieldRule RuleOf(DetailColumn column) {
    switch (column) {
    case DetailColumn::Track:
        return {TrackDetails::kTrackNumber, &TrackDetails::trackNumber, true};
    case DetailColumn::Disc:
        return {TrackDetails::kDiscNumber, &TrackDetails::discNumber, true};
    case DetailColumn::Year:
        return {TrackDetails::kYear, &TrackDetails::year, true};
    case DetailColumn::Rating:
        return {TrackDetails::kRating, nullptr, false};
    case DetailColumn::Plays:
        return {TrackDetails::kPlayCount, &TrackDetails::playCount, false};
    case DetailColumn::LastPlayed:
        break;
    }
    return {TrackDetails::kLastPlayed, &TrackDetails::lastPlayed, true};
}

QString UtcMinuteText(uint32_t macTime) {
    const UtcTime time = MacTimeUtc(macTime);
    return QString::asprintf("%04lld-%02u-%02u %02u:%02u", static_cast<long long>(time.year),
                             time.month, time.day, time.hour, time.minute);
}

} // namespace

std::optional<uint32_t> DetailValue(const TrackDetails* details, DetailColumn column) {
    const FieldRule rule = RuleOf(column);
    if (details == nullptr || !details->Has(rule.field))
        return std::nullopt;
    const uint32_t value = rule.value ? details->*rule.value : details->rating;
    if (value == 0 && rule.zeroIsNull)
        return std::nullopt;
    return value;
}

int StarCount(uint32_t rating) {
    return static_cast<int>(std::min<uint32_t>(rating / 20, 5));
}

QString StarText(int stars) {
    if (stars <= 0)
        return {};
    return stars == 1 ? QStringLiteral("1 star") : QStringLiteral("%1 stars").arg(stars);
}

QString DetailCellText(const TrackDetails* details, DetailColumn column) {
    const std::optional<uint32_t> value = DetailValue(details, column);
    if (!value)
        return {};
    switch (column) {
    case DetailColumn::Rating:
        return StarText(StarCount(*value));
    case DetailColumn::LastPlayed:
        return UtcMinuteText(*value);
    default:
        return QString::number(*value);
    }
}
