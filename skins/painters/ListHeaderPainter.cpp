// The list header drawer's painting.
#include "skins/drawers/ListDrawers.h"

namespace s::gui::drawer::listheader::win {

void Thin::paintBackground(HDC, int32_t, int32_t, int32_t, int32_t, bool, int, int, int) {}

void Thin::paintCell(HDC, int32_t, int32_t, int32_t, int32_t, int32_t, const wchar_t*, IFont*) {}

}  // namespace s::gui::drawer::listheader::win
