#include "app/MessageBox.h"

#include "app/SettingsKeys.h"

#include <QMessageBox>

namespace {

void ShowMessageBox(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(kMessageCaption), text, QMessageBox::Ok,
                    parent);
    box.exec();
}

MessagePresenter& Presenter() {
    static MessagePresenter presenter;
    return presenter;
}

} // namespace

void ShowMessage(QWidget* parent, const QString& text) {
    if (Presenter())
        Presenter()(parent, text);
    else
        ShowMessageBox(parent, text);
}

MessagePresenter ReplaceMessagePresenter(MessagePresenter presenter) {
    return std::exchange(Presenter(), std::move(presenter));
}
