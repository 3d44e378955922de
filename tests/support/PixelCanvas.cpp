#include "support/PixelCanvas.h"

#include <cstdio>

namespace testsupport {

PixelCanvas::PixelCanvas(int width, int height, COLORREF fillColour) : width_(width), height_(height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down: row y at bits_ + y * width
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    oldBitmap_ = SelectObject(dc_, bitmap_);
    fill(fillColour);
}

PixelCanvas::~PixelCanvas() {
    SelectObject(dc_, oldBitmap_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
}

void PixelCanvas::fill(COLORREF c) {
    GdiFlush();
    const uint32_t v = uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
    for (int i = 0; i < width_ * height_; ++i) bits_[i] = v;
}

COLORREF PixelCanvas::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kSentinel;
    GdiFlush();
    const uint32_t v = bits_[size_t(y) * width_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

RECT PixelCanvas::changedBounds(COLORREF unchanged) const {
    RECT r{width_, height_, -1, -1};
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (at(x, y) != unchanged) {
                if (x < r.left) r.left = x;
                if (y < r.top) r.top = y;
                if (x + 1 > r.right) r.right = x + 1;
                if (y + 1 > r.bottom) r.bottom = y + 1;
            }
    if (r.right < 0) return RECT{};
    return r;
}

int PixelCanvas::countChanged(COLORREF unchanged) const {
    int n = 0;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) n += at(x, y) != unchanged;
    return n;
}

bool PixelCanvas::samePixels(const PixelCanvas& other) const {
    if (other.width_ != width_ || other.height_ != height_) return false;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (at(x, y) != other.at(x, y)) return false;
    return true;
}

std::string checkPixels(const PixelCanvas& canvas, const PixelCase* cases, size_t count) {
    std::string out;
    for (size_t i = 0; i < count; ++i) {
        const PixelCase& c = cases[i];
        const COLORREF got = canvas.at(c.x, c.y);
        if (got != c.expected) {
            char line[96];
            std::snprintf(line, sizeof line, "(%d, %d) = 0x%06lx, expected 0x%06lx\n", c.x, c.y,
                          static_cast<unsigned long>(got), static_cast<unsigned long>(c.expected));
            out += line;
        }
    }
    return out;
}

std::string checkPixels(const PixelCanvas& canvas, std::initializer_list<PixelCase> cases) {
    return checkPixels(canvas, cases.begin(), cases.size());
}

bool DcState::operator==(const DcState& o) const {
    return font == o.font && pen == o.pen && brush == o.brush && bitmap == o.bitmap && textColor == o.textColor &&
           bkColor == o.bkColor && bkMode == o.bkMode && mapMode == o.mapMode && textAlign == o.textAlign &&
           origin.x == o.origin.x && origin.y == o.origin.y;
}

DcState captureDcState(HDC dc) {
    DcState s{};
    s.font = GetCurrentObject(dc, OBJ_FONT);
    s.pen = GetCurrentObject(dc, OBJ_PEN);
    s.brush = GetCurrentObject(dc, OBJ_BRUSH);
    s.bitmap = GetCurrentObject(dc, OBJ_BITMAP);
    s.textColor = GetTextColor(dc);
    s.bkColor = GetBkColor(dc);
    s.bkMode = GetBkMode(dc);
    s.mapMode = GetMapMode(dc);
    s.textAlign = GetTextAlign(dc);
    GetViewportOrgEx(dc, &s.origin);
    return s;
}

}  // namespace testsupport
