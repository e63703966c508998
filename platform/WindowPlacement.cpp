#include "platform/WindowPlacement.h"

#include <QGuiApplication>
#include <QString>

bool MayPlaceTopLevelWindows(const QString& platformName) {
    return !platformName.startsWith(QStringLiteral("wayland"));
}

bool MayPlaceTopLevelWindows() {
    return MayPlaceTopLevelWindows(QGuiApplication::platformName());
}
