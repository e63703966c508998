#pragma once

#include "controls/SkinnedButton.h"

// Skinned button: glossy two-band gradient face with a double rounded border; arrow cursor.
class CFloatBtn : public CSkinnedButton {
    Q_OBJECT
public:
    explicit CFloatBtn(const QString& caption = {}, QWidget* parent = nullptr)
        : CSkinnedButton(ButtonKind::Float, caption, parent) {}
};
