#include "controls/ButtonRules.h"

#include <Qt>

namespace {

// The two gradient pairs every face is made of.
constexpr QColor kDarkFrom{207, 209, 208}, kDarkTo{209, 209, 209};
constexpr QColor kLightFrom{218, 218, 218}, kLightTo{233, 233, 233};
constexpr QColor kGlossFrom{228, 229, 228}, kGlossTo{238, 238, 238};
constexpr QColor kShadeTop{219, 219, 219}, kShadeBottom{195, 195, 194};

struct IconOffsets {
    int iconTop;      // dy: icon top below the item top
    int captionInset; // db: caption bottom above the item bottom
};

IconOffsets OffsetsOf(ButtonKind kind) {
    return kind == ButtonKind::Toolbar ? IconOffsets{8, 4} : IconOffsets{5, 2};
}

} // namespace

ButtonLook LookOf(const ButtonState& state) {
    if (state.toggle && state.checked)
        return ButtonLook::ToggledOn;
    if (state.pressed)
        return ButtonLook::Pressed;
    if (state.hover)
        return ButtonLook::Hot;
    return ButtonLook::Normal;
}

ButtonTraits TraitsOf(ButtonKind kind) {
    const bool toolbar = kind == ButtonKind::Toolbar || kind == ButtonKind::ToolbarEx;
    return {kind != ButtonKind::Float, toolbar, kind != ButtonKind::Toolbar};
}

bool IsToggleStyle(uint32_t buttonStyle) {
    return (buttonStyle & 0x2) != 0;
}

bool HasGradientFace(ButtonKind kind, ButtonLook look) {
    const bool gradientKind =
        kind == ButtonKind::Float || kind == ButtonKind::Toolbar || kind == ButtonKind::ToolbarEx;
    return gradientKind && look != ButtonLook::ToggledOn;
}

GradientBands GradientBandsFor(ButtonKind kind, ButtonLook look, const QRect& item) {
    const bool active = look == ButtonLook::Hot || look == ButtonLook::Pressed;
    const int k = kind == ButtonKind::Float && active ? 3 : 2;
    const int split = item.top() + item.height() / k;
    switch (kind) {
    case ButtonKind::Float:
        if (look == ButtonLook::Hot)
            return GradientBands{split, kGlossFrom, kGlossTo, kShadeTop, kShadeBottom};
        if (look == ButtonLook::Pressed)
            return GradientBands{split, kGlossFrom, kGlossTo, kShadeBottom, kShadeTop};
        return GradientBands{split, kDarkFrom, kDarkTo, kLightFrom, kLightTo};
    case ButtonKind::Toolbar:
        if (look == ButtonLook::Hot)
            return GradientBands{split, kDarkFrom, kDarkTo, kDarkFrom, kDarkTo};
        return GradientBands{split, kDarkFrom, kDarkTo, kLightFrom, kLightTo};
    case ButtonKind::ToolbarEx:
        if (active)
            return GradientBands{split, kDarkFrom, kDarkTo, kLightFrom, kLightTo};
        return GradientBands{split, kLightFrom, kLightTo, kDarkFrom, kDarkTo};
    case ButtonKind::Menu:
    case ButtonKind::Title:
        break;
    }
    return GradientBands{split, {}, {}, {}, {}};
}

QColor CaptionColor(ButtonKind kind, ButtonLook look) {
    if (kind == ButtonKind::Menu && (look == ButtonLook::Hot || look == ButtonLook::Pressed))
        return QColor(255, 0, 0);
    if (kind == ButtonKind::Title && look == ButtonLook::Hot)
        return QColor(255, 255, 255);
    return QColor(0, 0, 0);
}

IconChoice ChooseIcon(ButtonLook look) {
    return look == ButtonLook::Hot ? IconChoice::Hover : IconChoice::Normal;
}

CaptionPlacement PlaceCaption(ButtonKind kind, ButtonLook look, const QRect& item, int iconSize) {
    // Right and bottom as exclusive edges, the way the offsets are measured.
    const int l = item.left(), t = item.top();
    const int r = l + item.width(), b = t + item.height();
    CaptionPlacement placement;
    if (iconSize > 0 && kind != ButtonKind::Title) {
        const IconOffsets offsets = OffsetsOf(kind);
        placement.withIcon = true;
        placement.iconRect = QRect((r - iconSize - l) / 2, t + offsets.iconTop, iconSize, iconSize);
        placement.textRect =
            QRect(QPoint(l, t + iconSize + 2), QPoint(r - 1, b - offsets.captionInset - 1));
        placement.alignment = Qt::AlignHCenter | Qt::AlignBottom;
        return placement;
    }
    placement.textRect = item;
    if (kind == ButtonKind::ToolbarEx && look == ButtonLook::Pressed)
        placement.textRect = QRect(QPoint(l + 2, t + 3), QPoint(r - 1, b - 1));
    placement.alignment = Qt::AlignCenter;
    return placement;
}

QRect FocusFrameRect(ButtonKind kind, const QRect& item) {
    const int inset = HasGradientFace(kind, ButtonLook::Normal) ? 3 : 1;
    return item.adjusted(inset, inset, -inset, -inset);
}
