#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>

#include <cstdint>

// The face rules of the five skinned button classes, as pure functions of the
// button's state and its item rectangle, so the widgets only call and draw.

enum class ButtonKind { Float, Toolbar, ToolbarEx, Menu, Title };

struct ButtonState {
    bool hover = false;   // m_bHover: the pointer is over the button
    bool pressed = false; // the button is held down
    bool toggle = false;  // m_bToggle: the button was placed as a check-box kind
    bool checked = false; // m_bChecked: toggle state, meaningful only in toggle mode
};

// Which face a state shows. Toggled on wins over pressed, pressed over hot.
enum class ButtonLook { Normal, Hot, Pressed, ToggledOn };
ButtonLook LookOf(const ButtonState& state);

// Behaviour that differs by class outside the face.
struct ButtonTraits {
    bool handCursor;       // pointing hand over the button; otherwise the arrow
    bool swallowsFocus;    // focus changes get no default handling, only a focus frame
    bool repaintsOnToggle; // a toggle click repaints at once
};
ButtonTraits TraitsOf(ButtonKind kind);

// Button styles of a window template. Check-box kinds (bit 0x2) put a button
// into toggle mode.
inline constexpr uint32_t kButtonStylePush = 0x0;
inline constexpr uint32_t kButtonStyleDefaultPush = 0x1;
inline constexpr uint32_t kButtonStyleCheckBox = 0x2;
inline constexpr uint32_t kButtonStyleAutoCheckBox = 0x3;
bool IsToggleStyle(uint32_t buttonStyle);

// The two gradient bands of a face, split at row `split` (absolute y).
struct GradientBands {
    int split;
    QColor upperFrom, upperTo;
    QColor lowerFrom, lowerTo;
};
bool HasGradientFace(ButtonKind kind, ButtonLook look);
GradientBands GradientBandsFor(ButtonKind kind, ButtonLook look, const QRect& item);

// Colours of the toggled-on face and of the gradient face's two outlines.
inline constexpr QColor kToggledOnBorder{172, 168, 153};
inline constexpr QColor kFaceBorder{171, 166, 151};
inline constexpr QColor kFaceHighlight{255, 255, 255};

QColor CaptionColor(ButtonKind kind, ButtonLook look);

// Which of the two icons a look shows.
enum class IconChoice { Normal, Hover };
IconChoice ChooseIcon(ButtonLook look);

// Where the icon (if any) and the caption go. `iconSize` is the size of the
// chosen icon, 0 when there is none. Alignment is in Qt::AlignmentFlag bits;
// the caption is always a single line.
struct CaptionPlacement {
    bool withIcon = false;
    QRect iconRect;
    QRect textRect;
    int alignment = 0;
};
CaptionPlacement PlaceCaption(ButtonKind kind, ButtonLook look, const QRect& item, int iconSize);

// Where the keyboard's focus frame goes: inside the rounded borders of a
// face, or just inside the edge of a button that has none.
QRect FocusFrameRect(ButtonKind kind, const QRect& item);
