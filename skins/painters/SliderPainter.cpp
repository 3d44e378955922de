// The slider drawer's painting.
#include "skins/drawers/SliderDrawer.h"

namespace s::gui::drawer::slider::win {

void Thin::paint(HDC, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, bool, int32_t, bool, bool, int32_t,
                 int32_t, int32_t, int32_t) {}

}  // namespace s::gui::drawer::slider::win
