// An object that places a container's children.
#pragma once

namespace s::gui {

class IContainer;

class ILayoutManager {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_gui_ILayoutManager";

    virtual ~ILayoutManager() = default;
    virtual void layoutContainer(IContainer* container) = 0;
};

}  // namespace s::gui
