#include "gui/dialogs/ColorPicker.h"

#include <windows.h>

#include "framework/dialogs/ColorDialog.h"
#include "gui/dialogs/DialogOwner.h"

namespace s::gui::dialogs::win {

uint32_t colorRefFromRgb(uint32_t rgb) { return (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF); }

uint32_t rgbFromColorRef(uint32_t colorRef) { return colorRefFromRgb(colorRef); }

void ColorPicker::reset() {
    color_ = 0xFFFFFF;
    red_ = green_ = blue_ = 255;
    initial_ = 0xFFFFFF;
}

void ColorPicker::setInitialColor(int32_t r, int32_t g, int32_t b) {
    initial_ = uint32_t(r & 0xFF) << 16 | uint32_t(g & 0xFF) << 8 | uint32_t(b & 0xFF);
}

bool ColorPicker::show(IComponent* owner) {
    CColorDialog dialog(colorRefFromRgb(initial_), CC_FULLOPEN, ownerWnd(owner));
    if (dialog.DoModal() != IDOK) return false;
    const COLORREF chosen = dialog.GetColor();
    red_ = GetRValue(chosen);
    green_ = GetGValue(chosen);
    blue_ = GetBValue(chosen);
    color_ = uint32_t(red_) << 16 | uint32_t(green_) << 8 | uint32_t(blue_);
    initial_ = color_;  // the next show starts from this choice
    return true;
}

}  // namespace s::gui::dialogs::win
