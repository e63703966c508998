#include "ControlsTestSupport.h"

#include "controls/CheckBoxRules.h"
#include "controls/ThemeLoader.h"
#include "controls/TransCheck.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>

#include <memory>

namespace {

// Sets CORVANE_CLASSIC_CONTROLS for one scope and puts it back afterwards.
class ClassicControls {
public:
    explicit ClassicControls(bool classic) {
        if (classic)
            qputenv("CORVANE_CLASSIC_CONTROLS", "1");
        else
            qunsetenv("CORVANE_CLASSIC_CONTROLS");
    }
    ~ClassicControls() { qunsetenv("CORVANE_CLASSIC_CONTROLS"); }
};

// A style that remembers the state of every check box it draws.
class RecordingStyle : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element == PE_IndicatorCheckBox) {
            states.push_back(option->state);
            rects.push_back(option->rect);
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
    mutable std::vector<QStyle::State> states;
    mutable std::vector<QRect> rects;
};

QStyle::State Drawn(CTransCheck& check, RecordingStyle& style) {
    style.states.clear();
    check.grab();
    return style.states.empty() ? QStyle::State() : style.states.back();
}

constexpr QStyle::State kCheckedPressed =
    QStyle::State_On | QStyle::State_Enabled | QStyle::State_Sunken;
constexpr QStyle::State kUncheckedHot =
    QStyle::State_Off | QStyle::State_Enabled | QStyle::State_MouseOver;

// A window filled with one skin colour for a check box to sit on.
void PaintSkin(QWidget& window, QColor skin) {
    window.resize(300, 40);
    window.setAutoFillBackground(true);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, skin);
    window.setPalette(palette);
}

} // namespace

TEST(CheckBoxRules, ThemeStatesByCheckPressAndHover) {
    EXPECT_EQ(CheckBoxThemeState({true, true, false}), 7);
    EXPECT_EQ(CheckBoxThemeState({true, true, true}), 7);
    EXPECT_EQ(CheckBoxThemeState({true, false, true}), 6);
    EXPECT_EQ(CheckBoxThemeState({true, false, false}), 5);
    EXPECT_EQ(CheckBoxThemeState({false, true, false}), 3);
    EXPECT_EQ(CheckBoxThemeState({false, false, true}), 2);
    EXPECT_EQ(CheckBoxThemeState({false, false, false}), 1);
}

TEST(CheckBoxRules, BoxIsSixteenByFifteenFromOnePixelLeftAndCentred) {
    EXPECT_EQ(CheckBoxBoxRect(QRect(0, 0, 200, 17)), QRect(-1, 1, 16, 15));
    EXPECT_EQ(CheckBoxBoxRect(QRect(0, 0, 200, 10)), QRect(-1, -2, 16, 15));
    EXPECT_EQ(CheckBoxTextRect(QRect(0, 0, 200, 17)), QRect(QPoint(17, 0), QPoint(199, 16)));
    EXPECT_EQ(ClassicBoxRect(QRect(-1, 1, 16, 15)), QRect(0, 2, 13, 13));
    for (const QPoint& pixel : ClassicTickPixels())
        EXPECT_TRUE(QRect(2, 2, 9, 9).contains(pixel)) << "tick outside the well";
}

TEST(ThemeLoader, SharedStateLoadsOnceRetriesWhileUnavailableAndEndsWithTheLastUser) {
    ASSERT_EQ(CThemeLoader::UseCount(), 0);
    {
        ClassicControls themed(false);
        auto first = std::make_unique<CThemeLoader>();
        EXPECT_TRUE(CThemeLoader::IsAvailable());
        // Once loaded, later instances do not look again.
        ClassicControls classic(true);
        auto second = std::make_unique<CThemeLoader>();
        EXPECT_TRUE(CThemeLoader::IsAvailable());
        EXPECT_EQ(CThemeLoader::UseCount(), 2);
        first.reset();
        EXPECT_TRUE(CThemeLoader::IsAvailable());
        second.reset();
        EXPECT_EQ(CThemeLoader::UseCount(), 0);
        EXPECT_FALSE(CThemeLoader::IsAvailable());
    }
    {
        ClassicControls classic(true);
        CThemeLoader unavailable;
        EXPECT_FALSE(CThemeLoader::IsAvailable());
        QWidget widget;
        EXPECT_EQ(unavailable.OpenThemeData(&widget, "Button"), nullptr);
        QImage image(16, 16, QImage::Format_RGB32);
        QPainter painter(&image);
        EXPECT_FALSE(
            unavailable.DrawThemeBackground(nullptr, painter, BP_CHECKBOX, 1, QRect(0, 0, 13, 13)));
        // While unavailable, each new instance tries again.
        qunsetenv("CORVANE_CLASSIC_CONTROLS");
        CThemeLoader retry;
        EXPECT_TRUE(CThemeLoader::IsAvailable());
    }
    EXPECT_FALSE(CThemeLoader::IsAvailable());
}

TEST(ThemeLoader, OnlyTheButtonClassAndItsCheckBoxPartExist) {
    ClassicControls themed(false);
    CThemeLoader loader;
    QWidget widget;
    EXPECT_EQ(loader.OpenThemeData(&widget, "Edit"), nullptr);
    const ThemeHandle theme = loader.OpenThemeData(&widget, "Button");
    ASSERT_NE(theme, nullptr);
    QImage image(16, 16, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        EXPECT_FALSE(loader.DrawThemeBackground(theme, painter, 1, 1, QRect(0, 0, 13, 13)));
        EXPECT_FALSE(loader.DrawThemeBackground(theme, painter, BP_CHECKBOX, 0, image.rect()));
        EXPECT_FALSE(loader.DrawThemeBackground(theme, painter, BP_CHECKBOX, 9, image.rect()));
        EXPECT_TRUE(loader.DrawThemeBackground(theme, painter, BP_CHECKBOX, 5, image.rect()));
    }
    EXPECT_TRUE(loader.CloseThemeData(theme));
    EXPECT_FALSE(loader.CloseThemeData(nullptr));
}

TEST(TransCheck, ThemedPressOfACheckedBoxShowsState7AndReleaseShowsState2) {
    ClassicControls themed(false);
    RecordingStyle style;
    QWidget window;
    window.resize(300, 40);
    auto* check = new CTransCheck("Overwrite existing file", &window);
    check->setGeometry(10, 10, 250, 17);
    check->setStyle(&style); // the desktop style changes: the box follows it
    check->SetCheck(1);
    int clicks = 0;
    QObject::connect(check, &QAbstractButton::clicked, [&] { ++clicks; });
    ShowAndSettle(window);

    SendMouseMove(*check);
    SendPress(*check);
    EXPECT_EQ(Drawn(*check, style), kCheckedPressed);
    // The style's own indicator, centred in the 16 x 15 box at (-1, 1).
    const QSize indicator(style.pixelMetric(QStyle::PM_IndicatorWidth),
                          style.pixelMetric(QStyle::PM_IndicatorHeight));
    EXPECT_EQ(style.rects.back(), CentredIn(QRect(-1, 1, 16, 15), indicator));
    SendRelease(*check);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(check->GetCheck(), 0);
    EXPECT_EQ(Drawn(*check, style), kUncheckedHot);

    SendLeave(*check);
    EXPECT_EQ(Drawn(*check, style), QStyle::State_Off | QStyle::State_Enabled);
}

TEST(CheckBoxRules, CentredInKeepsTheSizeUnlessItDoesNotFit) {
    EXPECT_EQ(CentredIn(QRect(-1, 1, 16, 15), QSize(13, 13)), QRect(0, 2, 13, 13));
    EXPECT_EQ(CentredIn(QRect(-1, 1, 16, 15), QSize(16, 16)), QRect(-1, 1, 16, 15));
    EXPECT_EQ(CentredIn(QRect(0, 0, 10, 10), QSize(5, 4)), QRect(2, 3, 5, 4));
}

// The themed box over the skin: its frame is whole on all four sides, none
// of it falls outside the control, and it is no wider than the style draws it.
TEST(TransCheck, ThemedBoxShowsAllFourEdgesInsideTheControl) {
    ClassicControls themed(false);
    const QColor skin(255, 255, 255);
    for (int checked : {0, 1}) {
        QWidget window;
        PaintSkin(window, skin);
        auto* check = new CTransCheck("Open output folder after transfer is completed", &window);
        const QRect place(10, 10, 250, 15);
        check->setGeometry(place);
        check->SetCheck(checked);
        const QImage image = window.grab().toImage();
        // The box rectangle and one column either side of it.
        const QRect around(place.left() - 3, place.top(), 20, place.height());
        const QRect box = BoundingBoxOf(image, around, [&](QColor c) { return c != skin; });
        ASSERT_FALSE(box.isEmpty()) << SaveFailureImages(image, "themed-box").toStdString();
        EXPECT_GE(box.left(), place.left()) << "the left edge falls outside the control";
        const QSize indicator(check->style()->pixelMetric(QStyle::PM_IndicatorWidth),
                              check->style()->pixelMetric(QStyle::PM_IndicatorHeight));
        EXPECT_EQ(box.size(), indicator);
        const auto edgeDrawn = [&](QPoint from, QPoint step, int length) {
            int drawn = 0;
            for (int i = 0; i < length; ++i)
                drawn += image.pixelColor(from + step * i) != skin;
            return drawn * 2 > length;
        };
        EXPECT_TRUE(edgeDrawn(box.topLeft(), {0, 1}, box.height())) << "left edge";
        EXPECT_TRUE(edgeDrawn(box.topRight(), {0, 1}, box.height())) << "right edge";
        EXPECT_TRUE(edgeDrawn(box.topLeft(), {1, 0}, box.width())) << "top edge";
        EXPECT_TRUE(edgeDrawn(box.bottomLeft(), {1, 0}, box.width())) << "bottom edge";
    }
}

TEST(TransCheck, ClassicBoxWithItsOwnTickWhenThemesAreOff) {
    ClassicControls classic(true);
    const QColor skin(198, 198, 198);
    QWidget window;
    PaintSkin(window, skin);
    auto* check = new CTransCheck("Keep output music folder organized", &window);
    check->setGeometry(10, 10, 250, 17);

    // The classic box sits at (0, 2) in the check box: 13 x 13, sunken.
    const QPoint box = check->geometry().topLeft() + QPoint(0, 2);
    for (int checked : {0, 1}) {
        check->SetCheck(checked);
        const QImage image = window.grab().toImage();
        EXPECT_TRUE(PixelIs(image, box.x(), box.y(), QColor(128, 128, 128), "outer shadow"));
        EXPECT_TRUE(
            PixelIs(image, box.x() + 12, box.y() + 12, QColor(255, 255, 255), "outer highlight"));
        EXPECT_TRUE(PixelIs(image, box.x() + 1, box.y() + 1, QColor(64, 64, 64), "inner dark"));
        EXPECT_TRUE(
            PixelIs(image, box.x() + 11, box.y() + 11, QColor(212, 208, 200), "inner light"));
        for (const QPoint& pixel : ClassicTickPixels())
            EXPECT_TRUE(PixelIs(image, box.x() + pixel.x(), box.y() + pixel.y(),
                                checked ? QColor(0, 0, 0) : QColor(255, 255, 255), "tick"));
        // Nothing but the box and the text: the skin shows everywhere else.
        EXPECT_TRUE(PixelIs(image, box.x() + 14, box.y() + 5, skin, "gap"));
        EXPECT_TRUE(PixelIs(image, 10 + 249, 10, skin, "right end"));
        const QRect text = BoundingBoxOf(image, QRect(10 + 17, 10, 230, 17),
                                         [](QColor c) { return c.red() < 100; });
        EXPECT_FALSE(text.isEmpty()) << SaveFailureImages(image, "text").toStdString();
    }
}

TEST(TransCheck, DoubleClickFlipsTwice) {
    QWidget window;
    auto* check = new CTransCheck("Open output folder after transfer is completed", &window);
    check->setGeometry(0, 0, 250, 17);
    int clicks = 0;
    QObject::connect(check, &QAbstractButton::clicked, [&] { ++clicks; });
    SendPress(*check);
    SendRelease(*check);
    EXPECT_EQ(check->GetCheck(), 1);
    SendDoubleClick(*check);
    SendRelease(*check);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(check->GetCheck(), 0);
}

TEST(TransCheck, SetCheckStoresWithoutRepainting) {
    QWidget window;
    window.resize(300, 40);
    auto* check = new CTransCheck("Overwrite existing file", &window);
    check->setGeometry(10, 10, 250, 17);
    ShowAndSettle(window);
    PaintCounter paints(check);
    check->SetCheck(1);
    ProcessPendingEvents();
    EXPECT_EQ(check->GetCheck(), 1);
    EXPECT_EQ(paints.count, 0);
    // Any non-zero value reads back as checked, so looks and clicks agree.
    check->SetCheck(2);
    EXPECT_EQ(check->GetCheck(), 1);
    SendPress(*check);
    SendRelease(*check);
    EXPECT_EQ(check->GetCheck(), 0);
    ProcessPendingEvents();
    EXPECT_GE(paints.count, 1);
}
