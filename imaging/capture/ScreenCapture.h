// Screen capture into buffered images: a rectangle of the virtual screen, a window as
// it is seen (its rectangle from platform/system/Screen.h), or the top-level window
// under a point.
#pragma once

#include <windows.h>

#include <cstdint>

namespace s::image::win {
class BufferedImage;
}

namespace s::system {

// The pixels of a rectangle of the virtual screen (cut to it), opaque; null when
// nothing of it is on the screen. The caller releases the image to its pool.
image::win::BufferedImage* captureScreenRect(int32_t x, int32_t y, int32_t width, int32_t height);
// The screen pixels under the window's capture rectangle (getWindowCaptureRect;
// windows covering it show in the image); null when it is not a window.
image::win::BufferedImage* captureWindow(HWND window);
// The top-level window under the point, captured; null when there is none.
image::win::BufferedImage* captureWindowAtPoint(int32_t x, int32_t y);

}  // namespace s::system
