#pragma once

#include "controls/TransStatic.h"

class CFocusCue;

// A label its window uses as a text link. The mouse still goes through to
// the window, which runs the hover and the click; the keyboard can reach
// the link with Tab, and Enter or Space on it follows it, as a screen
// reader's press does. A focus the keyboard gave it shows as a focus frame
// round the text.
class CLinkLabel : public CTransStatic {
    Q_OBJECT
public:
    explicit CLinkLabel(const QString& text = {}, QWidget* parent = nullptr);

    void Activate() { emit activated(); }

signals:
    void activated();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    CFocusCue* m_focusCue;
};
