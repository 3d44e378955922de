// Pixel tests of painters: a 32-bit DIB filled with a sentinel colour, selected into a
// memory DC; after painting, pixels are read back (after GdiFlush) and compared with a
// table of expected colours, or with the sentinel for pixels that must stay untouched.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "platform/system/Screen.h"

namespace testsupport {

// A colour no painter uses.
constexpr COLORREF kSentinel = RGB(1, 254, 3);

class PixelCanvas {
public:
    PixelCanvas(int width, int height, COLORREF fill = kSentinel);
    ~PixelCanvas();
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }
    void fill(COLORREF colour);
    // The pixel as a COLORREF (GdiFlush first); the sentinel for points outside.
    COLORREF at(int x, int y) const;
    // The smallest rectangle holding every pixel that differs from the colour; empty
    // (all zero) when none does.
    RECT changedBounds(COLORREF unchanged = kSentinel) const;
    int countChanged(COLORREF unchanged = kSentinel) const;
    // Pixels equal between two canvases of one size.
    bool samePixels(const PixelCanvas& other) const;

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    uint32_t* bits_ = nullptr;
    int width_, height_;
};

struct PixelCase {
    int x, y;
    COLORREF expected;
};

// "(x, y) = 0xBBGGRR, expected 0x..." lines for every case that fails; empty when all pass.
std::string checkPixels(const PixelCanvas& canvas, std::initializer_list<PixelCase> cases);
std::string checkPixels(const PixelCanvas& canvas, const PixelCase* cases, size_t count);

// The DC's selected objects, colours and modes, to show a painter left it as it was.
struct DcState {
    HGDIOBJ font, pen, brush, bitmap;
    COLORREF textColor, bkColor;
    int bkMode, mapMode;
    UINT textAlign;
    POINT origin;
    bool operator==(const DcState& o) const;
};
DcState captureDcState(HDC dc);

// Sets the screen scale for the lifetime of the object.
class ScaleOverride {
public:
    explicit ScaleOverride(int scale) { s::system::setScreenScaleOverride(scale); }
    ~ScaleOverride() { s::system::setScreenScaleOverride(0); }
};

// The TrueType face the scripts install into the Wine prefix for text tests.
constexpr const wchar_t* kTestFace = L"DejaVu Sans";

}  // namespace testsupport
