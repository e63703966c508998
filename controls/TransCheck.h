#pragma once

#include "controls/CheckBoxFace.h"
#include "controls/ThemeLoader.h"

#include <QAbstractButton>

class CFocusCue;

// A check box that paints only its box and text, so the skinned background
// of its parent shows through. Each click flips it before the parent's
// clicked handlers run; SetCheck() sets it without a repaint. Space
// ticks a focused box, and a focus the keyboard gave it shows as a focus
// frame round its text.
class CTransCheck : public QAbstractButton {
    Q_OBJECT
public:
    explicit CTransCheck(const QString& text = {}, QWidget* parent = nullptr);
    ~CTransCheck() override;

    // Any non-zero value checks the box, so every look and click agrees on it.
    void SetCheck(int check);
    int GetCheck() const { return m_bChecked; }
    bool IsHover() const { return m_bHover; }
    CheckBoxState State() const;
    CheckBoxFace Face() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void OnClicked();
    void ReopenTheme();

    CThemeLoader m_loader;
    ThemeHandle m_hTheme = nullptr;
    bool m_bHover = false;
    int m_bChecked = 0;
    CFocusCue* m_focusCue;
};
