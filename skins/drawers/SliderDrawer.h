// The slider drawer (see gui/drawer/ISlider.h). Painting is in
// skins/painters/SliderPainter.cpp.
#pragma once

#include "foundation/thread/Pool.h"
#include "gui/drawer/ISlider.h"
#include "skins/drawers/BorderDrawer.h"
#include "skins/drawers/DrawerSupport.h"

namespace s::gui::drawer::slider::win {

class Thin : public slider::IThin, public thread::IPoolable {
    S_POOLED(Thin, L"s_gui_drawer_slider_win_Thin")
public:
    Thin() { reset(); }

    void paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t minimum, int32_t maximum,
               int32_t position, bool showFill, int32_t anchor, bool enabled, bool twoThumbs, int32_t secondPosition,
               int32_t bandStyle, int32_t bandA, int32_t bandB) override;
    uint8_t getColorARed() const override { return skins::redOf(colorA); }
    uint8_t getColorAGreen() const override { return skins::greenOf(colorA); }
    uint8_t getColorABlue() const override { return skins::blueOf(colorA); }
    void setColorA(int r, int g, int b) override { colorA = skins::rgb(r, g, b); }
    void setColorB(int r, int g, int b) override { colorB = skins::rgb(r, g, b); }
    void setColorC(int r, int g, int b) override { colorC = skins::rgb(r, g, b); }

    void reset() override;

    int32_t style = 1;
    COLORREF colorA = RGB(176, 176, 176);
    COLORREF colorB = RGB(120, 120, 120);
    COLORREF colorC = RGB(120, 120, 120);
    skins::Owned<border::win::Thin> track;  // shaded off
    skins::Owned<border::win::Thin> thumbs;
};

}  // namespace s::gui::drawer::slider::win
