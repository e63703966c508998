#pragma once

#include "lists/DetailColumns.h"

#include <QString>
#include <cstdint>
#include <optional>

// What a detail column holds for a track, or nothing when it is null: the
// field is absent from the track's header, or is a number or time that the
// device stores as 0 for "none" (track, disc, year, last played). A rating
// or play count of 0 is a value: unrated, never played.
std::optional<uint32_t> DetailValue(const TrackDetails* details, DetailColumn column);

// Whole stars of a rating stored at 20 a star, at most five.
int StarCount(uint32_t rating);
// What a screen reader says for a rating: "3 stars", "1 star"; empty when unrated.
QString StarText(int stars);

// The cell's text; empty when null. Last Played is the UTC time as the
// device stores it, to the minute: "2020-09-13 12:26".
QString DetailCellText(const TrackDetails* details, DetailColumn column);
