// Check boxes, radio buttons and combo boxes in a skinned window: attached, they take
// their drawers from the current skin, take the new skin's drawers when it changes, and
// leave the skin registry when they are released.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "gui/controls/CheckBox.h"
#include "gui/controls/CheckBoxTestSupport.h"
#include "gui/controls/ComboBox.h"
#include "gui/controls/RadioButton.h"
#include "gui/drawer/IMenu.h"
#include "gui/skin/ISkinner.h"

namespace {

namespace drawer = s::gui::drawer;
using s::gui::win::CheckBox;
using s::gui::win::ComboBox;
using s::gui::win::RadioButton;

// A closed-field drawer that only counts its paints.
class CountingComboDrawer : public drawer::ICombo {
public:
    std::atomic<int> paints{0};
    const wchar_t* getClassName() const override { return L"test_CountingComboDrawer"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void paint(HDC, int32_t, int32_t, int32_t, int32_t, int32_t, const wchar_t*, s::gui::IFont*, bool) override {
        ++paints;
    }
    void setTextColor1(int, int, int) override {}
    void setTextColor2(int, int, int) override {}
    void setFrameColor(int, int, int) override {}
    void applyToFonts(s::gui::IFont*, s::gui::IFont*) override {}
};

// A skin with the three form-control drawers; every other kind is absent.
class FormSkin : public drawer::ISkin {
public:
    formtest::FakeCheckBoxDrawer check;
    formtest::FakeRadioDrawer radio;
    CountingComboDrawer combo;

    const wchar_t* getClassName() const override { return L"test_FormSkin"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void release() override {}
    void reset() override {}
    const wchar_t* getName() override { return L"Form"; }
    void setName(const wchar_t*) override {}
    drawer::IWindow* getWindowDrawer() override { return nullptr; }
    void setWindowDrawer(drawer::IWindow*) override {}
    drawer::IButton* getButtonDrawer() override { return nullptr; }
    void setButtonDrawer(drawer::IButton*) override {}
    drawer::IText* getTextDrawer() override { return nullptr; }
    void setTextDrawer(drawer::IText*) override {}
    drawer::IScrollBar* getScrollBarDrawer() override { return nullptr; }
    void setScrollBarDrawer(drawer::IScrollBar*) override {}
    drawer::ICheckBox* getCheckBoxDrawer() override { return &check; }
    void setCheckBoxDrawer(drawer::ICheckBox*) override {}
    drawer::IRadioButton* getRadioButtonDrawer() override { return &radio; }
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
    drawer::ICombo* getComboDrawer() override { return &combo; }
    void setComboDrawer(drawer::ICombo*) override {}
    drawer::IGroupBox* getGroupBoxDrawer() override { return nullptr; }
    void setGroupBoxDrawer(drawer::IGroupBox*) override {}
    drawer::ITabBox* getTabBoxDrawer() override { return nullptr; }
    void setTabBoxDrawer(drawer::ITabBox*) override {}
};

// Two form skins; selecting the other one tells every listener.
class FormSkinner : public drawer::ISkinner, public s::base::IObject {
public:
    FormSkin skins[2];
    uint32_t current = 0;
    std::vector<s::gui::events::IEventListener*> listeners;

    const wchar_t* getClassName() const override { return L"test_FormSkinner"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    s::base::IObject* asObject() override { return this; }
    drawer::ISkin* getCurrentSkin() override { return &skins[current]; }
    uint32_t getSkinCount() override { return 2; }
    drawer::ISkin* getSkin(uint32_t i) override { return i < 2 ? &skins[i] : nullptr; }
    const wchar_t* getSkinName(uint32_t) override { return L"Form"; }
    uint32_t getCurrentIndex() override { return current; }
    void selectSkin(uint32_t index) override {
        if (index >= 2 || index == current) return;
        current = index;
        const auto copy = listeners;
        for (auto* l : copy) l->onEvent(this, drawer::kSkinChangedEvent);
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

class CheckBoxSkinTest : public formtest::FormWindowTest {
protected:
    void SetUp() override {
        FormWindowTest::SetUp();
        window->setSkinner(&skinner);
    }
    FormSkinner skinner;
};

TEST_F(CheckBoxSkinTest, FormControlsFollowTheCurrentSkinAndLeaveTheRegistryWhenReleased) {
    CheckBox* box = attach(CheckBox::createWithText(L"Grid", false));
    RadioButton* radio = attach(RadioButton::createWithText(L"Fit"));
    ComboBox* combo = ComboBox::create();
    combo->addItem(s::gui::combobox::ComboBoxItem::createWithText(L"Fast", 0));
    attach(combo);
    EXPECT_EQ(box->getDrawer(), &skinner.skins[0].check);
    EXPECT_EQ(radio->getDrawer(), &skinner.skins[0].radio);
    EXPECT_EQ(combo->getDrawer(), &skinner.skins[0].combo);
    EXPECT_TRUE(combo->isTransparent());
    // The skin's check box drawer measures the box.
    EXPECT_EQ(box->getMinWidth(), 16 + 8 * 4);

    skinner.selectSkin(1);
    EXPECT_EQ(box->getDrawer(), &skinner.skins[1].check);
    EXPECT_EQ(radio->getDrawer(), &skinner.skins[1].radio);
    EXPECT_EQ(combo->getDrawer(), &skinner.skins[1].combo);
    ASSERT_TRUE(formtest::waitFor([&] {
        return skinner.skins[1].check.paints > 0 && skinner.skins[1].radio.paints > 0 &&
               skinner.skins[1].combo.paints > 0;
    }));

    EXPECT_TRUE(skinner.listens(box));
    EXPECT_TRUE(skinner.listens(combo));
    panel->removeChild(box, true);
    panel->removeChild(radio, true);
    panel->removeChild(combo, true);
    EXPECT_FALSE(skinner.listens(box));
    EXPECT_FALSE(skinner.listens(radio));
    EXPECT_FALSE(skinner.listens(combo));
}

}  // namespace
