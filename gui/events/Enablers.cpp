#include "gui/events/Enablers.h"

#include "gui/component/IComponent.h"

namespace s::gui::events {

void Switcher::addComponent(IComponent* component) {
    if (component) components_.push(component);
}

void Switcher::onEvent(base::IObject* source, int32_t) {
    if (!source_ || source != asObject(source_)) return;
    for (uint32_t i = 0; i < components_.count(); ++i) {
        auto* component = static_cast<IComponent*>(components_.get(i));
        switch (action_) {
            case Action::kEnable: component->setEnabled(true); break;
            case Action::kDisable: component->setEnabled(false); break;
            case Action::kMakeEditable: component->setEditable(true); break;
            case Action::kMakeReadOnly: component->setEditable(false); break;
        }
    }
}

void Switcher::reset() {
    source_ = nullptr;
    components_.clear();
}

}  // namespace s::gui::events
