// Control wrappers where they do more than pass one message on.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "framework/WindowTesting.h"
#include "framework/controls/ButtonCtrl.h"
#include "framework/controls/ComboBoxCtrl.h"
#include "framework/controls/Edit.h"
#include "framework/controls/ProgressCtrl.h"
#include "framework/controls/SliderCtrl.h"

namespace {

class ControlsTest : public testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&icc);
        ASSERT_TRUE(parent.CreateEx(0, fwtest::traceClass(), L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr));
    }
    void TearDown() override { parent.DestroyWindow(); }
    CWnd parent;
    RECT rect{0, 0, 200, 24};
};

TEST_F(ControlsTest, ComboBoxGivesItemTextsWhateverTheirLength) {
    CComboBox box;
    ASSERT_TRUE(box.Create(WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS, RECT{0, 0, 200, 200}, &parent, 1020));
    EXPECT_EQ(box.GetDlgCtrlID(), 1020);
    std::wstring longText(1000, L'x');
    EXPECT_EQ(box.AddString(L"JPEG"), 0);
    EXPECT_EQ(box.AddString(L""), 1);
    EXPECT_EQ(box.AddString(longText.c_str()), 2);
    EXPECT_EQ(box.InsertString(0, L"BMP"), 0);
    EXPECT_EQ(box.GetCount(), 4);
    EXPECT_EQ(box.GetLBText(0), L"BMP");
    EXPECT_EQ(box.GetLBText(1), L"JPEG");
    EXPECT_EQ(box.GetLBText(2), L"");
    EXPECT_EQ(box.GetLBText(3), longText);
    EXPECT_EQ(box.GetLBText(4), L"");  // out of range
    EXPECT_EQ(box.GetLBText(-1), L"");
    EXPECT_EQ(box.FindStringExact(-1, L"jpeg"), 1);
    EXPECT_EQ(box.SetCurSel(1), 1);
    EXPECT_EQ(box.GetCurSel(), 1);
    EXPECT_EQ(box.DeleteString(0), 3);
    EXPECT_EQ(box.GetCurSel(), 0);  // the selection follows its item
}

TEST_F(ControlsTest, SliderRangeAndPositionStayInside) {
    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(TBS_TOP, rect, &parent, 1040));
    slider.SetRange(10, 90, TRUE);
    EXPECT_EQ(slider.GetRangeMin(), 10);
    EXPECT_EQ(slider.GetRangeMax(), 90);
    slider.SetPos(150);
    EXPECT_EQ(slider.GetPos(), 90);
    slider.SetPos(-5);
    EXPECT_EQ(slider.GetPos(), 10);
    slider.SetPageSize(100);
    EXPECT_EQ(slider.GetPageSize(), 100);
    RECT channel{};
    slider.GetChannelRect(&channel);
    EXPECT_GT(channel.right, channel.left);
}

TEST_F(ControlsTest, EditSelectionAndReadOnly) {
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_BORDER | ES_AUTOHSCROLL, rect, &parent, 1001));
    edit.SetWindowText(L"picture.jpg");
    edit.SetSel(0, 7);
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 7);
    edit.ReplaceSel(L"photo");
    EXPECT_EQ(edit.GetWindowText(), L"photo.jpg");
    edit.SetReadOnly(TRUE);
    EXPECT_TRUE(edit.GetStyle() & ES_READONLY);
    edit.SetPasswordChar(L'*');
    EXPECT_EQ(edit.GetPasswordChar(), L'*');
}

TEST_F(ControlsTest, ProgressAndButtonState) {
    CProgressCtrl bar;
    ASSERT_TRUE(bar.Create(0, rect, &parent, 1007));
    bar.SetRange32(0, 1000);
    int lo = -1, hi = -1;
    bar.GetRange(lo, hi);
    EXPECT_EQ(hi, 1000);
    bar.SetPos(250);
    EXPECT_EQ(bar.SetPos(300), 250);
    EXPECT_EQ(bar.GetPos(), 300);

    CButton check;
    ASSERT_TRUE(check.Create(L"Grid", WS_TABSTOP | BS_AUTOCHECKBOX, rect, &parent, 1003));
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
    EXPECT_EQ(check.GetButtonStyle() & 0xF, UINT(BS_AUTOCHECKBOX));
    SIZE ideal{};
    EXPECT_TRUE(check.GetIdealSize(&ideal));
    EXPECT_GT(ideal.cx, 0);
}

}  // namespace
