#include "skins/drawers/SliderDrawer.h"

namespace s::gui::drawer::slider::win {

void Thin::reset() {
    style = 1;
    colorA = RGB(176, 176, 176);
    colorB = colorC = RGB(120, 120, 120);
    track.reset();
    if (track.get()) track->setShaded(false);
    thumbs.reset();
}

}  // namespace s::gui::drawer::slider::win
