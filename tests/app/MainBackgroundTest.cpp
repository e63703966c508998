#include "app/MainBackground.h"

#include "MainWindowTestSupport.h"

#include "controls/FillGradient.h"
#include "resources/Template102.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

namespace {

// The background as the window lays it out from template 102 at 96 DPI.
class MainBackgroundPicture : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        const DialogTemplate& dialog = MainDialogTemplate();
        client = QRect(QPoint(0, 0), TemplateSizeInPixels(dialog, 1.0));
        background.trackList = ControlRectInPixels(dialog, IDC_MAIN_TRACKLIST, 1.0);
        background.playlistPane = ControlRectInPixels(dialog, IDC_MAIN_PLAYLISTS, 1.0);
        background.copyButton = ControlRectInPixels(dialog, IDC_MAIN_COPY, 1.0);
        QImage icon(32, 32, QImage::Format_ARGB32_Premultiplied);
        icon.fill(Qt::transparent);
        QPainter iconPainter(&icon);
        iconPainter.fillRect(4, 4, 24, 24, QColor(10, 200, 30));
        iconPainter.end();
        background.icon = QIcon(QPixmap::fromImage(icon));
        picture = QImage(client.size(), QImage::Format_RGB32);
        picture.fill(Qt::magenta);
        QPainter painter(&picture);
        background.paint(painter, client);
    }

    QColor At(int x, int y) const { return picture.pixelColor(x, y); }

    QRect client;
    MainBackground background;
    QImage picture;
};

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);

} // namespace

TEST_F(MainBackgroundPicture, LaidOutFromTheTemplate) {
    ASSERT_EQ(client.size(), QSize(827, 557));
    EXPECT_EQ(background.OptionPanel(), QRect(191, 406, 630, 108));
    EXPECT_EQ(background.HeaderStrip(), QRect(193, 408, 626, 19));
    EXPECT_EQ(background.DividerX(), 652);
}

TEST_F(MainBackgroundPicture, TitleBandLineBodyAndBottomBand) {
    const int x = 400;
    for (int y : {1, 10, 24, 30, 48})
        EXPECT_EQ(At(x, y), GradientRowColor({198, 198, 198}, {156, 156, 156}, y, 50)) << y;
    // The body band's white overwrites the title band's spilled last row.
    EXPECT_EQ(At(x, 50), kWhite);
    EXPECT_EQ(At(x, 200), kWhite);
    const int h = client.height();
    for (int row : {0, 1, 20, 38})
        EXPECT_EQ(At(x, h - 40 + row), GradientRowColor({207, 207, 207}, {191, 191, 191}, row, 40))
            << row;
    EXPECT_EQ(At(x, h - 41), kWhite);

    // The line under the title: one row, from x = 45 up to W - 15.
    const QColor line(137, 136, 166);
    const int w = client.width();
    EXPECT_EQ(At(45, 25), line);
    EXPECT_EQ(At(w - 16, 25), line);
    EXPECT_NE(At(44, 25), line);
    EXPECT_NE(At(w - 15, 25), line);
    EXPECT_NE(At(100, 24), line);
    EXPECT_NE(At(100, 26), line);
}

TEST_F(MainBackgroundPicture, OptionPanelFrameStripAndLine) {
    const QColor frame(127, 157, 185);
    const QRect panel = background.OptionPanel();
    EXPECT_EQ(At(panel.left(), panel.top() + 50), frame);
    EXPECT_EQ(At(panel.right(), panel.top() + 50), frame);
    EXPECT_EQ(At(300, panel.top()), frame);
    EXPECT_EQ(At(300, panel.bottom()), frame);
    EXPECT_EQ(At(300, panel.top() - 1), kWhite);
    EXPECT_EQ(At(panel.left() + 1, panel.top() + 50), kWhite);
    EXPECT_EQ(At(300, panel.bottom() - 1), kWhite);

    // Strip rows 2..19 below the panel top keep their gradient; the white
    // gap of one pixel stays between the frame and the strip.
    const int top = panel.top();
    EXPECT_EQ(At(300, top + 1), kWhite);
    EXPECT_EQ(At(panel.left() + 1, top + 10), kWhite);
    EXPECT_EQ(At(panel.left() + 2, top + 10),
              GradientRowColor({219, 219, 219}, {188, 188, 188}, 8, 19));
    for (int row : {0, 5, 17})
        EXPECT_EQ(At(300, top + 2 + row),
                  GradientRowColor({219, 219, 219}, {188, 188, 188}, row, 19))
            << row;
    // The 3-pixel line is centred on the strip's bottom edge.
    const QColor line(172, 168, 153);
    for (int y : {top + 20, top + 21, top + 22})
        EXPECT_EQ(At(300, y), line) << y;
    EXPECT_EQ(At(300, top + 23), kWhite);
    EXPECT_EQ(At(panel.left() + 2, top + 21), line);
    EXPECT_EQ(At(panel.right() - 2, top + 21), line);
    EXPECT_EQ(At(panel.right() - 1, top + 21), kWhite);
}

TEST_F(MainBackgroundPicture, DividerSitsAsFarLeftOfCopyAsCopyIsFromTheListEdge) {
    const int x = background.DividerX();
    const QRect copy = background.copyButton;
    const QRect list = background.trackList;
    EXPECT_EQ(copy.left() - x, (list.right() + 1) - (copy.right() + 1));

    const QRect strip = background.HeaderStrip();
    EXPECT_EQ(At(x, strip.top()), QColor(150, 150, 150));
    EXPECT_EQ(At(x, strip.bottom() - 1), QColor(150, 150, 150));
    EXPECT_EQ(At(x + 1, strip.top()), QColor(209, 209, 209));
    EXPECT_EQ(At(x + 1, strip.bottom() - 1), QColor(209, 209, 209));
    // Dotted below the strip: three on, three off, ending 2 pixels above the
    // pane's bottom edge.
    const int start = strip.bottom() + 1;
    for (int y = start; y < start + 12; ++y) {
        const bool on = (y - start) / 3 % 2 == 0;
        EXPECT_EQ(At(x, y), on ? QColor(150, 150, 150) : kWhite) << y;
    }
    const int paneEnd = background.playlistPane.bottom() + 1;
    EXPECT_EQ(At(x, paneEnd - 2), kWhite);
    EXPECT_EQ(At(x + 1, start + 5), kWhite);
}

TEST_F(MainBackgroundPicture, DoubleRoundedBorderAndIcon) {
    const int w = client.width();
    const int h = client.height();
    for (QPoint p :
         {QPoint(w / 2, 0), QPoint(w / 2, h - 1), QPoint(0, h / 2), QPoint(w - 1, h / 2)})
        EXPECT_EQ(At(p.x(), p.y()), kBlack) << p.x() << "," << p.y();
    // The corners are rounded off: the corner pixel itself is not part of
    // the outline, but the outline crosses each corner's diagonal nearby.
    for (QPoint corner : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)}) {
        EXPECT_NE(At(corner.x(), corner.y()), kBlack);
        const int dx = corner.x() == 0 ? 1 : -1;
        const int dy = corner.y() == 0 ? 1 : -1;
        bool crossed = false;
        for (int i = 1; i < 6; ++i)
            crossed = crossed || At(corner.x() + dx * i, corner.y() + dy * i) == kBlack;
        EXPECT_TRUE(crossed);
    }
    // The icon's top-left corner is at (5, 7), and its transparent margin
    // shows the title band.
    EXPECT_EQ(At(5 + 4, 7 + 4), QColor(10, 200, 30));
    EXPECT_EQ(At(5 + 27, 7 + 27), QColor(10, 200, 30));
    EXPECT_EQ(At(5 + 3, 7 + 3), GradientRowColor({198, 198, 198}, {156, 156, 156}, 10, 50));
    EXPECT_EQ(At(5 + 28, 7 + 28), GradientRowColor({198, 198, 198}, {156, 156, 156}, 35, 50));
}
