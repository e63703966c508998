#pragma once

#include <QColor>
#include <QFlags>

// Text rules of the transparent label: how its style flags become a text
// format, and how each of its seven modes colours and styles the text.

enum class StaticStyle {
    Left = 0x0,             // the default
    Center = 0x1,           // centred horizontally
    Right = 0x2,            // right-aligned
    CenterVertically = 0x4, // one line, centred vertically
    NoPrefix = 0x8,         // '&' is shown as it is, not as a mnemonic marker
    EndEllipsis = 0x10,     // no word break; cut at the end with "..."
    PathEllipsis = 0x20,    // no word break; cut in the middle with "..."
    WordEllipsis = 0x40,    // no word break; cut at the end with "..."
};
Q_DECLARE_FLAGS(StaticStyles, StaticStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(StaticStyles)

enum class Ellipsis { None, End, Path };

struct TextFormat {
    int alignment = 0; // Qt::AlignmentFlag bits
    bool singleLine = false;
    bool wordBreak = false;
    bool showMnemonic = true; // '&x' underlines x, '&&' is a literal '&'
    Ellipsis ellipsis = Ellipsis::None;
};
// A label without a vertical-centring or ellipsis flag breaks at words.
TextFormat FormatFor(StaticStyles styles);

struct LabelLook {
    QColor color;
    bool underline = false;
    bool bold = false;
};
// Modes 0 to 6: black, white, red, blue underlined (a link), bold black,
// red underlined (a link under the pointer), and a light blue. Any other
// mode looks like mode 0.
LabelLook LookForMode(int mode);
