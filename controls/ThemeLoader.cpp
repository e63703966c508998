#include "controls/ThemeLoader.h"

#include "controls/CheckBoxRules.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionButton>

struct ThemeData {
    QPointer<QStyle> style; // styles can be replaced while a theme is open
};

namespace {

// Shared by every loader, touched only on the user-interface thread.
struct SharedThemes {
    bool available = false;
    int useCount = 0;
};
SharedThemes g_themes;

bool ClassicRequested() {
    return qEnvironmentVariable("CORVANE_CLASSIC_CONTROLS") == "1";
}

bool StylePresent() {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) && QApplication::style();
}

void LoadThemes() {
    g_themes.available = !ClassicRequested() && StylePresent();
}

// Check-box part states 1 to 8: unchecked then checked, each normal, hot,
// pressed and disabled.
constexpr int kFirstCheckBoxState = 1, kLastCheckBoxState = 8;

QStyle::State StyleStateOf(int themeState) {
    const int index = themeState - kFirstCheckBoxState;
    const bool checked = index >= 4;
    const int variant = index % 4;
    QStyle::State state = checked ? QStyle::State_On : QStyle::State_Off;
    if (variant != 3)
        state |= QStyle::State_Enabled;
    if (variant == 1)
        state |= QStyle::State_MouseOver;
    if (variant == 2)
        state |= QStyle::State_Sunken;
    return state;
}

} // namespace

CThemeLoader::CThemeLoader() {
    ++g_themes.useCount;
    if (!g_themes.available)
        LoadThemes();
}

CThemeLoader::~CThemeLoader() {
    if (g_themes.useCount > 0 && --g_themes.useCount == 0)
        g_themes.available = false;
}

bool CThemeLoader::IsAvailable() {
    return g_themes.available;
}

int CThemeLoader::UseCount() {
    return g_themes.useCount;
}

ThemeHandle CThemeLoader::OpenThemeData(QWidget* widget, const QString& classList) const {
    if (!g_themes.available || !widget || classList != QLatin1String("Button"))
        return nullptr;
    return new ThemeData{widget->style()};
}

bool CThemeLoader::CloseThemeData(ThemeHandle theme) const {
    // Freed whether or not themes are still available, so no handle leaks.
    delete theme;
    return theme != nullptr;
}

bool CThemeLoader::DrawThemeBackground(ThemeHandle theme, QPainter& painter, int part, int state,
                                       const QRect& rect) const {
    if (!g_themes.available || !theme || !theme->style || part != BP_CHECKBOX ||
        state < kFirstCheckBoxState || state > kLastCheckBoxState)
        return false;
    QStyleOptionButton option;
    option.state = StyleStateOf(state);
    // The style's picture has a size of its own; stretched over the part's
    // rectangle its frame would leave the control.
    const QSize indicator(theme->style->pixelMetric(QStyle::PM_IndicatorWidth, &option),
                          theme->style->pixelMetric(QStyle::PM_IndicatorHeight, &option));
    option.rect = CentredIn(rect, indicator);
    painter.save();
    theme->style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter);
    painter.restore();
    return true;
}
