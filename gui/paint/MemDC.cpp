#include "gui/paint/MemDC.h"

#include "imaging/image/BufferedImage.h"

namespace s::gui::win {

MemDC* MemDC::forImage(HWND window, image::win::BufferedImage* image, bool owned) {
    MemDC* m = create();
    if (!m) {
        if (owned && image) image->release();
        return nullptr;
    }
    HDC windowDc = GetDC(window);
    m->dc_ = CreateCompatibleDC(windowDc);
    if (windowDc) ReleaseDC(window, windowDc);
    if (!m->dc_) {
        if (owned && image) image->release();
        m->release();
        return nullptr;
    }
    m->image_ = image;
    m->owned_ = owned;
    if (image && image->getHBitmap()) m->oldBitmap_ = SelectObject(m->dc_, image->getHBitmap());
    return m;
}

void MemDC::reset() {
    if (dc_ && oldBitmap_) SelectObject(dc_, oldBitmap_);
    oldBitmap_ = nullptr;
    if (image_ && owned_) image_->release();
    image_ = nullptr;
    owned_ = false;
    // The DC is made afresh by every forImage: keeping it would leak one per use.
    if (dc_) DeleteDC(dc_);
    dc_ = nullptr;
}

}  // namespace s::gui::win
