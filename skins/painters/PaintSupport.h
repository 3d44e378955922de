// What the painters share: solid fills that leave the DC as they found it, text
// arguments that may be string-resource numbers, the screen scale, and stroke lists.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace s::skins {

// A w x h rectangle at (x, y) in the colour; nothing for w or h below 1. The DC's
// background colour is restored.
void fillSolid(HDC dc, int32_t x, int32_t y, int32_t w, int32_t h, COLORREF colour);

// Fills without restoring, for painters that make many strokes: the constructor keeps
// the DC's background colour and the destructor puts it back.
class SolidFiller {
public:
    explicit SolidFiller(HDC dc) : dc_(dc), saved_(GetBkColor(dc)) {}
    ~SolidFiller() { SetBkColor(dc_, saved_); }
    SolidFiller(const SolidFiller&) = delete;
    SolidFiller& operator=(const SolidFiller&) = delete;

    void operator()(int32_t x, int32_t y, int32_t w, int32_t h, COLORREF colour) const;

private:
    HDC dc_;
    COLORREF saved_;
};

// The text of a text argument: the string itself, the program's string resource for a
// number up to 0xFFFF given in its place (empty when missing), empty for null.
std::wstring resolveText(const wchar_t* text);

// The screen scale factor (1, 2 or 4).
int32_t scale();

}  // namespace s::skins

namespace s::gui::drawer::paint {

// A solid fill of (x, y, width, height); nothing for an empty size. Leaves the DC as
// found (the same fill as s::skins::fillSolid).
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
