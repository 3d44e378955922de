// Listeners that switch other components on or off (Enabler, Disabler), or make them
// editable or read-only (Editabler, UnEditabler), when a watched component raises an
// event (check boxes and radio buttons bind the state of other components to their
// check state with them).
//
//   s::gui::events::Enabler* on = s::gui::events::Enabler::create();
//   on->setSource(checkBox);
//   on->addComponent(qualityField);
//   checkBox->addCheckedListener(on);   // checking enables the field
//
// Neither the source nor the listed components are owned.
#pragma once

#include "foundation/base/Object.h"
#include "foundation/col/Array.h"
#include "foundation/events/IEventListener.h"
#include "foundation/thread/Pool.h"

namespace s::gui {
class IComponent;
}

namespace s::gui::events {

// What they share: the watched source and the components to switch.
class Switcher : public IEventListener, public base::IObject, public thread::IPoolable {
public:
    void setSource(IComponent* source) { source_ = source; }
    IComponent* getSource() const { return source_; }
    void addComponent(IComponent* component);
    uint32_t componentCount() const { return components_.count(); }

    // From the watched source, whatever the code: every listed component is switched, in
    // order. Events from other sources do nothing.
    void onEvent(base::IObject* source, int32_t code) override;
    // Source null, list emptied.
    void reset() override;

protected:
    // What a switch does to each listed component.
    enum class Action { kEnable, kDisable, kMakeEditable, kMakeReadOnly };
    explicit Switcher(bool enable) : action_(enable ? Action::kEnable : Action::kDisable) {}
    explicit Switcher(Action action) : action_(action) {}

private:
    const Action action_;
    IComponent* source_ = nullptr;
    col::_array::ArrayP components_;
};

class Enabler : public Switcher {
    S_POOLED(Enabler, L"s_gui_events_Enabler")
public:
    Enabler() : Switcher(true) {}
};

class Disabler : public Switcher {
    S_POOLED(Disabler, L"s_gui_events_Disabler")
public:
    Disabler() : Switcher(false) {}
};

// Makes the listed components editable (IComponent::setEditable(true)).
class Editabler : public Switcher {
    S_POOLED(Editabler, L"s_gui_events_Editabler")
public:
    Editabler() : Switcher(Action::kMakeEditable) {}
};

// Makes the listed components read-only (IComponent::setEditable(false)).
class UnEditabler : public Switcher {
    S_POOLED(UnEditabler, L"s_gui_events_UnEditabler")
public:
    UnEditabler() : Switcher(Action::kMakeReadOnly) {}
};

}  // namespace s::gui::events
