// Radio buttons in a real window: a group of one parent where a click checks one and
// unchecks the others (each telling its own lists), setChecked with and without telling,
// and the links that switch other components. Real clicks go through SendInput
// (formtest::clickAt).
#include <windows.h>

#include <gtest/gtest.h>

#include "gui/controls/CheckBoxTestSupport.h"
#include "gui/controls/RadioButton.h"

namespace {

using formtest::clickMiddleOf;
using formtest::EditableFake;
using formtest::Recorder;
using formtest::waitFor;
using s::gui::win::RadioButton;
using testsupport::FakeComponent;

class RadioButtonTest : public formtest::FormWindowTest {
protected:
    struct Watched {
        RadioButton* button;
        Recorder checked, unchecked;
    };
    void makeGroup() {
        const wchar_t* captions[3] = {L"JPEG", L"PNG", L"GIF"};
        for (int i = 0; i < 3; ++i) {
            group[i].button = RadioButton::createWithText(captions[i]);
            group[i].button->addCheckedListener(&group[i].checked);
            group[i].button->addUncheckedListener(&group[i].unchecked);
            attach(group[i].button);
        }
    }
    bool windowChecked(RadioButton* b) { return SendMessageW(b->m_hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    Watched group[3];
};

TEST_F(RadioButtonTest, AClickChecksOneAndTellsEachOtherOnceAndAgainWhenClickedAgain) {
    makeGroup();
    group[0].button->setChecked(true, false);
    ASSERT_TRUE(windowChecked(group[0].button));
    EXPECT_EQ(group[0].checked.count, 0);
    // The platform unchecked the siblings, and they told their own lists: start afresh.
    for (Watched& w : group) {
        w.unchecked.count = 0;
        w.unchecked.codes.clear();
    }

    clickMiddleOf(group[1].button->m_hWnd);
    ASSERT_TRUE(waitFor([&] { return group[1].checked.count == 1 && group[0].unchecked.count == 1; }));
    EXPECT_EQ(group[1].checked.codes[0], 0);
    EXPECT_EQ(group[0].unchecked.codes[0], 0);
    EXPECT_TRUE(group[1].button->isChecked());
    EXPECT_FALSE(group[0].button->isChecked());
    EXPECT_FALSE(group[2].button->isChecked());
    EXPECT_EQ(group[1].unchecked.count, 0);

    // The checked one clicked again tells its checked list again.
    clickMiddleOf(group[1].button->m_hWnd);
    ASSERT_TRUE(waitFor([&] { return group[1].checked.count == 2; }));
    EXPECT_TRUE(group[1].button->isChecked());
}

TEST_F(RadioButtonTest, SetCheckedTellsOnlyWhenAskedAndAlsoWithoutAChange) {
    makeGroup();
    RadioButton* b = group[2].button;
    b->setChecked(true, false);
    EXPECT_TRUE(windowChecked(b));
    EXPECT_EQ(group[2].checked.count, 0);
    b->setChecked(true, true);  // unchanged, still told
    EXPECT_EQ(group[2].checked.count, 1);
    b->setChecked(false, true);
    EXPECT_EQ(group[2].unchecked.count, 1);
    EXPECT_FALSE(b->isChecked());
    EXPECT_EQ(group[2].checked.count, 1);
}

TEST_F(RadioButtonTest, CheckingOneThroughTheSetterUnchecksItsSiblingsWhichTellTheirOwnLists) {
    makeGroup();
    group[0].button->setChecked(true, false);
    group[1].button->setChecked(true, false);
    EXPECT_TRUE(group[1].button->isChecked());
    EXPECT_FALSE(group[0].button->isChecked());
    EXPECT_FALSE(windowChecked(group[0].button));
    // Silence is the setter's own: the unchecked sibling tells its list.
    EXPECT_EQ(group[0].checked.count, 0);
    EXPECT_EQ(group[1].checked.count, 0);
    EXPECT_GE(group[0].unchecked.count, 1);
}

TEST_F(RadioButtonTest, LinksSwitchEnabledAndEditableStatesOnClicks) {
    makeGroup();
    EditableFake quality;
    FakeComponent palette, lossless;
    palette.enabledState = false;
    group[0].button->linkEditableToCheck(&quality);   // JPEG: quality editable
    group[2].button->linkEnabledToCheck(&palette);    // GIF: palette enabled
    group[0].button->linkDisabledToCheck(&lossless);  // JPEG: lossless off

    clickMiddleOf(group[0].button->m_hWnd);
    ASSERT_TRUE(waitFor([&] { return quality.editableState; }));
    EXPECT_FALSE(lossless.enabledState);

    clickMiddleOf(group[2].button->m_hWnd);
    ASSERT_TRUE(waitFor([&] { return palette.enabledState; }));
    EXPECT_FALSE(quality.editableState);  // JPEG unchecked: read-only again
    EXPECT_TRUE(lossless.enabledState);   // and lossless back on

    clickMiddleOf(group[1].button->m_hWnd);
    ASSERT_TRUE(waitFor([&] { return !palette.enabledState; }));
}

TEST_F(RadioButtonTest, AnEmptyCaptionMeasuresZeroWide) {
    RadioButton* empty = attach(RadioButton::createWithText(L""));
    RadioButton* named = attach(RadioButton::createWithText(L"Named"));
    EXPECT_EQ(empty->getMinWidth(), 0);
    EXPECT_GT(named->getMinWidth(), 18);
    EXPECT_GT(named->getMinHeight(), 0);
    // The measured size whatever is asked.
    named->setSizeClamped(500, 3);
    EXPECT_EQ(named->getWidth(), named->getMinWidth());
    EXPECT_EQ(named->getHeight(), named->getMinHeight());
}

TEST(RadioButtonPool, NamesAndAReleasedButtonComeBackWithTheDefaults) {
    RadioButton* b = RadioButton::createWithText(L"x");
    FakeComponent target;
    b->linkEnabledToCheck(&target);
    b->setChecked(true, false);
    EXPECT_STREQ(b->getClassName(), L"s_gui_win_RadioButton");
    b->release();
    RadioButton* again = RadioButton::create();
    EXPECT_FALSE(again->isChecked());
    EXPECT_STREQ(again->getText(), L"");
    EXPECT_TRUE(again->isTransparent());
    again->release();
}

}  // namespace

namespace {

TEST_F(RadioButtonTest, WithADrawerTheMarkIsPaintedOnAFourTimesScratchSurface) {
    formtest::FakeRadioDrawer drawer;
    RadioButton* b = RadioButton::createWithText(L"Smooth");
    b->setDrawer(&drawer, false);
    attach(b);
    drawer.paints = 0;
    b->setChecked(true, false);
    b->repaint();
    ASSERT_TRUE(waitFor([&] { return drawer.paints > 0; }));
    EXPECT_TRUE(drawer.lastChecked);
    EXPECT_EQ(drawer.scratchSize.cx, 52);
    EXPECT_EQ(drawer.scratchSize.cy, 52);
    EXPECT_EQ(drawer.lastFill, RGB(255, 255, 255));
}

}  // namespace
