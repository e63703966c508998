#include "controls/LabelFace.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

int DrawFlags(const TextFormat& format) {
    int flags = format.alignment;
    if (format.singleLine)
        flags |= Qt::TextSingleLine;
    if (format.wordBreak)
        flags |= Qt::TextWordWrap;
    if (format.showMnemonic)
        flags |= Qt::TextShowMnemonic;
    return flags;
}

QString Elided(const QString& text, const TextFormat& format, const QFont& font, int width) {
    if (format.ellipsis == Ellipsis::None)
        return text;
    const Qt::TextElideMode elide =
        format.ellipsis == Ellipsis::Path ? Qt::ElideMiddle : Qt::ElideRight;
    return QFontMetrics(font).elidedText(text, elide, width,
                                         format.showMnemonic ? Qt::TextShowMnemonic : 0);
}

} // namespace

void LabelFace::paint(QPainter& painter, const QRect& client) const {
    const TextFormat format = FormatFor(styles);
    const LabelLook look = LookForMode(mode);
    QFont shownFont = font;
    shownFont.setUnderline(look.underline);
    if (look.bold)
        shownFont.setWeight(QFont::Bold);
    painter.save();
    painter.setFont(shownFont);
    painter.setPen(look.color);
    painter.drawText(client, DrawFlags(format), Elided(text, format, shownFont, client.width()));
    painter.restore();
}
