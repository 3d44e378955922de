// The window frame drawer (see gui/drawer/IWindow.h). Painting and the region are in
// skins/painters/WindowPainter.cpp.
#pragma once

#include "foundation/thread/Pool.h"
#include "gui/drawer/IWindow.h"
#include "skins/drawers/DrawerSupport.h"

namespace s::gui::drawer::window::win {

class Thin : public window::IThin, public thread::IPoolable {
    S_POOLED(Thin, L"s_gui_drawer_window_win_Thin")
public:
    Thin() { reset(); }

    // Both corner styles 0, the frame colour, then the background colour (which clears
    // the transparent flag). The two leading arguments are not used.
    static Thin* createWithColors(int32_t unused1, int32_t unused2, int frameR, int frameG, int frameB, int backR,
                                  int backG, int backB);

    void paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    HRGN createRegion(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    COLORREF getBackgroundColor() const override { return background; }
    uint8_t getBackgroundRed() const override { return skins::redOf(background); }
    uint8_t getBackgroundGreen() const override { return skins::greenOf(background); }
    uint8_t getBackgroundBlue() const override { return skins::blueOf(background); }
    void setBackgroundColor(int r, int g, int b) override {
        background = skins::rgb(r, g, b);
        transparent = false;
    }
    uint8_t getFrameRed() const override { return skins::redOf(frame); }
    uint8_t getFrameGreen() const override { return skins::greenOf(frame); }
    uint8_t getFrameBlue() const override { return skins::blueOf(frame); }
    void setFrameColor(int r, int g, int b) override { frame = skins::rgb(r, g, b); }
    void setTopCornerStyle(int32_t style) override { topCornerStyle = style; }
    void setBottomCornerStyle(int32_t style) override { bottomCornerStyle = style; }

    void reset() override;

    int32_t topCornerStyle = 0;
    int32_t bottomCornerStyle = 0;
    bool transparent = true;
    COLORREF background = RGB(255, 255, 255);
    COLORREF frame = RGB(120, 120, 120);
};

}  // namespace s::gui::drawer::window::win
