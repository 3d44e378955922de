#include "skins/drawers/ListDrawers.h"

namespace s::gui::drawer::listheader::win {

void Thin::reset() {
    pressShift = true;
    cornerStyle = 0;
    colorA = RGB(120, 120, 120);
    colorB = RGB(51, 51, 51);
    if (buttonDrawer.get()) {
        buttonDrawer->reset();
        buttonDrawer->setPressShift(true);
        buttonDrawer->setCornerStyle(cornerStyle);
    }
    height = 22;
}

}  // namespace s::gui::drawer::listheader::win

namespace s::gui::drawer::listbox::win {

Basic* Basic::createDefault() {
    Basic* d = create();
    if (!d) return nullptr;
    d->setBackgroundColor(255, 255, 255);
    d->setTextColor(0, 0, 0);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF highlightText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    d->setSelectionColor(GetRValue(highlight), GetGValue(highlight), GetBValue(highlight));
    d->setSelectedTextColor(GetRValue(highlightText), GetGValue(highlightText), GetBValue(highlightText));
    d->setThirdColor(238, 238, 238);
    return d;
}

void Basic::reset() {
    selection = RGB(120, 120, 120);
    background = RGB(51, 51, 51);
    third = RGB(224, 224, 224);
    for (auto* t : {rows.get(), selectedRows.get()}) {
        if (!t) continue;
        t->reset();
        t->setTextFlag(false);
    }
    buttonDrawer.reset();
}

void Basic::applyFonts(IFont* font, IFont* selectedFont) {
    rows->applyToFonts(font);
    selectedRows->applyToFonts(selectedFont);
}

Thin* Thin::createWithColors(int backR, int backG, int backB, int textR, int textG, int textB, int selR, int selG,
                             int selB, int selTextR, int selTextG, int selTextB, int thirdR, int thirdG, int thirdB) {
    Thin* d = create();
    if (!d) return nullptr;
    d->setBackgroundColor(backR, backG, backB);
    d->setTextColor(textR, textG, textB);
    d->setSelectionColor(selR, selG, selB);
    d->setSelectedTextColor(selTextR, selTextG, selTextB);
    d->setThirdColor(thirdR, thirdG, thirdB);
    return d;
}

void Thin::reset() {
    if (!inner.get()) return;
    inner->reset();
    inner->setSelectionColor(120, 120, 120);
    inner->setBackgroundColor(51, 51, 51);
    inner->setThirdColor(243, 243, 243);
}

}  // namespace s::gui::drawer::listbox::win
