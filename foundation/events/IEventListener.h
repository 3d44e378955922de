// The receiver of every notification of the toolkit: windows, panels and controls raise
// events, and the localizer and the skinner tell their listeners of changes, by calling
// onEvent with the source object and an integer event code.
#pragma once

#include <cstdint>

namespace s::base {
class IObject;
}

namespace s::gui::events {

class IEventListener {
public:
    virtual ~IEventListener() = default;
    virtual void onEvent(base::IObject* source, int32_t code) = 0;
};

}  // namespace s::gui::events
