#include "skins/painters/SliderParts.h"

#include <algorithm>

#include "imaging/filters/ColorFilters.h"

namespace s::gui::drawer::slider {

namespace colors = image::filters::colors;

COLORREF hslColor(int32_t hue, int32_t saturation, int32_t lightness) {
    double s = saturation / 100.0;
    double l = lightness / 100.0;
    if (s == 0) {
        int v = int(l * 255);
        return RGB(v, v, v);
    }
    double q = l <= 0.5 ? l * (1 + s) : l + s - l * s;
    double p = 2 * l - q;
    double h = hue / 360.0;
    int r = int(colors::hueToRgb(p, q, h + 1.0 / 3) * 255);
    int g = int(colors::hueToRgb(p, q, h) * 255);
    int b = int(colors::hueToRgb(p, q, h - 1.0 / 3) * 255);
    return RGB(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
}

COLORREF bandColor(int32_t style, uint32_t a, uint32_t b, int32_t k, int32_t n) {
    if (n <= 0) n = 1;
    if (style == kBandGradient) {
        auto mix = [&](int ca, int cb) { return ca + (cb - ca) * k / n; };
        return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
    }
    int step = (style == 2 || style == 5) ? 359 : 100;
    int v = int(int64_t(k) * step / n);
    int ia = int(a), ib = int(b);
    int r = 0, g = 0, bl = 0;
    switch (style) {
        case 2: colors::hsvToRgb(v, ia, ib, &r, &g, &bl); break;
        case 3: colors::hsvToRgb(ia, v, ib, &r, &g, &bl); break;
        case 4: colors::hsvToRgb(ia, ib, v, &r, &g, &bl); break;
        case 5: return hslColor(v, ia, ib);
        case 6: return hslColor(ia, v, ib);
        case 7: return hslColor(ia, ib, v);
        default: return 0;
    }
    return RGB(r, g, bl);
}

std::vector<paint::Stroke> fillStrokes(int32_t frameStyle, int32_t w, int32_t H, bool anchorAtMinimum, int32_t fillEnd,
                                       int32_t x0, int32_t x1) {
    std::vector<paint::Stroke> out;
    auto add = [&](int32_t x, int32_t y, int32_t width, int32_t height) {
        if (width > 0 && height > 0) out.push_back({x, y, width, height});
    };
    if (frameStyle != 1 && frameStyle != 2) return out;
    // std::clamp needs lo <= hi; a slider narrower than the limits gets no bar.
    auto limit = [](int32_t v, int32_t lo, int32_t hi) { return hi < lo ? lo : std::clamp(v, lo, hi); };
    if (frameStyle == 1) {
        if (anchorAtMinimum) {
            add(1, 1, x0 - 1, H - 2);
            return out;
        }
        int32_t e = limit(fillEnd, 1, w - 1);
        if (e < x0)
            add(e, 1, x0 - e, H - 2);
        else if (e > x1)
            add(x1, 1, e - x1 + 1, H - 2);
        return out;
    }
    if (anchorAtMinimum) {
        add(2, 1, x0 - 1, 1);
        add(1, 2, x0 - 1, H - 4);
        add(2, H - 2, x0 - 1, 1);
        return out;
    }
    int32_t e = limit(fillEnd, 1, w - 1);
    if (e < x0)
        add(e, 2, x0 - e, H - 4);
    else if (e > x1)
        add(x1, 2, e - x1 + 1, H - 4);
    int32_t e2 = limit(e, 2, w - 2);
    if (e2 < x0) {
        add(e2, 1, x0 - e2, 1);
        add(e2, H - 2, x0 - e2, 1);
    } else if (e2 > x1) {
        add(x1, 1, e2 - x1 + 1, 1);
        add(x1, H - 2, e2 - x1 + 1, 1);
    }
    return out;
}

}  // namespace s::gui::drawer::slider
