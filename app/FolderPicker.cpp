#include "app/FolderPicker.h"

#include <QFileDialog>
#include <QUrl>

namespace {

FolderPick AskDesktop(QWidget* parent, const QString& title, const QString& startFolder) {
    const QUrl url = QFileDialog::getExistingDirectoryUrl(
        parent, title, QUrl::fromLocalFile(startFolder), QFileDialog::ShowDirsOnly);
    if (url.isEmpty())
        return {};
    return {true, url.isLocalFile() ? url.toLocalFile() : QString()};
}

FolderPicker& Picker() {
    static FolderPicker picker;
    return picker;
}

} // namespace

FolderPick PickFolder(QWidget* parent, const QString& title, const QString& startFolder) {
    return Picker() ? Picker()(parent, title, startFolder) : AskDesktop(parent, title, startFolder);
}

FolderPicker ReplaceFolderPicker(FolderPicker picker) {
    return std::exchange(Picker(), std::move(picker));
}
