#include "platform/WindowPlacement.h"

#include <gtest/gtest.h>

#include <QString>

TEST(WindowPlacement, OnlyWaylandKeepsTheProgramFromPlacingItsWindows) {
    EXPECT_FALSE(MayPlaceTopLevelWindows(QStringLiteral("wayland")));
    EXPECT_FALSE(MayPlaceTopLevelWindows(QStringLiteral("wayland-egl")));
    EXPECT_TRUE(MayPlaceTopLevelWindows(QStringLiteral("xcb")));
    EXPECT_TRUE(MayPlaceTopLevelWindows(QStringLiteral("offscreen")));
}
