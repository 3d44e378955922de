// The parts of the slider picture that need no device context: the colour of each band
// column and the strokes of the fill bar. Coordinates are relative to the slider's top
// left; w and H are its width and height, x0 and x1 the first thumb's left and right.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "skins/painters/PaintSupport.h"

namespace s::gui::drawer::slider {

// Band styles: 0 none, 1 gradient from colour a to colour b, 2-4 HSV bands varying hue,
// saturation and value, 5-7 HSL bands varying hue, saturation and lightness.
constexpr int32_t kBandNone = 0;
constexpr int32_t kBandGradient = 1;
constexpr int32_t kBandLast = 7;

// The colour of band column k of n (k = x - 1, n = w - 2).
COLORREF bandColor(int32_t style, uint32_t a, uint32_t b, int32_t k, int32_t n);
// HSL (hue in degrees, saturation and lightness in percent) to a COLORREF, each channel
// truncated.
COLORREF hslColor(int32_t hue, int32_t saturation, int32_t lightness);

// The strokes of the fill bar of a single-thumb slider. frameStyle 0 draws none;
// anchorAtMinimum: the anchor is the range's minimum; fillEnd: where the anchor stands.
std::vector<paint::Stroke> fillStrokes(int32_t frameStyle, int32_t w, int32_t H, bool anchorAtMinimum, int32_t fillEnd,
                                       int32_t x0, int32_t x1);

}  // namespace s::gui::drawer::slider
