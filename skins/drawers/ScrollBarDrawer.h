// The scroll bar drawer (see gui/drawer/IScrollBar.h). Layout, hit test and painting
// are in skins/painters/ScrollBarPainter.cpp.
#pragma once

#include "foundation/thread/Pool.h"
#include "gui/drawer/IScrollBar.h"
#include "skins/drawers/BorderDrawer.h"
#include "skins/drawers/ButtonDrawer.h"
#include "skins/drawers/DrawerSupport.h"

namespace s::gui::drawer::scrollbar::win {

class Thin : public scrollbar::IThin, public thread::IPoolable {
    S_POOLED(Thin, L"s_gui_drawer_scrollbar_win_Thin")
public:
    // The parts of the bar, in the order of parts[].
    enum Part { kFirstArrow, kTrackBefore, kThumb, kTrackAfter, kSecondArrow, kSizeBox, kPartCount };

    Thin();

    int32_t hitTest(int32_t x, int32_t y, int32_t left, int32_t top, int32_t right, int32_t bottom, bool horizontal,
                    int32_t range, int32_t page, int32_t position, bool sizeBox) override;
    int32_t positionForDrag(int32_t offset, int32_t startPosition, int32_t left, int32_t top, int32_t right,
                            int32_t bottom, bool horizontal, int32_t range, int32_t page, bool sizeBox) override;
    void paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, bool horizontal, int32_t range,
               int32_t page, int32_t position, int32_t firstArrowState, int32_t thumbState, int32_t secondArrowState,
               bool sizeBox, bool ownTrackColor, int r, int g, int b) override;
    int32_t getWidth() const override { return width; }
    void setWidth(int32_t w) override { width = w; }
    void setColorA(int r, int g, int b) override {
        colorA = skins::rgb(r, g, b);
        buttonDrawer->setLineColor(r, g, b);
    }
    void setColorB(int r, int g, int b) override { colorB = skins::rgb(r, g, b); }

    // Mode 1, colours 120,120,120 and white, width 15 x the screen scale; the owned
    // drawers reset.
    void reset() override;

    int32_t mode = 1;  // frame style: 0 none, 1 small rounding, 2 large rounding
    skins::Owned<button::win::Thin> buttonDrawer{button::win::Thin::createWithColor(120, 120, 120)};
    skins::Owned<border::win::Thin> borderDrawer;
    RECT parts[kPartCount] = {};  // laid out by the painting operations
    COLORREF colorA = RGB(120, 120, 120);
    COLORREF colorB = RGB(255, 255, 255);
    int32_t width = 15;
};

}  // namespace s::gui::drawer::scrollbar::win
