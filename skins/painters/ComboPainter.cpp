// The combo box drawer's painting.
#include "skins/drawers/MenuDrawers.h"
#include "skins/painters/MenuPainting.h"

namespace s::gui::drawer::combo::win {

void Thin::paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t state, const wchar_t* text,
                 IFont* font, bool enabled) {
    menu::paintCombo(dc, buttonDrawer.get(), textDrawer.get(), frameColor, left, top, right, bottom, state, text, font,
                     enabled);
}

}  // namespace s::gui::drawer::combo::win
