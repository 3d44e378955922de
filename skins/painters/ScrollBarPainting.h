// The scroll bar picture, painted from the same layout that hit-tests it
// (ScrollBarLayout.h): frame, arrow faces, the thumb face with grip lines (and small
// arrows at its ends when it is long) and the track on either side of the thumb.
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/drawer/IBorder.h"
#include "gui/drawer/IButton.h"
#include "skins/painters/ScrollBarLayout.h"

namespace s::gui::drawer::scrollbar {

struct ScrollBarLook {
    IButton* faces = nullptr;  // arrow and thumb faces and glyphs
    IBorder* frame = nullptr;
    int32_t frameStyle = 1;  // 0 none, 1 small rounding, 2 large rounding
    COLORREF line = 0;       // colour A: frame and glyphs
    COLORREF track = 0;      // colour B
};

struct ScrollBarStates {
    int32_t firstArrow = 0, thumb = 0, secondArrow = 0;  // 0 idle, 1 hot, 2 pressed
};

// Paints the laid-out bar; the size-box square is left as it is. ownTrack: the track in
// trackColour instead of the look's.
void paintScrollBar(HDC dc, const ScrollBarLayout& layout, const ScrollBarLook& look, const ScrollBarStates& states,
                    bool ownTrack, COLORREF trackColour);

}  // namespace s::gui::drawer::scrollbar
