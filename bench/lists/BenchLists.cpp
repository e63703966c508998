// The track list with 100,000 rows: sorting (by the detail columns too),
// check-all and painting one screenful. Runs on the offscreen platform unless told otherwise.
#include "library/TrackRecord.h"
#include "lists/CHeaderCtrlEx.h"
#include "lists/CListCtrlEx.h"
#include "lists/TrackColumns.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <deque>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kRows = 100000;
constexpr int kScreenRows = 20;

// A library shaped like a real one: a few thousand artists in mixed case,
// many tracks per artist, some fields missing. Like the device's pool, every
// track carries its own copy of its strings.
class Library {
public:
    Library() {
        std::mt19937 random(20261207);
        std::vector<std::u16string> artists;
        for (int i = 0; i < 3000; ++i)
            artists.push_back(Name(random, i % 2 ? u"The " : u"", 6 + i % 9));
        for (int i = 0; i < kRows; ++i) {
            TrackRecord row;
            row.trackId = static_cast<uint32_t>(i);
            row.title = Keep(Name(random, u"", 4 + i % 20));
            row.artist = i % 97 == 0 ? nullptr : Keep(artists[random() % artists.size()]);
            row.album = Keep(Name(random, u"", 8));
            row.genre = Keep(artists[random() % 20]);
            row.fileSize = static_cast<uint32_t>(random());
            shuffled.push_back(row);
            details.push_back(Details(random));
        }
        rows = shuffled;
    }

    void Reset() { std::copy(shuffled.begin(), shuffled.end(), rows.begin()); }
    const TrackDetails* DetailsOf(const TrackRecord& row) const { return &details[row.trackId]; }

    std::vector<TrackRecord> rows;

private:
    // Most tracks rated and played a little, some never; a few from an
    // older database whose header has neither field.
    static TrackDetails Details(std::mt19937& random) {
        TrackDetails details;
        if (random() % 50 != 0)
            details.present = TrackDetails::kRating | TrackDetails::kPlayCount;
        details.rating = static_cast<uint8_t>(20 * (random() % 6));
        details.playCount = random() % 4 == 0 ? 0 : static_cast<uint32_t>(random() % 500);
        return details;
    }
    static std::u16string Name(std::mt19937& random, const char16_t* prefix, int length) {
        std::u16string name(prefix);
        for (int i = 0; i < length; ++i) {
            const char16_t letter = static_cast<char16_t>(u'a' + random() % 26);
            name.push_back(random() % 3 == 0 ? static_cast<char16_t>(letter - 32) : letter);
        }
        return name;
    }
    const char16_t* Keep(std::u16string text) { return pool.emplace_back(std::move(text)).c_str(); }

    std::deque<std::u16string> pool;
    std::vector<TrackRecord> shuffled;
    std::vector<TrackDetails> details; // by trackId
};

Library& Tracks() {
    static Library library;
    return library;
}

// A track list placed the way the main window places it, showing the library.
class ShownList {
public:
    ShownList() {
        for (int column = 0; column < kTrackColumnCount; ++column)
            list.InsertColumn(column, QString::fromLatin1(kTrackColumns[column].caption),
                              kTrackColumns[column].width);
        list.InsertDetailColumns();
        list.InitHeader();
        list.SetDetailsLookup([](const TrackRecord& row) { return Tracks().DetailsOf(row); });
        list.SetItemCount(kRows);
        list.SetRows(Tracks().rows.data());
        list.SetDisplay(1);
        list.resize(630, list.horizontalHeader()->sizeHint().height() +
                             kScreenRows * list.rowHeight(0) + 4);
        list.show();
    }
    CListCtrlEx list;
};

void Sort(benchmark::State& state, bool (CListCtrlEx::*sort)(bool), bool descending) {
    ShownList shown;
    for (auto _ : state) {
        state.PauseTiming();
        Tracks().Reset();
        state.ResumeTiming();
        benchmark::DoNotOptimize((shown.list.*sort)(descending));
    }
}

void BM_SortByArtistAscending(benchmark::State& state) {
    Sort(state, &CListCtrlEx::SortByArtist, false);
}
void BM_SortByArtistDescending(benchmark::State& state) {
    Sort(state, &CListCtrlEx::SortByArtist, true);
}
void BM_SortBySizeAscending(benchmark::State& state) {
    Sort(state, &CListCtrlEx::SortBySize, false);
}
void BM_SortBySizeDescending(benchmark::State& state) {
    Sort(state, &CListCtrlEx::SortBySize, true);
}

void SortByDetail(benchmark::State& state, DetailColumn column, bool descending) {
    ShownList shown;
    for (auto _ : state) {
        state.PauseTiming();
        Tracks().Reset();
        state.ResumeTiming();
        benchmark::DoNotOptimize(shown.list.SortByDetail(column, descending));
    }
}

void BM_SortByRatingAscending(benchmark::State& state) {
    SortByDetail(state, DetailColumn::Rating, false);
}
void BM_SortByRatingDescending(benchmark::State& state) {
    SortByDetail(state, DetailColumn::Rating, true);
}
void BM_SortByPlaysAscending(benchmark::State& state) {
    SortByDetail(state, DetailColumn::Plays, false);
}
void BM_SortByPlaysDescending(benchmark::State& state) {
    SortByDetail(state, DetailColumn::Plays, true);
}

// Reversing an already sorted list is what a second click on a header does.
void BM_SortByArtistReverseSorted(benchmark::State& state) {
    ShownList shown;
    Tracks().Reset();
    bool descending = false;
    for (auto _ : state) {
        benchmark::DoNotOptimize(shown.list.SortByArtist(descending));
        descending = !descending;
    }
}

void BM_CheckAll(benchmark::State& state) {
    ShownList shown;
    const int nameLeft = shown.list.Header().SectionRect(kColumnName).x();
    for (auto _ : state)
        shown.list.OnColumnClick(kColumnName, nameLeft + 2); // alternately all on and all off
    benchmark::DoNotOptimize(shown.list.checkedCount());
}

void PaintScreenful(benchmark::State& state, const DetailColumnSet& shownDetails) {
    ShownList shown;
    shown.list.ShowDetailColumns(shownDetails);
    shown.list.scrollTo(shown.list.model()->index(kRows / 2, 0));
    QScrollBar* across = shown.list.horizontalScrollBar();
    across->setValue(across->maximum()); // where the detail columns are, when shown
    QImage image(shown.list.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state)
        shown.list.viewport()->render(&image);
    state.counters["rows"] = kScreenRows;
}

void BM_PaintScreenful(benchmark::State& state) {
    PaintScreenful(state, {});
}
// Every detail column shown.
void BM_PaintScreenfulWithDetails(benchmark::State& state) {
    PaintScreenful(state, DetailColumnSet().set());
}

// What the main window does each time another playlist is shown.
void BM_HandOverRows(benchmark::State& state) {
    ShownList shown;
    for (auto _ : state) {
        shown.list.SetDisplay(0);
        shown.list.SetRows(nullptr);
        shown.list.SetItemCount(0);
        shown.list.SetItemCount(kRows);
        shown.list.SetRows(Tracks().rows.data());
        shown.list.SetDisplay(1);
    }
}

} // namespace

BENCHMARK(BM_SortByArtistAscending)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByArtistDescending)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortBySizeAscending)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortBySizeDescending)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByRatingAscending)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByRatingDescending)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByPlaysAscending)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByPlaysDescending)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortByArtistReverseSorted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintScreenful)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintScreenfulWithDetails)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HandOverRows)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
