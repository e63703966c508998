#include "ControlsTestSupport.h"

#include "controls/FloatBtn.h"
#include "controls/MenuButton.h"
#include "controls/TitleButton.h"
#include "controls/ToolbarBtn.h"
#include "controls/ToolbarBtnEx.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace {

// A parent window with one button in it, shown on the offscreen screen.
template <typename Button> struct Placed {
    QWidget window;
    Button* button;
    PaintCounter buttonPaints;
    int clicks = 0;

    explicit Placed(const QString& caption)
        : button(new Button(caption, &window)), buttonPaints(button) {
        window.resize(200, 100);
        button->setGeometry(40, 30, 90, 23);
        QObject::connect(button, &QAbstractButton::clicked, [this] { ++clicks; });
        ShowAndSettle(window);
        buttonPaints.count = 0;
    }
};

const QColor kSkin(198, 198, 198);

// A window that paints its skin off-screen and hands it to its buttons, the
// way the program's windows do.
class SkinWindow : public QWidget {
public:
    SkinWindow() { resize(200, 100); }

    template <typename Button> Button* Add(const QString& caption, const QRect& geometry) {
        auto* button = new Button(caption, this);
        button->setGeometry(geometry);
        m_buttons.push_back(button);
        return button;
    }

    QColor skin = kSkin;
    QRegion painted;

protected:
    void paintEvent(QPaintEvent* event) override {
        painted += event->region();
        QImage picture = SolidImage(size(), skin);
        QPainter(this).drawImage(0, 0, picture);
        for (CSkinnedButton* button : m_buttons)
            button->CaptureBackground(picture);
    }

private:
    std::vector<CSkinnedButton*> m_buttons;
};

} // namespace

TEST(ButtonEvents, HoverRepaintsTheButtonAndLeavingRepaintsItOverAFreshBackground) {
    SkinWindow window;
    CToolbarBtnEx* button = window.Add<CToolbarBtnEx>("Browse", QRect(40, 30, 90, 23));
    ShowAndSettle(window);
    PaintCounter paints(button);

    SendMouseMove(*button);
    ProcessPendingEvents();
    EXPECT_TRUE(button->IsHover());
    EXPECT_GE(paints.count, 1);

    // Further moves change nothing.
    paints.count = 0;
    SendMouseMove(*button, QPoint(10, 10));
    ProcessPendingEvents();
    EXPECT_EQ(paints.count, 0);

    // The skin changes while the button is hot; leaving shows it beneath the
    // button's corners.
    window.skin = QColor(90, 20, 160);
    EXPECT_TRUE(PixelIs(button->grab().toImage(), 0, 0, kSkin, "still the old skin"));
    SendLeave(*button);
    ProcessPendingEvents();
    EXPECT_FALSE(button->IsHover());
    EXPECT_GE(paints.count, 1);
    EXPECT_TRUE(window.painted.contains(button->geometry()));
    EXPECT_TRUE(PixelIs(button->grab().toImage(), 0, 0, window.skin, "fresh skin"));
}

TEST(ButtonEvents, ClickingKeepsTheButtonHot) {
    Placed<CFloatBtn> placed("Rescan Device");
    SendMouseMove(*placed.button);
    SendPress(*placed.button);
    EXPECT_EQ(LookOf(placed.button->State()), ButtonLook::Pressed);
    SendRelease(*placed.button);
    EXPECT_EQ(placed.clicks, 1);
    EXPECT_EQ(LookOf(placed.button->State()), ButtonLook::Hot);
}

TEST(ButtonEvents, DoubleClickGivesTwoClicks) {
    Placed<CMenuButton> placed("Help");
    SendPress(*placed.button);
    SendRelease(*placed.button);
    SendDoubleClick(*placed.button);
    SendRelease(*placed.button);
    EXPECT_EQ(placed.clicks, 2);
}

TEST(ButtonEvents, CheckBoxStyleTogglesOnEachClickAndTheParentSeesEveryClick) {
    Placed<CToolbarBtnEx> placed("Browse");
    placed.button->PreSubclassWindow(kButtonStyleCheckBox);
    std::vector<bool> seen;
    QObject::connect(placed.button, &QAbstractButton::clicked,
                     [&] { seen.push_back(placed.button->IsChecked()); });
    for (int i = 0; i < 3; ++i) {
        SendPress(*placed.button);
        SendRelease(*placed.button);
    }
    EXPECT_EQ(placed.clicks, 3);
    // The button has flipped by the time the parent hears of the click.
    EXPECT_EQ(seen, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(LookOf(placed.button->State()), ButtonLook::ToggledOn);
}

TEST(ButtonEvents, ToolbarButtonShowsItsToggleOnlyAtTheNextRepaint) {
    Placed<CToolbarBtn> toolbar("Copy to Computer");
    Placed<CToolbarBtnEx> toolbarEx("Browse");
    toolbar.button->PreSubclassWindow(kButtonStyleCheckBox);
    toolbarEx.button->PreSubclassWindow(kButtonStyleCheckBox);
    toolbar.button->click();
    toolbarEx.button->click();
    ProcessPendingEvents();
    EXPECT_TRUE(toolbar.button->IsChecked());
    EXPECT_EQ(toolbar.buttonPaints.count, 0);
    EXPECT_TRUE(toolbarEx.button->IsChecked());
    EXPECT_GE(toolbarEx.buttonPaints.count, 1);
}

TEST(ButtonEvents, PushButtonsNeverToggle) {
    Placed<CFloatBtn> placed("Rescan Device");
    placed.button->PreSubclassWindow(kButtonStyleDefaultPush);
    SendPress(*placed.button);
    SendRelease(*placed.button);
    EXPECT_EQ(placed.clicks, 1);
    EXPECT_FALSE(placed.button->IsChecked());
}

TEST(ButtonEvents, ReplacingIconsRepaints) {
    Placed<CToolbarBtn> placed("Copy to Computer");
    QPixmap pixmap(34, 34);
    pixmap.fill(Qt::blue);
    placed.button->SetIcon(QIcon(pixmap), 34, QIcon(pixmap), 37);
    ProcessPendingEvents();
    EXPECT_GE(placed.buttonPaints.count, 1);
    EXPECT_EQ(placed.button->Face().iconSizeHover, 37);
}

TEST(ButtonEvents, HandCursorOnAllButTheFloatButton) {
    EXPECT_EQ(CFloatBtn().cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(CToolbarBtn().cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(CToolbarBtnEx().cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(CMenuButton().cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(CTitleButton().cursor().shape(), Qt::PointingHandCursor);
}

TEST(ButtonEvents, CapturedBackgroundFollowsTheParentsLatestPicture) {
    Placed<CMenuButton> placed("Help");
    placed.button->CaptureBackground(SolidImage(QSize(200, 100), QColor(10, 200, 30)));
    EXPECT_TRUE(PixelIs(placed.button->grab().toImage(), 0, 0, QColor(10, 200, 30), "first"));
    QPixmap second(200, 100);
    second.fill(QColor(200, 10, 30));
    placed.button->CaptureBackground(second);
    EXPECT_TRUE(PixelIs(placed.button->grab().toImage(), 0, 0, QColor(200, 10, 30), "second"));
    // A null picture keeps what the button has.
    placed.button->CaptureBackground(QImage());
    EXPECT_TRUE(PixelIs(placed.button->grab().toImage(), 0, 0, QColor(200, 10, 30), "kept"));
}
