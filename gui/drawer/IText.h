// The text drawer: draws and measures every text a skinned control shows with the
// font it is handed (colours, effect and layout flags come from the font), and keeps
// five text styles that it hands to the controls' fonts.
//
// A text argument is a wide string or a string-resource number in its place (a value
// up to 0xFFFF, loaded from the program's string table); null is empty text.
#pragma once

#include "gui/drawer/IDrawer.h"

namespace s::gui::drawer {

class IText : public base::IObject {
public:
    // Text at the top left of the box (centred on one line with the text flag on), drawn
    // once per pass of the font's text effect.
    virtual void paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* text,
                       IFont* font) = 0;
    // The size the text takes laid out in the box; returns the height.
    virtual int32_t measureInRect(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* text,
                                  IFont* font, int32_t* width, int32_t* height) = 0;
    // For each font i given (the first is required): style i takes the font's size code,
    // then the font takes from style i every property it has not set itself.
    virtual void applyToFonts(IFont* font1, IFont* font2 = nullptr, IFont* font3 = nullptr, IFont* font4 = nullptr,
                              IFont* font5 = nullptr) = 0;
    virtual void applyToFontSettings(IFontSetting* setting1, IFontSetting* setting2 = nullptr,
                                     IFontSetting* setting3 = nullptr, IFontSetting* setting4 = nullptr,
                                     IFontSetting* setting5 = nullptr) = 0;
    // Natural sizes without a box. Word wrap: a = widest word, b = height, c = width of
    // the unbroken lines, d = 0. Otherwise a = c = width (a = 1 with end ellipsis),
    // b = d = height. Padded for the text effect.
    virtual void measure(HDC dc, const wchar_t* text, IFont* font, int32_t* a, int32_t* b, int32_t* c, int32_t* d) = 0;
    virtual IFontSetting* getStyle1() = 0;
    virtual IFontSetting* getStyle2() = 0;
    virtual IFontSetting* getStyle3() = 0;
    virtual IFontSetting* getStyle4() = 0;
    virtual IFontSetting* getStyle5() = 0;
    // On: every text is drawn centred on one line, cut with an ellipsis.
    virtual void setTextFlag(bool flag) = 0;
};

}  // namespace s::gui::drawer

namespace s::gui::drawer::text {
class IBasic : public drawer::IText {};
}  // namespace s::gui::drawer::text
