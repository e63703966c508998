#include "resources/DialogTemplate.h"
#include "resources/Template130.h"
#include "resources/Template139.h"
#include "resources/TemplateLayout.h"

#include <gtest/gtest.h>

#include <set>

TEST(MulDiv, RoundsHalvesAwayFromZeroAndSurvivesLargeProducts) {
    EXPECT_EQ(MulDiv(7, 6, 4), 11);   // 10.5
    EXPECT_EQ(MulDiv(5, 6, 4), 8);    // 7.5
    EXPECT_EQ(MulDiv(3, 13, 8), 5);   // 4.875
    EXPECT_EQ(MulDiv(7, 13, 8), 11);  // 11.375
    EXPECT_EQ(MulDiv(-7, 6, 4), -11); // -10.5
    EXPECT_EQ(MulDiv(7, 6, -4), -11);
    EXPECT_EQ(MulDiv(0, 6, 4), 0);
    EXPECT_EQ(MulDiv(1, 1, 0), 0);
    EXPECT_EQ(MulDiv(2'000'000'000, 3, 4), 1'500'000'000);
}

TEST(DialogUnits, BaseUnitsFollowTheScreenScale) {
    EXPECT_EQ(DialogBaseUnits(1.0), QSize(6, 13));
    EXPECT_EQ(DialogBaseUnits(2.0), QSize(12, 26));
    EXPECT_EQ(DialogBaseUnits(1.5), QSize(9, 20)); // 19.5 rounds up
    EXPECT_EQ(DialogUnitsToPixelsX(100, 1.0), 150);
    EXPECT_EQ(DialogUnitsToPixelsY(100, 1.0), 163); // 162.5
    EXPECT_EQ(DialogUnitsToPixelsX(100, 2.0), 300);
    EXPECT_EQ(DialogUnitsToPixelsY(100, 2.0), 325);
}

TEST(DialogUnits, PositionAndSizeConvertIndependently) {
    // 7 units across is 10.5 pixels: both the offset and the width round up.
    EXPECT_EQ(DialogUnitsToPixels({7, 7, 7, 7}, 1.0), QRect(11, 11, 11, 11));
}

TEST(Template130, TransferDialogInPixels) {
    const DialogTemplate& t = TransferDialogTemplate();
    EXPECT_EQ(t.id, 130);
    EXPECT_EQ(TemplateSizeInPixels(t, 1.0), QSize(501, 107));
    EXPECT_EQ(ControlRectInPixels(t, IDC_TRANSFER_BUTTON, 1.0), QRect(414, 75, 75, 23));
    EXPECT_EQ(ControlRectInPixels(t, IDC_TRANSFER_PROGRESS, 1.0), QRect(9, 49, 480, 13));
    EXPECT_EQ(ControlRectInPixels(t, IDC_TRANSFER_LABEL, 1.0), QRect(9, 24, 480, 13));
    EXPECT_TRUE(ControlRectInPixels(t, 4242, 1.0).isNull());

    const DialogControl* button = t.Find(IDC_TRANSFER_BUTTON);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text, u"Cancel");
    EXPECT_TRUE(button->style & StyleDefaultButton);
    EXPECT_EQ(t.Find(IDC_TRANSFER_LABEL)->text, u"Copying file");
    EXPECT_FALSE(t.style & DialogVisible);
}

TEST(Template139, NodeviceDialogInPixels) {
    const DialogTemplate& t = NodeviceDialogTemplate();
    EXPECT_EQ(t.id, 139);
    EXPECT_EQ(TemplateSizeInPixels(t, 1.0), QSize(525, 341));
    EXPECT_EQ(ControlRectInPixels(t, IDC_NODEVICE_TITLE, 1.0), QRect(11, 11, 314, 13));
    EXPECT_EQ(ControlRectInPixels(t, IDC_NODEVICE_EXPLANATION, 1.0), QRect(27, 54, 467, 33));
    EXPECT_EQ(ControlRectInPixels(t, IDC_NODEVICE_LINK_DISKMODE, 1.0), QRect(69, 257, 239, 16));
    EXPECT_EQ(ControlRectInPixels(t, IDC_NODEVICE_LINK_HOWTO, 1.0), QRect(69, 278, 221, 13));
    EXPECT_EQ(ControlRectInPixels(t, IDC_NODEVICE_RESCAN, 1.0), QRect(320, 307, 78, 23));
    EXPECT_EQ(ControlRectInPixels(t, IDC_NODEVICE_CANCEL, 1.0), QRect(420, 307, 78, 23));
    EXPECT_EQ(ControlRectInPixels(t, IDC_NODEVICE_CANCEL, 2.0), QRect(840, 614, 156, 46));
    EXPECT_FALSE(t.style & DialogVisible);
    EXPECT_EQ(t.Find(IDC_NODEVICE_STEP1)->text, u"Step 1: Make sure your iPod is in disk mode");
}

TEST(Templates, EveryControlHasOneIdAndFitsItsWindow) {
    for (const DialogTemplate* t : {&TransferDialogTemplate(), &NodeviceDialogTemplate()}) {
        std::set<int> ids;
        for (const DialogControl& c : t->controls) {
            EXPECT_TRUE(ids.insert(c.id).second) << "template " << t->id << " id " << c.id;
            EXPECT_LE(c.rect.x + c.rect.width, t->width) << "template " << t->id << " id " << c.id;
            EXPECT_LE(c.rect.y + c.rect.height, t->height)
                << "template " << t->id << " id " << c.id;
        }
    }
}

TEST(TemplateLayout, WidgetPlacesAndCaptionsAndNothingForUnknownControls) {
    const TemplateLayout layout(TransferDialogTemplate());
    EXPECT_EQ(layout.ClientSize(), QSize(501, 107));
    EXPECT_EQ(layout.PlaceOf(IDC_TRANSFER_BUTTON), QRect(414, 75, 75, 23));
    EXPECT_EQ(layout.TextOf(IDC_TRANSFER_BUTTON), QStringLiteral("Cancel"));
    EXPECT_EQ(layout.UnitsToPixelsX(4), 6);
    EXPECT_TRUE(layout.PlaceOf(4242).isNull());
    EXPECT_TRUE(layout.TextOf(4242).isEmpty());
}
