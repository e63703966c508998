#include "ControlsTestSupport.h"

#include "controls/FillGradient.h"

#include <QPainter>

namespace {

const QColor kSentinel(1, 2, 3);

QImage Filled(const QRect& rect, QColor from, QColor to) {
    QImage image = SolidImage(QSize(10, 10), kSentinel);
    QPainter painter(&image);
    FillGradient(painter, rect, from, to);
    return image;
}

} // namespace

TEST(FillGradient, RowColoursUseSignedDivisionTruncatingTowardZero) {
    // Falling channels must round toward the start colour: -10 / 3 is -3, not -4.
    EXPECT_EQ(GradientRowColor(QColor(10, 100, 0), QColor(0, 40, 255), 1, 3), QColor(7, 80, 85));
    EXPECT_EQ(GradientRowColor(QColor(10, 100, 0), QColor(0, 40, 255), 2, 3), QColor(4, 60, 170));
    EXPECT_EQ(GradientRowColor(QColor(10, 100, 0), QColor(0, 40, 255), 0, 3), QColor(10, 100, 0));
}

TEST(FillGradient, BandsAreTwoRowsHighOverlapAndSpillOneRowBelow) {
    const QColor from(10, 100, 0), to(0, 40, 255);
    const QImage image = Filled(QRect(2, 3, 4, 3), from, to);
    for (int x = 2; x <= 5; ++x) {
        EXPECT_TRUE(PixelIs(image, x, 3, from, "row0"));
        EXPECT_TRUE(PixelIs(image, x, 4, QColor(7, 80, 85), "row1"));
        EXPECT_TRUE(PixelIs(image, x, 5, QColor(4, 60, 170), "row2"));
        EXPECT_TRUE(PixelIs(image, x, 6, QColor(4, 60, 170), "spill"));
        EXPECT_TRUE(PixelIs(image, x, 7, kSentinel, "below spill"));
        EXPECT_TRUE(PixelIs(image, x, 2, kSentinel, "above"));
    }
    for (int y = 3; y <= 6; ++y) {
        EXPECT_TRUE(PixelIs(image, 1, y, kSentinel, "left of rect"));
        EXPECT_TRUE(PixelIs(image, 6, y, kSentinel, "right of rect"));
    }
}

TEST(FillGradient, DrawsNothingWithoutHeight) {
    const QImage untouched = SolidImage(QSize(10, 10), kSentinel);
    EXPECT_EQ(Filled(QRect(2, 3, 4, 0), Qt::red, Qt::blue), untouched);
    EXPECT_EQ(Filled(QRect(QPoint(2, 5), QPoint(5, 2)), Qt::red, Qt::blue), untouched);
}
