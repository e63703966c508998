#include "app/ClosestFolder.h"

#include <QDir>
#include <QFileInfo>

QString ClosestExistingFolder(const QString& path) {
    const QString trimmed = path.trimmed();
    if (!QDir::isAbsolutePath(trimmed))
        return QDir::homePath();
    QString folder = QDir::cleanPath(trimmed);
    while (!QFileInfo(folder).isDir()) {
        const QString parent = QFileInfo(folder).path();
        if (parent == folder)
            return QDir::homePath();
        folder = parent;
    }
    return folder;
}
