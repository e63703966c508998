#include "ControlsTestSupport.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace {

// Pinned, so pixel tests see the same glyphs everywhere.
const bool g_qtApp = InstallQtTestApplication("controls_tests", [] {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(8);
    QApplication::setFont(font);
});

} // namespace

QImage SolidImage(QSize size, QColor color) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

::testing::AssertionResult PixelIs(const QImage& image, int x, int y, QColor expected,
                                   const char* what) {
    if (!image.rect().contains(x, y))
        return ::testing::AssertionFailure()
               << what << ": (" << x << "," << y << ") lies outside the picture";
    const QColor actual = PixelAt(image, x, y);
    if (actual.rgb() == expected.rgb())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << what << ": pixel (" << x << "," << y << ") is " << actual.name().toStdString()
           << ", expected " << expected.name().toStdString() << "; pictures written to "
           << SaveFailureImages(image, what, {QPoint(x, y)}).toStdString();
}

namespace {

void SendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

} // namespace

void SendMouseMove(QWidget& widget, QPoint at) {
    SendMouse(widget, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
}

void SendLeave(QWidget& widget) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&widget, &leave);
}

void SendPress(QWidget& widget, QPoint at) {
    SendMouse(widget, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
}

void SendRelease(QWidget& widget, QPoint at) {
    SendMouse(widget, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

void SendDoubleClick(QWidget& widget, QPoint at) {
    SendMouse(widget, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
}

void ProcessPendingEvents() {
    for (int round = 0; round < 3; ++round)
        QApplication::processEvents();
}

void ShowAndSettle(QWidget& window) {
    window.show();
    ProcessPendingEvents();
}
