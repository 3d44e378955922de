// The check box drawer's painting and measuring.
#include "skins/drawers/CheckBoxDrawer.h"

namespace s::gui::drawer::checkbox::win {

void Thin::paint(HDC, int32_t, int32_t, int32_t, int32_t, int32_t, bool, const wchar_t*, IFont*) {}

void Thin::measure(HDC, const wchar_t*, IFont*, int32_t* a, int32_t* b, int32_t* c, int32_t* d) {
    for (int32_t* out : {a, b, c, d})
        if (out) *out = 0;
}

}  // namespace s::gui::drawer::checkbox::win
