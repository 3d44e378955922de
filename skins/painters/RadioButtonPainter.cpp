// The radio button drawer's painting.
#include "skins/drawers/CheckBoxDrawer.h"
#include "skins/painters/MarkPainting.h"

namespace s::gui::drawer::radiobutton::win {

void Thin::paint(HDC dc, HDC scratch, int32_t left, int32_t top, int32_t right, int32_t bottom, bool selected,
                 const wchar_t* text, IFont* font, COLORREF fill) {
    mark::paintRadioButton(dc, scratch, caption.get(), colorA, colorB, left, top, right, bottom, selected, text, font,
                           fill);
}

}  // namespace s::gui::drawer::radiobutton::win
