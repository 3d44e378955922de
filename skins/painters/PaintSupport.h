// What the painters share: solid fills that leave the DC's background colour as it was,
// text arguments that may be string-resource numbers, and the screen scale.
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
