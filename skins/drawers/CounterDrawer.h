// The counter history drawer (see gui/drawer/ICounter.h). Painting is in
// skins/painters/CounterPainter.cpp.
#pragma once

#include "foundation/thread/Pool.h"
#include "gui/drawer/ICounter.h"
#include "skins/drawers/DrawerSupport.h"

namespace s::gui::drawer::counter::win {

class Basic : public counter::IBasic, public thread::IPoolable {
    S_POOLED(Basic, L"s_gui_drawer_counter_win_Basic")
public:
    static constexpr COLORREF kNone = 0xFFFFFFFF;

    Basic() { reset(); }

    void setBackgroundColor(int r, int g, int b) override {
        background = skins::rgb(r, g, b);
        transparent = false;
    }
    uint8_t getColorARed() const override { return skins::redOf(colorA); }
    uint8_t getColorAGreen() const override { return skins::greenOf(colorA); }
    uint8_t getColorABlue() const override { return skins::blueOf(colorA); }
    void setColorA(int r, int g, int b) override { colorA = skins::rgb(r, g, b); }
    uint8_t getColorBRed() const override { return skins::redOf(colorB); }
    uint8_t getColorBGreen() const override { return skins::greenOf(colorB); }
    uint8_t getColorBBlue() const override { return skins::blueOf(colorB); }
    void setColorB(int r, int g, int b) override { colorB = skins::rgb(r, g, b); }
    void paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t style,
               const CounterHistory* first, const CounterHistory* second, bool swapColors) override;

    void reset() override {
        transparent = true;
        background = colorA = colorB = kNone;
    }

    bool transparent = true;
    COLORREF background = kNone;
    COLORREF colorA = kNone;
    COLORREF colorB = kNone;
};

}  // namespace s::gui::drawer::counter::win
