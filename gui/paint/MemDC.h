// A memory device context (a framework CDC) that the painters draw into, usually with a picture's
// bitmap selected so that painting lands in the picture's pixels.
//
//   s::image::win::BufferedImage* back = s::image::win::BufferedImage::createSized(w, h);
//   s::gui::win::MemDC* dc = s::gui::win::MemDC::forImage(hwnd, back, true);
//   FillRect(dc->getHdc(), &rect, brush);   // paints into back's pixels
//   dc->release();                          // deselects, deletes the DC, frees back
//
// The DC is made compatible with the window's DC (the screen's when the window is
// null). Release gives the object back to its pool; its reset selects the previous
// bitmap back and deletes the DC, so a MemDC used on every paint holds no GDI object
// once released.
#pragma once

#include <windows.h>

#include "foundation/base/Object.h"
#include "foundation/thread/Pool.h"
#include "framework/gdi/Dc.h"

namespace s::image::win {
class BufferedImage;
}

namespace s::gui::win {

class MemDC : public base::IObject, public thread::IPoolable, public CDC {
    S_POOLED(MemDC, L"s_gui_win_MemDC")
public:
    MemDC() = default;
    ~MemDC() override { reset(); }
    MemDC(const MemDC&) = delete;
    MemDC& operator=(const MemDC&) = delete;

    // A pooled MemDC compatible with the window's DC (the screen's for null) with the
    // image's bitmap selected when it has one. With owned set the image goes back to
    // its pool when the MemDC is released. Null when no DC could be made (an owned
    // image is then released).
    static MemDC* forImage(HWND window, image::win::BufferedImage* image, bool owned);
    // A MemDC compatible with the screen without a picture, for measuring text.
    static MemDC* forScreen() { return forImage(nullptr, nullptr, false); }

    HDC getHdc() const { return m_hDC; }
    image::win::BufferedImage* getImage() const { return image_; }
    bool ownsImage() const { return owned_; }

    // Selects the old bitmap back, releases an owned image and deletes the DC.
    void reset() override;

private:
    image::win::BufferedImage* image_ = nullptr;
    bool owned_ = false;
    HGDIOBJ oldBitmap_ = nullptr;
};

}  // namespace s::gui::win
