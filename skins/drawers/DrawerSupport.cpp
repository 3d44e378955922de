#include "skins/drawers/DrawerSupport.h"

namespace s::skins {

void applyStyle(gui::IFontSetting* style, gui::IFont* font) {
    if (!style || !font) return;
    style->setSizeCode(font->getSizeCode());
    font->inheritFromSetting(style);
}

void applyStyle(gui::IFontSetting* style, gui::IFontSetting* setting) {
    if (!style || !setting) return;
    style->setSizeCode(setting->getSizeCode());
    setting->inheritFrom(style);
}

}  // namespace s::skins
