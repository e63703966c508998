// Pixel tests of the drawing rules, painted into fixed-size images with the
// pinned test font.
#include "ListsTestSupport.h"
#include "lists/BorderFrame.h"
#include "lists/CHeaderCtrlEx.h"
#include "lists/CheckGlyph.h"
#include "lists/HeaderPainting.h"
#include "lists/ListMetrics.h"
#include "lists/ListPalette.h"
#include "lists/SortArrow.h"
#include "lists/SortMarks.h"
#include "lists/TrackRowPainter.h"

#include <QPainter>

namespace {

using namespace ListPalette;

constexpr int kRowHeight = 20;
const QColor kBlack(0, 0, 0);

TrackRowPainter DefaultColumns() {
    TrackRowPainter painter;
    int x = 0;
    for (int column = 0; column < kTrackColumnCount; ++column) {
        painter.columns[column] = QRect(x, 0, kTrackColumns[column].width, 0);
        x += kTrackColumns[column].width;
    }
    return painter;
}

bool IsDark(QColor color) {
    return color.lightness() < 100;
}
bool IsLight(QColor color) {
    return color.red() > 200 && color.green() > 200 && color.blue() > 200;
}

class RenderTest : public PixelTest {
protected:
    struct Ink {
        int first;
        int last;
    };
    // The horizontal extent of the pixels matching `test` inside `area`;
    // first is -1 when none does.
    template <typename Test> Ink InkSpan(const QRect& area, Test test) const {
        int first = -1;
        int last = -1;
        for (int x = area.left(); x <= area.right(); ++x)
            for (int y = area.top(); y <= area.bottom(); ++y)
                if (test(image.pixelColor(x, y))) {
                    first = first < 0 ? x : first;
                    last = x;
                }
        return {first, last};
    }

    void PaintRow(const TrackRowState& state) {
        Canvas(620, kRowHeight);
        QPainter painter(&image);
        const TrackRowPainter row = DefaultColumns();
        row.paint(painter, row.RowRect(0, kRowHeight), state);
    }

    void PaintHeaderSection(const QRect& section, const HeaderSectionState& state) {
        Canvas(620, kRowHeight);
        QPainter painter(&image);
        HeaderBackground::paint(painter, image.rect());
        HeaderSection::paint(painter, section, state);
    }
};

} // namespace

TEST_F(RenderTest, RowFillsAlternateSelectionIsBlueAndGridLinesEndEachCell) {
    TrackRowState state;
    state.index = 0;
    PaintRow(state);
    for (const int right : {37, 309, 359, 459, 559, 609}) {
        EXPECT_TRUE(PixelIs(right - 1, 0, kGridLine)) << right;
        EXPECT_TRUE(PixelIs(right - 1, kRowHeight - 1, kGridLine)) << right;
        EXPECT_TRUE(PixelIs(right - 2, 10, kEvenRowFill)) << right;
    }
    EXPECT_TRUE(PixelIs(400, 10, kEvenRowFill));
    EXPECT_TRUE(PixelIs(0, 0, kEvenRowFill));
    EXPECT_TRUE(PixelIs(612, 10, Qt::magenta)); // nothing right of "Genre"

    state.index = 7;
    PaintRow(state);
    EXPECT_TRUE(PixelIs(400, 10, kOddRowFill));
    EXPECT_TRUE(PixelIs(607, 19, kOddRowFill));

    state.selected = true;
    PaintRow(state);
    EXPECT_TRUE(PixelIs(400, 10, kSelectedFill));
    EXPECT_TRUE(PixelIs(20, 0, kSelectedFill));
}

TEST_F(RenderTest, CheckGlyphBoxGradientAndTickAboveTheBox) {
    // Check cell at x 37, width 18, row height 20: the box starts at (41, 5).
    const QPoint o = CheckGlyph::BoxOrigin(QRect(37, 0, kCheckCellWidth, kRowHeight));
    ASSERT_EQ(o, QPoint(41, 5));
    TrackRowState state;
    state.index = 1;
    PaintRow(state);
    for (const QPoint corner : {o, o + QPoint(9, 0), o + QPoint(0, 9), o + QPoint(9, 9)})
        EXPECT_TRUE(PixelIs(corner.x(), corner.y(), kCheckOutline));
    EXPECT_TRUE(PixelIs(o.x() + 10, o.y() + 5, kOddRowFill)); // box is 10 pixels wide
    EXPECT_TRUE(PixelIs(o.x() + 1, o.y() + 1, QColor(255, 255, 255)));
    EXPECT_TRUE(PixelIs(o.x() + 8, o.y() + 4, QColor(233, 233, 233)));
    EXPECT_EQ(CountPixels(QRect(o.x(), 0, 10, kRowHeight), kBlack), 0);

    state.checked = true;
    PaintRow(state);
    EXPECT_TRUE(PixelIs(o.x() + 9, o.y(), kCheckOutline));
    EXPECT_TRUE(PixelIs(o.x() + 1, o.y() + 1, QColor(207, 209, 208)));
    EXPECT_TRUE(PixelIs(o.x() + 2, o.y() + 4, kBlack));      // tick starts
    EXPECT_TRUE(PixelIs(o.x() + 4, o.y() + 6, kBlack));      // down to the bend
    EXPECT_TRUE(PixelIs(o.x() + 5, o.y() + 7, kBlack));      // the bend
    EXPECT_TRUE(PixelIs(o.x() + 9, o.y() - 1, kBlack));      // rises above the box
    EXPECT_TRUE(PixelIs(o.x() + 9, o.y() - 2, kOddRowFill)); // end point not drawn
    EXPECT_EQ(CountPixels(QRect(o.x(), 0, 12, kRowHeight), kBlack), 12);
}

TEST_F(RenderTest, TextsAreAlignedAndClippedToTheirCells) {
    TrackRowState state;
    state.index = 41; // shows "42"
    state.title = QString(200, QLatin1Char('W'));
    state.artist = QStringLiteral("ABBA");
    PaintRow(state);
    // The title starts right of the check cell and stops at the "Name" cell's edge.
    const auto title = InkSpan(QRect(37, 0, 272, kRowHeight), IsDark);
    EXPECT_GE(title.first, 37 + kCheckCellWidth);
    EXPECT_LE(title.first, 37 + kCheckCellWidth + 3);
    EXPECT_EQ(CountPixels(QRect(309, 0, 49, kRowHeight), kOddRowFill), 49 * kRowHeight);
    // Numbers and artists are centred in their cells.
    const auto number = InkSpan(QRect(0, 0, 36, kRowHeight), IsDark);
    ASSERT_GE(number.first, 0);
    EXPECT_NEAR((number.first + number.last) / 2.0, 18.0, 2.0);
    const auto artist = InkSpan(QRect(359, 0, 99, kRowHeight), IsDark);
    ASSERT_GE(artist.first, 0);
    EXPECT_NEAR((artist.first + artist.last) / 2.0, 409.0, 2.0);

    state.selected = true;
    PaintRow(state);
    EXPECT_EQ(InkSpan(QRect(37 + kCheckCellWidth, 0, 250, kRowHeight), IsDark).first, -1);
    EXPECT_GE(InkSpan(QRect(37 + kCheckCellWidth, 0, 250, kRowHeight), IsLight).first, 0);
}

TEST_F(RenderTest, HeaderGradientAndItsThreePixelBaseLine) {
    Canvas(200, 20);
    QPainter painter(&image);
    HeaderBackground::paint(painter, image.rect());
    painter.end();
    EXPECT_TRUE(PixelIs(100, 0, QColor(219, 219, 219)));
    EXPECT_TRUE(PixelIs(100, 10, QColor(204, 204, 204)));
    EXPECT_TRUE(PixelIs(100, 18, QColor(192, 192, 192)));
    EXPECT_TRUE(PixelIs(0, 19, kHeaderBaseLine));
    EXPECT_TRUE(PixelIs(199, 19, kHeaderBaseLine));
}

TEST_F(RenderTest, HeaderDividerCaptionAndCheckAllBox) {
    HeaderSectionState state;
    state.caption = QStringLiteral("Name");
    state.hasCheckBox = true;
    PaintHeaderSection(QRect(37, 0, 272, 20), state);
    for (int y = 0; y < 20; ++y) {
        EXPECT_TRUE(PixelIs(308, y, kDividerDark)) << y;
        EXPECT_TRUE(PixelIs(309, y, kDividerLight)) << y;
    }
    EXPECT_TRUE(PixelIs(100, 19, kHeaderBaseLine));
    EXPECT_TRUE(PixelIs(41, 5, kCheckOutline));
    EXPECT_TRUE(PixelIs(42, 6, QColor(255, 255, 255)));
    const auto caption = InkSpan(QRect(37, 0, 270, 19), IsDark);
    EXPECT_GE(caption.first, 37 + kCheckCellWidth);
    EXPECT_LE(caption.first, 37 + kCheckCellWidth + 3);

    state.hasCheckBox = false;
    state.caption = QStringLiteral("Size");
    PaintHeaderSection(QRect(309, 0, 50, 20), state);
    const auto size = InkSpan(QRect(309, 0, 49, 19), IsDark);
    EXPECT_GE(size.first, 309 + kCaptionIndent);
    EXPECT_LE(size.first, 309 + kCaptionIndent + 3);

    state.checked = true;
    state.hasCheckBox = true;
    PaintHeaderSection(QRect(37, 0, 272, 20), state);
    EXPECT_TRUE(PixelIs(50, 4, kBlack)); // the tick above the check-all box
}

TEST_F(RenderTest, SortArrowsRowByRow) {
    const QRect section(359, 0, 100, 20); // r = 459, y0 = 7
    struct Row {
        int x;
        int length;
    };
    const Row up[5] = {{449, 1}, {448, 3}, {447, 5}, {446, 7}, {446, 7}};
    const Row down[5] = {{446, 7}, {446, 7}, {447, 5}, {448, 3}, {449, 1}};
    for (const int sortState : {kSortAscending, kSortDescending}) {
        HeaderSectionState state;
        state.sortState = sortState;
        PaintHeaderSection(section, state);
        const Row* rows = sortState == kSortAscending ? up : down;
        for (int k = 0; k < 5; ++k) {
            const int y = 7 + k;
            EXPECT_NE(image.pixelColor(rows[k].x - 1, y).rgb(), kBlack.rgb())
                << sortState << " row " << k;
            for (int x = rows[k].x; x < rows[k].x + rows[k].length; ++x)
                EXPECT_TRUE(PixelIs(x, y, kBlack)) << sortState << " row " << k << " x " << x;
            EXPECT_NE(image.pixelColor(rows[k].x + rows[k].length, y).rgb(), kBlack.rgb())
                << sortState;
        }
        EXPECT_EQ(CountPixels(QRect(440, 0, 18, 20), kBlack), 23);
    }
    HeaderSectionState none;
    PaintHeaderSection(section, none);
    EXPECT_EQ(CountPixels(QRect(440, 0, 18, 20), kBlack), 0);
}

TEST_F(RenderTest, BorderOutlineWithWhiteLineInside) {
    Canvas(50, 40);
    QPainter painter(&image);
    BorderFrame::paint(painter, image.rect());
    painter.end();
    for (const QPoint p : {QPoint(0, 0), QPoint(49, 0), QPoint(0, 39), QPoint(49, 39),
                           QPoint(25, 0), QPoint(0, 20), QPoint(49, 20), QPoint(25, 39)})
        EXPECT_TRUE(PixelIs(p.x(), p.y(), kBorderOutline)) << p.x() << "," << p.y();
    for (const QPoint p : {QPoint(1, 1), QPoint(1, 20), QPoint(25, 1)})
        EXPECT_TRUE(PixelIs(p.x(), p.y(), kBorderInner)) << p.x() << "," << p.y();
    EXPECT_TRUE(PixelIs(2, 2, Qt::magenta)); // the inside belongs to the viewport
}
