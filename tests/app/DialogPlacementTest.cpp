#include "platform/DialogPlacement.h"
#include "app/CNodeviceDialog.h"
#include "support/DialogsTestSupport.h"
#include "transfer/dialog/CTransferDialog.h"
#include "transfer/dialog/FailureListWindow.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>
#include <QWindow>

namespace {

TEST(CentredTopLeft, PutsTheCentresTogetherRoundingTowardsTheOwnersCorner) {
    EXPECT_EQ(CentredTopLeft(QRect(226, 121, 827, 557), QSize(501, 107)), QPoint(389, 346));
    EXPECT_EQ(CentredTopLeft(QRect(0, 0, 10, 10), QSize(3, 4)), QPoint(3, 3));
    // Larger than its owner: it overhangs on both sides alike.
    EXPECT_EQ(CentredTopLeft(QRect(100, 100, 50, 50), QSize(150, 90)), QPoint(50, 80));
}

// A frameless owner somewhere on the screen, as the main window is.
class PlacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        owner.setGeometry(ownerRect);
        owner.show();
        ASSERT_TRUE(WaitUntil([&] { return owner.windowHandle() && owner.isVisible(); }));
    }

    void ExpectPlacedOverOwner(QWidget& dialog) {
        EXPECT_EQ(dialog.pos(), CentredTopLeft(ownerRect, dialog.size()));
        ASSERT_NE(dialog.windowHandle(), nullptr);
        EXPECT_EQ(dialog.windowHandle()->transientParent(), owner.windowHandle());
    }

    const QRect ownerRect{226, 121, 827, 557};
    QWidget owner;
};

TEST_F(PlacementTest, TheTransferWindowIsCentredOnItsOwnerAndNamedForTheTaskbar) {
    CTransferDialog transfer(&owner);
    transfer.show();
    ExpectPlacedOverOwner(transfer);
    EXPECT_EQ(transfer.windowTitle(), "Corvane");
}

TEST_F(PlacementTest, TheNodeviceWindowIsCentredEachTimeItComesUp) {
    CNodeviceDialog nodevice(&owner);
    nodevice.Present();
    ExpectPlacedOverOwner(nodevice);
    nodevice.hide();
    owner.move(40, 30); // dragged away while it was hidden
    nodevice.Present();
    EXPECT_EQ(nodevice.pos(), CentredTopLeft(owner.geometry(), nodevice.size()));
}

TEST_F(PlacementTest, PresentingTheNodeviceWindowPutsItsOwnerUpFirst) {
    owner.hide();
    CNodeviceDialog nodevice(&owner);
    nodevice.Present();
    EXPECT_TRUE(owner.isVisible());
    EXPECT_TRUE(nodevice.isVisible());
}

TEST_F(PlacementTest, TheFailureListIsCentredOnItsOwnerAndWrapsLongLines) {
    CTransferDialog transfer(&owner);
    transfer.show();
    const QString longLine = "Unknown Title: source unreadable (" + QString(300, 'x') + ".mp3)";
    CFailureListWindow list(&transfer, "1 file could not be copied.", longLine);
    list.show();
    EXPECT_EQ(list.pos(), CentredTopLeft(transfer.geometry(), list.size()));
    ASSERT_TRUE(WaitUntil([&] { return list.ListText()->isVisible(); }));
    const QTextBlock block = list.ListText()->document()->firstBlock();
    ASSERT_NE(block.layout(), nullptr);
    EXPECT_GT(block.layout()->lineCount(), 1); // wrapped, the path's end on a line of its own
    EXPECT_LE(block.layout()->boundingRect().width(), list.ListText()->viewport()->width());
}

} // namespace
