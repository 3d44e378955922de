#include "skins/drawers/ButtonDrawer.h"

namespace s::gui::drawer::button::win {

void Thin::paintFace(HDC, int32_t, int32_t, int32_t, int32_t, int32_t, const wchar_t*, bool, IFont*, bool, bool, bool) {
}
bool Thin::paintGlyph(HDC, int32_t, int32_t, int32_t, int32_t, const wchar_t*, int, int, int) { return false; }

}  // namespace s::gui::drawer::button::win
