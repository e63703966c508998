#include "app/MessageBox.h"

#include "app/SettingsKeys.h"
#include "platform/DialogPlacement.h"

#include <QMessageBox>

namespace {

// Centred once it has taken its final size, which a message box settles
// only as it is shown.
class CCentredMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        PlaceOverOwner(*this);
    }
};

void ShowMessageBox(QWidget* parent, const QString& text, MessageIcon icon) {
    CCentredMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning
                                                        : QMessageBox::NoIcon,
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
