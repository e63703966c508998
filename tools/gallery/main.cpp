// corvane-gallery OUT.png: draws every skinned control in every state, each
// labelled, into one picture at 1:1 pixels, so a person can look them over.
// Runs on the offscreen platform; no display is needed.

#include "controls/ButtonFace.h"
#include "controls/CheckBoxFace.h"
#include "controls/DialogFont.h"
#include "controls/FillGradient.h"
#include "controls/LabelFace.h"
#include "controls/ThemeLoader.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <cstdio>

namespace {

constexpr int kLabelWidth = 120;
constexpr int kCellWidth = 150;
constexpr int kRowHeight = 78;
const QColor kSkinTop(198, 198, 198), kSkinBottom(156, 156, 156);

void Caption(QPainter& painter, const QRect& rect, const QString& text, bool bold = false) {
    painter.save();
    QFont font = DialogFont();
    font.setBold(bold);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter.restore();
}

// The skin a control sits on in the windows: the grey title gradient.
void Skin(QPainter& painter, const QRect& rect) {
    FillGradient(painter, rect, kSkinTop, kSkinBottom);
}

QIcon SampleIcon() {
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(61, 128, 223));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(4, 4, 56, 56);
    painter.setBrush(Qt::white);
    painter.drawEllipse(22, 22, 20, 20);
    return QIcon(pixmap);
}

struct ButtonRow {
    const char* name;
    ButtonKind kind;
    QString caption;
    QSize size;
    bool withIcon;
};

struct Pose {
    const char* name;
    ButtonState state;
};

int DrawButtons(QPainter& painter, int top) {
    const ButtonRow rows[] = {
        {"CFloatBtn", ButtonKind::Float, "Rescan Device", {100, 23}, false},
        {"CToolbarBtn", ButtonKind::Toolbar, "Copy to Computer", {120, 66}, true},
        {"CToolbarBtnEx", ButtonKind::ToolbarEx, "Browse", {80, 23}, false},
        {"CMenuButton", ButtonKind::Menu, "Help", {40, 16}, false},
        {"CTitleButton", ButtonKind::Title, "x", {16, 16}, false},
    };
    const Pose poses[] = {
        {"normal", {}},
        {"hot", {true, false, false, false}},
        {"pressed", {true, true, false, false}},
        {"toggled on", {false, false, true, true}},
    };
    const QIcon icon = SampleIcon();
    for (int p = 0; p < 4; ++p)
        Caption(painter, QRect(kLabelWidth + p * kCellWidth, top, kCellWidth, 16), poses[p].name,
                true);
    top += 18;
    for (const ButtonRow& row : rows) {
        Caption(painter, QRect(4, top, kLabelWidth, kRowHeight - 4), row.name, true);
        ButtonFace face;
        face.kind = row.kind;
        face.caption = row.caption;
        face.font = DialogFont();
        if (row.withIcon) {
            face.icon = icon;
            face.iconSize = 34;
            face.iconHover = icon;
            face.iconSizeHover = 37;
        }
        for (int p = 0; p < 4; ++p) {
            const QRect cell(kLabelWidth + p * kCellWidth, top, kCellWidth - 8, kRowHeight - 4);
            Skin(painter, cell);
            painter.save();
            painter.translate(cell.left() + (cell.width() - row.size.width()) / 2,
                              cell.top() + (cell.height() - row.size.height()) / 2);
            face.paint(painter, QRect(QPoint(0, 0), row.size), poses[p].state);
            painter.restore();
        }
        top += kRowHeight;
    }
    return top;
}

int DrawCheckBoxes(QPainter& painter, int top, const CThemeLoader& loader, ThemeHandle theme) {
    const CheckBoxState states[] = {
        {false, false, false}, {false, false, true}, {false, true, true},
        {true, false, false},  {true, false, true},  {true, true, true},
    };
    const char* const names[] = {"1 unchecked", "2 unchecked hot", "3 unchecked pressed",
                                 "5 checked",   "6 checked hot",   "7 checked pressed"};
    const struct {
        const char* name;
        ThemeHandle theme;
    } looks[] = {{"CTransCheck themed", theme}, {"CTransCheck classic", nullptr}};
    for (const auto& look : looks) {
        Caption(painter, QRect(4, top, kLabelWidth + 60, 20), look.name, true);
        top += 22;
        for (int s = 0; s < 6; ++s) {
            const QRect cell(kLabelWidth + (s % 3) * kCellWidth * 4 / 3, top + (s / 3) * 24,
                             kCellWidth * 4 / 3 - 8, 20);
            Skin(painter, cell);
            CheckBoxFace face;
            face.text = names[s];
            face.font = DialogFont();
            face.themes = &loader;
            face.theme = look.theme;
            painter.save();
            painter.translate(cell.left() + 4, cell.top() + 1);
            face.paint(painter, QRect(0, 0, cell.width() - 4, 17), states[s]);
            painter.restore();
        }
        top += 54;
    }
    return top;
}

int DrawLabels(QPainter& painter, int top) {
    Caption(painter, QRect(4, top, kLabelWidth + 60, 20), "CTransStatic", true);
    top += 22;
    for (int mode = 0; mode <= 6; ++mode) {
        const QRect cell(kLabelWidth, top, 3 * kCellWidth, 18);
        Skin(painter, cell);
        LabelFace face;
        face.text =
            QStringLiteral("Mode %1: How to transfer music from iPod to computer?").arg(mode);
        face.font = DialogFont();
        face.styles = StaticStyle::CenterVertically;
        face.mode = mode;
        face.paint(painter, cell.adjusted(6, 0, 0, 0));
        top += 22;
    }
    return top;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: corvane-gallery OUT.png\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(DialogFont());

    QImage picture(kLabelWidth + 4 * kCellWidth + 8, 900, QImage::Format_RGB32);
    picture.fill(Qt::white);
    int bottom = 0;
    {
        CThemeLoader loader;
        QWidget host;
        const ThemeHandle theme = loader.OpenThemeData(&host, QStringLiteral("Button"));
        QPainter painter(&picture);
        int top = DrawButtons(painter, 6);
        top = DrawCheckBoxes(painter, top + 8, loader, theme);
        bottom = DrawLabels(painter, top + 8);
        painter.end();
        loader.CloseThemeData(theme);
    }
    if (!picture.copy(0, 0, picture.width(), bottom + 6).save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "corvane-gallery: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
