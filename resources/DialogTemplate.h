#pragma once

#include <QRect>
#include <QSize>

#include <cstdint>
#include <span>
#include <string_view>

// Our windows are laid out in dialog units, as their templates were drawn,
// so every window keeps its proportions whatever the screen. One dialog unit
// is a quarter of the dialog font's average character width horizontally and
// an eighth of its height vertically; for the 8-point dialog font at 96 DPI
// those base units are 6 x 13 pixels.

// What kind of native control a template entry stands for. The skinned
// class that draws it (CToolbarBtnEx, CTransStatic, ...) is attached by the
// window that uses the template.
enum class ControlKind {
    PushButton,
    CheckBox,
    StaticText,
    ProgressBar,
    EditBox,
    ListView,
};

// Control style flags, as the templates were drawn.
enum ControlStyle : uint32_t {
    StyleNone = 0,
    StyleDefaultButton = 1u << 0,
    StyleTabStop = 1u << 1,
    StyleThinBorder = 1u << 2,
    StyleAlignLeft = 1u << 3,
    StyleNoPrefix = 1u << 4,
};

// Window style flags of a whole template. No template has a system caption:
// every window is frameless and paints its own skin.
enum DialogStyle : uint32_t {
    DialogPopup = 1u << 0,
    DialogVisible = 1u << 1,
    DialogSystemMenu = 1u << 2,
    DialogCentered = 1u << 3,
    DialogAppWindow = 1u << 4,
};

// A rectangle in dialog units: left, top, width, height.
struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct DialogControl {
    int id = 0;
    ControlKind kind = ControlKind::StaticText;
    DialogRect rect;
    std::u16string_view text;
    uint32_t style = StyleNone;
};

struct DialogTemplate {
    int id = 0;
    int width = 0;  // dialog units
    int height = 0; // dialog units
    uint32_t style = 0;
    std::span<const DialogControl> controls;

    // The entry for control `controlId`, or null when the template has none.
    const DialogControl* Find(int controlId) const;
};

// n * m / d rounded to the nearest integer, halves away from zero, computed
// in 64 bits; 0 when d is 0. The dialog-unit conversion rounds this way.
int MulDiv(int n, int m, int d);

// Base units of the dialog font on a screen with the given device-pixel
// ratio: 6 x 13 at ratio 1, scaled with the screen's effective DPI.
QSize DialogBaseUnits(double devicePixelRatio);

// Dialog units to pixels. Results are device pixels for `devicePixelRatio`.
// Widget geometry in Qt is in device-independent pixels, which Qt scales by
// the screen's ratio itself, so widgets pass 1.0; code that fills a buffer
// of device pixels passes that buffer's ratio.
int DialogUnitsToPixelsX(int units, double devicePixelRatio);
int DialogUnitsToPixelsY(int units, double devicePixelRatio);
QRect DialogUnitsToPixels(const DialogRect& rect, double devicePixelRatio);

// The client size of a whole template and the pixel rectangle of one of its
// controls (an empty rectangle when the template has no such control).
QSize TemplateSizeInPixels(const DialogTemplate& dialog, double devicePixelRatio);
QRect ControlRectInPixels(const DialogTemplate& dialog, int controlId, double devicePixelRatio);
