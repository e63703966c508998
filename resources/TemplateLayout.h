#pragma once

#include "resources/DialogTemplate.h"

#include <QRect>
#include <QSize>
#include <QString>

// A window's size, and its controls' places and captions, read from its
// template. Widget geometry is in device-independent pixels, which Qt scales
// by the screen's ratio itself, so the conversion runs at ratio 1.
class TemplateLayout {
public:
    explicit TemplateLayout(const DialogTemplate& dialog) : dialog_(dialog) {}

    QSize ClientSize() const;
    QRect PlaceOf(int controlId) const;  // empty when the template has no such control
    QString TextOf(int controlId) const; // empty when the template has no such control
    int UnitsToPixelsX(int units) const;

private:
    const DialogTemplate& dialog_; // borrowed: templates live for the whole run
};

QString CaptionOf(const DialogControl& control);
