#include "ControlsTestSupport.h"

#include "controls/LabelRules.h"
#include "controls/TransStatic.h"

#include <QApplication>
#include <QFontInfo>

namespace {

const QColor kSkin(198, 198, 198);

// A window painted in the skin colour holding one label.
struct LabelWindow {
    QWidget window;
    CTransStatic* label;

    LabelWindow(const QString& text, int mode) : label(new CTransStatic(text, &window)) {
        window.resize(320, 40);
        window.setAutoFillBackground(true);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, kSkin);
        window.setPalette(palette);
        label->setGeometry(10, 10, 300, 16);
        label->SetMode(mode);
    }

    QImage Picture() { return window.grab().toImage().convertToFormat(QImage::Format_RGB32); }
};

// Where the text left ink on the skin, and in which colours.
QImage InkMask(const QImage& image) {
    QImage mask(image.size(), QImage::Format_Mono);
    mask.fill(0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (QColor(image.pixel(x, y)) != kSkin)
                mask.setPixel(x, y, 1);
    return mask;
}

bool HasPixel(const QImage& image, QColor color) {
    return !BoundingBoxOf(image, image.rect(), [&](QColor c) { return c == color; }).isEmpty();
}

} // namespace

TEST(LabelRules, PlainLabelsBreakAtWordsAndNothingElse) {
    const TextFormat plain = FormatFor({});
    EXPECT_EQ(plain.alignment, int(Qt::AlignLeft | Qt::AlignTop));
    EXPECT_TRUE(plain.wordBreak);
    EXPECT_FALSE(plain.singleLine);
    EXPECT_TRUE(plain.showMnemonic);
    EXPECT_EQ(plain.ellipsis, Ellipsis::None);
}

TEST(LabelRules, StyleFlagsBecomeTextFormat) {
    const TextFormat centred = FormatFor(StaticStyle::Center | StaticStyle::CenterVertically);
    EXPECT_EQ(centred.alignment, int(Qt::AlignHCenter | Qt::AlignVCenter));
    EXPECT_TRUE(centred.singleLine);
    EXPECT_FALSE(centred.wordBreak);

    const TextFormat right = FormatFor(StaticStyle::Right | StaticStyle::NoPrefix);
    EXPECT_EQ(right.alignment, int(Qt::AlignRight | Qt::AlignTop));
    EXPECT_FALSE(right.showMnemonic);
    EXPECT_TRUE(right.wordBreak);

    for (StaticStyle ellipsis : {StaticStyle::EndEllipsis, StaticStyle::WordEllipsis}) {
        const TextFormat cut = FormatFor(ellipsis);
        EXPECT_EQ(cut.ellipsis, Ellipsis::End);
        EXPECT_FALSE(cut.wordBreak);
    }
    const TextFormat path = FormatFor(StaticStyle::PathEllipsis);
    EXPECT_EQ(path.ellipsis, Ellipsis::Path);
    EXPECT_FALSE(path.wordBreak);
}

TEST(LabelRules, SevenModes) {
    struct Row {
        int mode;
        QColor color;
        bool underline, bold;
    };
    const Row rows[] = {
        {0, QColor(0, 0, 0), false, false},      {1, QColor(255, 255, 255), false, false},
        {2, QColor(255, 0, 0), false, false},    {3, QColor(0, 0, 255), true, false},
        {4, QColor(0, 0, 0), false, true},       {5, QColor(255, 0, 0), true, false},
        {6, QColor(61, 128, 223), false, false}, {7, QColor(0, 0, 0), false, false},
        {-1, QColor(0, 0, 0), false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mode);
        const LabelLook look = LookForMode(row.mode);
        EXPECT_EQ(look.color, row.color);
        EXPECT_EQ(look.underline, row.underline);
        EXPECT_EQ(look.bold, row.bold);
    }
}

TEST(TransStatic, LinkTurnsFromBlueToRedWithTheSameUnderlinedText) {
    LabelWindow blue("How to configure iPod to enable disk use?", 3);
    const QImage before = blue.Picture();
    EXPECT_TRUE(HasPixel(before, QColor(0, 0, 255)))
        << SaveFailureImages(before, "blue").toStdString();

    blue.label->SetMode(5);
    blue.label->update();
    const QImage after = blue.Picture();
    EXPECT_TRUE(HasPixel(after, QColor(255, 0, 0)))
        << SaveFailureImages(after, "red").toStdString();
    EXPECT_FALSE(HasPixel(after, QColor(0, 0, 255)));
    EXPECT_EQ(InkMask(after), InkMask(before));

    // The underline runs below the text's lowest ink, which mode 0 lacks.
    LabelWindow underlined("Need more HELM", 5), plain("Need more HELM", 0);
    const QImage lined = underlined.Picture();
    const QImage unlined = plain.Picture();
    const QRect ink = BoundingBoxOf(lined, QRect(10, 10, 300, 16),
                                    [](QColor c) { return c == QColor(255, 0, 0); });
    const QRect plainInk =
        BoundingBoxOf(unlined, QRect(10, 10, 300, 16), [](QColor c) { return c != kSkin; });
    EXPECT_GT(ink.bottom(), plainInk.bottom());
}

TEST(TransStatic, BoldModeInksMoreThanPlain) {
    LabelWindow plain("No iPod Device Detected", 0);
    LabelWindow bold("No iPod Device Detected", 4);
    auto inked = [](const QImage& image) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += QColor(image.pixel(x, y)).red() < 100;
        return count;
    };
    EXPECT_GT(inked(bold.Picture()), inked(plain.Picture()) * 5 / 4);
}

TEST(TransStatic, SetModeDoesNotRepaintButSetTextDoes) {
    LabelWindow shown("Copying file", 0);
    ShowAndSettle(shown.window);
    PaintCounter paints(shown.label);
    shown.label->SetMode(2);
    ProcessPendingEvents();
    EXPECT_EQ(paints.count, 0);
    shown.label->SetText("Copying file 3 of 40");
    ProcessPendingEvents();
    EXPECT_GE(paints.count, 1);
}

TEST(TransStatic, PaintsNoBackgroundAndLetsTheMouseThrough) {
    LabelWindow window("Output to:", 0);
    const QImage image = window.Picture();
    EXPECT_TRUE(PixelIs(image, 10 + 299, 10, kSkin, "no background"));
    EXPECT_TRUE(PixelIs(image, 10 + 299, 25, kSkin, "no background"));
    // The window finds no child under the label, so it hears the mouse there.
    EXPECT_EQ(window.window.childAt(15, 15), nullptr);
}

TEST(TestFont, IsThePinnedDejaVuSans) {
    EXPECT_EQ(QFontInfo(QApplication::font()).family(), "DejaVu Sans");
    EXPECT_EQ(QApplication::font().pointSize(), 8);
}
