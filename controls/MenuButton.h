#pragma once

#include "controls/SkinnedButton.h"

// Skinned button: no face of its own; the caption turns red when hot or pressed.
class CMenuButton : public CSkinnedButton {
    Q_OBJECT
public:
    explicit CMenuButton(const QString& caption = {}, QWidget* parent = nullptr)
        : CSkinnedButton(ButtonKind::Menu, caption, parent) {}
};
