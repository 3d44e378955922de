// The list box drawer's row layout, painting and hit tests.
#include "platform/system/Screen.h"
#include "skins/drawers/ListDrawers.h"
#include "skins/painters/ListRowPainting.h"
#include "skins/painters/PaintSupport.h"

namespace s::gui::drawer::listbox::win {

void Basic::paintBackground(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (left >= right || top >= bottom) return;
    paint::fill(dc, left, top, right - left, bottom - top, background);
}

int32_t Basic::paintItem(HDC dc, ListItemPaint* row) {
    ListLook look;
    look.selection = selection;
    look.background = background;
    look.third = third;
    look.glyphs = buttonDrawer.get();
    return paintRow(dc, look, row);
}

bool Basic::hitCheckBox(int32_t x, int32_t y, bool hasExpander, int32_t indentLevel) {
    return listbox::hitCheckBox(x, y, hasExpander, indentLevel, system::getScreenScale());
}

bool Basic::hitExpander(int32_t x, int32_t y, int32_t indentLevel) {
    return listbox::hitExpander(x, y, indentLevel, system::getScreenScale());
}

}  // namespace s::gui::drawer::listbox::win
