// Controls in a skinned window: attached, a button and a label take their drawers from
// the current skin, take the new skin's drawers when it changes, and stop listening to
// the skin registry once they are released.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "gui/controls/Button.h"
#include "gui/controls/ControlTestSupport.h"
#include "gui/controls/Label.h"
#include "gui/skin/ISkinner.h"

namespace {

namespace drawer = s::gui::drawer;
using controltest::ControlTest;
using controltest::DrawTextDrawer;
using controltest::RecordingButtonDrawer;
using s::gui::win::Button;
using s::gui::win::Label;

// A skin holding a button drawer and a text drawer; every other kind is absent.
class TwoDrawerSkin : public drawer::ISkin {
public:
    RecordingButtonDrawer button;
    DrawTextDrawer text;

    const wchar_t* getClassName() const override { return L"test_TwoDrawerSkin"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void release() override {}
    void reset() override {}
    const wchar_t* getName() override { return L"Test"; }
    void setName(const wchar_t*) override {}
    drawer::IWindow* getWindowDrawer() override { return nullptr; }
    void setWindowDrawer(drawer::IWindow*) override {}
    drawer::IButton* getButtonDrawer() override { return &button; }
    void setButtonDrawer(drawer::IButton*) override {}
    drawer::IText* getTextDrawer() override { return &text; }
    void setTextDrawer(drawer::IText*) override {}
    drawer::IScrollBar* getScrollBarDrawer() override { return nullptr; }
    void setScrollBarDrawer(drawer::IScrollBar*) override {}
    drawer::ICheckBox* getCheckBoxDrawer() override { return nullptr; }
    void setCheckBoxDrawer(drawer::ICheckBox*) override {}
    drawer::IRadioButton* getRadioButtonDrawer() override { return nullptr; }
    void setRadioButtonDrawer(drawer::IRadioButton*) override {}
    drawer::ISlider* getSliderDrawer() override { return nullptr; }
    void setSliderDrawer(drawer::ISlider*) override {}
    drawer::ICounter* getCounterDrawer() override { return nullptr; }
    void setCounterDrawer(drawer::ICounter*) override {}
    drawer::IListHeader* getListHeaderDrawer() override { return nullptr; }
    void setListHeaderDrawer(drawer::IListHeader*) override {}
    drawer::IListBox* getListBoxDrawer() override { return nullptr; }
    void setListBoxDrawer(drawer::IListBox*) override {}
    drawer::IStatusBar* getStatusBarDrawer() override { return nullptr; }
    void setStatusBarDrawer(drawer::IStatusBar*) override {}
    drawer::IMenu* getMenuDrawer() override { return nullptr; }
    void setMenuDrawer(drawer::IMenu*) override {}
    drawer::ICombo* getComboDrawer() override { return nullptr; }
    void setComboDrawer(drawer::ICombo*) override {}
    drawer::IGroupBox* getGroupBoxDrawer() override { return nullptr; }
    void setGroupBoxDrawer(drawer::IGroupBox*) override {}
    drawer::ITabBox* getTabBoxDrawer() override { return nullptr; }
    void setTabBoxDrawer(drawer::ITabBox*) override {}
};

// Two skins; selecting one tells every listener.
class TwoSkinner : public drawer::ISkinner, public s::base::IObject {
public:
    TwoDrawerSkin skins[2];
    uint32_t current = 0;
    std::vector<s::gui::events::IEventListener*> listeners;

    const wchar_t* getClassName() const override { return L"test_TwoSkinner"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    s::base::IObject* asObject() override { return this; }
    drawer::ISkin* getCurrentSkin() override { return &skins[current]; }
    uint32_t getSkinCount() override { return 2; }
    drawer::ISkin* getSkin(uint32_t i) override { return i < 2 ? &skins[i] : nullptr; }
    const wchar_t* getSkinName(uint32_t) override { return L"Test"; }
    uint32_t getCurrentIndex() override { return current; }
    void selectSkin(uint32_t index) override {
        if (index >= 2 || index == current) return;
        current = index;
        for (size_t i = 0; i < listeners.size(); ++i) listeners[i]->onEvent(this, drawer::kSkinChangedEvent);
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

class SkinnedControlsTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        window->setSkinner(&skinner);
    }
    void TearDown() override {
        ControlTest::TearDown();  // the window and its controls go first
    }
    TwoSkinner skinner;
};

TEST_F(SkinnedControlsTest, ControlsTakeTheirDrawersFromTheCurrentSkin) {
    Button* b = Button::createWithText(L"Skinned", -1, -1);
    Label* l = Label::createWithText(L"Skinned too", false);
    panel->addChild(b);
    panel->addChild(l);
    EXPECT_EQ(b->getDrawer(), &skinner.skins[0].button);
    EXPECT_TRUE(b->isLibraryPainted());
    EXPECT_EQ(l->activeDrawer(), &skinner.skins[0].text);
    EXPECT_GT(skinner.skins[0].text.measures, 0);
    RedrawWindow(b->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(skinner.skins[0].button.faces, 0);

    skinner.selectSkin(1);
    EXPECT_EQ(b->getDrawer(), &skinner.skins[1].button);
    EXPECT_EQ(l->activeDrawer(), &skinner.skins[1].text);
    EXPECT_GT(skinner.skins[1].text.measures, 0);
}

TEST_F(SkinnedControlsTest, AReleasedControlNoLongerHearsSkinChanges) {
    Button* b = Button::createWithText(L"Gone soon", -1, -1);
    Label* l = Label::createWithText(L"Gone soon too", false);
    panel->addChild(b);
    panel->addChild(l);
    ASSERT_TRUE(skinner.listens(b));
    ASSERT_TRUE(skinner.listens(l));
    panel->removeChild(b, false);  // a released button is destroyed at once
    panel->removeChild(l, false);
    EXPECT_FALSE(skinner.listens(b));
    EXPECT_FALSE(skinner.listens(l));
    skinner.selectSkin(1);  // tells only the window
    EXPECT_EQ(skinner.listeners.size(), 1u);
}

}  // namespace
