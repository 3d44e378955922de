// One row of a list or tree: indent, expander, check box, icon, text, selection,
// insertion mark, progress bar and tag box; and the hit tests of its expander and check
// box. The skins' list box drawers paint through these.
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/drawer/IButton.h"
#include "gui/drawer/IList.h"

namespace s::gui::drawer::listbox {

struct ListLook {
    COLORREF selection = 0;
    COLORREF background = 0;
    COLORREF third = 0;  // alternate rows
    IButton* glyphs = nullptr;
};

// The boxes of a row, relative to the device context (empty when the row has none).
struct RowLayout {
    RECT expander{}, checkBox{}, icon{}, text{};
};

// Lays the parts out left to right from left + 4·s + indent × 15·s.
RowLayout layoutRow(const ListItemPaint& row, int32_t scale);

// Paints the row and fills its out fields with the text box; returns the text height.
// An empty or inverted rectangle draws nothing, leaves the outputs alone and returns 0.
int32_t paintRow(HDC dc, const ListLook& look, ListItemPaint* row);

bool hitCheckBox(int32_t x, int32_t y, bool hasExpander, int32_t indentLevel, int32_t scale);
bool hitExpander(int32_t x, int32_t y, int32_t indentLevel, int32_t scale);

// The progress bar's colour and filled thousandths for a state value: 2000-3000 grey,
// 4000-5000 red, otherwise green.
struct Progress {
    COLORREF colour;
    int32_t thousandths;
};
Progress progressOf(int32_t stateValue);

}  // namespace s::gui::drawer::listbox
