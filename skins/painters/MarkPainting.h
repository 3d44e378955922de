// Check box and radio button pictures: the mark and the caption beside it. The check
// box and radio button drawers paint through these with their colours and owned
// sub-drawers.
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/drawer/IButton.h"
#include "gui/drawer/IText.h"

namespace s::gui::drawer::mark {

// The box (boxSize square, white inside, a frame 2·s thick in the frame colour) at the
// top left of the rectangle, the "#Check" glyph in black when checked, and the caption
// beside the box, a sixth of the box further right.
void paintCheckBox(HDC dc, IButton* glyphs, IText* caption, COLORREF frame, int32_t l, int32_t t, int32_t r, int32_t b,
                   int32_t boxSize, bool checked, const wchar_t* text, IFont* font);
// The caption's natural sizes, the first and third widened by the box (as wide as the
// caption is high) and the gap (a sixth of that).
void measureCheckBox(IText* caption, HDC dc, const wchar_t* text, IFont* font, int32_t* a, int32_t* b, int32_t* c,
                     int32_t* d);

// The side of the radio mark in pixels, at every scale.
constexpr int32_t kRadioMarkSize = 13;
// The side of the scratch square the mark is drawn in before it is scaled down.
constexpr int32_t kRadioScratchSize = 52;

// The round mark, drawn on the scratch DC at 52 × 52 (ring in the ring colour filled
// with fill; a dot in the dot colour when selected) and scaled down to 13 × 13 with
// HALFTONE at (l, t + h/2 - 6); then the caption at l + h + h/6.
void paintRadioButton(HDC dc, HDC scratch, IText* caption, COLORREF ring, COLORREF dot, int32_t l, int32_t t, int32_t r,
                      int32_t b, bool selected, const wchar_t* text, IFont* font, COLORREF fill);

}  // namespace s::gui::drawer::mark
