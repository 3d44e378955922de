// The menu bar drawer's layout and painting.
#include "skins/drawers/MenuDrawers.h"

namespace s::gui::drawer::menu::win {

void Basic::paint(HDC, int32_t, int32_t, int32_t, int32_t, str::strarray::StrArray*, RECT*, IFont*, IFont*, int32_t,
                  int32_t, int32_t, bool, bool, bool, bool) {}

void Basic::measure(HDC, str::strarray::StrArray*, RECT*, IFont*, int32_t* a, int32_t* b, int32_t* c, int32_t* d,
                    int32_t, int32_t, bool) {
    for (int32_t* out : {a, b, c, d})
        if (out) *out = 0;
}

}  // namespace s::gui::drawer::menu::win
