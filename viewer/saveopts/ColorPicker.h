// The colour chooser row of the save-option panels: "# ", six hexadecimal digits, a
// framed swatch and a " Change Color " button that opens the colour dialog. Colours are
// 0x00RRGGBB. A colour taken from the dialog or typed as six digits is shown in the
// swatch and told to the listeners (code 0).
//
//   ColorPicker* row = ColorPicker::create();
//   row->setOwner(window);
//   parentRow->addChild(row->build(localized));
//   row->setColor(255, 128, 0);      // the field shows "FF8000"
#pragma once

#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/col/Array.h"
#include "foundation/events/IEventListener.h"
#include "foundation/thread/Pool.h"

namespace s::gui {
class IWindow;
}
namespace s::gui::win {
class Box;
class Button;
class Label;
class TextField;
}  // namespace s::gui::win

namespace s::image::gui::boxes {

class ColorPicker : public base::IObject, public thread::IPoolable, public ::s::gui::events::IEventListener {
    S_POOLED(ColorPicker, L"s_image_gui_boxes_ColorPicker")
public:
    static constexpr int32_t kChangeColorTextId = 2000003000;

    ColorPicker() { reset(); }
    void reset() override;

    void setOwner(::s::gui::IWindow* owner) { owner_ = owner; }
    // Builds the row (the button's caption by text id when localized) and answers it.
    ::s::gui::win::Box* build(bool localized);
    // Stores the colour, writes it into the field (without notifying) and paints the swatch.
    void setColor(int32_t r, int32_t g, int32_t b);
    uint32_t getColor() const { return color_; }
    int32_t getRed() const { return int32_t(color_ >> 16 & 0xFF); }
    int32_t getGreen() const { return int32_t(color_ >> 8 & 0xFF); }
    int32_t getBlue() const { return int32_t(color_ & 0xFF); }
    void addListener(::s::gui::events::IEventListener* l) { listeners_.push(l); }

    ::s::gui::win::TextField* getField() const { return field_; }
    ::s::gui::win::Button* getButton() const { return button_; }
    ::s::gui::win::Box* getSwatch() const { return swatch_; }

    // The button opens the dialog; the field's changes are read as six digits.
    void onEvent(base::IObject* source, int32_t code) override;

    // Six hexadecimal digits (either case) as 0x00RRGGBB; false for any other text.
    static bool parseHex(const wchar_t* text, uint32_t* color);

private:
    void paintSwatch();
    void tellListeners();

    uint32_t color_ = 0xFFFFFF;
    ::s::gui::IWindow* owner_ = nullptr;
    ::s::gui::win::Label* label_ = nullptr;
    ::s::gui::win::TextField* field_ = nullptr;
    ::s::gui::win::Box* swatch_ = nullptr;
    ::s::gui::win::Button* button_ = nullptr;
    col::_array::ArrayP listeners_;
};

}  // namespace s::image::gui::boxes
