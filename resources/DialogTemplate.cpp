#include "resources/DialogTemplate.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;
constexpr int kReferenceDpi = 96;

} // namespace

const DialogControl* DialogTemplate::Find(int controlId) const {
    for (const DialogControl& control : controls)
        if (control.id == controlId)
            return &control;
    return nullptr;
}

int MulDiv(int n, int m, int d) {
    if (d == 0)
        return 0;
    const int64_t product = int64_t{n} * m;
    const int64_t magnitude =
        (std::llabs(product) + std::llabs(int64_t{d}) / 2) / std::llabs(int64_t{d});
    const bool negative = (product < 0) != (d < 0);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

QSize DialogBaseUnits(double devicePixelRatio) {
    const int dpi = static_cast<int>(std::lround(kReferenceDpi * devicePixelRatio));
    return QSize(MulDiv(kBaseUnitX, dpi, kReferenceDpi), MulDiv(kBaseUnitY, dpi, kReferenceDpi));
}

int DialogUnitsToPixelsX(int units, double devicePixelRatio) {
    return MulDiv(units, DialogBaseUnits(devicePixelRatio).width(), 4);
}

int DialogUnitsToPixelsY(int units, double devicePixelRatio) {
    return MulDiv(units, DialogBaseUnits(devicePixelRatio).height(), 8);
}

QRect DialogUnitsToPixels(const DialogRect& rect, double devicePixelRatio) {
    // Position and size are converted each on its own, as the native dialog
    // manager creates template controls.
    return QRect(DialogUnitsToPixelsX(rect.x, devicePixelRatio),
                 DialogUnitsToPixelsY(rect.y, devicePixelRatio),
                 DialogUnitsToPixelsX(rect.width, devicePixelRatio),
                 DialogUnitsToPixelsY(rect.height, devicePixelRatio));
}

QSize TemplateSizeInPixels(const DialogTemplate& dialog, double devicePixelRatio) {
    return QSize(DialogUnitsToPixelsX(dialog.width, devicePixelRatio),
                 DialogUnitsToPixelsY(dialog.height, devicePixelRatio));
}

QRect ControlRectInPixels(const DialogTemplate& dialog, int controlId, double devicePixelRatio) {
    const DialogControl* control = dialog.Find(controlId);
    return control ? DialogUnitsToPixels(control->rect, devicePixelRatio) : QRect();
}
