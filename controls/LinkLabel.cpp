#include "controls/LinkLabel.h"

#include "controls/FocusCue.h"

#include <QKeyEvent>
#include <QPainter>

CLinkLabel::CLinkLabel(const QString& text, QWidget* parent)
    : CTransStatic(text, parent), m_focusCue(new CFocusCue(this)) {
    // Reached by Tab only: a click belongs to the window beneath.
    setFocusPolicy(Qt::TabFocus);
}

void CLinkLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        Activate();
        return;
    default:
        CTransStatic::keyPressEvent(event);
    }
}

void CLinkLabel::paintEvent(QPaintEvent* event) {
    CTransStatic::paintEvent(event);
    QPainter painter(this);
    m_focusCue->Paint(painter, rect());
}
