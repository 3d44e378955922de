// The save-option panel of one output format, opened by that format's encode setting:
//
//   box->setOwner(window);                    // may be null: the panel uses English texts
//   s::gui::IComponent* panel = box->buildPanel();
#pragma once

#include "foundation/base/Object.h"

namespace s::gui {
class IComponent;
class IWindow;
}  // namespace s::gui

namespace s::image::gui {

class IEncodeSettingBox : public base::IObject {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_image_gui_IEncodeSettingBox";

    // Records the owner window in the panel, its background group and colour row.
    virtual void setOwner(::s::gui::IWindow* owner) = 0;
    // Builds the controls from the bound setting's values and returns the panel.
    virtual ::s::gui::IComponent* buildPanel() = 0;
    virtual const wchar_t* getName() = 0;
    virtual void setName(const wchar_t* name) = 0;
};

}  // namespace s::image::gui
