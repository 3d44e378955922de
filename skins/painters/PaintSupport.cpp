#include "skins/painters/PaintSupport.h"

namespace s::gui::drawer::paint {

void fill(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, COLORREF colour) {
    if (width <= 0 || height <= 0) return;
    RECT r{x, y, x + width, y + height};
    COLORREF previous = SetDCBrushColor(dc, colour);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SetDCBrushColor(dc, previous);
}

}  // namespace s::gui::drawer::paint
