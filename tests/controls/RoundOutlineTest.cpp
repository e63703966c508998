#include "controls/RoundOutline.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

namespace {

const QColor kPaper(255, 255, 255);
const QColor kInk(0, 0, 0);

QImage Outline(QSize size, int ellipse) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(kPaper);
    QPainter painter(&image);
    DrawRoundOutline(painter, QRect(QPoint(0, 0), size), ellipse, kInk);
    return image;
}

bool Inked(const QImage& image, int x, int y) {
    return image.pixelColor(x, y) == kInk;
}

} // namespace

// The window border is drawn twice (ellipses 15 and 16); an outline that
// differs from corner to corner shows as a lopsided window.
TEST(RoundOutline, FourCornersMirrorEachOther) {
    for (int ellipse : {15, 16}) {
        const QImage image = Outline(QSize(61, 40), ellipse);
        const int w = image.width(), h = image.height();
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const bool ink = Inked(image, x, y);
                ASSERT_EQ(ink, Inked(image, w - 1 - x, y)) << ellipse << " at " << x << "," << y;
                ASSERT_EQ(ink, Inked(image, x, h - 1 - y)) << ellipse << " at " << x << "," << y;
            }
        }
    }
}

TEST(RoundOutline, StraightEdgesOnOutermostPixelsAndCornersCutOff) {
    const QImage image = Outline(QSize(61, 40), 15);
    EXPECT_TRUE(Inked(image, 30, 0));
    EXPECT_TRUE(Inked(image, 30, 39));
    EXPECT_TRUE(Inked(image, 0, 20));
    EXPECT_TRUE(Inked(image, 60, 20));
    EXPECT_FALSE(Inked(image, 0, 0));
    EXPECT_FALSE(Inked(image, 1, 1));
    EXPECT_FALSE(Inked(image, 30, 20)) << "the outline has no fill";
    // The curve is closed: each corner square holds a run of outline pixels
    // linking the top edge to the left edge.
    bool diagonal = false;
    for (int d = 1; d < 7; ++d)
        diagonal |= Inked(image, d, d);
    EXPECT_TRUE(diagonal);
}

// The buttons' 5 x 5 corner ellipse is a circle of radius 2.5: it passes
// through the corner pixel's neighbours, so only the corner pixel itself is
// cut off, and the area fills exactly what the outline encloses.
TEST(RoundOutline, FivePixelEllipseCutsOnlyTheCornerPixel) {
    const QRect rect(3, 2, 10, 8);
    QImage image(QSize(16, 12), QImage::Format_RGB32);
    image.fill(kPaper);
    QPainter painter(&image);
    DrawRoundOutline(painter, rect, 5, kInk);
    painter.end();
    const QRegion area = RoundedArea(rect, 5);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool corner = (x == 3 || x == 12) && (y == 2 || y == 9);
            const bool border =
                rect.contains(x, y) && !corner && (x == 3 || x == 12 || y == 2 || y == 9);
            EXPECT_EQ(Inked(image, x, y), border) << x << "," << y;
            EXPECT_EQ(area.contains(QPoint(x, y)), rect.contains(x, y) && !corner) << x << "," << y;
        }
    }
}
