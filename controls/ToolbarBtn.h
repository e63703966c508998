#pragma once

#include "controls/SkinnedButton.h"

// Skinned button: two-band gradient face with an icon above the caption; a
// larger icon shows while hot. Its toggle clicks show at the next repaint.
class CToolbarBtn : public CSkinnedButton {
    Q_OBJECT
public:
    explicit CToolbarBtn(const QString& caption = {}, QWidget* parent = nullptr)
        : CSkinnedButton(ButtonKind::Toolbar, caption, parent) {}

    // Replaces both icons and repaints. Each icon is drawn scaled to its size.
    using CSkinnedButton::SetIcon;
};
