#include "support/DialogsTestSupport.h"

#include "app/NodeviceBackground.h"
#include "controls/WindowOutline.h"
#include "transfer/dialog/TransferBackground.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

template <typename Background> QImage Render(const Background& background, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::magenta); // anything left unpainted shows
    QPainter painter(&image);
    background.paint(painter, image.rect());
    return image;
}

QColor Grey(int level) {
    return QColor(level, level, level);
}

} // namespace

TEST(TransferBackground, TenPixelBandOverFlatGrey) {
    const QImage image = Render(TransferBackground(), QSize(501, 107));
    for (int x : {0, 250, 500}) {
        EXPECT_EQ(PixelAt(image, x, 0), Grey(198)) << x;
        EXPECT_EQ(PixelAt(image, x, 1), Grey(194)) << x; // 198 - 42 / 10
        EXPECT_EQ(PixelAt(image, x, 9), Grey(161)) << x; // 198 - 378 / 10
        EXPECT_EQ(PixelAt(image, x, 10), Grey(218)) << x;
        EXPECT_EQ(PixelAt(image, x, 106), Grey(218)) << x;
    }
}

TEST(NodeviceBackground, BandRuleWhiteBodyAndRoundedBorder) {
    const QSize size(525, 341);
    const QImage image = Render(NodeviceBackground(), size);
    const QColor line(108, 109, 111);
    const int mid = size.width() / 2;
    EXPECT_EQ(PixelAt(image, mid, 0), line);       // top border
    EXPECT_EQ(PixelAt(image, mid, 1), Grey(197));  // 198 - 42 / 35
    EXPECT_EQ(PixelAt(image, mid, 34), Grey(158)); // 198 - 1428 / 35
    EXPECT_EQ(PixelAt(image, mid, 35), line);      // the rule under the band
    EXPECT_EQ(PixelAt(image, mid, 36), Grey(255)); // white body
    EXPECT_EQ(PixelAt(image, mid, size.height() - 2), Grey(255));
    EXPECT_EQ(PixelAt(image, mid, size.height() - 1), line); // bottom border
    EXPECT_EQ(PixelAt(image, 0, 200), line);                 // left border
    EXPECT_EQ(PixelAt(image, 1, 200), Grey(255));
    EXPECT_EQ(PixelAt(image, size.width() - 1, 200), line); // right border
    EXPECT_EQ(PixelAt(image, size.width() - 2, 200), Grey(255));
    // The rule runs edge to edge.
    EXPECT_EQ(PixelAt(image, 0, 35), line);
    EXPECT_EQ(PixelAt(image, size.width() - 1, 35), line);
    // The corners are rounded off: the outermost corner pixels keep the
    // fill and the border passes inside them.
    EXPECT_EQ(PixelAt(image, 0, 0), Grey(198));
    EXPECT_EQ(PixelAt(image, size.width() - 1, size.height() - 1), Grey(255));
    EXPECT_EQ(PixelAt(image, 1, 1), Grey(197));
    bool cornerBorder = false;
    for (int d = 1; d < 6; ++d)
        cornerBorder |= PixelAt(image, d, d) == line;
    EXPECT_TRUE(cornerBorder) << "no border on the top-left diagonal";
}

TEST(WindowShape, RoundedCornersWithinTheClient) {
    const QSize client(525, 341);
    const QRegion region = WindowShapeRegion(client);
    EXPECT_TRUE(region.contains(QPoint(262, 0)));
    EXPECT_TRUE(region.contains(QPoint(0, 170)));
    EXPECT_TRUE(region.contains(QPoint(524, 170)));
    EXPECT_TRUE(region.contains(QPoint(262, 340)));
    EXPECT_TRUE(region.contains(QPoint(7, 7)));
    for (QPoint corner :
         {QPoint(0, 0), QPoint(1, 1), QPoint(524, 0), QPoint(0, 340), QPoint(524, 340)})
        EXPECT_FALSE(region.contains(corner)) << corner.x() << "," << corner.y();
    EXPECT_FALSE(region.contains(QPoint(525, 170)));
    EXPECT_EQ(region.boundingRect(), QRect(QPoint(0, 0), client));
}
