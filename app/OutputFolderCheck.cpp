#include "app/OutputFolderCheck.h"

#include "app/MessageBox.h"
#include "transfer/OutputFolderRules.h"

bool CheckOutputFolder(QWidget* parent, QString& folder, const std::string& deviceRoot) {
    folder = QString::fromStdString(ExpandHomeFolder(folder.toStdString()));
    switch (PrepareOutputFolder(folder.toStdString(), deviceRoot)) {
    case OutputFolderProblem::OnDevice:
        ShowMessage(parent, QStringLiteral("The output folder \"%1\" is on the iPod, and Corvane "
                                           "never writes to it; please select another one!")
                                .arg(folder));
        return false;
    case OutputFolderProblem::CannotCreate:
        ShowMessage(
            parent,
            QStringLiteral("Invalid output folder \"%1\", please select a valid one!").arg(folder));
        return false;
    case OutputFolderProblem::NotWritable: // each copy's failure then names the folder
    case OutputFolderProblem::None:
        break;
    }
    return true;
}
