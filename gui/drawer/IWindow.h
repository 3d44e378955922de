// The window drawer: background and one-pixel frame of a window the toolkit draws
// itself, and the region that rounds its corners. Corner styles: 0 square, 1 small
// rounding, 2 large rounding, set separately for the top and the bottom corners.
#pragma once

#include "gui/drawer/IDrawer.h"

namespace s::gui::drawer {

class IWindow : public IDrawer {
public:
    virtual void paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    // A region the caller owns; null for corner styles outside 0 to 2.
    virtual HRGN createRegion(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    virtual COLORREF getBackgroundColor() const = 0;
    virtual uint8_t getBackgroundRed() const = 0;
    virtual uint8_t getBackgroundGreen() const = 0;
    virtual uint8_t getBackgroundBlue() const = 0;
    // Also clears the transparent flag (only a reset sets it again).
    virtual void setBackgroundColor(int r, int g, int b) = 0;
    virtual uint8_t getFrameRed() const = 0;
    virtual uint8_t getFrameGreen() const = 0;
    virtual uint8_t getFrameBlue() const = 0;
    virtual void setFrameColor(int r, int g, int b) = 0;
    virtual void setTopCornerStyle(int32_t style) = 0;
    virtual void setBottomCornerStyle(int32_t style) = 0;
};

}  // namespace s::gui::drawer

namespace s::gui::drawer::window {
class IThin : public drawer::IWindow {};
}  // namespace s::gui::drawer::window
