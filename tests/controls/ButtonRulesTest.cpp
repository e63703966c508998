#include "controls/ButtonRules.h"

#include <gtest/gtest.h>

namespace {

const QRect kItem(0, 0, 90, 21);

ButtonState Hot() {
    return {true, false, false, false};
}
ButtonState Pressed() {
    return {true, true, false, false};
}
ButtonState ToggledOn() {
    return {true, true, true, true};
}

} // namespace

TEST(ButtonRules, ToggledOnWinsOverPressedWhichWinsOverHot) {
    EXPECT_EQ(LookOf({}), ButtonLook::Normal);
    EXPECT_EQ(LookOf(Hot()), ButtonLook::Hot);
    EXPECT_EQ(LookOf(Pressed()), ButtonLook::Pressed);
    EXPECT_EQ(LookOf(ToggledOn()), ButtonLook::ToggledOn);
    // Checked means nothing outside toggle mode.
    EXPECT_EQ(LookOf({true, false, false, true}), ButtonLook::Hot);
    EXPECT_EQ(LookOf({false, false, true, false}), ButtonLook::Normal);
}

TEST(ButtonRules, OnlyCheckBoxKindsToggle) {
    EXPECT_FALSE(IsToggleStyle(kButtonStylePush));
    EXPECT_FALSE(IsToggleStyle(kButtonStyleDefaultPush));
    EXPECT_TRUE(IsToggleStyle(kButtonStyleCheckBox));
    EXPECT_TRUE(IsToggleStyle(kButtonStyleAutoCheckBox));
}

TEST(ButtonRules, SplitIsAThirdOnlyForActiveFloatButtons) {
    EXPECT_EQ(GradientBandsFor(ButtonKind::Float, ButtonLook::Normal, kItem).split, 10);
    EXPECT_EQ(GradientBandsFor(ButtonKind::Float, ButtonLook::Hot, kItem).split, 7);
    EXPECT_EQ(GradientBandsFor(ButtonKind::Float, ButtonLook::Pressed, kItem).split, 7);
    EXPECT_EQ(GradientBandsFor(ButtonKind::Toolbar, ButtonLook::Hot, kItem).split, 10);
    EXPECT_EQ(GradientBandsFor(ButtonKind::ToolbarEx, ButtonLook::Pressed, kItem).split, 10);
    EXPECT_EQ(GradientBandsFor(ButtonKind::Float, ButtonLook::Hot, QRect(0, 4, 10, 10)).split, 7);
    EXPECT_EQ(GradientBandsFor(ButtonKind::Float, ButtonLook::Hot, QRect(0, 0, 10, 0)).split, 0);
}

TEST(ButtonRules, IconSitsAboveACaptionMovedDownByItsSizePlusTwo) {
    const QRect item(0, 0, 120, 70);
    const CaptionPlacement normal = PlaceCaption(ButtonKind::Toolbar, ButtonLook::Normal, item, 34);
    EXPECT_TRUE(normal.withIcon);
    EXPECT_EQ(normal.iconRect, QRect(43, 8, 34, 34));
    EXPECT_EQ(normal.textRect, QRect(QPoint(0, 36), QPoint(119, 65)));
    EXPECT_EQ(normal.alignment, int(Qt::AlignHCenter | Qt::AlignBottom));

    const CaptionPlacement hot = PlaceCaption(ButtonKind::Toolbar, ButtonLook::Hot, item, 37);
    EXPECT_EQ(hot.iconRect, QRect(41, 8, 37, 37));
    EXPECT_EQ(hot.textRect.top(), 39);

    const CaptionPlacement ex = PlaceCaption(ButtonKind::ToolbarEx, ButtonLook::Normal, item, 16);
    EXPECT_EQ(ex.iconRect, QRect(52, 5, 16, 16));
    EXPECT_EQ(ex.textRect, QRect(QPoint(0, 18), QPoint(119, 67)));
}

TEST(ButtonRules, TextOnlyCaptionIsCentredAndSinksWhenToolbarExIsPressed) {
    const CaptionPlacement normal = PlaceCaption(ButtonKind::ToolbarEx, ButtonLook::Hot, kItem, 0);
    EXPECT_FALSE(normal.withIcon);
    EXPECT_EQ(normal.textRect, kItem);
    EXPECT_EQ(normal.alignment, int(Qt::AlignCenter));
    const CaptionPlacement pressed =
        PlaceCaption(ButtonKind::ToolbarEx, ButtonLook::Pressed, kItem, 0);
    EXPECT_EQ(pressed.textRect, QRect(QPoint(2, 3), kItem.bottomRight()));
    EXPECT_EQ(PlaceCaption(ButtonKind::Toolbar, ButtonLook::Pressed, kItem, 0).textRect, kItem);
    // Caption-bar buttons never show an icon.
    EXPECT_FALSE(PlaceCaption(ButtonKind::Title, ButtonLook::Normal, kItem, 16).withIcon);
}
