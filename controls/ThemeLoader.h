#pragma once

#include <QRect>
#include <QString>

class QPainter;
class QWidget;

// An open theme: the desktop's widget style drawing one class of controls.
struct ThemeData;
using ThemeHandle = ThemeData*;

// The check-box part of the "Button" class, and its states.
inline constexpr int BP_CHECKBOX = 3;

// Gives the skinned controls the desktop's widget style for the parts they
// draw themed. Themes are available while a widget style is present, unless
// CORVANE_CLASSIC_CONTROLS=1 asks for the classic look. The state is shared
// by all instances: the first instance loads it, each new instance retries
// while it is unavailable, and the last one to go releases it.
class CThemeLoader {
public:
    CThemeLoader();
    virtual ~CThemeLoader();
    CThemeLoader(const CThemeLoader&) = delete;
    CThemeLoader& operator=(const CThemeLoader&) = delete;

    static bool IsAvailable();
    static int UseCount();

    // Theme data for `widget`'s style and the class list ("Button" is the
    // only class there is); null when themes are unavailable.
    ThemeHandle OpenThemeData(QWidget* widget, const QString& classList) const;
    // Releases `theme`; true when a theme was open and closed.
    bool CloseThemeData(ThemeHandle theme) const;
    // Draws `part` in `state` at the style's own size, centred in `rect`;
    // true when it was drawn.
    bool DrawThemeBackground(ThemeHandle theme, QPainter& painter, int part, int state,
                             const QRect& rect) const;
};
