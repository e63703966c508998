#pragma once

#include "controls/ButtonFace.h"
#include "controls/ButtonRules.h"

#include <QAbstractButton>
#include <QIcon>
#include <QPixmap>

class CFocusCue;
class QImage;

// The frame the five skinned button classes share: hover tracking, the
// captured parent background, toggle mode, the double-click rewrite and a
// paint that composes background and face off-screen and puts them on the
// screen in one drawPixmap. A class differs only by its ButtonKind.
//
// Place a button into its parent with setGeometry() and connect to
// QAbstractButton::clicked. After the parent has painted its background
// into an off-screen picture, it passes that picture (in its own client
// coordinates) to CaptureBackground() of each of its buttons.
//
// Space presses a focused button and Enter clicks it; a focus the keyboard
// gave it shows as a focus frame inside the face.
class CSkinnedButton : public QAbstractButton {
    Q_OBJECT
public:
    // Takes the parent's freshly painted background; the button keeps the
    // part under itself. A null picture is ignored.
    void CaptureBackground(const QImage& parentPicture);
    void CaptureBackground(const QPixmap& parentPicture);

    // The template style the button was placed with: a check-box kind
    // (bit 0x2) turns toggle mode on. Push buttons need not call it.
    void PreSubclassWindow(uint32_t buttonStyle);

    bool IsHover() const { return m_bHover; }
    bool IsChecked() const { return m_bChecked; }
    ButtonState State() const;
    ButtonFace Face() const;

protected:
    CSkinnedButton(ButtonKind kind, const QString& caption, QWidget* parent);

    void SetIcon(const QIcon& icon, int iconSize, const QIcon& iconHover, int iconSizeHover);

    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void OnClicked();

    ButtonKind m_kind;
    bool m_bHover = false;
    bool m_bChecked = false;
    bool m_bToggle = false;
    QIcon m_hIcon;
    QIcon m_hIconHover;
    int m_nIconSize = 0;
    int m_nIconSizeHover = 0;
    QPixmap m_bmpBack; // the parent's background under the button
    CFocusCue* m_focusCue;
};
