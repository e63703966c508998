#include "app/MessageBox.h"

#include "app/SettingsKeys.h"

#include <QMessageBox>

namespace {

void ShowMessageBox(QWidget* parent, const QString& text, MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::NoIcon,
                    QString::fromUtf8(kMessageCaption), text, QMessageBox::Ok, parent);
    box.exec();
}

MessagePresenter& Presenter() {
    static MessagePresenter presenter;
    return presenter;
}

} // namespace

void ShowMessage(QWidget* parent, const QString& text, MessageIcon icon) {
    if (Presenter())
        Presenter()(parent, text, icon);
    else
        ShowMessageBox(parent, text, icon);
}

MessagePresenter ReplaceMessagePresenter(MessagePresenter presenter) {
    return std::exchange(Presenter(), std::move(presenter));
}
