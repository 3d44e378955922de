// The vector glyphs of button captions that begin with "#" ("#Plus", "#Left", "#Check",
// "#Color-00ff0000" ...), drawn with solid fills scaled by the screen scale.
#pragma once

#include <windows.h>

#include <cstdint>

namespace s::skins::glyph {

// Draws the named glyph in the rectangle in the colour and answers true; false, with
// nothing drawn, for an empty name, one not beginning with "#", or one naming no glyph.
bool paintGlyph(HDC dc, int32_t x0, int32_t y0, int32_t x1, int32_t y1, const wchar_t* name, COLORREF colour);

}  // namespace s::skins::glyph
