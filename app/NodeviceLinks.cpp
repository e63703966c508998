#include "app/NodeviceLinks.h"

namespace {

bool StrictlyInside(const QRect& rect, const QPoint& point) {
    return point.x() > rect.left() && point.x() < rect.left() + rect.width() &&
           point.y() > rect.top() && point.y() < rect.top() + rect.height();
}

} // namespace

LinkHover HoverAt(const QPoint& point, const QRect& link1, const QRect& link2) {
    // The links never overlap, so at most one is hot: a pointer that jumps
    // from one link straight onto the other cools the first.
    LinkHover hover;
    hover.hot1 = StrictlyInside(link1, point);
    hover.hot2 = !hover.hot1 && StrictlyInside(link2, point);
    return hover;
}

QString HelpSectionOf(const LinkHover& hover) {
    return hover.hot1 ? QStringLiteral("disk-mode") : QStringLiteral("copy");
}
