// Check boxes in a real window: the user's clicks tell the lists and run the linked
// enablers, a state set by a caller tells nobody, the caption shows ampersands as they
// are, and enabled changes reach the enable and disable lists. Real clicks go through
// SendInput (formtest::clickAt).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "gui/controls/CheckBox.h"
#include "gui/controls/CheckBoxTestSupport.h"

namespace {

using formtest::clickMiddleOf;
using formtest::Recorder;
using formtest::waitFor;
using s::gui::win::CheckBox;
using testsupport::FakeComponent;

class CheckBoxTest : public formtest::FormWindowTest {
protected:
    bool windowChecked(CheckBox* box) { return SendMessageW(box->m_hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED; }
};

TEST_F(CheckBoxTest, SetCheckedTellsNobodyButTheUsersClickTellsAndRunsTheEnabler) {
    CheckBox* box = CheckBox::createWithText(L"Resize", false);
    Recorder checked, unchecked;
    box->addCheckedListener(&checked);
    box->addUncheckedListener(&unchecked);
    FakeComponent target;
    target.enabledState = false;
    box->bindEnabled(&target);
    attach(box);

    box->setChecked(true);
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(windowChecked(box));
    EXPECT_EQ(checked.count, 0);
    EXPECT_FALSE(target.enabledState);  // the caller sets the first state itself

    box->setChecked(false);
    EXPECT_FALSE(windowChecked(box));
    EXPECT_EQ(unchecked.count, 0);

    clickMiddleOf(box->m_hWnd);
    ASSERT_TRUE(waitFor([&] { return checked.count == 1; }));
    EXPECT_EQ(checked.codes[0], s::gui::CheckBoxEvent::kChecked);
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(target.enabledState);

    clickMiddleOf(box->m_hWnd);
    ASSERT_TRUE(waitFor([&] { return unchecked.count == 1; }));
    EXPECT_EQ(unchecked.codes[0], s::gui::CheckBoxEvent::kUnchecked);
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(target.enabledState);
    EXPECT_EQ(checked.count, 1);
}

TEST_F(CheckBoxTest, ABoxCheckedBeforeAttachmentShowsItAndTheFirstClickTellsTheUncheckedList) {
    CheckBox* box = CheckBox::createWithText(L"Keep", true);
    Recorder checked, unchecked;
    box->addCheckedListener(&checked);
    box->addUncheckedListener(&unchecked);
    attach(box);
    EXPECT_TRUE(windowChecked(box));
    EXPECT_EQ(checked.count + unchecked.count, 0);

    clickMiddleOf(box->m_hWnd);
    ASSERT_TRUE(waitFor([&] { return unchecked.count == 1; }));
    EXPECT_EQ(checked.count, 0);
    EXPECT_FALSE(box->isChecked());
}

TEST_F(CheckBoxTest, InverseLinksAndTwoTargetsShareOneSwitchPerList) {
    CheckBox* box = CheckBox::createWithText(L"Automatic", false);
    FakeComponent first, second, inverse;
    box->bindEnabled(&first);
    box->bindEnabled(&second);
    box->bindEnabledInverse(&inverse);
    first.enabledState = second.enabledState = false;
    inverse.enabledState = true;
    attach(box);

    clickMiddleOf(box->m_hWnd);
    ASSERT_TRUE(waitFor([&] { return second.enabledState; }));
    EXPECT_TRUE(first.enabledState);
    EXPECT_FALSE(inverse.enabledState);
    // One Enabler holds both targets: each was switched exactly once.
    EXPECT_EQ(first.switches, 1);
    EXPECT_EQ(second.switches, 1);

    clickMiddleOf(box->m_hWnd);
    ASSERT_TRUE(waitFor([&] { return inverse.enabledState; }));
    EXPECT_FALSE(first.enabledState);
    EXPECT_FALSE(second.enabledState);
}

TEST_F(CheckBoxTest, SilentSetterChangesMarkAndFlagWithoutTelling) {
    CheckBox* box = CheckBox::createWithText(L"Loop", false);
    Recorder checked, unchecked;
    box->addCheckedListener(&checked);
    box->addUncheckedListener(&unchecked);
    attach(box);
    box->setCheckedSilently(true);
    EXPECT_TRUE(windowChecked(box));
    EXPECT_TRUE(box->isChecked());
    box->setCheckedSilently(false);
    EXPECT_FALSE(windowChecked(box));
    EXPECT_EQ(checked.count + unchecked.count, 0);
    // A state set while the window shows another one is still silent: the window is
    // brought back in line by the setter.
    SendMessageW(box->m_hWnd, BM_SETCHECK, BST_UNCHECKED, 0);
    box->setChecked(true);
    EXPECT_TRUE(windowChecked(box));
    EXPECT_EQ(checked.count, 0);
}

TEST_F(CheckBoxTest, CaptionShowsAmpersandsAsThemselves) {
    CheckBox* box = CheckBox::createWithText(L"Save & close", false);
    attach(box);
    wchar_t shown[64] = {};
    GetWindowTextW(box->m_hWnd, shown, 64);
    EXPECT_STREQ(shown, L"Save && close");
    box->setText(L"A&B");
    GetWindowTextW(box->m_hWnd, shown, 64);
    EXPECT_STREQ(shown, L"A&&B");
    EXPECT_GT(box->getMinWidth(), 0);
}

TEST_F(CheckBoxTest, EnabledChangesTellTheirListsOnlyOnAChange) {
    CheckBox* box = CheckBox::createWithText(L"Sharpen", false);
    Recorder on, off;
    box->addEnabledListener(&on);
    box->addDisabledListener(&off);
    attach(box);
    box->setEnabled(true);  // no change
    EXPECT_EQ(on.count + off.count, 0);
    box->setEnabled(false);
    EXPECT_EQ(off.count, 1);
    EXPECT_EQ(off.codes[0], 0);
    EXPECT_FALSE(IsWindowEnabled(box->m_hWnd));
    EXPECT_FALSE(box->isEnabled());
    box->setEnabled(false);
    EXPECT_EQ(off.count, 1);
    box->setEnabled(true);
    EXPECT_EQ(on.count, 1);
    EXPECT_TRUE(IsWindowEnabled(box->m_hWnd));
}

TEST_F(CheckBoxTest, ADisabledBoxIgnoresClicksAndKeepsItsTargets) {
    CheckBox* box = CheckBox::createWithText(L"Locked", false);
    CheckBox* witness = CheckBox::createWithText(L"Witness", false);
    FakeComponent target;
    target.enabledState = false;
    box->bindEnabled(&target);
    box->setEnabled(false);
    attach(box);
    attach(witness);
    EXPECT_FALSE(IsWindowEnabled(box->m_hWnd));
    clickMiddleOf(box->m_hWnd);
    // Input arrives in order: once the second click has checked the witness, the first one
    // has been dealt with.
    clickMiddleOf(witness->m_hWnd);
    ASSERT_TRUE(waitFor([&] { return witness->isChecked(); }));
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(target.enabledState);
}

TEST(CheckBoxPool, AReleasedBoxComesBackWithTheDefaults) {
    CheckBox* box = CheckBox::createWithText(L"x", true);
    FakeComponent target;
    box->bindEnabled(&target);
    box->setTextId(12);
    box->setWordWrap(true);
    box->release();
    CheckBox* again = CheckBox::create();
    EXPECT_FALSE(again->isChecked());
    EXPECT_EQ(again->getTextId(), -1);
    EXPECT_STREQ(again->getText(), L"");
    EXPECT_TRUE(again->isTransparent());
    EXPECT_EQ(again->getBackgroundColor(), 0xFFFFFFu);
    EXPECT_TRUE(again->isEnabled());
    EXPECT_FALSE(again->getCaptionFont()->isWordWrap());
    EXPECT_STREQ(again->getClassName(), L"s_gui_win_CheckBox");
    again->release();
}

}  // namespace

namespace {

TEST_F(CheckBoxTest, WithADrawerTheBoxMeasuresAndPaintsThroughIt) {
    formtest::FakeCheckBoxDrawer drawer;
    CheckBox* box = CheckBox::createWithText(L"Grid", false);
    box->setDrawer(&drawer, false);
    EXPECT_EQ(drawer.normal, box->getCaptionFont());
    EXPECT_EQ(drawer.second, box->getSecondFont());
    attach(box);
    EXPECT_EQ(box->getMinWidth(), 16 + 8 * 4);
    EXPECT_EQ(box->getMinHeight(), 16);

    drawer.paints = 0;
    clickMiddleOf(box->m_hWnd);
    ASSERT_TRUE(waitFor([&] { return box->isChecked() && drawer.paints > 0 && drawer.lastChecked; }));
    EXPECT_EQ(drawer.lastBoxSize, 16);
    // What the drawer painted is what the window shows.
    HDC dc = GetDC(box->m_hWnd);
    EXPECT_EQ(GetPixel(dc, 2, 2), RGB(0, 200, 0));
    ReleaseDC(box->m_hWnd, dc);
}

TEST_F(CheckBoxTest, AWrappedCaptionFitsTheWidthItIsGiven) {
    CheckBox* box = CheckBox::createWithText(L"Keep the aspect ratio of the picture when it is resized", false);
    box->setWordWrap(true);
    attach(box);
    EXPECT_NE(GetWindowLongW(box->m_hWnd, GWL_STYLE) & BS_MULTILINE, 0);
    const int32_t line = box->getMinHeight();
    ASSERT_GT(line, 0);
    EXPECT_EQ(box->getPreferredHeight(), line);
    EXPECT_LT(box->getMinWidth(), box->getPreferredWidth());  // the longest word, boxed
    box->setSizeClamped(120, 0);
    EXPECT_LE(box->getWidth(), 120);
    EXPECT_GE(box->getHeight(), 2 * line);
}

}  // namespace
