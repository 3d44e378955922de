// The counter history drawer's painting.
#include "skins/drawers/CounterDrawer.h"

namespace s::gui::drawer::counter::win {

void Basic::paint(HDC, int32_t, int32_t, int32_t, int32_t, int32_t, const CounterHistory*, const CounterHistory*,
                  bool) {}

}  // namespace s::gui::drawer::counter::win
