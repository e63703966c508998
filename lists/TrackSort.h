#pragma once

#include "library/TrackRecord.h"
#include "lists/DetailColumns.h"

#include <cstdint>

// The keys the track list sorts by, one per sortable column.
enum class TrackSortKey { Title, Size, Artist, Album, Genre };

// Orders two device strings: null before any present string (even an empty
// one), then code unit by code unit with only the ASCII capitals folded to
// lower case. Returns <0, 0 or >0.
int CompareDeviceText(const char16_t* a, const char16_t* b);

// Sorts the first `count` rows in place, by CompareDeviceText for the texts
// and by unsigned value for the size. Stable in both directions: rows with
// equal keys keep their order. The caller holds g_trackTableLock.
void SortTrackRows(TrackRecord* rows, int count, TrackSortKey key, bool descending);

// A detail column's sort key: 0 when null, so that null rows lead an
// ascending sort, else the value plus one.
uint64_t DetailSortRank(const TrackDetails* details, DetailColumn column);

// Sorts the first `count` rows in place by a detail column, stably, asking
// `lookup` once per row for its details. The caller holds g_trackTableLock.
void SortTrackRowsByDetail(TrackRecord* rows, int count, DetailColumn column, bool descending,
                           const TrackDetailsLookup& lookup);
