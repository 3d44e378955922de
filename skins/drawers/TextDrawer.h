// The text drawer (see gui/drawer/IText.h). Painting and measuring are in
// skins/painters/TextPainter.cpp.
#pragma once

#include "foundation/thread/Pool.h"
#include "gui/drawer/IText.h"
#include "gui/fonts/FontSetting.h"

namespace s::gui::drawer::text::win {

class Basic : public text::IBasic, public thread::IPoolable {
    S_POOLED(Basic, L"s_gui_drawer_text_win_Basic")
public:
    Basic() { reset(); }

    void paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* text,
               IFont* font) override;
    int32_t measureInRect(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* text,
                          IFont* font, int32_t* width, int32_t* height) override;
    void applyToFonts(IFont* font1, IFont* font2 = nullptr, IFont* font3 = nullptr, IFont* font4 = nullptr,
                      IFont* font5 = nullptr) override;
    void applyToFontSettings(IFontSetting* setting1, IFontSetting* setting2 = nullptr, IFontSetting* setting3 = nullptr,
                             IFontSetting* setting4 = nullptr, IFontSetting* setting5 = nullptr) override;
    void measure(HDC dc, const wchar_t* text, IFont* font, int32_t* a, int32_t* b, int32_t* c, int32_t* d) override;
    IFontSetting* getStyle1() override { return &styles[0]; }
    IFontSetting* getStyle2() override { return &styles[1]; }
    IFontSetting* getStyle3() override { return &styles[2]; }
    IFontSetting* getStyle4() override { return &styles[3]; }
    IFontSetting* getStyle5() override { return &styles[4]; }
    void setTextFlag(bool flag) override { textFlag = flag; }

    // Styles to defaults; style 2 grey-green, style 3 green and underlined, styles 4
    // and 5 olive and underlined; text flag off.
    void reset() override;

    gui::win::FontSetting styles[5];
    bool textFlag = false;
};

}  // namespace s::gui::drawer::text::win
