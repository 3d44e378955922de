#include "skins/drawers/BorderDrawer.h"

namespace s::gui::drawer::border::win {

void Thin::paint(HDC, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int, int, int) {}

}  // namespace s::gui::drawer::border::win
