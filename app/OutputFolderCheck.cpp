#include "app/OutputFolderCheck.h"

#include "app/MessageBox.h"
#include "transfer/FolderPath.h"
#include "transfer/OutputFolderRules.h"

bool CheckOutputFolder(QWidget* parent, QString& folder, const std::string& dbPath) {
    folder = QString::fromStdString(ExpandHomeFolder(folder.toStdString()));
    const std::string path = folder.toStdString();
    if (!path.empty() && IsOnDeviceVolume(path, DeviceRootOfDatabase(dbPath))) {
        ShowMessage(parent, QStringLiteral("The output folder \"%1\" is on the iPod, and Corvane "
                                           "never writes to it; please select another one!")
                                .arg(folder));
        return false;
    }
    if (EnsureFolderPath(path))
        return true;
    ShowMessage(
        parent,
        QStringLiteral("Invalid output folder \"%1\", please select a valid one!").arg(folder));
    return false;
}
