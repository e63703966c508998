#pragma once

#include "controls/OffscreenPicture.h"
#include "controls/SkinnedButton.h"

#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <initializer_list>

// Paints a skinned window: its background is composed off-screen and put on
// the screen in one block, then each of its buttons keeps the part of that
// picture behind it to draw over. `Background` is any painter value type
// with paint(QPainter&, QRect).
template <typename Background>
void PaintSkinnedWindow(QWidget& window, const Background& background,
                        std::initializer_list<CSkinnedButton*> buttons) {
    QPixmap picture = OffscreenPicture(window);
    {
        QPainter offscreen(&picture);
        background.paint(offscreen, window.rect());
    }
    QPainter(&window).drawPixmap(0, 0, picture);
    for (CSkinnedButton* button : buttons)
        button->CaptureBackground(picture);
}
