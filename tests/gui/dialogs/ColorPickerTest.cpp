// The colour dialog object: the dialog opens on the initial colour, and the colour the
// user makes in it comes back as 0x00RRGGBB and as its parts.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "gui/dialogs/ColorPicker.h"
#include "support/DialogDriver.h"

using s::gui::dialogs::win::ColorPicker;
using testsupport::DialogDriver;
using testsupport::textOf;

namespace {

// The red, green and blue edit boxes of the full colour dialog.
constexpr int kRedEdit = 706, kGreenEdit = 707, kBlueEdit = 708;

std::wstring shownRgb(HWND dialog) {
    return textOf(GetDlgItem(dialog, kRedEdit)) + L"," + textOf(GetDlgItem(dialog, kGreenEdit)) + L"," +
           textOf(GetDlgItem(dialog, kBlueEdit));
}

TEST(ColorPicker, InitialColourAndResetDefaults) {
    ColorPicker* picker = ColorPicker::create();
    EXPECT_EQ(picker->getColor(), 0xFFFFFFu);
    EXPECT_EQ(picker->getInitialColor(), 0xFFFFFFu);
    picker->setInitialColor(255, 128, 0);
    EXPECT_EQ(picker->getInitialColor(), 0xFF8000u);
    picker->release();
    EXPECT_EQ(s::gui::dialogs::win::colorRefFromRgb(0x123456), 0x563412u);
}

TEST(ColorPicker, OpensOnTheInitialColourAndGivesTheChosenOne) {
    ColorPicker* picker = ColorPicker::create();
    picker->setInitialColor(255, 128, 0);
    std::wstring atStart;
    DialogDriver driver([&](HWND dialog) {
        atStart = shownRgb(dialog);
        const wchar_t* texts[] = {L"10", L"200", L"30"};
        const int ids[] = {kRedEdit, kGreenEdit, kBlueEdit};
        for (int i = 0; i < 3; ++i) {
            HWND edit = GetDlgItem(dialog, ids[i]);
            SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(texts[i]));
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(ids[i], EN_UPDATE), reinterpret_cast<LPARAM>(edit));
        }
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    ASSERT_TRUE(picker->show(nullptr));
    EXPECT_EQ(atStart, L"255,128,0");
    EXPECT_EQ(picker->getColor(), 0x0AC81Eu);
    EXPECT_EQ(picker->getRed(), 10);
    EXPECT_EQ(picker->getGreen(), 200);
    EXPECT_EQ(picker->getBlue(), 30);
    picker->release();
}

TEST(ColorPicker, CancelKeepsTheColour) {
    ColorPicker* picker = ColorPicker::create();
    picker->setInitialColor(1, 2, 3);
    DialogDriver driver([](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_FALSE(picker->show(nullptr));
    EXPECT_EQ(picker->getColor(), 0xFFFFFFu);
    EXPECT_EQ(picker->getRed(), 255);
    picker->release();
}

}  // namespace
