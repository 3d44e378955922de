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
#include "support/TestSkins.h"

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
class FormSkin : public testsupport::StubSkin {
public:
    formtest::FakeCheckBoxDrawer check;
    formtest::FakeRadioDrawer radio;
    CountingComboDrawer combo;

    drawer::ICheckBox* getCheckBoxDrawer() override { return &check; }
    drawer::IRadioButton* getRadioButtonDrawer() override { return &radio; }
    drawer::ICombo* getComboDrawer() override { return &combo; }
};

using FormSkinner = testsupport::TwoSkinner<FormSkin>;

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
