// A component that holds children and lays them out through a layout manager.
//
//   box->withChild(label)->withChild(button);   // chaining adds
#pragma once

#include "gui/component/IComponent.h"
#include "gui/layout/ILayoutManager.h"

namespace s::gui {

class IContainer : public IComponent {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_gui_IContainer";

    // Default: getLayout()->layoutContainer(this).
    virtual void doLayout() = 0;
    // The own layout manager, else the class default.
    virtual ILayoutManager* getLayout() = 0;
    // Null means the class default.
    virtual void setLayout(ILayoutManager* layout) = 0;

    // Adds a non-null child; answers this container.
    IContainer* withChild(IComponent* child) {
        if (child) addChild(child);
        return this;
    }
    // Adds without the null test.
    IContainer* withChildUnchecked(IComponent* child) {
        addChild(child);
        return this;
    }
};

}  // namespace s::gui
