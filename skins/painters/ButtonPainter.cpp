// The button drawer's face: fill, border through the owned border painter, then a glyph
// or the caption through the first text drawer.
#include "gui/fonts/IFont.h"
#include "skins/drawers/ButtonDrawer.h"
#include "skins/painters/PaintSupport.h"

namespace s::gui::drawer::button::win {

void Thin::paintFace(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t state,
                     const wchar_t* caption, bool face, IFont* font, bool enabled, bool toggled, bool resting) {
    if (left >= right || top >= bottom) return;
    if (toggled && (state == 1 || state == 2)) state = 3 - state;
    const COLORREF line = !enabled ? idleLineColor : toggled ? toggledLineColor : lineColor;
    const int r = GetRValue(line), g = GetGValue(line), b = GetBValue(line);
    const int32_t s = skins::scale();

    bool unbordered = false;
    if (face) {
        if (cornerStyle >= 0 && cornerStyle <= 2) {
            static const int32_t borderState[3] = {1, 0, 2};
            if (toggled) skins::fillSolid(dc, left + s, top + s, right - left - 2 * s, bottom - top - 2 * s, fillColor);
            borderDrawer->paint(dc, left, top, right, bottom, state >= 0 && state <= 2 ? borderState[state] : state,
                                cornerStyle, r, g, b);
        }
    } else if (toggled) {
        const int32_t t = resting ? top + 1 : top;
        skins::fillSolid(dc, left, t, right - left, bottom - t, fillColor);
        borderDrawer->paint(dc, left, t, right, bottom, 1, cornerStyle, r, g, b);
    } else if (resting) {
        borderDrawer->paint(dc, left, top, right, bottom, 3, cornerStyle, r, g, b);
    } else {
        unbordered = true;
    }

    RECT box{left + 2 * s, top + 2 * s, right - 2 * s, bottom - 2 * s};
    if (pressShift && state == 1) box = RECT{left + s, top + s, right - 3 * s, bottom - 3 * s};
    if (pressShift && state == 2) box = RECT{left + 3 * s, top + 3 * s, right - s, bottom - s};
    if (!caption) return;

    RECT textBox = box;
    if (!toggled) {
        if (paintGlyph(dc, box.left, box.top, box.right, box.bottom, caption, r, g, b)) return;
        if (!font) return;
        if (unbordered) textBox = RECT{box.left - s, box.top - s, box.right + s, box.bottom + s};
    } else {
        // A toggled glyph takes the font's text colour (the line colour without a font).
        const COLORREF glyph = font ? font->getColor() : line;
        if (paintGlyph(dc, box.left, box.top, box.right, box.bottom, caption, GetRValue(glyph), GetGValue(glyph),
                       GetBValue(glyph)))
            return;
        if (!font) return;
    }
    text1->paint(dc, textBox.left, textBox.top, textBox.right, textBox.bottom, caption, font);
}

}  // namespace s::gui::drawer::button::win
