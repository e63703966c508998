#include "platform/OpenLocation.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace {

LocationOpener& CurrentOpener() {
    static LocationOpener opener;
    return opener;
}

bool OpenWithDesktop(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::cleanPath(path)));
}

} // namespace

bool OpenLocalLocation(const QString& path) {
    const LocationOpener& opener = CurrentOpener();
    return opener ? opener(path) : OpenWithDesktop(path);
}

QString HelpPagePath() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help.html"));
}

bool OpenHelpSection(const QString& section) {
    if (const LocationOpener& opener = CurrentOpener())
        return opener(HelpPagePath() + QLatin1Char('#') + section);
    QUrl page = QUrl::fromLocalFile(HelpPagePath());
    page.setFragment(section);
    return QDesktopServices::openUrl(page);
}

LocationOpener ReplaceLocationOpener(LocationOpener opener) {
    LocationOpener previous = std::move(CurrentOpener());
    CurrentOpener() = std::move(opener);
    return previous;
}
