// The scroll bar drawer: lays out, hit-tests and paints an owner-drawn scroll bar (two
// arrows, the track on either side of the thumb, the thumb, an optional size-box square).
// The same layout serves all three operations.
#pragma once

#include "gui/drawer/IDrawer.h"

namespace s::gui::drawer {

class IScrollBar : public base::IObject {
public:
    // 0 first arrow, 1 track before the thumb, 2 thumb, 3 track after, 4 second arrow,
    // -1 elsewhere.
    virtual int32_t hitTest(int32_t x, int32_t y, int32_t left, int32_t top, int32_t right, int32_t bottom,
                            bool horizontal, int32_t range, int32_t page, int32_t position, bool sizeBox) = 0;
    // The position a thumb drag by offset pixels from startPosition gives.
    virtual int32_t positionForDrag(int32_t offset, int32_t startPosition, int32_t left, int32_t top, int32_t right,
                                    int32_t bottom, bool horizontal, int32_t range, int32_t page, bool sizeBox) = 0;
    // Part states as for button faces (0 idle, 1 hot, 2 pressed).
    virtual void paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, bool horizontal, int32_t range,
                       int32_t page, int32_t position, int32_t firstArrowState, int32_t thumbState,
                       int32_t secondArrowState, bool sizeBox, bool ownTrackColor, int r, int g, int b) = 0;
    virtual int32_t getWidth() const = 0;
    virtual void setWidth(int32_t width) = 0;
    // The line colour (frame, glyphs); also the inner button drawer's line colour.
    virtual void setColorA(int r, int g, int b) = 0;
    // The track colour.
    virtual void setColorB(int r, int g, int b) = 0;
};

}  // namespace s::gui::drawer

namespace s::gui::drawer::scrollbar {
class IThin : public drawer::IScrollBar {};
}  // namespace s::gui::drawer::scrollbar
