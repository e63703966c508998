#pragma once

#include <QColor>

// The colours of the two lists and their headers. They match the rest of the
// skinned window, so they are fixed rather than taken from the desktop theme.
namespace ListPalette {

inline const QColor kSelectedFill{61, 128, 223};
inline const QColor kOddRowFill{241, 245, 250};
inline const QColor kEvenRowFill{255, 255, 255};
inline const QColor kSelectedText{255, 255, 255};
inline const QColor kRowText{0, 0, 0};
inline const QColor kGridLine{217, 217, 217};

inline const QColor kCheckOutline{156, 156, 156};
inline const QColor kCheckedFrom{207, 209, 208};
inline const QColor kCheckedTo{209, 209, 209};
inline const QColor kUncheckedTop{255, 255, 255};
inline const QColor kUncheckedMiddle{233, 233, 233};
inline const QColor kUncheckedBottom{207, 209, 208};
inline const QColor kCheckTick{0, 0, 0};

inline const QColor kHeaderTop{219, 219, 219};
inline const QColor kHeaderBottom{188, 188, 188};
inline const QColor kHeaderBaseLine{172, 168, 153};
inline const QColor kDividerDark{150, 150, 150};
inline const QColor kDividerLight{209, 209, 209};
inline const QColor kHeaderText{0, 0, 0};
inline const QColor kSortArrow{0, 0, 0};

inline const QColor kBorderOutline{127, 157, 185};
inline const QColor kBorderInner{255, 255, 255};
inline const QColor kListBackground{255, 255, 255};

} // namespace ListPalette
