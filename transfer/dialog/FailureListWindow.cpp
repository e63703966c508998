#include "transfer/dialog/FailureListWindow.h"

#include "platform/DialogPlacement.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

CFailureListWindow::CFailureListWindow(QWidget* owner, const QString& summary, const QString& list)
    : QDialog(owner), text_(new QPlainTextEdit(list, this)) {
    setWindowTitle(QStringLiteral("Corvane"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(summary, this));
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->addWidget(text_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(560, 320);
}

void CFailureListWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    PlaceOverOwner(*this);
}
