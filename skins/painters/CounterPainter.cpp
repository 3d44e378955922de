// The counter history drawer's painting.
#include "skins/drawers/CounterDrawer.h"
#include "skins/painters/CounterPainting.h"

namespace s::gui::drawer::counter::win {

void Basic::paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t style,
                  const CounterHistory* first, const CounterHistory* second, bool swapColors) {
    CounterLook look;
    look.transparent = transparent;
    look.background = background;
    look.first = colorA;
    look.second = colorB;
    paintCounter(dc, look, left, top, right, bottom, style, first, second, swapColors);
}

}  // namespace s::gui::drawer::counter::win
