// The border painter: four edges in tints of one base colour, square or rounded
// corners, raised, lit or pressed.
#include "skins/painters/BorderPainter.h"

#include <algorithm>

#include "skins/drawers/BorderDrawer.h"
#include "skins/drawers/DrawerSupport.h"
#include "skins/painters/PaintSupport.h"

namespace s::skins::border {

COLORREF tint(COLORREF base, int percent) {
    auto ch = [percent](int c) { return std::min(255, c * percent / 100); };
    return RGB(ch(GetRValue(base)), ch(GetGValue(base)), ch(GetBValue(base)));
}

COLORREF grey(uint8_t channel, int percent) {
    const int level = std::min(255, channel * percent / 100);
    return RGB(level, level, level);
}

}  // namespace s::skins::border

namespace s::gui::drawer::border::win {

namespace {

struct EdgeColours {
    COLORREF top, right, bottom, left;
};

}  // namespace

void Thin::paint(HDC dc, int32_t l, int32_t t, int32_t r, int32_t b, int32_t state, int32_t cornerStyle, int red,
                 int green, int blue) {
    if (l >= r || t >= b || state < 0 || state > 3 || cornerStyle < 0 || cornerStyle > 2) return;
    const COLORREF base = skins::rgb(red, green, blue);
    auto T = [&](int percent) { return shaded ? skins::border::tint(base, percent) : base; };
    const bool round2 = cornerStyle == 2;
    EdgeColours c;
    switch (state) {
        case 0: c = {T(115), T(70), T(50), T(105)}; break;
        case 2: c = {T(85), T(100), T(105), T(90)}; break;
        default:  // 1 and 3
            c = {T(105), T(90), T(85), T(100)};
            if (round2) {
                c.right = shaded ? skins::border::grey(GetRValue(base), 90) : skins::border::grey(GetRValue(base), 100);
                c.bottom =
                    shaded ? skins::border::grey(GetBValue(base), 85) : skins::border::grey(GetBValue(base), 100);
            }
            break;
    }
    const bool openBottom = state == 3;
    const int32_t W = r - l, H = b - t, s = skins::scale();
    const skins::SolidFiller fill(dc);

    if (cornerStyle == 0) {
        fill(l, t, W, s, c.top);
        fill(r - s, t, s, H, c.right);
        if (!openBottom) fill(l, b - s, W, s, c.bottom);
        fill(l, t, s, H, c.left);
        return;
    }

    const int32_t k = s == 1 ? 1 : 2;  // thickness of the rounded styles
    // Corner piece colours: the edges' own, except raised large corners.
    EdgeColours corner = c;
    if (state == 0 && round2) corner = {T(115), T(95), T(70), T(85)};

    if (cornerStyle == 1 && k == 1) {
        fill(l + 1, t, W - 2, 1, c.top);
        fill(r - 1, t + 1, 1, H - 2, c.right);
        if (!openBottom) fill(l + 1, b - 1, W - 2, 1, c.bottom);
        fill(l, t + 1, 1, H - 2, c.left);
    } else if (cornerStyle == 1) {
        fill(l + 2, t, W - 4, 2, c.top);
        fill(l + 1, t + 1, 2, 2, corner.top);
        fill(r - 2, t + 2, 2, H - 4, c.right);
        fill(r - 3, t + 1, 2, 2, corner.right);
        if (!openBottom) {
            fill(l + 2, b - 2, W - 4, 2, c.bottom);
            fill(r - 3, b - 3, 2, 2, corner.bottom);
        }
        fill(l, t + 2, 2, H - 4, c.left);
        fill(l + 1, b - 3, 2, 2, corner.left);  // drawn with the bottom open too
    } else {
        const int32_t e = 2 * k;  // the edges keep 2k pixels clear of each corner
        fill(l + e, t, W - 2 * e, k, c.top);
        fill(r - k, t + e, k, H - 2 * e, c.right);
        if (!openBottom) fill(l + e, b - k, W - 2 * e, k, c.bottom);
        fill(l, t + e, k, H - 2 * e, c.left);
    }

    if (state == 0) {
        // Highlight marks at the ends of the edges.
        const int32_t d = cornerStyle == 1 ? k : 2 * k;
        fill(l + d, t, k, k, T(115));
        fill(r - d - k, t, k, k, T(105));
        fill(r - k, t + d, k, k, T(95));
        fill(r - k, b - d - k, k, k, T(50));
        fill(l + d, b - k, k, k, T(70));
        fill(r - d - k, b - k, k, k, T(45));
        fill(l, t + d, k, k, T(115));
        fill(l, b - d - k, k, k, T(85));
    }

    if (cornerStyle == 2) {
        if (k == 1) {
            fill(l + 1, t + 1, 1, 1, corner.top);
            fill(r - 2, t + 1, 1, 1, corner.right);
            if (!openBottom) {
                fill(r - 2, b - 2, 1, 1, corner.bottom);
                fill(l + 1, b - 2, 1, 1, corner.left);
            }
        } else {
            for (int i = 0; i < 3; ++i) {
                fill(l + 1 + i, t + 3 - i, 2, 2, corner.top);
                fill(r - 5 + i, t + 1 + i, 2, 2, corner.right);
            }
            if (!openBottom) {
                for (int i = 0; i < 3; ++i) {
                    fill(r - 3 - i, b - 5 + i, 2, 2, corner.bottom);
                    fill(l + 3 - i, b - 3 - i, 2, 2, corner.left);
                }
            }
        }
    }
}

}  // namespace s::gui::drawer::border::win
