// Small drawing helpers of the painters. Each leaves the device context as it found it.
#pragma once

#include <windows.h>

#include <cstdint>

namespace s::gui::drawer::paint {

// A solid fill of (x, y, width, height); nothing for an empty size. Uses the DC brush and
// restores its colour.
void fill(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, COLORREF colour);

// A fill of the rectangle (x, y, width, height) in DC coordinates, as the painters list them.
struct Stroke {
    int32_t x, y, width, height;
    bool operator==(const Stroke&) const = default;
};

// The channels of a COLORREF, for calls that take red, green and blue apart.
inline int red(COLORREF c) { return GetRValue(c); }
inline int green(COLORREF c) { return GetGValue(c); }
inline int blue(COLORREF c) { return GetBValue(c); }

}  // namespace s::gui::drawer::paint
