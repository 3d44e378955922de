#include "skins/painters/SliderPainting.h"

#include "gui/skin/SliderGeometry.h"
#include "platform/system/Screen.h"
#include "skins/painters/PaintSupport.h"
#include "skins/painters/SliderParts.h"

namespace s::gui::drawer::slider {

void paintSlider(HDC dc, const SliderLook& look, int32_t l, int32_t t, int32_t r, int32_t b, const SliderState& st) {
    if (l >= r || t >= b) return;
    int32_t w = r - l, H = b - t;
    int32_t s = system::getScreenScale();
    COLORREF frame = st.enabled ? look.thumb : look.disabled;
    COLORREF fillColour = st.enabled ? look.fill : look.disabled;
    bool framed = look.frameStyle == 1 || look.frameStyle == 2;

    if (framed && look.track)
        look.track->paint(dc, l, t, r, b, 2, look.frameStyle, paint::red(frame), paint::green(frame),
                          paint::blue(frame));

    SliderGeometry g(w, s, st.minimum, st.maximum);
    int32_t x0 = g.thumbLeft(st.position), x1 = x0 + g.thumbWidth();
    int32_t y0 = g.thumbLeft(st.secondPosition);

    if (w > 2 && st.bandStyle > kBandNone && st.bandStyle <= kBandLast) {
        int32_t n = w - 2;
        auto column = [&](int32_t x) {
            paint::fill(dc, l + x, t + 1, 1, H - 2,
                        bandColor(st.bandStyle, uint32_t(st.bandA), uint32_t(st.bandB), x - 1, n));
        };
        for (int32_t x = 1; x < x0; ++x) column(x);
        for (int32_t x = x1; x < w - 1; ++x) column(x);
    }

    if (st.showFill && !st.twoThumbs) {
        bool atMinimum = g.clamp(st.anchor) == g.clamp(st.minimum);
        for (const paint::Stroke& k : fillStrokes(look.frameStyle, w, H, atMinimum, g.fillEnd(st.anchor), x0, x1))
            paint::fill(dc, l + k.x, t + k.y, k.width, k.height, fillColour);
    }
    if (st.showFill && st.twoThumbs && framed && x1 < y0) paint::fill(dc, l + x1, t + 1, y0 - x1, H - 2, fillColour);

    if (framed && look.thumbs) {
        auto thumb = [&](int32_t x) {
            look.thumbs->paint(dc, l + x, t, l + x + g.thumbWidth(), b, 0, look.frameStyle, paint::red(frame),
                               paint::green(frame), paint::blue(frame));
        };
        thumb(x0);
        if (st.twoThumbs) thumb(y0);
    }
}

}  // namespace s::gui::drawer::slider
