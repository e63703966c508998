#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class CItuneDB;
struct TrackRecord;

// What the library knows of one track, for the tags of its copy: read
// under g_trackTableLock, then kept as plain values so that tagging, which
// runs without the lock, needs neither the row nor the library.
struct TagValues {
    // UTF-8; empty where the library has none.
    std::string title, artist, album, albumArtist, genre, composer;
    uint32_t year = 0, trackNumber = 0, trackCount = 0, discNumber = 0, discCount = 0; // 0: unknown
    bool compilation = false;
    int stars = 0; // 0 for unrated, else 1 to 5
    uint32_t playCount = 0;
};

// The row's text and, when `library` holds the row, its details with the
// device's play counts merged.
TagValues TagValuesOf(const CItuneDB* library, const TrackRecord& row);

// The library's 0-100 rating (20 a star) in whole stars; a rating too
// small to reach half a star counts as none.
int StarsOfRating(uint32_t rating);

// The rating byte of an ID3v2 POPM frame as Linux players read it and
// write it: 1, 64, 128, 196 or 255 for one to five stars, 0 for none.
uint8_t PopularimeterRating(int stars);

// An FMPS rating, the stars as a fraction of five: "0.2" ... "1".
std::string FmpsRatingText(int stars);

// The standard tags the values can fill, under TagLib's property names
// ("TITLE", "ALBUMARTIST", "TRACKNUMBER" = "3/12", ...), in that order.
// With `separateTotals`, as Vorbis comments keep them, the counts go into
// "TRACKTOTAL" and "DISCTOTAL" instead.
std::vector<std::pair<std::string, std::string>> StandardProperties(const TagValues& values,
                                                                    bool separateTotals);
