// The scroll bar drawer's layout, hit test, drag and painting.
#include "skins/drawers/ScrollBarDrawer.h"

namespace s::gui::drawer::scrollbar::win {

int32_t Thin::hitTest(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, bool, int32_t, int32_t, int32_t, bool) {
    return -1;
}

int32_t Thin::positionForDrag(int32_t, int32_t startPosition, int32_t, int32_t, int32_t, int32_t, bool, int32_t,
                              int32_t, bool) {
    return startPosition;
}

void Thin::paint(HDC, int32_t, int32_t, int32_t, int32_t, bool, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
                 bool, bool, int, int, int) {}

}  // namespace s::gui::drawer::scrollbar::win
