#include "platform/system/Screen.h"

#include <dwmapi.h>

#include <atomic>

namespace s::system {

bool isLargeScreenSize(int32_t width, int32_t height) { return width >= 1921 && height >= 1620; }
bool isAtLeast4KScreenSize(int32_t width, int32_t height) { return width >= 4097 && height >= 3240; }

int32_t screenScaleForSize(int32_t width, int32_t height) {
    if (isAtLeast4KScreenSize(width, height)) return 4;
    if (isLargeScreenSize(width, height)) return 2;
    return 1;
}

namespace {

// A flag computed once; concurrent first callers compute the same value.
struct CachedFlag {
    std::atomic<bool> computed{false};
    std::atomic<bool> value{false};

    template <class F>
    bool get(F compute) {
        if (!computed.load(std::memory_order_acquire)) {
            value.store(compute(), std::memory_order_relaxed);
            computed.store(true, std::memory_order_release);
        }
        return value.load(std::memory_order_relaxed);
    }
};

CachedFlag largeScreen, screen4K;
std::atomic<int32_t> scaleValue{1};
std::atomic<bool> scaleComputed{false};

int32_t primaryWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int32_t primaryHeight() { return GetSystemMetrics(SM_CYSCREEN); }

}  // namespace

bool isScreenLarge() {
    return largeScreen.get([] { return isLargeScreenSize(primaryWidth(), primaryHeight()); });
}

bool isScreenAtLeast4K() {
    return screen4K.get([] { return isAtLeast4KScreenSize(primaryWidth(), primaryHeight()); });
}

namespace {
std::atomic<int32_t> scaleOverride{0};
}

void setScreenScaleOverride(int32_t scale) {
    scaleOverride.store(scale == 1 || scale == 2 || scale == 4 ? scale : 0, std::memory_order_relaxed);
}

int32_t getScreenScale() {
    if (const int32_t forced = scaleOverride.load(std::memory_order_relaxed)) return forced;
    if (!scaleComputed.load(std::memory_order_acquire)) {
        scaleValue.store(isScreenAtLeast4K() ? 4 : isScreenLarge() ? 2 : 1, std::memory_order_relaxed);
        scaleComputed.store(true, std::memory_order_release);
    }
    return scaleValue.load(std::memory_order_relaxed);
}

bool getWindowCaptureRect(HWND window, RECT* rect) {
    if (!window || !IsWindow(window)) return false;
    // The window manager knows where the visible frame ends: a resizable window on
    // Windows 10 and later has an invisible resize border outside it, a borderless
    // one has none. Without its answer the window rectangle is all there is.
    RECT bounds = {};
    if (SUCCEEDED(DwmGetWindowAttribute(window, DWMWA_EXTENDED_FRAME_BOUNDS, &bounds, sizeof(bounds))) &&
        bounds.right > bounds.left && bounds.bottom > bounds.top) {
        *rect = bounds;
        return true;
    }
    return GetWindowRect(window, rect) != 0;
}

}  // namespace s::system
