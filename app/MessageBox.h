#pragma once

#include <QString>

#include <functional>

class QWidget;

// The program's only kind of message: modal, caption "Corvane", an OK button
// and no icon.
void ShowMessage(QWidget* parent, const QString& text);

// Tests replace the presenter so that no real message box waits for a
// click. Returns the one that was in place; an empty function restores the
// real message box.
using MessagePresenter = std::function<void(QWidget* parent, const QString& text)>;
MessagePresenter ReplaceMessagePresenter(MessagePresenter presenter);
