// The pure rules of the lists' keyboard: which rows Space acts on, what tick
// they get and how the count moves, and when the focus frame shows.
#include "lists/FocusCue.h"
#include "lists/TickRules.h"

#include <gtest/gtest.h>
#include <string>

namespace {

struct SpaceCase {
    const char* what;
    std::vector<RowSpan> selected;
    int current;
    std::string ticksBefore; // one character a row: 'x' ticked, '.' not
    std::string ticksAfter;
    int countChange;
};

std::string Ticks(const std::vector<TrackRecord>& rows) {
    std::string ticks;
    for (const TrackRecord& row : rows)
        ticks += row.checked != 0 ? 'x' : '.';
    return ticks;
}

} // namespace

TEST(SpaceRules, SelectedRowsGetOneTickAndTheCountFollows) {
    const SpaceCase cases[] = {
        {"one current row, nothing selected", {}, 2, ".....", "..x..", 1},
        {"the current row unticks", {}, 2, "..x..", ".....", -1},
        {"every row selected, some ticked: all ticked", {{0, 4}}, 0, "x.x..", "xxxxx", 3},
        {"every row selected and ticked: all unticked", {{0, 4}}, 3, "xxxxx", ".....", -5},
        {"selection wins over the current row", {{1, 1}, {3, 4}}, 0, ".....", ".x.xx", 3},
        {"overlapping and unordered spans count once", {{3, 4}, {1, 3}}, -1, "...x.", ".xxxx", 3},
        {"spans past the end are cut", {{3, 9}, {-2, 0}}, 1, ".....", "x..xx", 3},
        {"no selection, no current row: nothing", {}, -1, "x....", "x....", 0},
    };
    for (const SpaceCase& c : cases) {
        std::vector<TrackRecord> rows(c.ticksBefore.size());
        for (size_t i = 0; i < rows.size(); ++i)
            rows[i].checked = c.ticksBefore[i] == 'x' ? 1 : 0;
        const std::vector<RowSpan> spans =
            SpaceRows(c.selected, c.current, static_cast<int>(rows.size()));
        const int change =
            spans.empty() ? 0 : SetTicks(rows.data(), spans, SpaceTick(rows.data(), spans));
        EXPECT_EQ(Ticks(rows), c.ticksAfter) << c.what;
        EXPECT_EQ(change, c.countChange) << c.what;
    }
}

TEST(SpaceRules, MergedSpansAreDisjointAndSorted) {
    const std::vector<RowSpan> spans = SpaceRows({{5, 6}, {0, 1}, {2, 2}, {8, 8}}, 0, 10);
    ASSERT_EQ(spans.size(), 3u);
    EXPECT_EQ(spans[0].first, 0);
    EXPECT_EQ(spans[0].last, 2); // adjacent spans join
    EXPECT_EQ(spans[1].first, 5);
    EXPECT_EQ(spans[2].first, 8);
}

TEST(FocusCue, ShowsOnlyWhileTheKeyboardIsInUse) {
    struct Step {
        const char* what;
        void (*act)(FocusCue&);
        bool shown;
    };
    const Step steps[] = {
        {"focus by the program", [](FocusCue& c) { c.FocusArrived(Qt::OtherFocusReason); }, false},
        {"focus by Tab", [](FocusCue& c) { c.FocusArrived(Qt::TabFocusReason); }, true},
        {"the window comes back", [](FocusCue& c) { c.FocusArrived(Qt::ActiveWindowFocusReason); },
         true},
        {"a click", [](FocusCue& c) { c.MousePressed(); }, false},
        {"the window comes back after a click",
         [](FocusCue& c) { c.FocusArrived(Qt::ActiveWindowFocusReason); }, false},
        {"a key after the click", [](FocusCue& c) { c.KeyPressed(); }, true},
        {"focus by the mouse", [](FocusCue& c) { c.FocusArrived(Qt::MouseFocusReason); }, false},
        {"focus by Shift+Tab", [](FocusCue& c) { c.FocusArrived(Qt::BacktabFocusReason); }, true},
        {"a popup closes", [](FocusCue& c) { c.FocusArrived(Qt::PopupFocusReason); }, true},
    };
    FocusCue cue;
    EXPECT_FALSE(cue.shown());
    for (const Step& step : steps) {
        step.act(cue);
        EXPECT_EQ(cue.shown(), step.shown) << step.what;
    }
}
