// The radio button drawer's painting.
#include "skins/drawers/CheckBoxDrawer.h"

namespace s::gui::drawer::radiobutton::win {

void Thin::paint(HDC, HDC, int32_t, int32_t, int32_t, int32_t, bool, const wchar_t*, IFont*, COLORREF) {}

}  // namespace s::gui::drawer::radiobutton::win
