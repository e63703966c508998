// The windows on a screen at a 200% scale (this program runs with
// QT_SCALE_FACTOR=2): twice the size in device pixels, every pixel rule of
// the skins drawn as a sharp 2 x 2 square, and hit tests where the things
// they test are drawn.
#include "app/CCorvaneDlg.h"

#include "MainWindowTestSupport.h"
#include "app/CNodeviceDialog.h"
#include "app/MainBackground.h"
#include "controls/OffscreenPicture.h"
#include "controls/TransCheck.h"
#include "controls/TransStatic.h"
#include "controls/WindowOutline.h"
#include "lists/CHeaderCtrlEx.h"
#include "lists/CListCtrlEx.h"
#include "lists/CListCtrlLeftPane.h"
#include "lists/ListMetrics.h"
#include "lists/ListPalette.h"
#include "resources/Template102.h"
#include "resources/Template139.h"

#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QPainter>

#include <cstdlib>

namespace {

constexpr int kScale = 2;

void Send(QWidget* target, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons) {
    QMouseEvent event(type, pos, target->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void Click(QWidget* target, QPoint pos) {
    Send(target, QEvent::MouseButtonPress, pos, Qt::LeftButton);
    Send(target, QEvent::MouseButtonRelease, pos, Qt::NoButton);
}

// What `widget` shows, one device pixel per image pixel.
QImage DevicePicture(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The logical pixels of `area` in `image` where something else than `white`
// was drawn, as a bounding rectangle in logical pixels.
QRect DrawnArea(const QImage& image, const QRect& area, QColor white = Qt::white) {
    QRect drawn;
    for (int y = area.top() * kScale; y < (area.bottom() + 1) * kScale; ++y)
        for (int x = area.left() * kScale; x < (area.right() + 1) * kScale; ++x)
            if (PixelAt(image, x, y) != white)
                drawn |= QRect(x / kScale, y / kScale, 1, 1);
    return drawn;
}

// The outline of the first check box drawn in `area` (logical pixels), found
// by its colour; each of its pixels must fill a whole 2 x 2 square.
QRect CheckBoxDrawnIn(const QImage& picture, const QRect& area) {
    auto outline = [&](int x, int y) {
        for (int d = 0; d < kScale * kScale; ++d)
            if (PixelAt(picture, x * kScale + d % kScale, y * kScale + d / kScale) !=
                ListPalette::kCheckOutline)
                return false;
        return true;
    };
    for (int y = area.top(); y <= area.bottom() - kCheckBoxSize + 1; ++y) {
        for (int x = area.left(); x <= area.left() + kCheckCellWidth; ++x) {
            const int last = kCheckBoxSize - 1;
            if (outline(x, y) && outline(x + last, y) && outline(x, y + last) &&
                outline(x + last, y + last) && !outline(x + 1, y + 1))
                return QRect(x, y, kCheckBoxSize, kCheckBoxSize);
        }
    }
    return {};
}

class HighDpi : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        ASSERT_EQ(qApp->devicePixelRatio(), kScale) << "run with QT_SCALE_FACTOR=2";
        ASSERT_TRUE(root.isValid());
        devicePath = root.path() + "/ipod";
        setenv("CORVANE_VOLUMES", devicePath.toUtf8().constData(), 1);
        setenv("XDG_CONFIG_HOME", (root.path() + "/config").toUtf8().constData(), 1);
        ASSERT_TRUE(PlugSampleDevice(devicePath));
        window = std::make_unique<CCorvaneDlg>();
        ASSERT_TRUE(window->OnInitDialog());
        window->SetTransferRunner([](CTransferDialog&) {});
        window->show();
        ASSERT_TRUE(WaitUntil([&] { return window->TrackList()->itemCount() == 12; }));
    }

    void TearDown() override {
        window.reset();
        unsetenv("CORVANE_VOLUMES");
    }

    // The background the window paints, as the 1x rules draw it.
    QImage ReferenceBackground() const {
        MainBackground background;
        background.trackList = window->TrackList()->geometry();
        background.playlistPane = window->Playlists()->geometry();
        background.copyButton = window->Button(IDC_MAIN_COPY)->geometry();
        QImage picture(window->size(), QImage::Format_RGB32);
        QPainter painter(&picture);
        background.paint(painter, window->rect());
        return picture;
    }

    QTemporaryDir root;
    QString devicePath;
    std::unique_ptr<CCorvaneDlg> window;
};

} // namespace

TEST_F(HighDpi, TheMainWindowIsTwiceTheSizeAndItsSkinIsSharp) {
    const QSize logical = TemplateSizeInPixels(MainDialogTemplate(), 1.0);
    ASSERT_EQ(window->size(), logical);
    const QImage shown = DevicePicture(*window);
    ASSERT_EQ(shown.size(), logical * kScale);

    // Every background pixel no control covers (bands, gradients, the title
    // line, the option panel, the divider, the rounded border) is its 1x
    // colour over a whole 2 x 2 square: nothing was scaled up or blurred.
    QRegion controls;
    for (QWidget* child : window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (child->isVisibleTo(window.get()) && !child->isWindow())
            controls += child->geometry();
    const QRect icon(MainBackground::kIconAt,
                     QSize(MainBackground::kIconSize, MainBackground::kIconSize));
    const QImage reference = ReferenceBackground();
    const QRegion outside = QRegion(window->rect()) - WindowShapeRegion(window->size());
    int compared = 0;
    for (int y = 0; y < logical.height(); ++y) {
        for (int x = 0; x < logical.width(); ++x) {
            if (controls.contains(QPoint(x, y)) || icon.contains(x, y) ||
                outside.contains(QPoint(x, y)))
                continue;
            for (int d = 0; d < kScale * kScale; ++d)
                ASSERT_EQ(PixelAt(shown, x * kScale + d % kScale, y * kScale + d / kScale),
                          PixelAt(reference, x, y))
                    << "logical pixel " << x << "," << y;
            ++compared;
        }
    }
    EXPECT_GT(compared, logical.width() * logical.height() / 5);

    // The title buttons show the background they captured around their
    // captions: the part of the 2x picture under them, not another one.
    for (int id : {IDC_MAIN_MINIMIZE, IDC_MAIN_CLOSE}) {
        const QRect button = window->Button(id)->geometry();
        for (int x = button.left(); x <= button.right(); ++x)
            for (int d = 0; d < kScale * kScale; ++d)
                ASSERT_EQ(
                    PixelAt(shown, x * kScale + d % kScale, button.top() * kScale + d / kScale),
                    PixelAt(reference, x, button.top()))
                    << "button " << id << " at " << x;
    }
}

TEST_F(HighDpi, TheCornerIconIsDrawnFromItsOwnDoubleSizePicture) {
    const QImage shown = DevicePicture(*window);
    QImage expected(QSize(64, 64), QImage::Format_RGB32);
    {
        const QImage background = ReferenceBackground();
        QPainter painter(&expected);
        painter.drawImage(QRect(0, 0, 64, 64),
                          background.copy(QRect(MainBackground::kIconAt, QSize(32, 32))));
        QImage icon(QStringLiteral(":/icons/129@2x.png"));
        icon.setDevicePixelRatio(1); // one image pixel per device pixel
        painter.drawImage(0, 0, icon);
    }
    const QPoint at = MainBackground::kIconAt * kScale;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(PixelAt(shown, at.x() + x, at.y() + y), PixelAt(expected, x, y))
                << x << "," << y;
}

TEST_F(HighDpi, CaptionsAreNotClipped) {
    // Each caption's drawn ink stays inside its control with a pixel to
    // spare on the right; a clipped caption's ink runs to the edge.
    for (CTransStatic* label : window->findChildren<CTransStatic*>()) {
        const QImage picture = DevicePicture(*label);
        const QRect ink = DrawnArea(picture, label->rect(), PixelAt(picture, 0, 0));
        if (label->Text().trimmed().isEmpty())
            continue;
        ASSERT_FALSE(ink.isEmpty()) << label->Text().toStdString();
        EXPECT_LT(ink.right(), label->width() - 1) << label->Text().toStdString();
    }
    for (CTransCheck* box : window->findChildren<CTransCheck*>()) {
        const QFontMetrics metrics(box->font(), box);
        EXPECT_LE(metrics.horizontalAdvance(box->text()), box->width())
            << box->text().toStdString();
    }
}

TEST_F(HighDpi, TheCheckCellIsWhereTheCheckBoxIsDrawn) {
    CListCtrlEx& tracks = *window->TrackList();
    const QRect cell = tracks.CellRect(0, 1);
    const QRect box = CheckBoxDrawnIn(DevicePicture(*tracks.viewport()), cell);
    ASSERT_EQ(box.size(), QSize(kCheckBoxSize, kCheckBoxSize));
    for (QPoint corner : {box.topLeft(), box.bottomRight()})
        EXPECT_TRUE(tracks.IsOnCheckCell(corner)) << corner.x();

    Click(tracks.viewport(), box.center());
    EXPECT_EQ(tracks.GetRowCheck(0), 1u);
    Click(tracks.viewport(), QPoint(cell.left() + kCheckCellWidth, cell.center().y()));
    EXPECT_EQ(tracks.GetRowCheck(0), 0u);
    Click(tracks.viewport(), QPoint(cell.left() + kCheckCellWidth + 1, cell.center().y()));
    EXPECT_EQ(tracks.GetRowCheck(0), 0u);
}

TEST_F(HighDpi, TheCheckAllBoxIsWhereItIsDrawn) {
    CListCtrlEx& tracks = *window->TrackList();
    CHeaderCtrlEx& header = tracks.Header();
    const QRect section(header.sectionViewportPosition(1), 0, header.sectionSize(1),
                        header.height());
    const QRect box = CheckBoxDrawnIn(DevicePicture(header), section);
    ASSERT_EQ(box.size(), QSize(kCheckBoxSize, kCheckBoxSize));
    EXPECT_TRUE(header.IsOnCheckAllBox(box.left()));
    EXPECT_TRUE(header.IsOnCheckAllBox(box.right()));
    tracks.OnColumnClick(1, box.center().x());
    EXPECT_EQ(tracks.checkedCount(), 12);
}

TEST_F(HighDpi, TheLinksAreHotWhereTheyAreDrawn) {
    CNodeviceDialog& nodevice = *window->NodeviceDialog();
    nodevice.show();
    for (int id : {IDC_NODEVICE_LINK_DISKMODE, IDC_NODEVICE_LINK_HOWTO}) {
        CTransStatic* link = nodevice.Label(id);
        const QImage picture = DevicePicture(*link);
        const QRect ink =
            DrawnArea(picture, link->rect(), PixelAt(picture, 0, 0)).translated(link->pos());
        ASSERT_FALSE(ink.isEmpty());
        for (QPoint inside : {ink.topLeft() + QPoint(1, 1), ink.center()}) {
            if (!link->geometry().adjusted(1, 1, -1, -1).contains(inside))
                continue;
            Send(&nodevice, QEvent::MouseMove, inside, Qt::NoButton);
            EXPECT_TRUE(nodevice.Hover().any()) << id << " at " << inside.x() << "," << inside.y();
        }
        EXPECT_TRUE(link->geometry().contains(ink.center()));
    }
}

TEST_F(HighDpi, DraggingMovesTheWindowByTheLogicalDistance) {
    const QPoint before = window->pos();
    const QPoint grip(400, 35);
    Send(window.get(), QEvent::MouseButtonPress, grip, Qt::LeftButton);
    Send(window.get(), QEvent::MouseMove, grip + QPoint(60, 40), Qt::LeftButton);
    Send(window.get(), QEvent::MouseButtonRelease, grip + QPoint(60, 40), Qt::NoButton);
    EXPECT_EQ(window->pos(), before + QPoint(60, 40));
}

TEST(OffscreenPictureAt2x, ASectionIsTakenInLogicalPixelsAtThePicturesRatio) {
    QPixmap picture(QSize(40, 20) * kScale);
    picture.setDevicePixelRatio(kScale);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        painter.fillRect(QRect(10, 5, 1, 1), Qt::red); // one logical pixel
    }
    const QPixmap section = PictureSection(picture, QRect(10, 5, 6, 4));
    EXPECT_EQ(section.size(), QSize(12, 8));
    EXPECT_EQ(section.devicePixelRatio(), kScale);
    const QImage image = section.toImage();
    for (QPoint p : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)})
        EXPECT_EQ(PixelAt(image, p.x(), p.y()), QColor(Qt::red));
    EXPECT_EQ(PixelAt(image, 2, 0), QColor(Qt::white));
    EXPECT_EQ(PixelAt(section.toImage(), 0, 2), QColor(Qt::white));

    QWidget widget;
    widget.resize(30, 10);
    const QPixmap offscreen = OffscreenPicture(widget);
    EXPECT_EQ(offscreen.size(), QSize(60, 20));
    EXPECT_EQ(offscreen.devicePixelRatio(), kScale);
}
