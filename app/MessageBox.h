#pragma once

#include <QString>

#include <functional>

class QWidget;

// The program's only kind of message: modal, caption "Corvane" and an OK
// button. Messages about the user's own input carry no icon; a failure that
// ends the program before its window shows carries the warning sign.
enum class MessageIcon { None, Warning };

void ShowMessage(QWidget* parent, const QString& text, MessageIcon icon = MessageIcon::None);

// Tests replace the presenter so that no real message box waits for a
// click. Returns the one that was in place; an empty function restores the
// real message box.
using MessagePresenter =
    std::function<void(QWidget* parent, const QString& text, MessageIcon icon)>;
MessagePresenter ReplaceMessagePresenter(MessagePresenter presenter);
