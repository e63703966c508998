#pragma once

#include <QColor>
#include <QEvent>
#include <QImage>
#include <QObject>
#include <QPaintEvent>
#include <QRect>
#include <QRegion>
#include <QString>

#include <gtest/gtest.h>

#include "support/FailureImages.h"
#include "support/QtTestSupport.h"

// Helpers for the skinned-control tests. Every test runs with one
// QApplication on the offscreen platform, DejaVu Sans 8 pt at 96 DPI.

// A picture of `size` filled with `color`, in the 32-bit format widgets use.
QImage SolidImage(QSize size, QColor color);

// Checks one pixel; on a mismatch writes the failure images (support/FailureImages.h)
// and says where.
::testing::AssertionResult PixelIs(const QImage& image, int x, int y, QColor expected,
                                   const char* what);

// The bounding box of the pixels that match `predicate` inside `within`.
template <typename Predicate>
QRect BoundingBoxOf(const QImage& image, const QRect& within, Predicate predicate) {
    QRect box;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            if (predicate(QColor(image.pixel(x, y))))
                box |= QRect(x, y, 1, 1);
    return box;
}

class QWidget;

// Mouse input sent straight to a widget, at `at` in its own coordinates.
void SendMouseMove(QWidget& widget, QPoint at = QPoint(3, 3));
void SendLeave(QWidget& widget);
void SendPress(QWidget& widget, QPoint at = QPoint(3, 3));
void SendRelease(QWidget& widget, QPoint at = QPoint(3, 3));
void SendDoubleClick(QWidget& widget, QPoint at = QPoint(3, 3));

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QObject* watched) { watched->installEventFilter(this); }
    int count = 0;
    QRegion painted; // everything the paints covered

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++count;
            painted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

// Shows `window` and lets every pending paint and event through.
void ShowAndSettle(QWidget& window);
// Lets pending paints and events through.
void ProcessPendingEvents();
