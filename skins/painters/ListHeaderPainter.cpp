// The list header drawer's painting.
#include "skins/drawers/ListDrawers.h"
#include "skins/painters/PaintSupport.h"

namespace s::gui::drawer::listheader::win {

void Thin::paintBackground(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, bool ownColor, int r,
                           int g, int b) {
    if (left >= right || top >= bottom) return;
    paint::fill(dc, left, top, right - left, bottom - top, ownColor ? skins::rgb(r, g, b) : colorB);
}

void Thin::paintCell(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t state,
                     const wchar_t* caption, IFont* font) {
    buttonDrawer->paintFace(dc, left, top, right, bottom, state, caption, true, font, true, false, false);
}

}  // namespace s::gui::drawer::listheader::win
