// The slider drawer: a framed track, an optional colour band, a fill bar and one or two
// thumbs. Band styles: 0 none, 1 gradient from COLORREF a to b, 2-4 HSV hue, saturation,
// value bands, 5-7 HSL hue, saturation, lightness bands (a and b the fixed components).
#pragma once

#include "gui/drawer/IDrawer.h"

namespace s::gui::drawer {

class ISlider : public base::IObject {
public:
    virtual void paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t minimum,
                       int32_t maximum, int32_t position, bool showFill, int32_t anchor, bool enabled, bool twoThumbs,
                       int32_t secondPosition, int32_t bandStyle, int32_t bandA, int32_t bandB) = 0;
    virtual uint8_t getColorARed() const = 0;
    virtual uint8_t getColorAGreen() const = 0;
    virtual uint8_t getColorABlue() const = 0;
    virtual void setColorA(int r, int g, int b) = 0;
    virtual void setColorB(int r, int g, int b) = 0;
    virtual void setColorC(int r, int g, int b) = 0;
};

}  // namespace s::gui::drawer

namespace s::gui::drawer::slider {
class IThin : public drawer::ISlider {};
}  // namespace s::gui::drawer::slider
