#include "lists/TrackSort.h"

#include <algorithm>

namespace {

// Only A-Z are folded: the original ordering knows no other case rules, and
// folding more would reorder lists users already know.
char16_t FoldAsciiCapital(char16_t unit) {
    return (unit >= u'A' && unit <= u'Z') ? static_cast<char16_t>(unit + (u'a' - u'A')) : unit;
}

int CompareSize(uint32_t a, uint32_t b) {
    return (a > b) - (a < b);
}

const char16_t* TrackRecord::*TextField(TrackSortKey key) {
    switch (key) {
    case TrackSortKey::Title:
        return &TrackRecord::title;
    case TrackSortKey::Artist:
        return &TrackRecord::artist;
    case TrackSortKey::Album:
        return &TrackRecord::album;
    case TrackSortKey::Genre:
        return &TrackRecord::genre;
    case TrackSortKey::Size:
        break;
    }
    return nullptr;
}

template <typename Less> void SortWith(TrackRecord* rows, int count, bool descending, Less less) {
    if (descending)
        std::sort(rows, rows + count,
                  [&less](const TrackRecord& a, const TrackRecord& b) { return less(b, a); });
    else
        std::sort(rows, rows + count, less);
}

} // namespace

int CompareDeviceText(const char16_t* a, const char16_t* b) {
    if (a == nullptr || b == nullptr)
        return (a != nullptr) - (b != nullptr);
    for (;; ++a, ++b) {
        const char16_t x = FoldAsciiCapital(*a);
        const char16_t y = FoldAsciiCapital(*b);
        if (x != y)
            return x < y ? -1 : 1;
        if (x == 0)
            return 0;
    }
}

int CompareTracks(const TrackRecord& a, const TrackRecord& b, TrackSortKey key) {
    if (key == TrackSortKey::Size)
        return CompareSize(a.fileSize, b.fileSize);
    const auto field = TextField(key);
    return CompareDeviceText(a.*field, b.*field);
}

void SortTrackRows(TrackRecord* rows, int count, TrackSortKey key, bool descending) {
    if (rows == nullptr || count < 2)
        return;
    if (key == TrackSortKey::Size) {
        SortWith(rows, count, descending, [](const TrackRecord& a, const TrackRecord& b) {
            return a.fileSize < b.fileSize;
        });
        return;
    }
    const auto field = TextField(key);
    SortWith(rows, count, descending, [field](const TrackRecord& a, const TrackRecord& b) {
        return CompareDeviceText(a.*field, b.*field) < 0;
    });
}
