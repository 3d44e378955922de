// The pooled font with its GDI handle (see IFont.h). The pool keeps no free fonts:
// a released Font is destroyed at once with its HFONT.
#pragma once

#include "foundation/thread/Pool.h"
#include "gui/fonts/FontProperties.h"

namespace s::gui::win {

class Font : public FontProperties<IFont>, public thread::IPoolable {
    S_POOLED_CAP(Font, L"s_gui_win_Font", 0)
public:
    Font();
    ~Font() override;
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // A new font carrying every field of the description, its handle made.
    static Font* createFrom(const FontDescription& description);

    int32_t measureHeight() override;
    void inheritFromSetting(const IFontSetting* setting) override { inheritProperties(setting); }
    void inheritFromFont(const IFont* font) override { inheritProperties(font); }
    HFONT getHandle() const override { return handle_; }
    void recreate() override;
    void setBoundDC(HDC dc) override { boundDc_ = dc; }

    // Defaults of FontDescription::reset, handle re-made, no bound DC.
    void reset() override;

protected:
    void onChanged() override { recreate(); }
    void onColorChanged() override {
        if (boundDc_) SetTextColor(boundDc_, d_.color);
    }

private:
    HFONT handle_ = nullptr;
    HDC boundDc_ = nullptr;
};

}  // namespace s::gui::win
