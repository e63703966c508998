#include "app/MainBackground.h"

#include "controls/FillGradient.h"
#include "controls/WindowOutline.h"

#include <QPainter>

namespace {

// The classic dotted pen: three pixels on, three off, from the start point.
constexpr int kDotRun = 3;

// Edges past the last pixel, as window rectangles count them.
int EndX(const QRect& rect) {
    return rect.x() + rect.width();
}
int EndY(const QRect& rect) {
    return rect.y() + rect.height();
}

void DrawDottedColumn(QPainter& painter, int x, int fromY, int toY, QColor color) {
    for (int y = fromY; y < toY; ++y) {
        if ((y - fromY) / kDotRun % 2 == 0)
            painter.fillRect(QRect(x, y, 1, 1), color);
    }
}

// A one-pixel frame on the rectangle's outermost pixels, filled rather than
// stroked: a pen's line is centred on the pixel edge and, at a fractional
// or doubled scale, reaches into the pixels beside it.
void DrawFrame(QPainter& painter, const QRect& rect, QColor color) {
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), color);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), color);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), color);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), color);
}

} // namespace

QRect MainBackground::OptionPanel() const {
    const int top = EndY(trackList) + 4;
    return QRect(trackList.left(), top, trackList.width(), EndY(playlistPane) - top);
}

QRect MainBackground::HeaderStrip() const {
    const QRect panel = OptionPanel();
    return QRect(panel.left() + 2, panel.top() + 2, panel.width() - 4, 19);
}

int MainBackground::DividerX() const {
    return copyButton.left() + EndX(copyButton) - EndX(trackList);
}

void MainBackground::paint(QPainter& painter, const QRect& client) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const int width = client.width();
    const int height = client.height();

    painter.fillRect(client, kBody);
    FillGradient(painter, QRect(0, 0, width, kTitleBandHeight), kTitleTop, kTitleBottom);
    FillGradient(painter, QRect(0, kTitleBandHeight, width, kBodyBandBottom - kTitleBandHeight),
                 kBody, kBody);
    FillGradient(painter, QRect(0, height - kBottomBandHeight, width, kBottomBandHeight),
                 kBottomTop, kBottomBottom);
    painter.fillRect(
        QRect(kTitleLineLeft, kTitleLineY, width - kTitleLineRightInset - kTitleLineLeft, 1),
        kTitleLine);

    const QRect panel = OptionPanel();
    painter.fillRect(panel, kBody);
    DrawFrame(painter, panel, kPanelFrame);

    const QRect strip = HeaderStrip();
    FillGradient(painter, strip, kStripTop, kStripBottom);
    // A 3-pixel pen centred on the strip's bottom edge.
    painter.fillRect(QRect(strip.left(), EndY(strip) - 1, strip.width(), 3), kStripLine);

    const int divider = DividerX();
    painter.fillRect(QRect(divider, strip.top(), 1, strip.height()), kDividerDark);
    painter.fillRect(QRect(divider + 1, strip.top(), 1, strip.height()), kDividerLight);
    DrawDottedColumn(painter, divider, EndY(strip), EndY(playlistPane) - 2, kDividerDark);

    DrawWindowBorder(painter, client, kBorder);

    if (!icon.isNull())
        painter.drawPixmap(
            QRect(kIconAt, QSize(kIconSize, kIconSize)),
            icon.pixmap(QSize(kIconSize, kIconSize), painter.device()->devicePixelRatioF()));
    painter.restore();
}
