// The button face drawer (see gui/drawer/IButton.h). The face and the glyphs are painted
// in skins/painters/ButtonPainter.cpp and skins/painters/GlyphPainter.cpp.
#pragma once

#include "foundation/thread/Pool.h"
#include "gui/drawer/IButton.h"
#include "skins/drawers/BorderDrawer.h"
#include "skins/drawers/DrawerSupport.h"
#include "skins/drawers/TextDrawer.h"

namespace s::gui::drawer::button::win {

class Thin : public button::IThin, public thread::IPoolable {
    S_POOLED(Thin, L"s_gui_drawer_button_win_Thin")
public:
    Thin() { reset(); }

    // A drawer whose glyph moves with the pointer (press shift on) in the line colour.
    static Thin* createWithColor(int r, int g, int b);
    // The same settings on an existing drawer.
    void configureWithColor(int r, int g, int b);

    void paintFace(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t state,
                   const wchar_t* caption, bool face, IFont* font, bool enabled, bool toggled, bool resting) override;
    void setAuxColor(int r, int g, int b) override { auxColor = skins::rgb(r, g, b); }
    void setAuxFlag1(bool flag) override { auxFlag1 = flag; }
    void setAuxFlag2(bool flag) override { auxFlag2 = flag; }
    void setCornerStyle(int32_t style) override { cornerStyle = style; }
    void setPressShift(bool flag) override { pressShift = flag; }
    uint8_t getLineRed() const override { return skins::redOf(lineColor); }
    uint8_t getLineGreen() const override { return skins::greenOf(lineColor); }
    uint8_t getLineBlue() const override { return skins::blueOf(lineColor); }
    void setLineColor(int r, int g, int b) override { lineColor = skins::rgb(r, g, b); }
    uint8_t getIdleLineRed() const override { return skins::redOf(idleLineColor); }
    uint8_t getIdleLineGreen() const override { return skins::greenOf(idleLineColor); }
    uint8_t getIdleLineBlue() const override { return skins::blueOf(idleLineColor); }
    void setIdleLineColor(int r, int g, int b) override { idleLineColor = skins::rgb(r, g, b); }
    void setToggledLineColor(int r, int g, int b) override { toggledLineColor = skins::rgb(r, g, b); }
    void setFillColor(int r, int g, int b) override { fillColor = skins::rgb(r, g, b); }
    uint8_t getFillRed() const override { return skins::redOf(fillColor); }
    uint8_t getFillGreen() const override { return skins::greenOf(fillColor); }
    uint8_t getFillBlue() const override { return skins::blueOf(fillColor); }
    bool paintGlyph(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* name, int r, int g,
                    int b) override;
    void applyToFonts(IFont* normal, IFont* disabled) override;
    void applyToFontSettings(IFontSetting* normal, IFontSetting* disabled) override;
    IFontSetting* getTextStyle1() override { return text1->getStyle1(); }
    IFontSetting* getTextStyle2() override { return text1->getStyle2(); }
    void applySecondToFonts(IFont* toggled) override;
    void applySecondToFontSettings(IFontSetting* toggled) override;
    IFontSetting* getSecondTextStyle1() override { return text2->getStyle1(); }
    void setShaded(bool flag) override { borderDrawer->setShaded(flag); }

    void reset() override;

    COLORREF auxColor = RGB(213, 235, 107);
    bool auxFlag1 = true;
    bool auxFlag2 = true;
    bool pressShift = false;
    int32_t cornerStyle = 1;
    COLORREF lineColor = RGB(120, 120, 120);
    COLORREF idleLineColor = RGB(120, 120, 120);
    COLORREF toggledLineColor = RGB(120, 120, 120);
    COLORREF fillColor = RGB(120, 120, 120);
    skins::Owned<border::win::Thin> borderDrawer;
    skins::Owned<text::win::Basic> text1;
    skins::Owned<text::win::Basic> text2;
};

}  // namespace s::gui::drawer::button::win
