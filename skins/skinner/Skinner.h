// The registry of the skins of one skin family: the skins, the names they were added
// under, the selected skin, and the windows and controls to tell when another skin is
// selected. The application makes one for the family "ThinWindow":
//   Skinner* skinner = Skinner::create();
//   skinner->familyName()->setText(L"ThinWindow");
//   skinner->registerBuiltinSkins();
//   skinner->selectSkinByName(storedName);   // "White" when nothing is stored
// Windows and controls use it through gui/skin/ISkinner.h.
#pragma once

#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/col/Array.h"
#include "foundation/str/StrArray.h"
#include "foundation/str/StrBuffer.h"
#include "foundation/thread/Pool.h"
#include "gui/skin/ISkinner.h"

namespace s::gui::drawer {

class Skinner final : public base::IObject, public thread::IPoolable, public ISkinner {
    S_POOLED(Skinner, L"s_gui_drawer_Skinner")

public:
    Skinner();
    ~Skinner() override;
    Skinner(const Skinner&) = delete;
    Skinner& operator=(const Skinner&) = delete;

    // The family whose built-in skins registerBuiltinSkins makes ("Basic" after reset:
    // none); set its text before registering.
    str::strbuffer::StrBuffer* familyName() { return familyName_; }

    // Appends the skin (not null) under the name it has now; the skinner owns it from here.
    bool addSkin(ISkin* skin);
    // Makes and adds the built-in skins of the family: "Thin" (13) or "ThinWindow" (16),
    // case ignored; any other family adds nothing. Selects nothing. Each call adds the
    // whole set again.
    void registerBuiltinSkins();

    // ISkinner
    base::IObject* asObject() override { return this; }
    ISkin* getCurrentSkin() override { return current_; }
    uint32_t getSkinCount() override { return skins_.count(); }
    ISkin* getSkin(uint32_t index) override;
    const wchar_t* getSkinName(uint32_t index) override;
    uint32_t getCurrentIndex() override;
    void selectSkin(uint32_t index) override;
    void selectSkinByName(const wchar_t* name) override;
    bool findSkin(const wchar_t* name, uint32_t* index) override;
    void addListener(events::IEventListener* listener) override;
    void removeListener(events::IEventListener* listener) override;
    uint32_t getListenerCount() const { return listeners_.count(); }

    // Releases every skin to its pool, forgets the names, the selection and the listeners
    // (which are not told), and sets the family back to "Basic".
    void reset() override;

private:
    str::strbuffer::StrBuffer* familyName_;
    col::_array::ArrayP skins_;
    str::strarray::StrArray skinNames_;
    ISkin* current_ = nullptr;
    col::_array::ArrayP listeners_;
};

}  // namespace s::gui::drawer
