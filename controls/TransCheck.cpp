#include "controls/TransCheck.h"

#include "controls/AccessibleControls.h"
#include "controls/FocusCue.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
const QString kButtonClass = QStringLiteral("Button");
}

CTransCheck::CTransCheck(const QString& text, QWidget* parent)
    : QAbstractButton(parent), m_focusCue(new CFocusCue(this)) {
    InstallAccessibleControls();
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

void CTransCheck::SetCheck(int check) {
    const int checked = check != 0 ? 1 : 0;
    if (checked == m_bChecked)
        return;
    m_bChecked = checked;
    AnnounceCheckedChange(this);
}

CheckBoxState CTransCheck::State() const {
    return {m_bChecked != 0, isDown(), m_bHover};
}

CheckBoxFace CTransCheck::Face() const {
    return {text(), font(), Qt::black, &m_loader, m_hTheme};
}

void CTransCheck::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const CheckBoxFace face = Face();
    face.paint(painter, rect(), State());
    m_focusCue->Paint(painter, face.focusFrame(rect()));
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
    SetCheck(m_bChecked == 1 ? 0 : 1);
    update();
}
