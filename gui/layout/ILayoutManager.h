// An object that places a container's children. Layout objects are pooled and released
// through their pool facet when their container lets them go.
#pragma once

#include "foundation/base/Object.h"
#include "foundation/thread/Pool.h"

namespace s::gui {

class IContainer;

class ILayoutManager : public base::IObject, public thread::IPoolable {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_gui_ILayoutManager";

    virtual void layoutContainer(IContainer* container) = 0;
};

}  // namespace s::gui
