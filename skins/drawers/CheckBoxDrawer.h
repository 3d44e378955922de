// The check box and radio button drawers (see gui/drawer/ICheckBox.h). Painting is in
// skins/painters/CheckBoxPainter.cpp and skins/painters/RadioButtonPainter.cpp.
#pragma once

#include "foundation/thread/Pool.h"
#include "gui/drawer/ICheckBox.h"
#include "skins/drawers/ButtonDrawer.h"
#include "skins/drawers/DrawerSupport.h"
#include "skins/drawers/TextDrawer.h"

namespace s::gui::drawer::checkbox::win {

class Thin : public checkbox::IThin, public thread::IPoolable {
    S_POOLED(Thin, L"s_gui_drawer_checkbox_win_Thin")
public:
    Thin() { reset(); }

    void setFlag1(bool flag) override { flag1 = flag; }
    void setFlag2(bool flag) override { flag2 = flag; }
    void setColorA(int r, int g, int b) override {
        colorA = skins::rgb(r, g, b);
        caption->getStyle1()->setColor(r, g, b);
    }
    void setTextColor2(int r, int g, int b) override { caption->getStyle2()->setColor(r, g, b); }
    void setColorB(int r, int g, int b) override { colorB = skins::rgb(r, g, b); }
    void setBoxLineColor(int r, int g, int b) override { buttonDrawer->setLineColor(r, g, b); }
    void applyToFonts(IFont* normal, IFont* disabled) override { caption->applyToFonts(normal, disabled); }
    void paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t boxSize, bool checked,
               const wchar_t* text, IFont* font) override;
    void measure(HDC dc, const wchar_t* text, IFont* font, int32_t* a, int32_t* b, int32_t* c, int32_t* d) override;

    void reset() override;

    bool flag1 = true;
    bool flag2 = false;
    int32_t mode = 1;
    COLORREF colorA = RGB(120, 120, 120);
    COLORREF colorB = RGB(120, 120, 120);
    skins::Owned<button::win::Thin> buttonDrawer;
    skins::Owned<text::win::Basic> caption;
};

}  // namespace s::gui::drawer::checkbox::win

namespace s::gui::drawer::radiobutton::win {

class Thin : public radiobutton::IThin, public thread::IPoolable {
    S_POOLED(Thin, L"s_gui_drawer_radiobutton_win_Thin")
public:
    Thin() { reset(); }

    void setFlag(bool f) override { flag = f; }
    void setTextColor1(int r, int g, int b) override { caption->getStyle1()->setColor(r, g, b); }
    void setTextColor2(int r, int g, int b) override { caption->getStyle2()->setColor(r, g, b); }
    void setColorA(int r, int g, int b) override { colorA = skins::rgb(r, g, b); }
    void setColorB(int r, int g, int b) override { colorB = skins::rgb(r, g, b); }
    void applyToFonts(IFont* normal, IFont* disabled) override { caption->applyToFonts(normal, disabled); }
    void paint(HDC dc, HDC scratch, int32_t left, int32_t top, int32_t right, int32_t bottom, bool selected,
               const wchar_t* text, IFont* font, COLORREF fill) override;

    void reset() override;

    bool flag = false;
    COLORREF colorA = RGB(120, 120, 120);
    COLORREF colorB = RGB(53, 185, 56);
    skins::Owned<text::win::Basic> caption;
};

}  // namespace s::gui::drawer::radiobutton::win
