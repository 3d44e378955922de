#include "skins/drawers/WindowDrawer.h"

namespace s::gui::drawer::window::win {

Thin* Thin::createWithColors(int32_t, int32_t, int frameR, int frameG, int frameB, int backR, int backG, int backB) {
    Thin* d = create();
    if (!d) return nullptr;
    d->topCornerStyle = d->bottomCornerStyle = 0;
    d->setFrameColor(frameR, frameG, frameB);
    d->setBackgroundColor(backR, backG, backB);
    return d;
}

void Thin::reset() {
    topCornerStyle = bottomCornerStyle = 0;
    transparent = true;
    background = RGB(255, 255, 255);
    frame = RGB(120, 120, 120);
}

}  // namespace s::gui::drawer::window::win
