// Small pieces every drawer class shares: colours from red, green and blue, the owned
// sub-drawer holder, and handing a text style to a font or font setting.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>

#include "gui/fonts/IFont.h"
#include "gui/fonts/IFontSetting.h"

namespace s::skins {

// A COLORREF from red, green and blue (the low byte of each).
inline COLORREF rgb(int r, int g, int b) { return RGB(r & 0xFF, g & 0xFF, b & 0xFF); }
inline uint8_t redOf(COLORREF c) { return GetRValue(c); }
inline uint8_t greenOf(COLORREF c) { return GetGValue(c); }
inline uint8_t blueOf(COLORREF c) { return GetBValue(c); }

// A sub-drawer taken from its pool when the owner is made, reset with the owner (the
// owner's reset calls reset()) and given back when the owner is destroyed. Never
// handed out as owned.
template <class T>
class Owned {
public:
    Owned() : p_(T::create()) {}
    explicit Owned(T* made) : p_(made) {}
    ~Owned() {
        if (p_) p_->release();
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    void reset() {
        if (p_) p_->reset();
    }

private:
    T* p_;
};

// The style takes the target's size code, then the target takes from the style every
// property it has not set itself (so the control's own choices win). Null is ignored.
void applyStyle(gui::IFontSetting* style, gui::IFont* font);
void applyStyle(gui::IFontSetting* style, gui::IFontSetting* setting);

}  // namespace s::skins
