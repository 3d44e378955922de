// The pooled font description without a GDI handle (see IFontSetting.h).
#pragma once

#include "foundation/thread/Pool.h"
#include "gui/fonts/FontProperties.h"

namespace s::gui::win {

class FontSetting : public FontProperties<IFontSetting>, public thread::IPoolable {
    S_POOLED(FontSetting, L"s_gui_win_FontSetting")
public:
    FontSetting() { d_.reset(); }

    uint8_t getColorRed() const override { return GetRValue(d_.color); }
    uint8_t getColorGreen() const override { return GetGValue(d_.color); }
    uint8_t getColorBlue() const override { return GetBValue(d_.color); }
    void inheritFrom(const IFontSetting* other) override { inheritProperties(other); }
    IFont* createFont() const override;

    void reset() override { d_.reset(); }
};

}  // namespace s::gui::win
