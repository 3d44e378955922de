#include "skins/drawers/MenuDrawers.h"

namespace s::gui::drawer::combo::win {

void Thin::reset() {
    textDrawer.reset();
    if (textDrawer.get()) textDrawer->setTextFlag(false);
    buttonDrawer.reset();
    frameColor = RGB(0, 0, 0);
}

}  // namespace s::gui::drawer::combo::win

namespace s::gui::drawer::menu::win {

Basic* Basic::createWithColors(int textR, int textG, int textB, int highR, int highG, int highB, int highTextR,
                               int highTextG, int highTextB) {
    Basic* d = create();
    if (!d) return nullptr;
    d->setTextColor(textR, textG, textB);
    d->setHighlightColor(highR, highG, highB);
    d->setHighlightedTextColor(highTextR, highTextG, highTextB);
    d->flagA = false;
    d->flagB = true;
    return d;
}

void Basic::reset() {
    for (auto* s : {&normalStyle, &highlightedStyle}) {
        s->reset();
        s->setSizeCode(-2);
    }
    const COLORREF highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    highlightedStyle.setColor(GetRValue(highlightText), GetGValue(highlightText), GetBValue(highlightText));
    highlightColor = GetSysColor(COLOR_HIGHLIGHT);
    flagA = true;
    flagB = false;
    textDrawer.reset();
    comboDrawer.reset();
}

void Basic::applyToFonts(IFont* font, IFont* hotFont) {
    skins::applyStyle(&normalStyle, font);
    skins::applyStyle(&highlightedStyle, hotFont);
}

}  // namespace s::gui::drawer::menu::win
