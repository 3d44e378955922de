// The slider picture: a framed track, an optional colour band, a fill bar from the
// anchor and one or two thumbs, placed by the slider geometry shared with the slider
// control (gui/skin/SliderGeometry.h).
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/drawer/IBorder.h"

namespace s::gui::drawer::slider {

struct SliderLook {
    IBorder* track = nullptr;   // flat, draws the track frame
    IBorder* thumbs = nullptr;  // shaded, draws the thumbs
    int32_t frameStyle = 1;     // 0 none, 1 small rounding, 2 large rounding
    COLORREF fill = 0;          // colour A
    COLORREF thumb = 0;         // colour B: thumbs and frame
    COLORREF disabled = 0;      // colour C: everything when disabled
};

struct SliderState {
    int32_t minimum = 0, maximum = 100, position = 0;
    bool showFill = false;
    int32_t anchor = 0;
    bool enabled = true;
    bool twoThumbs = false;
    int32_t secondPosition = 0;
    int32_t bandStyle = 0;
    int32_t bandA = 0, bandB = 0;
};

// Paints the slider into (l, t, r, b); nothing for an empty or inverted rectangle. Frame
// style 0 draws only the band.
void paintSlider(HDC dc, const SliderLook& look, int32_t l, int32_t t, int32_t r, int32_t b, const SliderState& st);

}  // namespace s::gui::drawer::slider
