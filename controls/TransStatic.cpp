#include "controls/TransStatic.h"

#include "controls/AccessibleControls.h"

#include <QPainter>

CTransStatic::CTransStatic(const QString& text, QWidget* parent) : QWidget(parent), m_text(text) {
    // A plain label takes no mouse input: its window handles links itself.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    InstallAccessibleControls();
}

void CTransStatic::SetText(const QString& text) {
    const bool changed = text != m_text;
    m_text = text;
    update();
    if (changed)
        AnnounceTextChange(this);
}

void CTransStatic::SetStyles(StaticStyles styles) {
    m_styles = styles;
    update();
}

LabelFace CTransStatic::Face() const {
    return {m_text, font(), m_styles, m_nMode};
}

void CTransStatic::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Face().paint(painter, rect());
}
