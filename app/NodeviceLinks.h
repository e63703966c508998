#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

// Which of the no-device window's two help links the pointer is over. A
// point on a link's edge does not count as over it.
struct LinkHover {
    bool hot1 = false;
    bool hot2 = false;

    bool any() const { return hot1 || hot2; }
};

LinkHover HoverAt(const QPoint& point, const QRect& link1, const QRect& link2);

// The section of the help page that the hot link opens: how to put the
// iPod in disk mode, or how to copy its music.
QString HelpSectionOf(const LinkHover& hover);

// Label modes of a link: blue underlined at rest, red underlined when hot.
inline constexpr int kLinkModeAtRest = 3;
inline constexpr int kLinkModeHot = 5;
inline int LinkMode(bool hot) {
    return hot ? kLinkModeHot : kLinkModeAtRest;
}
