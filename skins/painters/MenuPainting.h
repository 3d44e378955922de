// The closed combo box (a button face, the current text, a divider and a "#Down" arrow)
// and the owner-drawn menu bar (a row of entry texts with a highlighted hot entry, or
// the whole bar as one drop-down button).
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/drawer/IButton.h"
#include "gui/drawer/IMenu.h"
#include "gui/drawer/IText.h"

namespace s::str::strarray {
class StrArray;
}

namespace s::gui::drawer::menu {

// state: 0 idle, 1 hot, 2 pressed. Without text or font only face, divider and arrow.
void paintCombo(HDC dc, IButton* face, IText* textDrawer, COLORREF frame, int32_t l, int32_t t, int32_t r, int32_t b,
                int32_t state, const wchar_t* text, IFont* font, bool enabled);

struct MenuLook {
    IText* text = nullptr;
    ICombo* combo = nullptr;  // button mode
    COLORREF highlight = 0;
    bool hotBackground = true;  // flag A
    bool pressShift = false;    // flag B
};

struct MenuBar {
    str::strarray::StrArray* items = nullptr;
    const RECT* rects = nullptr;  // one per item
    IFont* font = nullptr;
    IFont* hotFont = nullptr;
    int32_t insetX = 0, insetY = 0;
    int32_t hotIndex = -1;
    bool pressed = false;
    bool buttonMode = false;
    bool lastAtRight = false;
    bool lastAsLink = false;
};

void paintMenu(HDC dc, const MenuLook& look, int32_t l, int32_t t, int32_t r, int32_t b, const MenuBar& bar);

// Lays the items out in a row into rects (when given) and reports the bar's natural
// sizes: a, b from the text widths and heights, c, d from the second pair of measures.
void measureMenu(HDC dc, IText* text, str::strarray::StrArray* items, RECT* rects, IFont* font, int32_t* a, int32_t* b,
                 int32_t* c, int32_t* d, int32_t marginX, int32_t marginY, bool extraRoom);

}  // namespace s::gui::drawer::menu
