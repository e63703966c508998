#include "controls/LabelRules.h"

#include <Qt>

TextFormat FormatFor(StaticStyles styles) {
    TextFormat format;
    if (styles & StaticStyle::Center)
        format.alignment = Qt::AlignHCenter;
    else if (styles & StaticStyle::Right)
        format.alignment = Qt::AlignRight;
    else
        format.alignment = Qt::AlignLeft;
    format.singleLine = styles.testFlag(StaticStyle::CenterVertically);
    format.alignment |= format.singleLine ? Qt::AlignVCenter : Qt::AlignTop;
    format.showMnemonic = !styles.testFlag(StaticStyle::NoPrefix);
    if (styles & (StaticStyle::EndEllipsis | StaticStyle::WordEllipsis))
        format.ellipsis = Ellipsis::End;
    else if (styles & StaticStyle::PathEllipsis)
        format.ellipsis = Ellipsis::Path;
    format.wordBreak = !format.singleLine && format.ellipsis == Ellipsis::None;
    return format;
}

LabelLook LookForMode(int mode) {
    switch (mode) {
    case 1:
        return {QColor(255, 255, 255)};
    case 2:
        return {QColor(255, 0, 0)};
    case 3:
        return {QColor(0, 0, 255), true};
    case 4:
        return {QColor(0, 0, 0), false, true};
    case 5:
        return {QColor(255, 0, 0), true};
    case 6:
        return {QColor(61, 128, 223)};
    default:
        return {QColor(0, 0, 0)};
    }
}
