#include "lists/TrackSort.h"

#include "lists/DetailCells.h"

#include <algorithm>
#include <vector>

namespace {

// Only A-Z are folded: other letters keep their code-unit order, so the
// order never depends on the user's locale.
char16_t FoldAsciiCapital(char16_t unit) {
    return (unit >= u'A' && unit <= u'Z') ? static_cast<char16_t>(unit + (u'a' - u'A')) : unit;
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

// The sort works on small entries instead of the rows themselves, and orders
// text four folded code units at a time (a most-significant-digit radix sort
// whose digits are compared as integers). A library's strings are scattered
// over the device's string pool and many rows share the same artist, album or
// genre; comparing whole strings pair by pair would walk the pool again and
// again, while this reads each string about once.
struct SortEntry {
    uint64_t key;         // the current digit: a size, or four folded units
    const char16_t* text; // the text being sorted by, or null
    uint32_t row;
};

constexpr int kUnitsPerDigit = 4;

// Four folded units of `text` from `offset`, big-endian, zero after the
// terminator, so that comparing digits compares the strings' units in order.
// The caller guarantees that the string does not end before `offset`.
uint64_t TextDigit(const char16_t* text, size_t offset) {
    uint64_t digit = 0;
    bool ended = false;
    for (int i = 0; i < kUnitsPerDigit; ++i) {
        const char16_t unit = ended ? 0 : FoldAsciiCapital(text[offset + i]);
        ended = ended || unit == 0;
        digit = (digit << 16) | unit;
    }
    return digit;
}

// A digit whose last unit is zero holds the terminator: two strings with the
// same such digit are equal, and nothing after it may be read.
bool DigitEndsText(uint64_t digit) {
    return (digit & 0xFFFF) == 0;
}

void SortByKey(SortEntry* first, SortEntry* last, bool descending) {
    if (descending)
        std::sort(first, last,
                  [](const SortEntry& a, const SortEntry& b) { return a.key > b.key; });
    else
        std::sort(first, last,
                  [](const SortEntry& a, const SortEntry& b) { return a.key < b.key; });
}

// Rows that tie keep their order, so that a sort by one column keeps the
// order of the previous sort among the rows it ties. Sorting only the ties,
// once they are known, costs far less than breaking every comparison's tie.
void KeepRowOrder(SortEntry* first, SortEntry* last) {
    std::sort(first, last, [](const SortEntry& a, const SortEntry& b) { return a.row < b.row; });
}

// Calls `each` with every run of two or more equal keys in sorted entries.
template <typename Each> void ForEachTie(SortEntry* first, SortEntry* last, Each each) {
    for (SortEntry* start = first; start != last;) {
        SortEntry* end = start + 1;
        while (end != last && end->key == start->key)
            ++end;
        if (end - start > 1)
            each(start, end);
        start = end;
    }
}

// Sorts entries by their text. An explicit work list instead of recursion: a
// damaged database may hold very long strings shared by many rows.
void SortText(SortEntry* first, SortEntry* last, bool descending) {
    // Absent texts sort before even the empty string, so they lead an
    // ascending sort and end a descending one.
    SortEntry* const present = std::partition(first, last, [descending](const SortEntry& e) {
        return (e.text == nullptr) != descending;
    });
    if (descending) {
        KeepRowOrder(present, last);
        last = present;
    } else {
        KeepRowOrder(first, present);
        first = present;
    }
    struct Run {
        SortEntry* first;
        SortEntry* last;
        size_t offset;
    };
    std::vector<Run> work{{first, last, 0}};
    while (!work.empty()) {
        const Run run = work.back();
        work.pop_back();
        for (SortEntry* e = run.first; e != run.last; ++e)
            e->key = TextDigit(e->text, run.offset);
        SortByKey(run.first, run.last, descending);
        ForEachTie(run.first, run.last, [&](SortEntry* start, SortEntry* end) {
            if (DigitEndsText(start->key))
                KeepRowOrder(start, end); // equal texts
            else
                work.push_back({start, end, run.offset + kUnitsPerDigit});
        });
    }
}

// Rearranges the rows into the order of the sorted entries.
void PutInOrder(TrackRecord* rows, const std::vector<SortEntry>& entries) {
    std::vector<TrackRecord> sorted;
    sorted.reserve(entries.size());
    for (const SortEntry& entry : entries)
        sorted.push_back(rows[entry.row]);
    std::copy(sorted.begin(), sorted.end(), rows);
}

// Ratings, play counts, numbers and years take few distinct ranks, fewer
// than there are rows: counting them sorts in linear time, and in order of
// the rows within a rank, so stably in both directions.
void CountingSort(std::vector<SortEntry>& entries, uint64_t topRank, bool descending) {
    const auto bucket = [&](const SortEntry& e) {
        return static_cast<size_t>(descending ? topRank - e.key : e.key);
    };
    std::vector<uint32_t> starts(static_cast<size_t>(topRank) + 2, 0);
    for (const SortEntry& e : entries)
        ++starts[bucket(e) + 1];
    for (size_t b = 1; b < starts.size(); ++b)
        starts[b] += starts[b - 1];
    std::vector<SortEntry> sorted(entries.size());
    for (const SortEntry& e : entries)
        sorted[starts[bucket(e)]++] = e;
    entries.swap(sorted);
}

// Times and other wide ranks: the row's position goes into the key's low
// bits, so that one sort of distinct keys keeps ties in order.
void SortDistinctKeys(std::vector<SortEntry>& entries, bool descending) {
    constexpr int kRowBits = 31;
    constexpr uint64_t kTopRank = (uint64_t(1) << 33) - 1;
    for (SortEntry& e : entries)
        e.key = ((descending ? kTopRank - e.key : e.key) << kRowBits) | uint64_t(e.row);
    SortByKey(entries.data(), entries.data() + entries.size(), false);
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

void SortTrackRows(TrackRecord* rows, int count, TrackSortKey key, bool descending) {
    if (rows == nullptr || count < 2)
        return;
    const auto field = TextField(key);
    std::vector<SortEntry> entries(static_cast<size_t>(count));
    for (int row = 0; row < count; ++row)
        entries[row] = {rows[row].fileSize, field ? rows[row].*field : nullptr,
                        static_cast<uint32_t>(row)};
    if (field == nullptr) {
        SortByKey(entries.data(), entries.data() + count, descending);
        ForEachTie(entries.data(), entries.data() + count, KeepRowOrder);
    } else {
        SortText(entries.data(), entries.data() + count, descending);
    }

    PutInOrder(rows, entries);
}

void SortTrackRowsByDetail(TrackRecord* rows, int count, DetailColumn column, bool descending,
                           const TrackDetailsLookup& lookup) {
    if (rows == nullptr || count < 2)
        return;
    std::vector<SortEntry> entries(static_cast<size_t>(count));
    uint64_t topRank = 0;
    for (int row = 0; row < count; ++row) {
        const uint64_t rank = DetailSortRank(lookup ? lookup(rows[row]) : nullptr, column);
        entries[row] = {rank, nullptr, static_cast<uint32_t>(row)};
        topRank = std::max(topRank, rank);
    }
    if (topRank < entries.size())
        CountingSort(entries, topRank, descending);
    else
        SortDistinctKeys(entries, descending);
    PutInOrder(rows, entries);
}

uint64_t DetailSortRank(const TrackDetails* details, DetailColumn column) {
    const std::optional<uint32_t> value = DetailValue(details, column);
    return value ? uint64_t(*value) + 1 : 0;
}
