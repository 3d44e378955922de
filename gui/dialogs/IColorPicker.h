// The system colour dialog. Colours are 0x00RRGGBB here.
//
//   IColorPicker* picker = ColorPicker::create();
//   picker->setInitialColor(255, 128, 0);
//   if (picker->show(window)) use(picker->getColor());
#pragma once

#include <cstdint>

namespace s::gui {
class IComponent;
}

namespace s::gui::dialogs {

class IColorPicker {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_gui_dialogs_IColorPicker";

    virtual ~IColorPicker() = default;
    // Blocks until the dialog ends; true when a colour was chosen.
    virtual bool show(IComponent* owner) = 0;
    virtual uint32_t getColor() = 0;
    virtual int32_t getRed() = 0;
    virtual int32_t getGreen() = 0;
    virtual int32_t getBlue() = 0;
    // Initial colour r << 16 | g << 8 | b.
    virtual void setInitialColor(int32_t r, int32_t g, int32_t b) = 0;
};

}  // namespace s::gui::dialogs
