#include "skins/drawers/WindowDrawer.h"

namespace s::gui::drawer::window::win {

void Thin::paint(HDC, int32_t, int32_t, int32_t, int32_t) {}
HRGN Thin::createRegion(int32_t, int32_t, int32_t, int32_t) { return nullptr; }

}  // namespace s::gui::drawer::window::win
