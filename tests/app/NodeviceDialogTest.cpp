#include "support/DialogsTestSupport.h"

#include "app/CNodeviceDialog.h"
#include "controls/ToolbarBtnEx.h"
#include "controls/TransStatic.h"
#include "resources/Template139.h"
#include "resources/TemplateLayout.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>

#include "support/WindowCorners.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

void MouseAt(QWidget* widget, QEvent::Type type, QPoint at) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// Counts rescan requests reaching the main window.
class RescanCounter : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == kRescanDeviceEvent;
        return false;
    }
};

int CountPixels(const QImage& image, const QRect& within, bool (*wanted)(QColor)) {
    int count = 0;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            count += wanted(PixelAt(image, x, y));
    return count;
}

void Press(QWidget* widget, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

bool Reddish(QColor c) {
    return c.red() > 180 && c.green() < 90 && c.blue() < 90;
}
bool Bluish(QColor c) {
    return c.blue() > 180 && c.red() < 90 && c.green() < 90;
}

class NodeviceDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        mainWindow.installEventFilter(&rescans);
        dialog = std::make_unique<CNodeviceDialog>(&mainWindow);
        dialog->show();
        Settle(20);
    }

    QWidget mainWindow;
    RescanCounter rescans;
    RecordingOpener opener;
    std::unique_ptr<CNodeviceDialog> dialog;
};

} // namespace

TEST_F(NodeviceDialogTest, LaidOutFromTemplate139WithItsTextModes) {
    EXPECT_EQ(dialog->size(), QSize(525, 341));
    EXPECT_EQ(dialog->windowTitle(), "Corvane");
    EXPECT_TRUE(dialog->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(dialog->mask().contains(QPoint(262, 170)));
    EXPECT_FALSE(dialog->mask().contains(QPoint(0, 0)));

    const struct {
        int id;
        int mode;
        const char* text;
    } labels[] = {
        {IDC_NODEVICE_TITLE, 4, "No iPod Device Detected"},
        {IDC_NODEVICE_EXPLANATION, 0, nullptr},
        {IDC_NODEVICE_HOWTO_HEADING, 4, "How to transfer music from iPod to computer?"},
        {IDC_NODEVICE_STEP1, 2, "Step 1: Make sure your iPod is in disk mode"},
        {IDC_NODEVICE_STEP2, 0, "Step 2: Connect your iPod to your computer."},
        {IDC_NODEVICE_STEP3, 0, nullptr},
        {IDC_NODEVICE_MOREHELP, 4, "Need more help?"},
        {IDC_NODEVICE_LINK_DISKMODE, 3, "How to configure iPod to enable disk use?"},
        {IDC_NODEVICE_LINK_HOWTO, 3, "How to transfer music from iPod to computer?"},
    };
    for (const auto& expected : labels) {
        CTransStatic* label = dialog->Label(expected.id);
        ASSERT_NE(label, nullptr) << expected.id;
        EXPECT_EQ(label->Mode(), expected.mode) << expected.id;
        // Placed as the template says, grown where the font needs it, and
        // never cutting its text off.
        const QRect place = ControlRectInPixels(NodeviceDialogTemplate(), expected.id, 1);
        EXPECT_EQ(label->geometry().topLeft(), place.topLeft()) << expected.id;
        EXPECT_TRUE(label->geometry().contains(place)) << expected.id;
        EXPECT_LE(label->geometry().right(), dialog->width() - 12) << expected.id;
        QFont font = label->font();
        font.setBold(expected.mode == 4);
        const QRect needed = QFontMetrics(font).boundingRect(QRect(QPoint(0, 0), label->size()),
                                                             Qt::TextWordWrap, label->Text());
        EXPECT_LE(needed.width(), label->width()) << expected.id;
        EXPECT_LE(needed.height(), label->height()) << expected.id;
        if (expected.text) {
            EXPECT_EQ(label->Text(), expected.text) << expected.id;
        }
    }
    EXPECT_EQ(dialog->linkRect1(), dialog->Label(IDC_NODEVICE_LINK_DISKMODE)->geometry());
    EXPECT_EQ(dialog->linkRect2(), dialog->Label(IDC_NODEVICE_LINK_HOWTO)->geometry());
    // No two labels overlap once grown.
    const QList<CTransStatic*> all = dialog->findChildren<CTransStatic*>();
    for (int i = 0; i < all.size(); ++i)
        for (int j = i + 1; j < all.size(); ++j)
            EXPECT_FALSE(all[i]->geometry().intersects(all[j]->geometry()))
                << all[i]->objectName().toStdString() << " " << all[j]->objectName().toStdString();
    EXPECT_EQ(dialog->RescanButton()->text(), "Rescan");
    EXPECT_EQ(dialog->RescanButton()->geometry(), QRect(320, 307, 78, 23));
    EXPECT_EQ(dialog->CancelButton()->text(), "Cancel");
    EXPECT_EQ(dialog->CancelButton()->geometry(), QRect(420, 307, 78, 23));
}

TEST_F(NodeviceDialogTest, LinksTurnRedUnderThePointerWithAHandCursor) {
    CTransStatic* link1 = dialog->Label(IDC_NODEVICE_LINK_DISKMODE);
    CTransStatic* link2 = dialog->Label(IDC_NODEVICE_LINK_HOWTO);

    MouseAt(dialog.get(), QEvent::MouseMove, dialog->linkRect1().center());
    EXPECT_TRUE(dialog->Hover().hot1);
    EXPECT_EQ(link1->Mode(), 5);
    EXPECT_EQ(link2->Mode(), 3);
    EXPECT_EQ(dialog->cursor().shape(), Qt::PointingHandCursor);

    // Straight from one link onto the other: only the second stays hot.
    MouseAt(dialog.get(), QEvent::MouseMove, dialog->linkRect2().center());
    EXPECT_FALSE(dialog->Hover().hot1);
    EXPECT_TRUE(dialog->Hover().hot2);
    EXPECT_EQ(link1->Mode(), 3);
    EXPECT_EQ(link2->Mode(), 5);

    // A link's edge is not inside it.
    MouseAt(dialog.get(), QEvent::MouseMove, dialog->linkRect1().topLeft() + QPoint(0, 5));
    EXPECT_FALSE(dialog->Hover().any());
    EXPECT_EQ(link2->Mode(), 3);
    EXPECT_EQ(dialog->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(NodeviceDialogTest, RendersTheSkinAndTheLinkModes) {
    MouseAt(dialog.get(), QEvent::MouseMove, dialog->linkRect1().center());
    const QImage picture = dialog->grab().toImage();
    const QColor line(108, 109, 111);
    EXPECT_EQ(PixelAt(picture, 262, 1), QColor(197, 197, 197));
    EXPECT_EQ(PixelAt(picture, 262, 35), line);
    EXPECT_EQ(PixelAt(picture, 262, 36), QColor(Qt::white));
    EXPECT_EQ(PixelAt(picture, 262, 340), line);
    EXPECT_EQ(PixelAt(picture, 0, 200), line);

    // The hot link is drawn red, the one at rest blue, both underlined.
    const QRect link1 = dialog->linkRect1();
    const QRect link2 = dialog->linkRect2();
    EXPECT_GT(CountPixels(picture, link1, Reddish), 50);
    EXPECT_EQ(CountPixels(picture, link1, Bluish), 0);
    EXPECT_GT(CountPixels(picture, link2, Bluish), 50);
    EXPECT_EQ(CountPixels(picture, link2, Reddish), 0);

    // The buttons draw over the background the dialog handed them: the
    // corner their rounded face leaves out shows the white body.
    const QPoint rescanCorner = dialog->RescanButton()->geometry().topLeft();
    EXPECT_EQ(PixelAt(picture, rescanCorner.x(), rescanCorner.y()), QColor(Qt::white));
    const QPoint cancelCorner = dialog->CancelButton()->geometry().bottomRight();
    EXPECT_EQ(PixelAt(picture, cancelCorner.x(), cancelCorner.y()), QColor(Qt::white));
}

TEST_F(NodeviceDialogTest, EveryCornerPixelAgreesWithTheBorder) {
    const QStringList faults =
        CornerFaults(dialog->grab().toImage(), dialog->mask(), QColor(108, 109, 111));
    EXPECT_TRUE(faults.isEmpty()) << faults.join("\n").toStdString();
}

TEST_F(NodeviceDialogTest, OnlyAClickOnALinkOpensItsSectionOfTheHelpPage) {
    MouseAt(dialog.get(), QEvent::MouseMove, QPoint(400, 100));
    MouseAt(dialog.get(), QEvent::MouseButtonPress, QPoint(400, 100));
    MouseAt(dialog.get(), QEvent::MouseButtonRelease, QPoint(400, 100));
    EXPECT_TRUE(opener.opened.isEmpty());

    for (QRect link : {dialog->linkRect1(), dialog->linkRect2()}) {
        MouseAt(dialog.get(), QEvent::MouseMove, link.center());
        MouseAt(dialog.get(), QEvent::MouseButtonPress, link.center());
        MouseAt(dialog.get(), QEvent::MouseButtonRelease, link.center());
    }
    const QString page = QCoreApplication::applicationDirPath() + "/help.html";
    EXPECT_EQ(opener.opened, QStringList({page + "#disk-mode", page + "#copy"}));
}

TEST_F(NodeviceDialogTest, RescanAsksTheMainWindowAndCancelOnlyHides) {
    dialog->RescanButton()->click();
    ASSERT_TRUE(WaitUntil([&] { return rescans.count == 1; }));
    EXPECT_TRUE(dialog->isVisible());

    dialog->CancelButton()->click();
    Settle(30);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(rescans.count, 1);
    EXPECT_TRUE(opener.opened.isEmpty());
}

TEST_F(NodeviceDialogTest, TabReachesBothLinksAndButtonsWhichTheKeysPress) {
    dialog->activateWindow();
    ASSERT_TRUE(WaitUntil([&] { return QApplication::activeWindow() == dialog.get(); }));
    const int order[] = {IDC_NODEVICE_LINK_DISKMODE, IDC_NODEVICE_LINK_HOWTO, IDC_NODEVICE_RESCAN,
                         IDC_NODEVICE_CANCEL, IDC_NODEVICE_LINK_DISKMODE};
    dialog->Label(IDC_NODEVICE_LINK_DISKMODE)->setFocus(Qt::TabFocusReason);
    for (size_t i = 1; i < std::size(order); ++i) {
        Press(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::number(order[i])) << i;
    }

    Press(dialog->Label(IDC_NODEVICE_LINK_DISKMODE), Qt::Key_Return);
    Press(dialog->Label(IDC_NODEVICE_LINK_HOWTO), Qt::Key_Space);
    const QString page = QCoreApplication::applicationDirPath() + "/help.html";
    EXPECT_EQ(opener.opened, QStringList({page + "#disk-mode", page + "#copy"}));
    Press(dialog->RescanButton(), Qt::Key_Return);
    ASSERT_TRUE(WaitUntil([&] { return rescans.count == 1; }));

    Press(dialog->CancelButton(), Qt::Key_Escape); // as Cancel does: hidden, nothing else
    Settle(30);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(rescans.count, 1);
    EXPECT_EQ(opener.opened.size(), 2);
}

TEST_F(NodeviceDialogTest, EveryControlTellsAScreenReaderWhatItIs) {
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(dialog.get());
    EXPECT_EQ(window->role(), QAccessible::Dialog);
    EXPECT_EQ(window->text(QAccessible::Name), "Corvane");
    int named = 0;
    for (const DialogControl& control : NodeviceDialogTemplate().controls) {
        QWidget* widget = dialog->findChild<QWidget*>(QString::number(control.id));
        ASSERT_NE(widget, nullptr) << control.id;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
        const QAccessible::Role role =
            control.kind == ControlKind::PushButton ? QAccessible::Button
            : control.id == IDC_NODEVICE_LINK_DISKMODE || control.id == IDC_NODEVICE_LINK_HOWTO
                ? QAccessible::Link
                : QAccessible::StaticText;
        EXPECT_EQ(iface->role(), role) << control.id;
        EXPECT_EQ(iface->text(QAccessible::Name), CaptionOf(control)) << control.id;
        EXPECT_EQ(iface->state().focusable, role != QAccessible::StaticText) << control.id;
        EXPECT_EQ(iface->parent()->object(), dialog.get());
        named += !iface->text(QAccessible::Name).isEmpty();
    }
    EXPECT_EQ(named, 11);
}
