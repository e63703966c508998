// The two lists as the keyboard and a screen reader meet them: what Qt's
// accessibility interfaces report for their cells, Space and Ctrl+A, and
// the focus frame of the current row. (The offscreen platform has no
// accessibility bridge, so Qt sends no announcements here.)
#include "ListsTestSupport.h"
#include "lists/ListPalette.h"
#include "support/QtTestSupport.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

void Press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
}

class ListAccessTest : public PixelTest {
protected:
    void SetUp() override {
        table.Add({u"Yellow"}, {u"Coldplay"}, 1048576, {u"Parachutes"}, {u"Rock"});
        table.Add({u"Angie"}, {u"Rolling Stones"}, 0);
        table.Add({nullptr}, {nullptr}, 3000);
        list.resize(700, 200);
        InsertTrackColumns(list);
        ShowRows(list, table);
    }
    static QAccessibleInterface* Cell(QWidget& view, int row, int column) {
        return QAccessible::queryAccessibleInterface(&view)->tableInterface()->cellAt(row, column);
    }
    void Activate(QWidget& widget) {
        widget.show();
        widget.activateWindow();
        ASSERT_TRUE(WaitUntil([&] { return QApplication::activeWindow() == &widget; }));
    }
    QImage Viewport(COwnerDrawList& view) {
        return view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    TrackTable table;
    CListCtrlEx list;
};

} // namespace

TEST_F(ListAccessTest, TrackCellsCarryTheirTextAndTheRowsTick) {
    QAccessibleInterface* tracks = QAccessible::queryAccessibleInterface(&list);
    EXPECT_EQ(tracks->role(), QAccessible::Table);
    EXPECT_EQ(tracks->text(QAccessible::Name), "Tracks");
    ASSERT_NE(tracks->tableInterface(), nullptr);
    EXPECT_EQ(tracks->tableInterface()->rowCount(), 3);
    EXPECT_EQ(tracks->tableInterface()->columnDescription(kColumnArtist), "Artist");

    const struct {
        int row;
        const char* texts[kTrackColumnCount];
    } rows[] = {
        {0, {"1", "Yellow", "1.00 MB", "Coldplay", "Parachutes", "Rock"}},
        {1, {"2", "Angie", "0.00 MB", "Rolling Stones", "", ""}},
        {2, {"3", "", "0.00 MB", "", "", ""}}, // no title, no artist: empty, as drawn
    };
    for (const auto& expected : rows) {
        for (int column = 0; column < kTrackColumnCount; ++column) {
            QAccessibleInterface* cell = Cell(list, expected.row, column);
            ASSERT_NE(cell, nullptr);
            EXPECT_EQ(cell->role(), QAccessible::Cell);
            EXPECT_EQ(cell->text(QAccessible::Name), expected.texts[column])
                << "row " << expected.row << " column " << column;
            EXPECT_TRUE(cell->state().checkable);
            EXPECT_FALSE(cell->state().checked);
        }
    }
}

TEST_F(ListAccessTest, PlaylistCellsCarryTheNamesAndNoTick) {
    PlaylistRecord playlists[3];
    const std::u16string names[] = {u"My iPod", u"", u"Road Trip"};
    for (int i = 0; i < 3; ++i)
        playlists[i].name = i == 1 ? nullptr : names[i].c_str();
    CListCtrlLeftPane pane;
    pane.InsertColumn(0, QString::fromLatin1(kPlaylistColumn.caption), kPlaylistColumn.width);
    pane.InitHeader();
    pane.SetItemCount(3);
    pane.SetPlaylists(playlists);
    pane.SetDisplay(1);

    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&pane);
    EXPECT_EQ(iface->role(), QAccessible::Table);
    EXPECT_EQ(iface->text(QAccessible::Name), "Playlists");
    EXPECT_EQ(iface->tableInterface()->columnDescription(0), "Devices");
    const char* expected[] = {"My iPod", "", "Road Trip"};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(Cell(pane, row, 0)->text(QAccessible::Name), expected[row]) << row;
        EXPECT_FALSE(Cell(pane, row, 0)->state().checkable) << row;
    }
    pane.SetPlaylists(nullptr); // the owner swaps the table: nothing is read from it
    EXPECT_EQ(Cell(pane, 2, 0)->text(QAccessible::Name), "");
}

TEST_F(ListAccessTest, SpaceTicksTheCurrentRowAndItsCellsSayChecked) {
    list.setCurrentIndex(list.model()->index(1, kColumnName));
    Press(&list, Qt::Key_Space);
    EXPECT_TRUE(Cell(list, 1, kColumnName)->state().checked);
    EXPECT_TRUE(Cell(list, 1, kColumnNumber)->state().checked); // the whole row carries it
    EXPECT_FALSE(Cell(list, 0, kColumnName)->state().checked);
    EXPECT_EQ(list.checkedCount(), 1);
}

TEST_F(ListAccessTest, CtrlASpaceTicksEveryRowAndSpaceAgainUnticksThem) {
    list.SetRowCheck(1, true);
    list.setCurrentIndex(list.model()->index(0, 0));
    Press(&list, Qt::Key_A, Qt::ControlModifier);
    Press(&list, Qt::Key_Space);
    EXPECT_EQ(list.checkedCount(), 3);
    EXPECT_TRUE(list.allChecked());
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(list.GetRowCheck(row), 1u) << row;
    Press(&list, Qt::Key_Space);
    EXPECT_EQ(list.checkedCount(), 0);
    EXPECT_FALSE(list.allChecked());
    EXPECT_FALSE(Cell(list, 2, kColumnGenre)->state().checked);
}

TEST_F(ListAccessTest, FocusFrameShowsOnKeyboardFocusOnly) {
    Activate(list);
    list.setCurrentIndex(list.model()->index(1, 0));
    const QImage unfocused = Viewport(list);

    list.setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(list.hasFocus());
    EXPECT_EQ(Viewport(list), unfocused);

    list.setFocus(Qt::TabFocusReason); // already focused: only the reason differs
    list.clearFocus();
    list.setFocus(Qt::TabFocusReason);
    const QImage keyboard = Keep(Viewport(list));
    const QRect row = list.RowRect(1);
    int changedInRow = 0;
    for (int y = 0; y < keyboard.height(); ++y) {
        for (int x = 0; x < keyboard.width(); ++x) {
            if (keyboard.pixel(x, y) == unfocused.pixel(x, y))
                continue;
            ASSERT_TRUE(row.contains(x, y))
                << "changed outside the current row at " << x << "," << y;
            ++changedInRow;
        }
    }
    EXPECT_GT(changedInRow, row.width()); // a frame, not a speck

    const QPoint inRow = list.CellRect(1, kColumnArtist).center();
    QMouseEvent press(QEvent::MouseButtonPress, inRow, list.viewport()->mapToGlobal(inRow),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, inRow, list.viewport()->mapToGlobal(inRow),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(list.viewport(), &release);
    EXPECT_EQ(Viewport(list), unfocused); // a click hides it again
}

namespace {

// What the lists announced, one entry an event; only announcements of this
// list's table, its cells excluded (they come by interface, see Cell()).
struct Announcement {
    QAccessible::Event type;
    int child = -1;
    QAccessibleInterface* cell = nullptr; // a state change's cell
    bool checked = false;                 // a state change is the tick's
    int firstRow = -1;                    // a table's change of rows
    int lastRow = -1;
};
std::vector<Announcement> g_announced;

void Record(QAccessibleEvent* event) {
    Announcement a{event->type(), event->child()};
    if (event->type() == QAccessible::StateChanged) {
        a.cell = event->accessibleInterface();
        a.checked = static_cast<QAccessibleStateChangeEvent*>(event)->changedStates().checked;
    } else if (event->type() == QAccessible::TableModelChanged) {
        const auto* change = static_cast<QAccessibleTableModelChangeEvent*>(event);
        a.firstRow = change->firstRow();
        a.lastRow = change->lastRow();
    }
    g_announced.push_back(a);
}

// Runs only where Qt's accessibility is on, under with-atspi-bus.sh, which
// asks for it; elsewhere it is skipped.
class ListAnnouncements : public ListAccessTest {
protected:
    void SetUp() override {
        ListAccessTest::SetUp();
        if (!qEnvironmentVariableIsSet("CORVANE_REQUIRE_ACCESSIBILITY"))
            GTEST_SKIP() << "needs Qt's accessibility on: run under with-atspi-bus.sh";
        ASSERT_TRUE(WaitUntil([] { return QAccessible::isActive(); }, 5000))
            << "Qt's accessibility did not come on";
        list.setCurrentIndex(list.model()->index(0, kColumnName));
        previous = QAccessible::installUpdateHandler(Record);
        g_announced.clear();
    }
    void TearDown() override {
        QAccessible::installUpdateHandler(previous);
        ListAccessTest::TearDown();
    }
    const Announcement* Find(QAccessible::Event type) const {
        for (const Announcement& a : g_announced)
            if (a.type == type)
                return &a;
        return nullptr;
    }
    QAccessible::UpdateHandler previous = nullptr;
};

} // namespace

TEST_F(ListAnnouncements, ATickOfTheCurrentRowIsItsCellsCheckedChange) {
    Press(&list, Qt::Key_Space);
    const Announcement* state = Find(QAccessible::StateChanged);
    ASSERT_NE(state, nullptr);
    EXPECT_TRUE(state->checked);
    EXPECT_EQ(state->cell, Cell(list, 0, kColumnName));
    const Announcement* data = Find(QAccessible::TableModelChanged);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->firstRow, 0);
    EXPECT_EQ(data->lastRow, 0);

    g_announced.clear();
    list.SetRowCheck(2, true); // a click on another row's box: its data changes, no focus moves
    EXPECT_EQ(Find(QAccessible::StateChanged), nullptr);
    ASSERT_NE(Find(QAccessible::TableModelChanged), nullptr);
    EXPECT_EQ(Find(QAccessible::TableModelChanged)->firstRow, 2);

    g_announced.clear();
    Press(&list, Qt::Key_A, Qt::ControlModifier);
    g_announced.clear();
    Press(&list, Qt::Key_Space); // one change for the whole table
    ASSERT_NE(Find(QAccessible::TableModelChanged), nullptr);
    EXPECT_EQ(Find(QAccessible::TableModelChanged)->firstRow, 0);
    EXPECT_EQ(Find(QAccessible::TableModelChanged)->lastRow, 2);
}

TEST_F(ListAnnouncements, ANewCurrentRowIsAnnouncedAsQtsViewsDo) {
    Press(&list, Qt::Key_Down);
    const Announcement* focus = Find(QAccessible::Focus);
    ASSERT_NE(focus, nullptr);
    QAccessibleInterface* tracks = QAccessible::queryAccessibleInterface(&list);
    EXPECT_EQ(tracks->child(focus->child), Cell(list, 1, kColumnName));
}
