#include "ControlsTestSupport.h"

#include "controls/FillGradient.h"
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

const QColor kBorder(171, 166, 151);
const QColor kToggleBorder(172, 168, 153);
const QColor kWhite(255, 255, 255);
const QColor kDark0(207, 209, 208), kDark1(209, 209, 209);
const QColor kLight0(218, 218, 218), kLight1(233, 233, 233);
const QColor kGloss0(228, 229, 228), kGloss1(238, 238, 238);
const QColor kShade0(219, 219, 219), kShade1(195, 195, 194);

// A parent picture whose every pixel tells where it came from.
QImage PositionPicture(QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            picture.setPixel(x, y, qRgb(x, y, 77));
    return picture;
}

enum class Pose { Normal, Hot, Pressed };

// Places `button` at `geometry` in a parent, hands it the parent's picture,
// puts it into `pose` and returns what it paints.
QImage Render(CSkinnedButton& button, const QRect& geometry, Pose pose,
              const QImage& picture = PositionPicture(QSize(200, 120))) {
    QWidget parent;
    parent.resize(picture.size());
    button.setParent(&parent);
    button.setGeometry(geometry);
    button.CaptureBackground(picture);
    if (pose != Pose::Normal)
        SendMouseMove(button);
    button.setDown(pose == Pose::Pressed);
    QImage image = button.grab().toImage().convertToFormat(QImage::Format_RGB32);
    button.setParent(nullptr);
    return image;
}

struct GradientCase {
    const char* name;
    ButtonKind kind;
    Pose pose;
    int split; // of a 21-pixel-high button
    QColor upperFrom, upperTo, lowerFrom;
};

CSkinnedButton* Make(ButtonKind kind, const QString& caption) {
    switch (kind) {
    case ButtonKind::Float:
        return new CFloatBtn(caption);
    case ButtonKind::Toolbar:
        return new CToolbarBtn(caption);
    case ButtonKind::ToolbarEx:
        return new CToolbarBtnEx(caption);
    case ButtonKind::Menu:
        return new CMenuButton(caption);
    case ButtonKind::Title:
        return new CTitleButton(caption);
    }
    return nullptr;
}

bool IsRed(QColor c) {
    return c.red() > 200 && c.green() < 80 && c.blue() < 80;
}
bool IsInk(QColor c) {
    return c.red() < 120 && c.green() < 120 && c.blue() < 120;
}
bool IsBright(QColor c) {
    return c.red() > 230 && c.green() > 230 && c.blue() > 230;
}

} // namespace

TEST(ButtonRender, GradientFacesBandsHighlightBorderAndCorners) {
    const GradientCase cases[] = {
        {"float-normal", ButtonKind::Float, Pose::Normal, 10, kDark0, kDark1, kLight0},
        {"float-hot", ButtonKind::Float, Pose::Hot, 7, kGloss0, kGloss1, kShade0},
        {"float-pressed", ButtonKind::Float, Pose::Pressed, 7, kGloss0, kGloss1, kShade1},
        {"toolbar-normal", ButtonKind::Toolbar, Pose::Normal, 10, kDark0, kDark1, kLight0},
        {"toolbar-hot", ButtonKind::Toolbar, Pose::Hot, 10, kDark0, kDark1, kDark0},
        {"toolbar-pressed", ButtonKind::Toolbar, Pose::Pressed, 10, kDark0, kDark1, kLight0},
        {"toolbarex-normal", ButtonKind::ToolbarEx, Pose::Normal, 10, kLight0, kLight1, kDark0},
        {"toolbarex-hot", ButtonKind::ToolbarEx, Pose::Hot, 10, kDark0, kDark1, kLight0},
        {"toolbarex-pressed", ButtonKind::ToolbarEx, Pose::Pressed, 10, kDark0, kDark1, kLight0},
    };
    const QRect geometry(20, 30, 150, 21);
    for (const GradientCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<CSkinnedButton> button(Make(c.kind, "Ok"));
        const QImage image = Render(*button, geometry, c.pose);
        const int x = 10; // well left of the caption
        EXPECT_TRUE(
            PixelIs(image, x, 2, GradientRowColor(c.upperFrom, c.upperTo, 2, c.split), c.name));
        EXPECT_TRUE(PixelIs(image, x, c.split - 1,
                            GradientRowColor(c.upperFrom, c.upperTo, c.split - 1, c.split),
                            c.name));
        EXPECT_TRUE(PixelIs(image, x, c.split, c.lowerFrom, c.name));
        // Inner white highlight, one pixel in, with its own rounded corners:
        // its corner pixel is left to the gradient.
        EXPECT_TRUE(PixelIs(image, x, 1, kWhite, c.name));
        EXPECT_TRUE(PixelIs(image, 1, 10, kWhite, c.name));
        EXPECT_TRUE(PixelIs(image, 2, 1, kWhite, c.name));
        EXPECT_TRUE(PixelIs(image, 1, 2, kWhite, c.name));
        EXPECT_TRUE(PixelIs(image, x, 19, kWhite, c.name));
        EXPECT_TRUE(PixelIs(image, 148, 10, kWhite, c.name));
        EXPECT_TRUE(
            PixelIs(image, 1, 1, GradientRowColor(c.upperFrom, c.upperTo, 1, c.split), c.name));
        // Outer border: a 5 x 5 corner ellipse cuts off the corner pixel only.
        EXPECT_TRUE(PixelIs(image, x, 0, kBorder, c.name));
        EXPECT_TRUE(PixelIs(image, 0, 10, kBorder, c.name));
        EXPECT_TRUE(PixelIs(image, 1, 0, kBorder, c.name));
        EXPECT_TRUE(PixelIs(image, 0, 1, kBorder, c.name));
        EXPECT_TRUE(PixelIs(image, x, 20, kBorder, c.name));
        EXPECT_TRUE(PixelIs(image, 149, 10, kBorder, c.name));
        EXPECT_TRUE(PixelIs(image, 148, 20, kBorder, c.name));
        EXPECT_TRUE(PixelIs(image, 149, 19, kBorder, c.name));
        // The parent's picture shows outside the rounded corners, from
        // exactly where the button sits.
        EXPECT_TRUE(PixelIs(image, 0, 0, QColor(20, 30, 77), c.name));
        EXPECT_TRUE(PixelIs(image, 149, 0, QColor(169, 30, 77), c.name));
        EXPECT_TRUE(PixelIs(image, 0, 20, QColor(20, 50, 77), c.name));
        EXPECT_TRUE(PixelIs(image, 149, 20, QColor(169, 50, 77), c.name));
    }
}

TEST(ButtonRender, ToggledOnFaceIsWhiteWithItsOwnBorder) {
    for (ButtonKind kind : {ButtonKind::Float, ButtonKind::Toolbar, ButtonKind::ToolbarEx,
                            ButtonKind::Menu, ButtonKind::Title}) {
        SCOPED_TRACE(int(kind));
        std::unique_ptr<CSkinnedButton> button(Make(kind, "Ok"));
        button->PreSubclassWindow(kButtonStyleAutoCheckBox);
        button->click();
        ASSERT_TRUE(button->IsChecked());
        for (Pose pose : {Pose::Normal, Pose::Hot, Pose::Pressed}) {
            const QImage image = Render(*button, QRect(20, 30, 150, 21), pose);
            EXPECT_TRUE(PixelIs(image, 10, 10, kWhite, "face"));
            EXPECT_TRUE(PixelIs(image, 10, 1, kWhite, "face top"));
            EXPECT_TRUE(PixelIs(image, 10, 0, kToggleBorder, "border"));
            EXPECT_TRUE(PixelIs(image, 149, 10, kToggleBorder, "border"));
            EXPECT_TRUE(PixelIs(image, 1, 0, kToggleBorder, "corner"));
            EXPECT_TRUE(PixelIs(image, 1, 1, kWhite, "face corner"));
            EXPECT_TRUE(PixelIs(image, 0, 0, QColor(20, 30, 77), "background"));
        }
    }
}

TEST(ButtonRender, DisabledLooksEnabled) {
    CFloatBtn button("Rescan Device");
    const QImage enabled = Render(button, QRect(10, 10, 100, 23), Pose::Normal);
    button.setEnabled(false);
    EXPECT_EQ(Render(button, QRect(10, 10, 100, 23), Pose::Normal), enabled);
}

TEST(ButtonRender, ZeroHeightFacePaintsNothing) {
    QImage image = SolidImage(QSize(40, 10), QColor(9, 9, 9));
    const QImage before = image;
    QPainter painter(&image);
    ButtonFace face;
    face.caption = "Rescan";
    face.font = QApplication::font();
    face.paint(painter, QRect(0, 5, 40, 0), {true, false, false, false});
    painter.end();
    EXPECT_EQ(image, before);
}

TEST(ButtonRender, MenuCaptionTurnsRedWhenHotOrPressed) {
    const QImage white = SolidImage(QSize(200, 120), Qt::white);
    const QRect geometry(10, 10, 40, 16);
    for (Pose pose : {Pose::Normal, Pose::Hot, Pose::Pressed}) {
        CMenuButton button("Help");
        const QImage image = Render(button, geometry, pose, white);
        const bool red = !BoundingBoxOf(image, image.rect(), IsRed).isEmpty();
        const bool ink = !BoundingBoxOf(image, image.rect(), IsInk).isEmpty();
        if (pose == Pose::Normal) {
            EXPECT_FALSE(red) << SaveFailureImages(image, "normal").toStdString();
            EXPECT_TRUE(ink) << SaveFailureImages(image, "normal").toStdString();
        } else {
            EXPECT_TRUE(red) << SaveFailureImages(image, "active").toStdString();
            EXPECT_FALSE(ink) << SaveFailureImages(image, "active").toStdString();
        }
        // No face: the background is untouched around the caption.
        EXPECT_TRUE(PixelIs(image, 0, 0, kWhite, "no face"));
        EXPECT_TRUE(PixelIs(image, 39, 15, kWhite, "no face"));
    }
}

TEST(ButtonRender, TitleCaptionTurnsWhiteOnlyWhenHotAndNotPressed) {
    const QColor grey(120, 120, 120);
    const QImage picture = SolidImage(QSize(200, 120), grey);
    for (Pose pose : {Pose::Normal, Pose::Hot, Pose::Pressed}) {
        CTitleButton button("x");
        const QImage image = Render(button, QRect(100, 2, 16, 16), pose, picture);
        const bool bright = !BoundingBoxOf(image, image.rect(), IsBright).isEmpty();
        const QRect ink = BoundingBoxOf(image, image.rect(), [](QColor c) { return c.red() < 60; });
        EXPECT_EQ(bright, pose == Pose::Hot) << SaveFailureImages(image, "title").toStdString();
        EXPECT_EQ(ink.isEmpty(), pose == Pose::Hot)
            << SaveFailureImages(image, "title").toStdString();
        EXPECT_TRUE(PixelIs(image, 0, 0, grey, "no face"));
    }
}

TEST(ButtonRender, ToolbarExCaptionSinksWhilePressed) {
    // Hot and pressed share their bands, so only the caption can differ.
    const QRect geometry(10, 10, 60, 21);
    CToolbarBtnEx hotButton("Browse"), pressedButton("Browse");
    const QImage hot = Render(hotButton, geometry, Pose::Hot);
    const QImage pressed = Render(pressedButton, geometry, Pose::Pressed);
    const QRect inside = QRect(0, 0, 60, 21).adjusted(2, 2, -2, -2);
    const QRect hotInk = BoundingBoxOf(hot, inside, IsInk);
    const QRect pressedInk = BoundingBoxOf(pressed, inside, IsInk);
    ASSERT_FALSE(hotInk.isEmpty());
    EXPECT_EQ(pressedInk.left(), hotInk.left() + 1);
    EXPECT_GE(pressedInk.top(), hotInk.top() + 1);
    EXPECT_LE(pressedInk.top(), hotInk.top() + 2);
    EXPECT_EQ(pressedInk.size(), hotInk.size());
}

TEST(ButtonRender, ToolbarIconGrowsWhenHotAndPushesTheCaptionDown) {
    QPixmap blue(34, 34), green(37, 37);
    blue.fill(Qt::blue);
    green.fill(Qt::green);
    const QColor blueColor(0, 0, 255), greenColor(0, 255, 0);
    const QRect geometry(10, 10, 120, 70);
    const QRect inside = QRect(0, 0, 120, 70).adjusted(2, 2, -2, -2);
    auto caption = [&](const QImage& image, int iconSize) {
        return BoundingBoxOf(image, inside.adjusted(0, iconSize + 2 - 2, 0, 0), IsInk);
    };
    {
        CToolbarBtn button("Copy to Computer");
        button.SetIcon(QIcon(blue), 34, QIcon(green), 37);
        const QImage normal = Render(button, geometry, Pose::Normal);
        EXPECT_TRUE(PixelIs(normal, 43, 8, blueColor, "icon top-left"));
        EXPECT_TRUE(PixelIs(normal, 76, 41, blueColor, "icon bottom-right"));
        EXPECT_NE(PixelAt(normal, 42, 8), blueColor);
        EXPECT_NE(PixelAt(normal, 77, 41), blueColor);
        const QRect text = caption(normal, 34);
        ASSERT_FALSE(text.isEmpty());
        EXPECT_GE(text.top(), 36);
        EXPECT_LE(text.bottom(), 65);

        const QImage hot = Render(button, geometry, Pose::Hot);
        EXPECT_TRUE(PixelIs(hot, 41, 8, greenColor, "hot icon top-left"));
        EXPECT_TRUE(PixelIs(hot, 77, 44, greenColor, "hot icon bottom-right"));
        const QRect hotText = caption(hot, 37);
        ASSERT_FALSE(hotText.isEmpty());
        EXPECT_GE(hotText.top(), 39);
        EXPECT_LE(hotText.bottom(), 65);

        // Pressed keeps the normal icon even with the pointer over it.
        const QImage pressed = Render(button, geometry, Pose::Pressed);
        EXPECT_TRUE(PixelIs(pressed, 43, 8, blueColor, "pressed icon"));
        EXPECT_NE(PixelAt(pressed, 41, 8), greenColor);
    }
    {
        // Without icons the caption is centred in the whole button.
        CToolbarBtn button("Copy to Computer");
        const QImage plain = Render(button, geometry, Pose::Normal);
        const QRect text = BoundingBoxOf(plain, inside, IsInk);
        ASSERT_FALSE(text.isEmpty());
        EXPECT_LT(text.top(), 36);
        EXPECT_GT(text.bottom(), 34);
    }
}
