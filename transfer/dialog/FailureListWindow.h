#pragma once

#include <QDialog>

class QPlainTextEdit;

// The window that lists the tracks a transfer could not copy, one line per
// track, below a one-line summary. Long lines wrap (paths have no blanks, so
// anywhere if they must) so nothing is cut off at the window's right edge.
// It comes up centred over its owner.
class CFailureListWindow : public QDialog {
    Q_OBJECT
public:
    CFailureListWindow(QWidget* owner, const QString& summary, const QString& list);

    QPlainTextEdit* ListText() const { return text_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPlainTextEdit* text_;
};
