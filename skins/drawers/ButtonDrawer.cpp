#include "skins/drawers/ButtonDrawer.h"

namespace s::gui::drawer::button::win {

Thin* Thin::createWithColor(int r, int g, int b) {
    Thin* d = create();
    if (d) d->configureWithColor(r, g, b);
    return d;
}

void Thin::configureWithColor(int r, int g, int b) {
    auxFlag2 = true;
    auxFlag1 = false;
    pressShift = true;
    setLineColor(r, g, b);
}

void Thin::reset() {
    auxColor = RGB(213, 235, 107);
    auxFlag1 = auxFlag2 = true;
    pressShift = false;
    cornerStyle = 1;
    lineColor = idleLineColor = toggledLineColor = fillColor = RGB(120, 120, 120);
    borderDrawer.reset();
    for (auto* t : {text1.get(), text2.get()}) {
        if (!t) continue;
        t->reset();
        t->setTextFlag(true);
    }
}

void Thin::applyToFonts(IFont* normal, IFont* disabled) { text1->applyToFonts(normal, disabled); }

void Thin::applyToFontSettings(IFontSetting* normal, IFontSetting* disabled) {
    text1->applyToFontSettings(normal, disabled);
}

void Thin::applySecondToFonts(IFont* toggled) { text2->applyToFonts(toggled); }

void Thin::applySecondToFontSettings(IFontSetting* toggled) { text2->applyToFontSettings(toggled); }

}  // namespace s::gui::drawer::button::win
