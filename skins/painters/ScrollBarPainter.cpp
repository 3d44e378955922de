// The scroll bar drawer's layout, hit test, drag and painting: each operation lays the
// bar out first (kept in parts), so the three always agree.
#include "skins/drawers/ScrollBarDrawer.h"
#include "skins/painters/ScrollBarLayout.h"
#include "skins/painters/ScrollBarPainting.h"

#include <cstring>

namespace s::gui::drawer::scrollbar::win {

namespace {

// Lays the bar out and keeps the parts in the drawer.
ScrollBarLayout layOut(RECT* parts, int32_t left, int32_t top, int32_t right, int32_t bottom, bool horizontal,
                       int32_t range, int32_t page, int32_t position, bool sizeBox) {
    ScrollBarLayout l = ScrollBarLayout::make(left, top, right, bottom, horizontal, range, page, position, sizeBox);
    static_assert(sizeof(l.parts) == sizeof(RECT) * scrollbar::kPartCount);
    std::memcpy(parts, l.parts, sizeof(l.parts));
    return l;
}

}  // namespace

int32_t Thin::hitTest(int32_t x, int32_t y, int32_t left, int32_t top, int32_t right, int32_t bottom, bool horizontal,
                      int32_t range, int32_t page, int32_t position, bool sizeBox) {
    return layOut(parts, left, top, right, bottom, horizontal, range, page, position, sizeBox).hitTest(x, y);
}

int32_t Thin::positionForDrag(int32_t offset, int32_t startPosition, int32_t left, int32_t top, int32_t right,
                              int32_t bottom, bool horizontal, int32_t range, int32_t page, bool sizeBox) {
    return layOut(parts, left, top, right, bottom, horizontal, range, page, startPosition, sizeBox)
        .positionForDrag(offset, startPosition, range, page);
}

void Thin::paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, bool horizontal, int32_t range,
                 int32_t page, int32_t position, int32_t firstArrowState, int32_t thumbState, int32_t secondArrowState,
                 bool sizeBox, bool ownTrackColor, int r, int g, int b) {
    if (left >= right || top >= bottom) return;
    ScrollBarLayout l = layOut(parts, left, top, right, bottom, horizontal, range, page, position, sizeBox);
    ScrollBarLook look;
    look.faces = buttonDrawer.get();
    look.frame = borderDrawer.get();
    look.frameStyle = mode;
    look.line = colorA;
    look.track = colorB;
    paintScrollBar(dc, l, look, ScrollBarStates{firstArrowState, thumbState, secondArrowState}, ownTrackColor,
                   skins::rgb(r, g, b));
}

}  // namespace s::gui::drawer::scrollbar::win
