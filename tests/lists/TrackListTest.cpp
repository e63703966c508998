// The track list as the main window drives it: clicks on the header, check
// marks and their count, the owner's sequence, and sharing the rows' lock.
#include "ListsTestSupport.h"
#include "library/TrackTableLock.h"
#include "lists/CHeaderCtrlEx.h"
#include "lists/ListMetrics.h"
#include "lists/SortMarks.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

class TrackListTest : public ::testing::Test {
protected:
    void SetUp() override {
        table.Add({u"Yellow"}, {u"Coldplay"}, 3000);
        table.Add({u"angie"}, {u"Rolling Stones"}, 1000);
        table.Add({u"Blue"}, {nullptr}, 2000);
        table.Add({u"creep"}, {u""}, 500);
        list.resize(700, 300);
        InsertTrackColumns(list);
        ShowRows(list, table);
    }
    std::u16string Title(int row) { return table[row].title; }
    int NameLeft() { return list.Header().SectionRect(kColumnName).x(); }

    TrackTable table;
    CListCtrlEx list;
};

void SendMouse(QWidget* target, QEvent::Type type, QPoint pos) {
    const Qt::MouseButtons buttons =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, target->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void DoubleClick(QWidget* target, QPoint pos) {
    SendMouse(target, QEvent::MouseButtonPress, pos);
    SendMouse(target, QEvent::MouseButtonRelease, pos);
    SendMouse(target, QEvent::MouseButtonDblClick, pos);
    SendMouse(target, QEvent::MouseButtonRelease, pos);
}

// Right-clicks the header and chooses `caption` from the menu it opens.
// Returns whether that entry was ticked before.
bool ChooseFromHeaderMenu(CListCtrlEx& list, const QString& caption) {
    QWidget* target = list.Header().viewport();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            target->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(target, &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    EXPECT_NE(menu, nullptr);
    if (menu == nullptr)
        return false;
    bool wasTicked = false;
    for (QAction* action : menu->actions()) {
        if (action->text() != caption)
            continue;
        wasTicked = action->isChecked();
        action->trigger();
    }
    menu->close();
    return wasTicked;
}

} // namespace

TEST_F(TrackListTest, HeaderMenuShowsAndHidesADetailColumnWhichSortsAndSpeaks) {
    std::vector<TrackDetails> details(static_cast<size_t>(table.count()));
    details[0].present = details[2].present = TrackDetails::kRating;
    details[0].rating = 80; // Yellow; Blue below has 20, angie and creep none
    details[2].rating = 20;
    list.SetDetailsLookup([&details](const TrackRecord& row) { return &details[row.trackId]; });
    list.InsertDetailColumns();
    int changes = 0;
    QObject::connect(&list, &CListCtrlEx::detailColumnsChanged, [&changes] { ++changes; });
    const int rating = ModelColumnOf(DetailColumn::Rating);
    EXPECT_TRUE(list.ShownDetailColumns().none());
    // The row, as the focus frame and repaints take it, ends with the last column shown.
    EXPECT_EQ(list.RowRect(0), list.CellRect(0, 0).united(list.CellRect(0, kColumnGenre)));

    EXPECT_FALSE(ChooseFromHeaderMenu(list, QStringLiteral("Rating")));
    EXPECT_EQ(list.RowRect(0).right(), list.CellRect(0, rating).right());
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(list.isColumnHidden(rating));
    EXPECT_EQ(list.ShownDetailColumns(), DetailColumnSet().set(size_t(DetailColumn::Rating)));
    EXPECT_EQ(list.model()->data(list.model()->index(0, rating), Qt::AccessibleTextRole),
              QStringLiteral("4 stars"));

    list.OnColumnClick(rating, list.Header().SectionRect(rating).center().x());
    EXPECT_EQ(list.Header().sortColumn(), rating);
    EXPECT_EQ(Title(0), u"angie"); // the unrated keep their order ahead of the rated
    EXPECT_EQ(Title(1), u"creep");
    EXPECT_EQ(Title(2), u"Blue");
    EXPECT_EQ(Title(3), u"Yellow");

    EXPECT_TRUE(ChooseFromHeaderMenu(list, QStringLiteral("Rating")));
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(list.isColumnHidden(rating));
    EXPECT_TRUE(list.ShownDetailColumns().none());
}

TEST_F(TrackListTest, HeaderClicksCycleTheSortAndMoveTheArrow) {
    const int artistX = list.Header().SectionRect(kColumnArtist).center().x();
    list.OnColumnClick(kColumnArtist, artistX);
    EXPECT_EQ(list.Header().sortColumn(), kColumnArtist);
    EXPECT_EQ(list.Header().sortState(), kSortAscending);
    EXPECT_EQ(Title(0), u"Blue"); // no artist first, then the empty artist
    EXPECT_EQ(Title(1), u"creep");
    EXPECT_EQ(Title(3), u"angie");

    list.OnColumnClick(kColumnArtist, artistX);
    EXPECT_EQ(list.Header().sortState(), kSortDescending);
    EXPECT_EQ(Title(0), u"angie");
    EXPECT_EQ(Title(3), u"Blue");

    list.OnColumnClick(kColumnArtist, artistX);
    EXPECT_EQ(list.Header().sortState(), kSortAscending);
    EXPECT_EQ(Title(0), u"Blue");

    list.OnColumnClick(kColumnSize, 0);
    EXPECT_EQ(list.Header().sortColumn(), kColumnSize);
    EXPECT_EQ(list.Header().sortState(), kSortAscending);
    EXPECT_EQ(Title(0), u"creep");
    EXPECT_EQ(Title(3), u"Yellow");

    // Sorting never touches the check marks' meaning: a row keeps its mark.
    EXPECT_EQ(list.checkedCount(), 0);
}

TEST_F(TrackListTest, NumHeaderAndEmptyListDoNothing) {
    list.OnColumnClick(kColumnNumber, 5);
    EXPECT_EQ(list.Header().sortState(), kSortNone);
    EXPECT_EQ(Title(0), u"Yellow");

    TrackTable none;
    ShowRows(list, none);
    list.OnColumnClick(kColumnArtist, list.Header().SectionRect(kColumnArtist).center().x());
    list.OnColumnClick(kColumnName, NameLeft());
    EXPECT_EQ(list.Header().sortState(), kSortNone);
    EXPECT_FALSE(list.allChecked());
    EXPECT_EQ(list.checkedCount(), 0);
}

TEST_F(TrackListTest, CheckAllBoxSpansEighteenPixelsBothEndsIncluded) {
    list.OnColumnClick(kColumnName, NameLeft() + kCheckCellWidth);
    EXPECT_TRUE(list.allChecked());
    EXPECT_EQ(list.checkedCount(), 4);
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(list.GetRowCheck(row), 1u);
    EXPECT_EQ(list.Header().sortState(), kSortNone); // no sorting
    EXPECT_EQ(Title(0), u"Yellow");

    list.OnColumnClick(kColumnName, NameLeft());
    EXPECT_FALSE(list.allChecked());
    EXPECT_EQ(list.checkedCount(), 0);
    EXPECT_EQ(table[2].checked, 0u);

    list.OnColumnClick(kColumnName, NameLeft() + kCheckCellWidth + 1);
    EXPECT_FALSE(list.allChecked());
    EXPECT_EQ(list.Header().sortColumn(), kColumnName);
    EXPECT_EQ(list.Header().sortState(), kSortAscending);
    EXPECT_EQ(Title(0), u"angie");
}

TEST_F(TrackListTest, CheckingRowsOneByOneKeepsCountAndCheckAllBox) {
    for (int row = 0; row < 3; ++row)
        list.SetRowCheck(row, true);
    EXPECT_EQ(list.checkedCount(), 3);
    EXPECT_FALSE(list.allChecked());
    list.SetRowCheck(1, true); // already checked: not counted twice
    EXPECT_EQ(list.checkedCount(), 3);
    list.SetRowCheck(3, true);
    EXPECT_EQ(list.checkedCount(), 4);
    EXPECT_TRUE(list.allChecked());
    list.SetRowCheck(2, false);
    EXPECT_EQ(list.checkedCount(), 3);
    EXPECT_FALSE(list.allChecked());
    EXPECT_EQ(list.GetRowCheck(2), 0u);
    EXPECT_EQ(list.GetRowCheck(0), 1u);

    // Out-of-range rows are ignored rather than written past the table.
    list.SetRowCheck(-1, true);
    list.SetRowCheck(4, true);
    EXPECT_EQ(list.checkedCount(), 3);
    EXPECT_EQ(list.GetRowCheck(4), 0u);
    EXPECT_EQ(list.GetRowCheck(-1), 0u);
}

TEST_F(TrackListTest, DisplayOffClearsCountAndBoxAndNewRowsClearTheArrow) {
    list.OnColumnClick(kColumnName, NameLeft());
    list.OnColumnClick(kColumnArtist, list.Header().SectionRect(kColumnArtist).center().x());
    ASSERT_TRUE(list.allChecked());
    list.SetDisplay(0);
    EXPECT_EQ(list.checkedCount(), 0);
    EXPECT_FALSE(list.allChecked());
    EXPECT_EQ(list.Header().sortState(), kSortAscending); // only SetRows clears the arrow
    list.SetRows(table.data());
    EXPECT_EQ(list.Header().sortColumn(), kColumnName);
    EXPECT_EQ(list.Header().sortState(), kSortNone);
}

TEST_F(TrackListTest, WithoutRowsSortsFailAndChecksAreIgnored) {
    EXPECT_TRUE(list.SortByGenre(false));
    list.SetRows(nullptr);
    EXPECT_FALSE(list.SortByTitle(false));
    EXPECT_FALSE(list.SortBySize(false));
    EXPECT_EQ(list.GetRowCheck(0), 0u);
    list.SetRowCheck(0, true);
    EXPECT_EQ(list.checkedCount(), 0);
}

TEST_F(TrackListTest, CheckCellHitTestCoversTheNameColumnsFirstEighteenPixels) {
    const QRect name = list.CellRect(1, kColumnName);
    const int y = name.center().y();
    EXPECT_TRUE(list.IsOnCheckCell({name.x(), y}));
    EXPECT_TRUE(list.IsOnCheckCell({name.x() + kCheckCellWidth, y}));
    EXPECT_FALSE(list.IsOnCheckCell({name.x() - 1, y}));
    EXPECT_FALSE(list.IsOnCheckCell({name.x() + kCheckCellWidth + 1, y}));
    const QRect last = list.CellRect(3, kColumnName);
    EXPECT_FALSE(list.IsOnCheckCell({name.x() + 2, last.bottom() + 5})); // below the rows
}

TEST_F(TrackListTest, ClickOnRowReportsRowAndPosition) {
    std::vector<std::pair<int, QPoint>> clicks;
    QObject::connect(&list, &COwnerDrawList::rowClicked,
                     [&clicks](int row, QPoint pos) { clicks.emplace_back(row, pos); });
    const QPoint pos = list.CellRect(2, kColumnName).topLeft() + QPoint(3, 3);
    SendMouse(list.viewport(), QEvent::MouseButtonPress, pos);
    SendMouse(list.viewport(), QEvent::MouseButtonRelease, pos);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].first, 2);
    EXPECT_EQ(clicks[0].second, pos);
    EXPECT_TRUE(list.IsOnCheckCell(pos));

    // The second click of a double click on the same row is not another click.
    DoubleClick(list.viewport(), pos);
    EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(TrackListTest, HeaderDoubleClickActsAsTwoClicksAndNeverAutoSizes) {
    list.show();
    QWidget* header = list.Header().viewport();
    DoubleClick(header, list.Header().SectionRect(kColumnArtist).center());
    EXPECT_EQ(list.Header().sortColumn(), kColumnArtist);
    EXPECT_EQ(list.Header().sortState(), kSortDescending);

    DoubleClick(header, QPoint(NameLeft() + 6, 5));
    EXPECT_FALSE(list.allChecked()); // flipped twice
    SendMouse(header, QEvent::MouseButtonPress, QPoint(NameLeft() + 6, 5));
    SendMouse(header, QEvent::MouseButtonRelease, QPoint(NameLeft() + 6, 5));
    EXPECT_TRUE(list.allChecked());

    const QRect genre = list.Header().SectionRect(kColumnGenre);
    DoubleClick(header, QPoint(genre.right(), 5)); // on the divider
    for (int column = 0; column < kTrackColumnCount; ++column)
        EXPECT_EQ(list.Header().sectionSize(column), kTrackColumns[column].width) << column;
}

TEST_F(TrackListTest, SortWaitsForTheCopyWorkersLockAndNothingTears) {
    TrackTable big;
    for (int i = 0; i < 20000; ++i) {
        const std::u16string artist =
            u"artist " + std::u16string(1, char16_t(u'a' + (i * 31) % 26));
        big.Add({artist.c_str()}, {artist.c_str()}, static_cast<uint32_t>(i));
    }
    ShowRows(list, big);

    std::atomic<bool> held{false};
    std::atomic<bool> changedWhileHeld{false};
    std::chrono::steady_clock::time_point released;
    std::thread worker([&] {
        std::lock_guard lock(g_trackTableLock);
        held = true;
        const TrackRecord first = big[0];
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(150);
        while (std::chrono::steady_clock::now() < until)
            if (big[0].fileSize != first.fileSize || big[0].title != first.title)
                changedWhileHeld = true;
        released = std::chrono::steady_clock::now();
    });
    while (!held)
        std::this_thread::yield();
    EXPECT_TRUE(list.SortByArtist(true));
    const auto sorted = std::chrono::steady_clock::now();
    worker.join();

    EXPECT_FALSE(changedWhileHeld);
    EXPECT_GE(sorted, released);
    for (int row = 0; row < big.count(); ++row) {
        // Each row is still whole: the title was made equal to the artist.
        ASSERT_EQ(std::u16string_view(big[row].title), std::u16string_view(big[row].artist));
        if (row > 0) {
            ASSERT_GE(CompareDeviceText(big[row - 1].artist, big[row].artist), 0);
        }
    }
}
