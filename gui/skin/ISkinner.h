// The registry of the skins of one skin family, as the toolkit sees it. The skins layer
// makes the only implementation (skins/skinner/Skinner.h); windows and controls reach it
// through this interface, since the toolkit lies below the skins.
//
// A window or control that paints through a skin takes its drawer from the current skin,
// registers as a listener, and takes its drawer again when told of a change:
//   void Button::attachSkin(drawer::ISkinner* skinner) {
//       if (drawer::ISkin* skin = skinner->getCurrentSkin()) setDrawer(skin->getButtonDrawer(), false);
//       skinner->addListener(this);
//   }
//   void Button::onEvent(base::IObject* source, int32_t code) {
//       if (source == skinner_ && code == drawer::kSkinChangedEvent) attachSkin(...);
//   }
// and calls removeListener(this) when it is detached.
#pragma once

#include <cstdint>

#include "foundation/events/IEventListener.h"
#include "gui/skin/ISkin.h"

namespace s::gui::drawer {

// The code of the one event a skinner raises, with the skinner as the source.
constexpr int32_t kSkinChangedEvent = 0;

// The index findSkin reports for a name that no skin has.
constexpr uint32_t kNoSkin = 0xFFFFFFFFu;

class ISkinner {
public:
    virtual ~ISkinner() = default;

    // The skinner as the source object of its events.
    virtual base::IObject* asObject() = 0;

    // The selected skin; null until the first selection and in a skinner without skins.
    virtual ISkin* getCurrentSkin() = 0;
    virtual uint32_t getSkinCount() = 0;
    // The skin at the index, or null when the index is out of range.
    virtual ISkin* getSkin(uint32_t index) = 0;
    // The name the skin had when it was added (a later ISkin::setName does not change it);
    // null when the index is out of range.
    virtual const wchar_t* getSkinName(uint32_t index) = 0;
    // The index of the current skin, or kNoSkin while none is selected.
    virtual uint32_t getCurrentIndex() = 0;

    // Makes the skin at the index current and tells every listener once, unless it is
    // current already. An index out of range changes nothing and tells no listener.
    virtual void selectSkin(uint32_t index) = 0;
    // Selects the first skin whose name equals the text ignoring case, else the skin at
    // index 0; a skinner without skins selects nothing.
    virtual void selectSkinByName(const wchar_t* name) = 0;
    // The index of the first skin whose name equals the text ignoring case; false (and
    // kNoSkin) when none does.
    virtual bool findSkin(const wchar_t* name, uint32_t* index) = 0;

    // Listeners are not owned. A listener is added once however often it is given, and
    // removed by identity.
    virtual void addListener(events::IEventListener* listener) = 0;
    virtual void removeListener(events::IEventListener* listener) = 0;
};

}  // namespace s::gui::drawer
