#include "skins/drawers/CheckBoxDrawer.h"

namespace s::gui::drawer::checkbox::win {

void Thin::reset() {
    flag1 = true;
    flag2 = false;
    mode = 1;
    colorA = colorB = RGB(120, 120, 120);
    buttonDrawer.reset();
    caption.reset();
}

}  // namespace s::gui::drawer::checkbox::win

namespace s::gui::drawer::radiobutton::win {

void Thin::reset() {
    flag = false;
    colorA = RGB(120, 120, 120);
    colorB = RGB(53, 185, 56);
    caption.reset();
}

}  // namespace s::gui::drawer::radiobutton::win
