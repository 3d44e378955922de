#include "gui/events/Enablers.h"

#include "gui/component/IComponent.h"

namespace s::gui::events {

void Switcher::addComponent(IComponent* component) {
    if (component) components_.push(component);
}

void Switcher::onEvent(base::IObject* source, int32_t) {
    if (!source_ || source != asObject(source_)) return;
    for (uint32_t i = 0; i < components_.count(); ++i)
        static_cast<IComponent*>(components_.get(i))->setEnabled(enable_);
}

void Switcher::reset() {
    source_ = nullptr;
    components_.clear();
}

}  // namespace s::gui::events
