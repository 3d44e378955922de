#include "gui/layout/LayoutManagers.h"

#include "gui/layout/Layouts.h"

namespace s::gui::layout {

namespace {

// The one instance of a layout class that serves as a class default, never released.
template <class T>
T* sharedInstance() {
    static T* instance = new T();
    return instance;
}

}  // namespace

void Vertical::layoutContainer(IContainer* container) { layoutComponents(container, LayoutKind::kColumn, {}); }
Vertical* Vertical::shared() { return sharedInstance<Vertical>(); }

void FlowH::layoutContainer(IContainer* container) { layoutComponents(container, LayoutKind::kFlow, {}); }
FlowH* FlowH::shared() { return sharedInstance<FlowH>(); }

void Pile::layoutContainer(IContainer* container) { layoutComponents(container, LayoutKind::kPile, {}); }
Pile* Pile::shared() { return sharedInstance<Pile>(); }

}  // namespace s::gui::layout
