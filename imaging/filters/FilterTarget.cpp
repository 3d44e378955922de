#include "imaging/filters/FilterTarget.h"

namespace s::image::filters {

using win::BufferedImage;

bool isUsableSource(BufferedImage* src)
{
    return src && src->hasPixels() && src->getWidth() > 0 && src->getHeight() > 0;
}

BufferedImage* makeTarget(BufferedImage* dst, int w, int h)
{
    if (w <= 0 || h <= 0) return nullptr;
    if (dst) return dst->prepare(w, h) && dst->hasPixels() ? dst : nullptr;
    // A given target keeps its old pixels, so every filter writes each pixel of its
    // target: new memory need not be cleared first.
    BufferedImage* img = BufferedImage::createSized(w, h, false);
    if (!img) return nullptr;
    if (!img->hasPixels() || img->getWidth() != w || img->getHeight() != h) {
        img->release();
        return nullptr;
    }
    return img;
}

BufferedImage* copySource(BufferedImage* src, BufferedImage* dst)
{
    if (!isUsableSource(src)) return nullptr;
    BufferedImage* out = src->copy(dst);
    if (out && !out->hasPixels()) {
        if (!dst) out->release();
        return nullptr;
    }
    return out;
}

}  // namespace s::image::filters
