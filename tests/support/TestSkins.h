// Skins and a skinner for toolkit tests. A test skin derives from StubSkin and answers
// only the drawers it holds (every other kind is absent); TwoSkinner holds two of them
// and tells its listeners when the other one is selected.
//
//   struct MySkin : testsupport::StubSkin {
//       FakeButtonDrawer button;
//       drawer::IButton* getButtonDrawer() override { return &button; }
//   };
//   testsupport::TwoSkinner<MySkin> skinner;
//   window->setSkinner(&skinner);
//   skinner.selectSkin(1);
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "gui/skin/ISkinner.h"

namespace testsupport {

class StubSkin : public s::gui::drawer::ISkin {
public:
    const wchar_t* getClassName() const override { return L"test_StubSkin"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void release() override {}
    void reset() override {}
    const wchar_t* getName() override { return L"Test"; }
    void setName(const wchar_t*) override {}
    s::gui::drawer::IWindow* getWindowDrawer() override { return nullptr; }
    void setWindowDrawer(s::gui::drawer::IWindow*) override {}
    s::gui::drawer::IButton* getButtonDrawer() override { return nullptr; }
    void setButtonDrawer(s::gui::drawer::IButton*) override {}
    s::gui::drawer::IText* getTextDrawer() override { return nullptr; }
    void setTextDrawer(s::gui::drawer::IText*) override {}
    s::gui::drawer::IScrollBar* getScrollBarDrawer() override { return nullptr; }
    void setScrollBarDrawer(s::gui::drawer::IScrollBar*) override {}
    s::gui::drawer::ICheckBox* getCheckBoxDrawer() override { return nullptr; }
    void setCheckBoxDrawer(s::gui::drawer::ICheckBox*) override {}
    s::gui::drawer::IRadioButton* getRadioButtonDrawer() override { return nullptr; }
    void setRadioButtonDrawer(s::gui::drawer::IRadioButton*) override {}
    s::gui::drawer::ISlider* getSliderDrawer() override { return nullptr; }
    void setSliderDrawer(s::gui::drawer::ISlider*) override {}
    s::gui::drawer::ICounter* getCounterDrawer() override { return nullptr; }
    void setCounterDrawer(s::gui::drawer::ICounter*) override {}
    s::gui::drawer::IListHeader* getListHeaderDrawer() override { return nullptr; }
    void setListHeaderDrawer(s::gui::drawer::IListHeader*) override {}
    s::gui::drawer::IListBox* getListBoxDrawer() override { return nullptr; }
    void setListBoxDrawer(s::gui::drawer::IListBox*) override {}
    s::gui::drawer::IStatusBar* getStatusBarDrawer() override { return nullptr; }
    void setStatusBarDrawer(s::gui::drawer::IStatusBar*) override {}
    s::gui::drawer::IMenu* getMenuDrawer() override { return nullptr; }
    void setMenuDrawer(s::gui::drawer::IMenu*) override {}
    s::gui::drawer::ICombo* getComboDrawer() override { return nullptr; }
    void setComboDrawer(s::gui::drawer::ICombo*) override {}
    s::gui::drawer::IGroupBox* getGroupBoxDrawer() override { return nullptr; }
    void setGroupBoxDrawer(s::gui::drawer::IGroupBox*) override {}
    s::gui::drawer::ITabBox* getTabBoxDrawer() override { return nullptr; }
    void setTabBoxDrawer(s::gui::drawer::ITabBox*) override {}
};

template <class Skin>
class TwoSkinner : public s::gui::drawer::ISkinner, public s::base::IObject {
public:
    Skin skins[2];
    uint32_t current = 0;
    std::vector<s::gui::events::IEventListener*> listeners;

    const wchar_t* getClassName() const override { return L"test_TwoSkinner"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    s::base::IObject* asObject() override { return this; }
    s::gui::drawer::ISkin* getCurrentSkin() override { return &skins[current]; }
    uint32_t getSkinCount() override { return 2; }
    s::gui::drawer::ISkin* getSkin(uint32_t i) override { return i < 2 ? &skins[i] : nullptr; }
    const wchar_t* getSkinName(uint32_t) override { return L"Test"; }
    uint32_t getCurrentIndex() override { return current; }
    void selectSkin(uint32_t index) override {
        if (index >= 2 || index == current) return;
        current = index;
        const auto copy = listeners;  // a listener may leave while it is told
        for (auto* l : copy) l->onEvent(this, s::gui::drawer::kSkinChangedEvent);
    }
    void selectSkinByName(const wchar_t*) override {}
    bool findSkin(const wchar_t*, uint32_t*) override { return false; }
    void addListener(s::gui::events::IEventListener* l) override {
        if (std::find(listeners.begin(), listeners.end(), l) == listeners.end()) listeners.push_back(l);
    }
    void removeListener(s::gui::events::IEventListener* l) override {
        listeners.erase(std::remove(listeners.begin(), listeners.end(), l), listeners.end());
    }
    bool listens(s::gui::events::IEventListener* l) const {
        return std::find(listeners.begin(), listeners.end(), l) != listeners.end();
    }
};

}  // namespace testsupport
