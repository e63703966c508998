#include "app/FolderPicker.h"

#include <QFileDialog>
#include <QUrl>

namespace {

FolderPick AskDesktop(QWidget* parent, const QString& title) {
    const QUrl url =
        QFileDialog::getExistingDirectoryUrl(parent, title, QUrl(), QFileDialog::ShowDirsOnly);
    if (url.isEmpty())
        return {};
    return {true, url.isLocalFile() ? url.toLocalFile() : QString()};
}

FolderPicker& Picker() {
    static FolderPicker picker;
    return picker;
}

} // namespace

FolderPick PickFolder(QWidget* parent, const QString& title) {
    return Picker() ? Picker()(parent, title) : AskDesktop(parent, title);
}

FolderPicker ReplaceFolderPicker(FolderPicker picker) {
    return std::exchange(Picker(), std::move(picker));
}
