#pragma once

#include "controls/SkinnedButton.h"

// Skinned button: no face of its own; the caption turns white when hot (caption-bar buttons).
class CTitleButton : public CSkinnedButton {
    Q_OBJECT
public:
    explicit CTitleButton(const QString& caption = {}, QWidget* parent = nullptr)
        : CSkinnedButton(ButtonKind::Title, caption, parent) {}
};
