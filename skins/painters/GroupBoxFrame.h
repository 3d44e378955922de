// The picture of a group box: the caption at the top left and a rounded frame whose top
// edge is broken where the caption stands. Shared by the skins' group box drawer (lines
// two pixels thick, four from scale 2, caption inset 9·s) and the toolkit's default one
// (one-pixel lines, caption inset 9).
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "skins/painters/PaintSupport.h"

namespace s::gui::drawer::groupbox {

enum class FrameLook { Basic, Thin };

// The caption's left edge from the box's left: 9·s for the thin look, 9 for the basic.
int32_t captionInset(FrameLook look, int32_t scale);

// The frame strokes of the box (l, t, r, b) whose caption box ends at captionRight.
std::vector<paint::Stroke> frameStrokes(FrameLook look, int32_t scale, int32_t l, int32_t t, int32_t r, int32_t b,
                                        int32_t captionRight);

// Paints caption and frame; nothing for an empty or inverted rectangle. The caption is
// drawn on one line in the font (when given) and the text colour, transparently, into
// the caption box (l + inset, t, captionWidth, captionHeight); the DC is left as found.
void paintGroupBox(HDC dc, FrameLook look, int32_t l, int32_t t, int32_t r, int32_t b, const wchar_t* caption,
                   HFONT font, COLORREF textColor, int32_t captionWidth, int32_t captionHeight, COLORREF frame);

}  // namespace s::gui::drawer::groupbox
