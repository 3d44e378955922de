// The combo box drawer's painting.
#include "skins/drawers/MenuDrawers.h"

namespace s::gui::drawer::combo::win {

void Thin::paint(HDC, int32_t, int32_t, int32_t, int32_t, int32_t, const wchar_t*, IFont*, bool) {}

}  // namespace s::gui::drawer::combo::win
