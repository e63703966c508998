#include "controls/SkinnedButton.h"

#include "controls/FocusCue.h"
#include "controls/OffscreenPicture.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

CSkinnedButton::CSkinnedButton(ButtonKind kind, const QString& caption, QWidget* parent)
    : QAbstractButton(parent), m_kind(kind), m_focusCue(new CFocusCue(this)) {
    setText(caption);
    // Every paint covers the whole button, captured background included.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Hover starts with the first move over the button, pressed or not.
    setMouseTracking(true);
    setCursor(TraitsOf(kind).handCursor ? Qt::PointingHandCursor : Qt::ArrowCursor);
    // Connected before any parent can connect, so a toggle flips first.
    connect(this, &QAbstractButton::clicked, this, &CSkinnedButton::OnClicked);
}

void CSkinnedButton::CaptureBackground(const QImage& parentPicture) {
    if (!parentPicture.isNull())
        m_bmpBack = QPixmap::fromImage(PictureSection(parentPicture, geometry()));
}

void CSkinnedButton::CaptureBackground(const QPixmap& parentPicture) {
    if (!parentPicture.isNull())
        m_bmpBack = PictureSection(parentPicture, geometry());
}

void CSkinnedButton::PreSubclassWindow(uint32_t buttonStyle) {
    m_bToggle = IsToggleStyle(buttonStyle);
}

ButtonState CSkinnedButton::State() const {
    return {m_bHover, isDown(), m_bToggle, m_bChecked};
}

ButtonFace CSkinnedButton::Face() const {
    return {m_kind, text(), font(), m_hIcon, m_nIconSize, m_hIconHover, m_nIconSizeHover};
}

void CSkinnedButton::SetIcon(const QIcon& icon, int iconSize, const QIcon& iconHover,
                             int iconSizeHover) {
    m_hIcon = icon;
    m_nIconSize = iconSize;
    m_hIconHover = iconHover;
    m_nIconSizeHover = iconSizeHover;
    update();
}

void CSkinnedButton::paintEvent(QPaintEvent*) {
    if (width() <= 0 || height() <= 0)
        return;
    // Composed off-screen and put on the screen in one block, so a half-drawn
    // face never shows. Before the parent's first capture the parent's plain
    // background colour stands in for its picture.
    QPixmap frame = OffscreenPicture(*this);
    frame.fill(palette().color(QPalette::Window));
    {
        QPainter painter(&frame);
        if (!m_bmpBack.isNull())
            painter.drawPixmap(0, 0, m_bmpBack);
        Face().paint(painter, rect(), State());
        m_focusCue->Paint(painter, FocusFrameRect(m_kind, rect()));
    }
    QPainter(this).drawPixmap(0, 0, frame);
}

void CSkinnedButton::keyPressEvent(QKeyEvent* event) {
    // A push button of the desktop's own takes Enter as a click too.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void CSkinnedButton::mouseMoveEvent(QMouseEvent* event) {
    if (!m_bHover) {
        m_bHover = true;
        update();
    }
    QAbstractButton::mouseMoveEvent(event);
}

void CSkinnedButton::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second click of a double click is a click of its own.
    mousePressEvent(event);
}

void CSkinnedButton::leaveEvent(QEvent* event) {
    m_bHover = false;
    // The parent repaints the area under the button, which also hands the
    // button a fresh background.
    if (QWidget* parent = parentWidget())
        parent->update(geometry());
    update();
    QAbstractButton::leaveEvent(event);
}

void CSkinnedButton::focusInEvent(QFocusEvent* event) {
    if (!TraitsOf(m_kind).swallowsFocus)
        QAbstractButton::focusInEvent(event);
}

void CSkinnedButton::focusOutEvent(QFocusEvent* event) {
    if (!TraitsOf(m_kind).swallowsFocus)
        QAbstractButton::focusOutEvent(event);
}

void CSkinnedButton::OnClicked() {
    if (!m_bToggle)
        return;
    m_bChecked = !m_bChecked;
    if (TraitsOf(m_kind).repaintsOnToggle)
        update();
}
