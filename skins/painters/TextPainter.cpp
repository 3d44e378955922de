#include "skins/drawers/TextDrawer.h"

namespace s::gui::drawer::text::win {

void Basic::paint(HDC, int32_t, int32_t, int32_t, int32_t, const wchar_t*, IFont*) {}
int32_t Basic::measureInRect(HDC, int32_t, int32_t, int32_t, int32_t, const wchar_t*, IFont*, int32_t*, int32_t*) {
    return 0;
}
void Basic::measure(HDC, const wchar_t*, IFont*, int32_t*, int32_t*, int32_t*, int32_t*) {}

}  // namespace s::gui::drawer::text::win
