// The screen scale factor by which every pixel size of the program is multiplied,
// and the rectangle a window capture takes (the capture itself, which makes a
// picture, is imaging/capture/ScreenCapture.h).
#pragma once

#include <windows.h>

#include <cstdint>

namespace s::system {

// The rule behind the cached answers below, for a primary screen of w x h pixels:
// large from 1921 x 1620, 4K from 4097 x 3240; scale 4, 2 or 1.
bool isLargeScreenSize(int32_t width, int32_t height);
bool isAtLeast4KScreenSize(int32_t width, int32_t height);
int32_t screenScaleForSize(int32_t width, int32_t height);

// The primary screen's answers, computed on first call and cached for the process
// (a later change of the screen size does not change them).
bool isScreenLarge();
bool isScreenAtLeast4K();
int32_t getScreenScale();
// Test seam: makes getScreenScale answer the given scale (1, 2 or 4) until called
// again with 0, which returns to the detected one. Lets tests paint at every scale
// in one process.
void setScreenScaleOverride(int32_t scale);

// The rectangle of the window as it is seen: the frame bounds the window manager
// draws (without an invisible resize border), else the window rectangle. False
// when the handle is not a window.
bool getWindowCaptureRect(HWND window, RECT* rect);

}  // namespace s::system
