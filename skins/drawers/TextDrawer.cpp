#include "skins/drawers/TextDrawer.h"

#include "skins/drawers/DrawerSupport.h"

namespace s::gui::drawer::text::win {

void Basic::reset() {
    for (auto& s : styles) s.reset();
    styles[1].setColor(161, 161, 146);
    styles[2].setColor(0, 170, 0);
    styles[2].setUnderline(true);
    for (int i : {3, 4}) {
        styles[i].setColor(170, 170, 0);
        styles[i].setUnderline(true);
    }
    textFlag = false;
}

void Basic::applyToFonts(IFont* font1, IFont* font2, IFont* font3, IFont* font4, IFont* font5) {
    IFont* fonts[5] = {font1, font2, font3, font4, font5};
    for (int i = 0; i < 5; ++i) skins::applyStyle(&styles[i], fonts[i]);
}

void Basic::applyToFontSettings(IFontSetting* setting1, IFontSetting* setting2, IFontSetting* setting3,
                                IFontSetting* setting4, IFontSetting* setting5) {
    IFontSetting* settings[5] = {setting1, setting2, setting3, setting4, setting5};
    for (int i = 0; i < 5; ++i) skins::applyStyle(&styles[i], settings[i]);
}

}  // namespace s::gui::drawer::text::win
