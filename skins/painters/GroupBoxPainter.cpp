// The group box drawers' painting.
#include "skins/drawers/MenuDrawers.h"

namespace s::gui::drawer::groupbox::win {

void Thin::paint(HDC, int32_t, int32_t, int32_t, int32_t, const wchar_t*, IFont*, int32_t, int32_t) {}

void Basic::paint(HDC, int32_t, int32_t, int32_t, int32_t, const wchar_t*, IFont*, int32_t, int32_t) {}

}  // namespace s::gui::drawer::groupbox::win
