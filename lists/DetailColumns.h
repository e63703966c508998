#pragma once

#include "library/TrackDetails.h"
#include "lists/TrackColumns.h"

#include <array>
#include <bitset>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

struct TrackRecord;

// The columns the track list can show beside its six, from what the library
// knows of each track. They follow "Genre" in the model, hidden until the
// user shows them from the header's menu.
enum class DetailColumn : int { Track, Disc, Year, Rating, Plays, LastPlayed };
inline constexpr int kDetailColumnCount = 6;

struct DetailColumnSpec {
    const char* caption;
    const char* settingName; // its word in the settings file's list
    int width;
};

inline constexpr std::array<DetailColumnSpec, kDetailColumnCount> kDetailColumns{{
    {"Track", "TRACK", 44},
    {"Disc", "DISC", 40},
    {"Year", "YEAR", 44},
    {"Rating", "RATING", 70},
    {"Plays", "PLAYS", 44},
    {"Last Played", "LAST_PLAYED", 110},
}};

inline const DetailColumnSpec& SpecOf(DetailColumn column) {
    return kDetailColumns[static_cast<size_t>(column)];
}

// Where each detail column sits in the track list's model.
inline int ModelColumnOf(DetailColumn column) {
    return kTrackColumnCount + static_cast<int>(column);
}
std::optional<DetailColumn> DetailColumnAt(int modelColumn);

// Which detail columns are shown, one bit per DetailColumn.
using DetailColumnSet = std::bitset<kDetailColumnCount>;

// The settings file's form: the shown columns' names, comma separated, in
// column order ("TRACK,RATING"). Reading skips blanks and unknown names, so
// a file from a later version that knows more columns still reads.
std::string DetailColumnsSetting(const DetailColumnSet& set);
DetailColumnSet ParseDetailColumns(std::string_view setting);

// How the list reaches a row's details: the owner's library finds them by
// the row, and a row it cannot place has none.
using TrackDetailsLookup = std::function<const TrackDetails*(const TrackRecord&)>;
