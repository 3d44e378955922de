// The list box drawer's row layout, painting and hit tests.
#include "skins/drawers/ListDrawers.h"

namespace s::gui::drawer::listbox::win {

void Basic::paintBackground(HDC, int32_t, int32_t, int32_t, int32_t) {}

int32_t Basic::paintItem(HDC, ListItemPaint*) { return 0; }

bool Basic::hitCheckBox(int32_t, int32_t, bool, int32_t) { return false; }

bool Basic::hitExpander(int32_t, int32_t, int32_t) { return false; }

}  // namespace s::gui::drawer::listbox::win
