#include "resources/TemplateLayout.h"

namespace {

constexpr double kWidgetRatio = 1.0;

} // namespace

QSize TemplateLayout::ClientSize() const {
    return TemplateSizeInPixels(dialog_, kWidgetRatio);
}

QRect TemplateLayout::PlaceOf(int controlId) const {
    return ControlRectInPixels(dialog_, controlId, kWidgetRatio);
}

QString TemplateLayout::TextOf(int controlId) const {
    const DialogControl* control = dialog_.Find(controlId);
    return control ? CaptionOf(*control) : QString();
}

int TemplateLayout::UnitsToPixelsX(int units) const {
    return DialogUnitsToPixelsX(units, kWidgetRatio);
}

QString CaptionOf(const DialogControl& control) {
    return QString::fromUtf16(control.text.data(), qsizetype(control.text.size()));
}
