#include "controls/TransCheck.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
const QString kButtonClass = QStringLiteral("Button");
}

CTransCheck::CTransCheck(const QString& text, QWidget* parent) : QAbstractButton(parent) {
    setText(text);
    setMouseTracking(true);
    m_hTheme = m_loader.OpenThemeData(this, kButtonClass);
    // Connected before any parent can connect, so the parent sees the new state.
    connect(this, &QAbstractButton::clicked, this, &CTransCheck::OnClicked);
}

CTransCheck::~CTransCheck() {
    // Closed while the embedded loader still holds the shared themes.
    m_loader.CloseThemeData(m_hTheme);
    m_hTheme = nullptr;
}

CheckBoxState CTransCheck::State() const {
    return {m_bChecked != 0, isDown(), m_bHover};
}

CheckBoxFace CTransCheck::Face() const {
    return {text(), font(), Qt::black, &m_loader, m_hTheme};
}

void CTransCheck::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Face().paint(painter, rect(), State());
}

void CTransCheck::mouseMoveEvent(QMouseEvent* event) {
    if (!m_bHover) {
        m_bHover = true;
        update();
    }
    QAbstractButton::mouseMoveEvent(event);
}

void CTransCheck::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second click of a double click flips the box again.
    mousePressEvent(event);
}

void CTransCheck::leaveEvent(QEvent* event) {
    m_bHover = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void CTransCheck::changeEvent(QEvent* event) {
    if (event->type() == QEvent::StyleChange)
        ReopenTheme();
    QAbstractButton::changeEvent(event);
}

void CTransCheck::ReopenTheme() {
    if (CThemeLoader::IsAvailable()) {
        m_loader.CloseThemeData(m_hTheme);
        m_hTheme = m_loader.OpenThemeData(this, kButtonClass);
    }
    update();
}

void CTransCheck::OnClicked() {
    m_bChecked = m_bChecked == 1 ? 0 : 1;
    update();
}
