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
    m->Attach(::CreateCompatibleDC(windowDc));
    if (windowDc) ReleaseDC(window, windowDc);
    if (!m->m_hDC) {
        if (owned && image) image->release();
        m->release();
        return nullptr;
    }
    m->image_ = image;
    m->owned_ = owned;
    if (image && image->getHBitmap()) m->oldBitmap_ = m->SelectObject(image->getHBitmap());
    return m;
}

void MemDC::reset() {
    if (m_hDC && oldBitmap_) SelectObject(oldBitmap_);
    oldBitmap_ = nullptr;
    if (image_ && owned_) image_->release();
    image_ = nullptr;
    owned_ = false;
    // The DC is made afresh by every forImage: keeping it would leak one per use.
    DeleteDC();
}

}  // namespace s::gui::win
