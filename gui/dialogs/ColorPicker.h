// The system colour dialog as a pooled object (see IColorPicker.h). Colours are
// 0x00RRGGBB here; the dialog itself speaks COLORREF (0x00BBGGRR).
#pragma once

#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/thread/Pool.h"
#include "gui/dialogs/IColorPicker.h"

namespace s::gui::dialogs::win {

class ColorPicker : public base::IObject, public thread::IPoolable, public IColorPicker {
    S_POOLED(ColorPicker, L"s_gui_dialogs_win_ColorPicker")
public:
    ColorPicker() { reset(); }

    bool show(IComponent* owner) override;
    uint32_t getColor() override { return color_; }
    int32_t getRed() override { return red_; }
    int32_t getGreen() override { return green_; }
    int32_t getBlue() override { return blue_; }
    void setInitialColor(int32_t r, int32_t g, int32_t b) override;
    uint32_t getInitialColor() const { return initial_; }

    void reset() override;

private:
    uint32_t color_ = 0xFFFFFF;
    int32_t red_ = 255, green_ = 255, blue_ = 255;
    uint32_t initial_ = 0xFFFFFF;
};

// 0x00RRGGBB <-> COLORREF.
uint32_t colorRefFromRgb(uint32_t rgb);
uint32_t rgbFromColorRef(uint32_t colorRef);

}  // namespace s::gui::dialogs::win
