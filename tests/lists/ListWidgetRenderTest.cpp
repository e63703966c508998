// The lists painted as widgets: rows line up with the header, only shown
// while the display is on, and the border sits on the outer edge.
#include "ListsTestSupport.h"
#include "lists/CHeaderCtrlEx.h"
#include "lists/ListMetrics.h"
#include "lists/ListPalette.h"

#include <QItemSelectionModel>

namespace {

using namespace ListPalette;

class ListWidgetRenderTest : public PixelTest {
protected:
    void Render(COwnerDrawList& list) {
        Keep(list.grab().toImage().convertToFormat(QImage::Format_RGB32));
        origin = list.viewport()->mapTo(&list, QPoint(0, 0));
    }
    // A viewport point in the rendered image.
    QPoint At(const QRect& cell, int dx, int dy) const {
        return origin + cell.topLeft() + QPoint(dx, dy);
    }
    QPoint origin;
};

} // namespace

TEST_F(ListWidgetRenderTest, TrackRowsFollowTheHeaderAndHideWhileDisplayIsOff) {
    TrackTable table;
    table.Add({u"One"}, {u"A"}, 1048576);
    table.Add({u"Two"}, {u"B"}, 0);
    CListCtrlEx list;
    list.resize(640, 200);
    InsertTrackColumns(list);
    ShowRows(list, table);
    list.show();
    Render(list);

    EXPECT_TRUE(PixelIs(0, 0, kBorderOutline));
    EXPECT_TRUE(PixelIs(1, 1, kBorderInner));
    EXPECT_TRUE(PixelIs(639, 199, kBorderOutline));
    EXPECT_EQ(origin, QPoint(kBorderWidth, kBorderWidth + HeaderHeight(list.fontMetrics())));
    EXPECT_EQ(list.rowHeight(0), RowHeight(list.fontMetrics()));

    const QRect genre = list.CellRect(1, kColumnGenre);
    ASSERT_EQ(RightEdge(genre), list.Header().SectionRect(kColumnGenre).x() + 50);
    QPoint p = At(genre, genre.width() - 1, 2);
    EXPECT_TRUE(PixelIs(p.x(), p.y(), kGridLine));
    p = At(genre, genre.width() - 2, 2);
    EXPECT_TRUE(PixelIs(p.x(), p.y(), kOddRowFill));
    p = At(list.CellRect(0, kColumnAlbum), 3, 2);
    EXPECT_TRUE(PixelIs(p.x(), p.y(), kEvenRowFill));
    // The header's divider for "Genre" sits over the rows' grid line.
    const int headerY = kBorderWidth + 3;
    EXPECT_TRUE(PixelIs(origin.x() + RightEdge(genre) - 1, headerY, kDividerDark));

    list.selectionModel()->select(list.model()->index(1, 0),
                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
    list.SetRowCheck(0, true);
    Render(list);
    p = At(list.CellRect(1, kColumnAlbum), 3, 2);
    EXPECT_TRUE(PixelIs(p.x(), p.y(), kSelectedFill));
    EXPECT_GT(
        CountPixels(QRect(At(list.CellRect(0, kColumnName), 0, 0), QSize(18, list.rowHeight(0))),
                    QColor(0, 0, 0)),
        0);

    const QRect rows(At(list.CellRect(0, 0), 0, 0), QSize(600, 2 * list.rowHeight(0)));
    list.SetDisplay(0);
    Render(list);
    EXPECT_EQ(CountPixels(rows, kListBackground), rows.width() * rows.height());

    // Display on but no rows handed over yet: still nothing to draw from.
    list.SetRows(nullptr);
    list.SetDisplay(1);
    Render(list);
    EXPECT_EQ(CountPixels(rows, kListBackground), rows.width() * rows.height());
}

TEST_F(ListWidgetRenderTest, PlaylistPaneTintsRowZeroAndDrawsNothingWithoutRows) {
    const PlaylistRecord playlists[3] = {
        {1, u"My iPod", nullptr, 0}, {0, u"Road", nullptr, 0}, {0, nullptr, nullptr, 0}};
    CListCtrlLeftPane pane;
    pane.resize(180, 150);
    pane.InsertColumn(0, QString::fromLatin1(kPlaylistColumn.caption), kPlaylistColumn.width);
    pane.InitHeader();
    pane.SetItemCount(3);
    pane.SetPlaylists(playlists);
    pane.SetDisplay(1);
    pane.show();
    Render(pane);

    QPoint p = At(pane.CellRect(0, 0), 120, 2);
    EXPECT_TRUE(PixelIs(p.x(), p.y(), kOddRowFill));
    p = At(pane.CellRect(1, 0), 120, 2);
    EXPECT_TRUE(PixelIs(p.x(), p.y(), kEvenRowFill));
    // The unnamed playlist still has its row.
    const QRect unnamed(At(pane.CellRect(2, 0), 0, 0), QSize(160, pane.rowHeight(2)));
    EXPECT_EQ(CountPixels(unnamed, kEvenRowFill), unnamed.width() * unnamed.height());

    // Indent: the device row's text starts at the left edge, the playlist's 16 pixels in.
    const auto firstInk = [&](int row) {
        const QRect cell(At(pane.CellRect(row, 0), 0, 0), QSize(60, pane.rowHeight(row)));
        for (int x = cell.left(); x <= cell.right(); ++x)
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                if (image.pixelColor(x, y).lightness() < 100)
                    return x - origin.x();
        return -1;
    };
    EXPECT_LE(firstInk(0), 2);
    EXPECT_GE(firstInk(1), kPlaylistIndent);
    EXPECT_LE(firstInk(1), kPlaylistIndent + 2);

    // Selected: blue with white text, the device row still unindented.
    pane.selectRow(0);
    Render(pane);
    p = At(pane.CellRect(0, 0), 120, 2);
    EXPECT_TRUE(PixelIs(p.x(), p.y(), kSelectedFill));
    EXPECT_EQ(firstInk(0), -1);
    const QRect device(At(pane.CellRect(0, 0), 0, 0), QSize(4, pane.rowHeight(0)));
    EXPECT_GT(CountPixels(device.adjusted(0, 0, 60, 0), QColor(255, 255, 255)), 0);

    pane.SetDisplay(0);
    Render(pane);
    const QRect rows(origin, QSize(160, 3 * pane.rowHeight(0)));
    EXPECT_EQ(CountPixels(rows, kListBackground), rows.width() * rows.height());
}
