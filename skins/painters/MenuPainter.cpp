// The menu bar drawer's layout and painting.
#include "skins/drawers/MenuDrawers.h"
#include "skins/painters/MenuPainting.h"

namespace s::gui::drawer::menu::win {

void Basic::paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, str::strarray::StrArray* items,
                  RECT* rects, IFont* font, IFont* hotFont, int32_t insetX, int32_t insetY, int32_t hotIndex,
                  bool pressed, bool buttonMode, bool lastAtRight, bool lastAsLink) {
    MenuLook look;
    look.text = textDrawer.get();
    look.combo = comboDrawer.get();
    look.highlight = highlightColor;
    look.hotBackground = flagA;
    look.pressShift = flagB;
    MenuBar bar;
    bar.items = items;
    bar.rects = rects;
    bar.font = font;
    bar.hotFont = hotFont;
    bar.insetX = insetX;
    bar.insetY = insetY;
    bar.hotIndex = hotIndex;
    bar.pressed = pressed;
    bar.buttonMode = buttonMode;
    bar.lastAtRight = lastAtRight;
    bar.lastAsLink = lastAsLink;
    paintMenu(dc, look, left, top, right, bottom, bar);
}

void Basic::measure(HDC dc, str::strarray::StrArray* items, RECT* rects, IFont* font, int32_t* a, int32_t* b,
                    int32_t* c, int32_t* d, int32_t marginX, int32_t marginY, bool extraRoom) {
    measureMenu(dc, textDrawer.get(), items, rects, font, a, b, c, d, marginX, marginY, extraRoom);
}

}  // namespace s::gui::drawer::menu::win
