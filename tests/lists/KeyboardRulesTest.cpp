// The pure rules of the lists' keyboard: which rows Space acts on, what tick
// they get and how the count moves, and when the focus frame shows.
#include "lists/FocusCue.h"
#include "lists/TickRules.h"

#include <gtest/gtest.h>
#include <map>
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

TEST(FocusCue, ShowsOnlyWhileTheKeyboardIsInUse) {
    // Focus by the program (O), Tab (T), Shift+Tab (B), the mouse (m); the
    // window coming back (A); a closed popup (P); a click (M), a key (K).
    const std::map<char, Qt::FocusReason> reasons{
        {'O', Qt::OtherFocusReason},        {'T', Qt::TabFocusReason},
        {'B', Qt::BacktabFocusReason},      {'m', Qt::MouseFocusReason},
        {'A', Qt::ActiveWindowFocusReason}, {'P', Qt::PopupFocusReason}};
    const std::string events = "OTAMAKmBP";
    const std::string shown = "011001011";
    FocusCue cue;
    for (size_t i = 0; i < events.size(); ++i) {
        if (events[i] == 'M')
            cue.MousePressed();
        else if (events[i] == 'K')
            cue.KeyPressed();
        else
            cue.FocusArrived(reasons.at(events[i]));
        EXPECT_EQ(cue.shown(), shown[i] == '1') << "after " << events.substr(0, i + 1);
    }
}
