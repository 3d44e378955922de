// The check box drawer's painting and measuring.
#include "skins/drawers/CheckBoxDrawer.h"
#include "skins/painters/MarkPainting.h"

namespace s::gui::drawer::checkbox::win {

void Thin::paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t boxSize, bool checked,
                 const wchar_t* text, IFont* font) {
    mark::paintCheckBox(dc, buttonDrawer.get(), caption.get(), colorB, left, top, right, bottom, boxSize, checked, text,
                        font);
}

void Thin::measure(HDC dc, const wchar_t* text, IFont* font, int32_t* a, int32_t* b, int32_t* c, int32_t* d) {
    mark::measureCheckBox(caption.get(), dc, text, font, a, b, c, d);
}

}  // namespace s::gui::drawer::checkbox::win
