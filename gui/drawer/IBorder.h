// The border painter: the frame of a rectangle in one base colour, lightened and
// darkened per edge. States: 0 raised, 1 lit, 2 pressed, 3 as 1 with the bottom edge
// open. Corner styles 0 square, 1 small rounding, 2 large rounding.
#pragma once

#include "gui/drawer/IDrawer.h"

namespace s::gui::drawer {

class IBorder : public base::IObject {
public:
    virtual void paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t state,
                       int32_t cornerStyle, int r, int g, int b) = 0;
    // Off: every edge in the base colour itself.
    virtual void setShaded(bool flag) = 0;
};

}  // namespace s::gui::drawer

namespace s::gui::drawer::border {
class IThin : public drawer::IBorder {};
}  // namespace s::gui::drawer::border
