// The picture frame drawer: a thin black frame, then the picture (through its filter
// chain) blended into the canvas or copied into the DC.
#include "imaging/image/BufferedImage.h"
#include "skins/drawers/ImageDrawer.h"
#include "skins/painters/PaintSupport.h"

namespace s::gui::drawer::image::win {

void Basic::paint(HDC dc, ::s::image::win::BufferedImage* canvas, int32_t left, int32_t top, int32_t right,
                  int32_t bottom, ::s::image::IBufferedImage* picture, bool stretch, bool framed, bool blendAlpha) {
    if (left >= right || top >= bottom || !picture) return;
    const int32_t W = right - left, H = bottom - top;
    int32_t x = left, y = top, w = W, h = H;
    if (framed) {
        const int32_t s = skins::scale();
        const skins::SolidFiller fill(dc);
        fill(left, top, W, s, 0);
        fill(right - s, top, s, H, 0);
        fill(left, bottom - s, W, s, 0);
        fill(left, top, s, H, 0);
        x += s;
        y += s;
        w -= 2 * s;
        h -= 2 * s;
    }
    if (w <= 0 || h <= 0) return;
    ::s::image::IBufferedImage* shown = picture;
    if (picture->hasFilters()) {
        if (auto* filtered = picture->getFiltered()) shown = filtered;
    }
    auto* shownImage = dynamic_cast<::s::image::win::BufferedImage*>(shown);
    if (blendAlpha && shown->hasAlpha() && canvas && shownImage) {
        canvas->paste(x, y, w, h, shownImage, 0, 0, stretch);
    } else {
        shown->draw(dc, x, y, w, h, stretch);
    }
}

}  // namespace s::gui::drawer::image::win
