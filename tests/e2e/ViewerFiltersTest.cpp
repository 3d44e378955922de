// The filter panels and filter sets driven through the running program: a panel's
// button changes the shown pixels as the library's filter changes the picture, the lock
// carries the filter to the next picture, "Clear" brings the picture back, and a filter
// set is saved, chosen and deleted, in the settings as in the program.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "e2e/support/PictureFiles.h"
#include "e2e/support/SavedSettings.h"
#include "e2e/support/ViewerFixture.h"
#include "e2e/support/ViewerProcess.h"

namespace {

using e2e::flat;
using e2e::PictureFolder;
using e2e::ScreenPixels;
using e2e::waitUntil;

using e2e::kBlue;
using e2e::kRed;

namespace cmd = e2e::cmd;
// The first user set's item: the six built-in sets take the ids after "Current Filter Set".
constexpr UINT kFirstUserSet = cmd::kCurrentFilterSet + 7;

constexpr const wchar_t* kFilterSection = L"MainWindow\\Filter";

class FilterTest : public e2e::ViewerTest {
protected:
    // The viewer on the first of two flat pictures, its bars kept shown.
    void openTwoPictures() {
        e2e::putDword(e2e::kView, L"AutoHideButtons", 0);
        folder = std::make_unique<PictureFolder>("filters");
        folder->bmp(L"a.bmp", 90, 60, flat(kRed));
        folder->bmp(L"b.bmp", 90, 60, flat(kBlue));
        ASSERT_TRUE(open({folder->path() + L"\\a.bmp"}));
        ASSERT_TRUE(titleBecomes(L"a.bmp"));
    }
    // Chooses a panel and waits for its button of that text.
    void choosePanel(UINT command, const wchar_t* button) {
        viewer.commandToChildren(command);
        ASSERT_TRUE(waitUntil([&] { return e2e::findChildWithText(viewer.window(), button) != nullptr; }))
            << "no button \"" << button << "\" on the chosen panel";
    }
    // Waits until the window shows a 90 x 60 block of the colour.
    bool shows(COLORREF colour) {
        ScreenPixels pixels(RECT{});
        return pixelsSettle(&pixels, [&](const ScreenPixels& p) { return p.countNear(colour, nullptr, 3) >= 90 * 60; });
    }
    // Grayscale from its panel, then saved under the offered name, the message that it
    // was saved confirmed.
    void saveGrayscaleSet() {
        choosePanel(cmd::kPanelMonochrome, L"Grayscale");
        if (HasFatalFailure()) return;
        ASSERT_TRUE(e2e::clickButton(viewer.window(), L"Grayscale"));
        ASSERT_TRUE(shows(e2e::libraryMonotone(kRed, 1)));
        choosePanel(cmd::kPanelSaveFilterSet, L"Save");
        if (HasFatalFailure()) return;
        ASSERT_TRUE(e2e::clickButton(viewer.window(), L"Save"));
        HWND saved = viewer.waitForDialog();
        ASSERT_NE(saved, nullptr) << "no message that the set was saved";
        const std::wstring message = e2e::allTextOf(saved);
        EXPECT_NE(message.find(L"My Filter Set"), std::wstring::npos) << "the message: " << message;
        EXPECT_NE(message.find(L" has been saved."), std::wstring::npos) << "the message: " << message;
        e2e::ViewerProcess::answer(saved, IDOK);
        ASSERT_TRUE(waitUntil([] { return e2e::settingDword(kFilterSection, L"Length", 0) == 1; }))
            << "Length " << e2e::settingDword(kFilterSection, L"Length", 0);
    }
    std::unique_ptr<PictureFolder> folder;
};

TEST_F(FilterTest, MonochromeButtonsTintTheShownPictureAsTheLibraryAndClearRestoresIt) {
    openTwoPictures();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(shows(kRed));
    choosePanel(cmd::kPanelMonochrome, L"Grayscale");
    if (HasFatalFailure()) return;
    const struct {
        const wchar_t* button;
        int mode;
    } cases[] = {{L"Grayscale", 1}, {L"Sepia", 2}};
    for (const auto& c : cases) {
        const COLORREF expected = e2e::libraryMonotone(kRed, c.mode);
        ASSERT_TRUE(e2e::clickButton(viewer.window(), c.button));
        EXPECT_TRUE(shows(expected)) << "after \"" << c.button << "\" the picture is not " << std::hex << expected;
    }
    // Locked, the filter stays over the next picture.
    viewer.command(cmd::kFilterLock);
    viewer.key(VK_RIGHT);
    ASSERT_TRUE(titleBecomes(L"b.bmp"));
    EXPECT_TRUE(shows(e2e::libraryMonotone(kBlue, 2))) << "the locked filter was not applied to the next picture";
    // "Clear" takes it off.
    viewer.command(cmd::kFilterClear);
    EXPECT_TRUE(shows(kBlue)) << "\"Clear\" left the filter on";
}

// Saved under the offered name, the set is stored as the first user set with the panels'
// values; chosen from the right-click menu (which enables the "Load Filter Set" panel's
// "Delete") and deleted there after the question, it is gone from the settings and from
// the menu: its item no longer filters the picture.
TEST_F(FilterTest, FilterSetIsSavedAndDeleted) {
    openTwoPictures();
    if (HasFatalFailure()) return;
    saveGrayscaleSet();
    if (HasFatalFailure()) return;
    const std::wstring first = std::wstring(kFilterSection) + L"\\_0";
    EXPECT_EQ(e2e::settingText(first, L"EffectNameStr"), L"My Filter Set");
    EXPECT_EQ(e2e::settingDword(first, L"MonotoneValue"), 1u);
    EXPECT_EQ(e2e::settingDword(first, L"IsCustomEffect"), 1u);

    viewer.command(kFirstUserSet);
    choosePanel(cmd::kPanelLoadFilterSet, L"Delete");
    if (HasFatalFailure()) return;
    // The set was chosen before the panel showed (the commands are taken in turn).
    ASSERT_TRUE(e2e::clickButton(viewer.window(), L"Delete"));
    HWND question = viewer.waitForDialog();
    ASSERT_NE(question, nullptr) << "Delete asked nothing";
    EXPECT_NE(e2e::findChildWithText(question, L"Are you sure you want to delete this filter set?"), nullptr);
    e2e::ViewerProcess::answer(question, IDYES);
    EXPECT_TRUE(waitUntil([] { return e2e::settingDword(kFilterSection, L"Length", 1) == 0; }))
        << "Length " << e2e::settingDword(kFilterSection, L"Length", 1);

    viewer.command(cmd::kFilterClear);
    ASSERT_TRUE(shows(kRed));
    const SIZE before = viewer.windowSize();
    viewer.command(kFirstUserSet);
    viewer.key(VK_UP);  // taken after the command: the window grows
    ASSERT_NE(sizeAfterChangeFrom(before).cx, before.cx) << "the zoom key after the command changed nothing";
    ScreenPixels pixels(RECT{});
    ASSERT_TRUE(pixelsSettle(&pixels));
    // The picture (zoomed in) stays red; a few of the program's own pixels may be grey.
    EXPECT_GE(pixels.countNear(kRed, nullptr, 3), 90 * 60) << "the deleted set's item still filters the picture";
    EXPECT_LT(pixels.countNear(e2e::libraryMonotone(kRed, 1), nullptr, 3), 90 * 60 / 4);
}

// A saved set chosen after "Clear" filters the shown picture again.
TEST_F(FilterTest, ChoosingASavedSetAppliesItToTheShownPicture) {
    openTwoPictures();
    if (HasFatalFailure()) return;
    saveGrayscaleSet();
    if (HasFatalFailure()) return;
    viewer.command(cmd::kFilterClear);
    ASSERT_TRUE(shows(kRed));
    viewer.command(kFirstUserSet);
    EXPECT_TRUE(shows(e2e::libraryMonotone(kRed, 1))) << "choosing the saved set did not apply it";
}

}  // namespace
