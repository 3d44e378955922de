// A control that shows its text in one font of its own: the text-font operations
// (ITextFont) read and change that font, and every change calls fontChanged, where the
// control gives its window the font again or measures itself.
//
//   class Field : public SingleFontControl<ITextField, CEdit> {
//       void fontChanged() override { SetFont(font_.getHandle(), TRUE); updateSize(); }
//   };
#pragma once

#include "gui/controls/Control.h"
#include "gui/fonts/Font.h"

namespace s::gui::win {

template <class Interface, class Wnd>
class SingleFontControl : public Control<Interface, Wnd> {
public:
    void setSizeCode(int32_t code) override {
        change([&] { font_.setSizeCode(code); });
    }
    const wchar_t* getFace() override { return font_.getFace(); }
    void setFace(const wchar_t* face) override {
        change([&] { font_.setFace(face); });
    }
    uint32_t getTextColor() override { return font_.getColor(); }
    void setTextColor(int32_t r, int32_t g, int32_t b) override {
        change([&] { font_.setColor(r, g, b); });
    }
    int32_t getFontHeight() override { return font_.getHeight(); }
    void setFontHeight(int32_t h) override {
        change([&] { font_.setHeight(h); });
    }
    int32_t getFontWidth() override { return font_.getWidth(); }
    void setFontWidth(int32_t w) override {
        change([&] { font_.setWidth(w); });
    }
    bool isBold() override { return font_.isBold(); }
    void setBold(bool on) override {
        change([&] { font_.setBold(on); });
    }
    bool isItalic() override { return font_.isItalic(); }
    void setItalic(bool on) override {
        change([&] { font_.setItalic(on); });
    }
    bool isUnderline() override { return font_.isUnderline(); }
    void setUnderline(bool on) override {
        change([&] { font_.setUnderline(on); });
    }
    bool isStrikeOut() override { return font_.isStrikeOut(); }
    void setStrikeOut(bool on) override {
        change([&] { font_.setStrikeOut(on); });
    }
    int32_t getWeight() override { return font_.getWeight(); }
    void setWeight(int32_t weight) override {
        change([&] { font_.setWeight(weight); });
    }

protected:
    // After each change of the font.
    virtual void fontChanged() = 0;
    uint32_t textColor() override { return font_.getColor(); }

    template <class F>
    void change(F apply) {
        apply();
        fontChanged();
    }

    Font font_;
};

}  // namespace s::gui::win
