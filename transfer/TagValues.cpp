#include "transfer/TagValues.h"

#include "library/CItuneDB.h"
#include "library/Utf16.h"
#include "transfer/FormattedDestination.h"

#include <algorithm>

namespace {

using Properties = std::vector<std::pair<std::string, std::string>>;

void AddText(Properties& out, const char* key, const std::string& value) {
    if (!value.empty())
        out.emplace_back(key, value);
}

// A number and its count: "3/12", or "3" with the count apart (or unknown).
void AddNumber(Properties& out, const char* key, const char* totalKey, uint32_t number,
               uint32_t count, bool separateTotals) {
    if (number == 0)
        return;
    std::string text = std::to_string(number);
    if (count != 0 && !separateTotals) {
        text += '/';
        text += std::to_string(count);
    }
    out.emplace_back(key, text);
    if (count != 0 && separateTotals)
        out.emplace_back(totalKey, std::to_string(count));
}

} // namespace

TagValues TagValuesOf(const CItuneDB* library, const TrackRecord& row) {
    const NameFields fields = TrackNameFields(library, row);
    TagValues values;
    values.title = ToUtf8(Utf16View(fields.title));
    values.artist = ToUtf8(Utf16View(fields.artist));
    values.album = ToUtf8(Utf16View(fields.album));
    values.albumArtist = ToUtf8(Utf16View(fields.albumArtist));
    values.genre = ToUtf8(Utf16View(fields.genre));
    values.composer = ToUtf8(Utf16View(fields.composer));
    values.year = fields.year;
    values.trackNumber = fields.track;
    values.discNumber = fields.disc;
    const TrackDetails* details = library ? library->DetailsOf(row) : nullptr;
    if (!details)
        return values;
    values.trackCount = details->trackCount;
    values.discCount = details->discCount;
    values.compilation = details->compilation != 0;
    values.stars = StarsOfRating(details->rating);
    values.playCount = details->playCount;
    return values;
}

int StarsOfRating(uint32_t rating) {
    return static_cast<int>((std::min<uint32_t>(rating, 100) + 10) / 20);
}

uint8_t PopularimeterRating(int stars) {
    constexpr uint8_t kByStars[] = {0, 1, 64, 128, 196, 255};
    return kByStars[std::clamp(stars, 0, 5)];
}

std::string FmpsRatingText(int stars) {
    const int clamped = std::clamp(stars, 0, 5);
    if (clamped == 5)
        return "1";
    std::string text = "0.";
    text += std::to_string(clamped * 2);
    return text;
}

Properties StandardProperties(const TagValues& values, bool separateTotals) {
    Properties out;
    AddText(out, "TITLE", values.title);
    AddText(out, "ARTIST", values.artist);
    AddText(out, "ALBUM", values.album);
    AddText(out, "ALBUMARTIST", values.albumArtist);
    AddText(out, "GENRE", values.genre);
    AddText(out, "COMPOSER", values.composer);
    if (values.year != 0)
        out.emplace_back("DATE", std::to_string(values.year));
    AddNumber(out, "TRACKNUMBER", "TRACKTOTAL", values.trackNumber, values.trackCount,
              separateTotals);
    AddNumber(out, "DISCNUMBER", "DISCTOTAL", values.discNumber, values.discCount, separateTotals);
    if (values.compilation)
        out.emplace_back("COMPILATION", "1");
    return out;
}
