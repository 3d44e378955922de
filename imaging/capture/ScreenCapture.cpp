#include "imaging/capture/ScreenCapture.h"

#include "imaging/image/BufferedImage.h"
#include "platform/system/Screen.h"

namespace s::system {

using image::win::BufferedImage;

BufferedImage* captureScreenRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    const int32_t vx = GetSystemMetrics(SM_XVIRTUALSCREEN), vy = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int32_t vw = GetSystemMetrics(SM_CXVIRTUALSCREEN), vh = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (x < vx) {
        w += x - vx;
        x = vx;
    }
    if (y < vy) {
        h += y - vy;
        y = vy;
    }
    if (int64_t(x) + w > int64_t(vx) + vw) w = vx + vw - x;
    if (int64_t(y) + h > int64_t(vy) + vh) h = vy + vh - y;
    if (w <= 0 || h <= 0) return nullptr;

    HDC screen = GetDC(nullptr);
    if (!screen) return nullptr;
    BufferedImage* image = BufferedImage::createSized(w, h);
    HDC memory = image && image->hasPixels() ? CreateCompatibleDC(screen) : nullptr;
    bool copied = false;
    if (memory) {
        HGDIOBJ old = SelectObject(memory, image->getHBitmap());
        copied = BitBlt(memory, 0, 0, w, h, screen, x, y, SRCCOPY) != 0;
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    ReleaseDC(nullptr, screen);
    if (!copied) {
        if (image) image->release();
        return nullptr;
    }
    GdiFlush();
    image->makeOpaque();
    return image;
}

BufferedImage* captureWindow(HWND window) {
    RECT r;
    if (!getWindowCaptureRect(window, &r)) return nullptr;
    const int32_t vx = GetSystemMetrics(SM_XVIRTUALSCREEN), vy = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int32_t vw = GetSystemMetrics(SM_CXVIRTUALSCREEN), vh = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (r.left <= vx) r.left = vx;
    if (r.top <= vy) r.top = vy;
    if (r.right >= vx + vw) r.right = vx + vw;
    if (r.bottom >= vy + vh) r.bottom = vy + vh;
    return captureScreenRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

BufferedImage* captureWindowAtPoint(int32_t x, int32_t y) {
    HWND window = WindowFromPoint(POINT{x, y});
    if (!window || !IsWindow(window)) return nullptr;
    while (GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) {
        HWND parent = GetParent(window);
        if (!parent) break;
        window = parent;
    }
    return captureWindow(window);
}

}  // namespace s::system
