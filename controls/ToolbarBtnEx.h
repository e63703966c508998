#pragma once

#include "controls/SkinnedButton.h"

// Skinned button: two-band gradient face whose bands swap when hot or pressed; the caption sinks
// while pressed.
class CToolbarBtnEx : public CSkinnedButton {
    Q_OBJECT
public:
    explicit CToolbarBtnEx(const QString& caption = {}, QWidget* parent = nullptr)
        : CSkinnedButton(ButtonKind::ToolbarEx, caption, parent) {}
};
