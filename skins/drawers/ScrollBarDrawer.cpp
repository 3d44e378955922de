#include "skins/drawers/ScrollBarDrawer.h"

#include "platform/system/Screen.h"

namespace s::gui::drawer::scrollbar::win {

Thin::Thin() { reset(); }

void Thin::reset() {
    mode = 1;
    buttonDrawer.reset();
    borderDrawer.reset();
    colorA = RGB(120, 120, 120);
    colorB = RGB(255, 255, 255);
    width = 15 * system::getScreenScale();
}

}  // namespace s::gui::drawer::scrollbar::win
