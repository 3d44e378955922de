// The "Background" group every save-option panel starts with: "Keep Transparency" on its
// own line, then "Fill Color" with the colour chooser row. The two radio buttons sit in
// different boxes, so the group keeps them exclusive itself. A colour change of the row
// is passed on to the group's listeners (code 0).
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
class GroupBox;
class RadioButton;
}  // namespace s::gui::win

namespace s::image::gui::boxes {

class ColorPicker;

class BgGroupBox : public base::IObject, public thread::IPoolable, public ::s::gui::events::IEventListener {
    S_POOLED(BgGroupBox, L"s_image_gui_boxes_BgGroupBox")
public:
    static constexpr int32_t kTitleId = 2000000000;
    static constexpr int32_t kKeepId = 2000001000;
    static constexpr int32_t kFillId = 2000002000;

    BgGroupBox() { reset(); }
    ~BgGroupBox() override;
    void reset() override;

    void setOwner(::s::gui::IWindow* owner);
    // Builds the group (captions by text id when localized) and answers it.
    ::s::gui::win::GroupBox* build(bool localized);
    // Checks "Keep Transparency" (on) or "Fill Color" (off); on is refused while the
    // choice is not allowed.
    void setKeepTransparency(bool on);
    bool isKeepTransparency() const { return keep_; }
    // Off unchecks and disables "Keep Transparency" and chooses "Fill Color".
    void setAllowed(bool allowed);
    bool isAllowed() const { return allowed_; }
    void setColor(int32_t r, int32_t g, int32_t b);
    ColorPicker* getColorPicker() const { return picker_; }
    ::s::gui::win::RadioButton* getKeepButton() const { return keepButton_; }
    ::s::gui::win::RadioButton* getFillButton() const { return fillButton_; }
    void addListener(::s::gui::events::IEventListener* l) { listeners_.push(l); }

    void onEvent(base::IObject* source, int32_t code) override;

private:
    // Checks one radio button, unchecks the other and enables the colour controls
    // while "Fill Color" is chosen.
    void choose(bool keep);

    bool keep_ = true;
    bool allowed_ = true;
    bool choosing_ = false;
    ColorPicker* picker_ = nullptr;
    ::s::gui::win::RadioButton* keepButton_ = nullptr;
    ::s::gui::win::RadioButton* fillButton_ = nullptr;
    col::_array::ArrayP listeners_;
};

}  // namespace s::image::gui::boxes
