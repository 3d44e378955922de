// The filter panels and filter sets driven through the running program: a panel's
// button changes the shown pixels as the library's filter changes the picture, the lock
// carries the filter to the next picture, "Clear" brings the picture back, and a filter
// set is saved, chosen and deleted, in the settings as in the program.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "e2e/support/PictureFiles.h"
#include "e2e/support/SavedSettings.h"
#include "e2e/support/ViewerFixture.h"
#include "e2e/support/ViewerProcess.h"
#include "imaging/filters/ColorFilters.h"
#include "imaging/image/BufferedImage.h"

namespace {

using e2e::flat;
using e2e::PictureFolder;
using e2e::ScreenPixels;
using e2e::waitUntil;

constexpr COLORREF kRed = RGB(230, 20, 20);
constexpr COLORREF kBlue = RGB(30, 40, 220);

// Commands of the right-click menu and the panel chooser.
constexpr UINT kFilterLock = 681;
constexpr UINT kFilterClear = 682;
constexpr UINT kMonochromePanel = 4200;
constexpr UINT kLoadFilterSetPanel = 4820;
constexpr UINT kSaveFilterSetPanel = 4850;
constexpr UINT kFirstUserSet = 9007;  // 9001 + the six built-in sets

constexpr const wchar_t* kFilterSection = L"MainWindow\\Filter";

// The colour the library's monochrome filter in that mode makes of a flat colour.
COLORREF libraryMonotone(COLORREF colour, int mode) {
    using s::image::win::BufferedImage;
    BufferedImage* picture = BufferedImage::createSized(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            picture->getRow(y)[x] = 0xFF000000u | uint32_t(GetRValue(colour)) << 16 |
                                    uint32_t(GetGValue(colour)) << 8 | GetBValue(colour);
    auto* filter = s::image::filters::monotone::Monotone::create();
    filter->mode = mode;
    filter->setReleasedWithImage(true);
    picture->addFilter(filter);
    BufferedImage* filtered = picture->getFiltered();
    const uint32_t p = filtered ? filtered->getRow(1)[1] : 0;
    picture->release();
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

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
    std::unique_ptr<PictureFolder> folder;
};

TEST_F(FilterTest, MonochromeButtonsTintTheShownPictureAsTheLibraryAndClearRestoresIt) {
    openTwoPictures();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(shows(kRed));
    choosePanel(kMonochromePanel, L"Grayscale");
    if (HasFatalFailure()) return;
    const struct {
        const wchar_t* button;
        int mode;
    } cases[] = {{L"Grayscale", 1}, {L"Sepia", 2}};
    for (const auto& c : cases) {
        const COLORREF expected = libraryMonotone(kRed, c.mode);
        ASSERT_TRUE(e2e::clickButton(viewer.window(), c.button));
        EXPECT_TRUE(shows(expected)) << "after \"" << c.button << "\" the picture is not " << std::hex << expected;
    }
    // Locked, the filter stays over the next picture.
    viewer.command(kFilterLock);
    viewer.key(VK_RIGHT);
    ASSERT_TRUE(titleBecomes(L"b.bmp"));
    EXPECT_TRUE(shows(libraryMonotone(kBlue, 2))) << "the locked filter was not applied to the next picture";
    // "Clear" takes it off.
    viewer.command(kFilterClear);
    EXPECT_TRUE(shows(kBlue)) << "\"Clear\" left the filter on";
}

// Saved under the offered name, the set is stored as the first user set; chosen from the
// right-click menu and deleted from the "Load Filter Set" panel, it is gone from the
// settings.
TEST_F(FilterTest, FilterSetIsSavedChosenAndDeleted) {
    openTwoPictures();
    if (HasFatalFailure()) return;
    choosePanel(kMonochromePanel, L"Grayscale");
    if (HasFatalFailure()) return;
    ASSERT_TRUE(e2e::clickButton(viewer.window(), L"Grayscale"));
    const COLORREF grey = libraryMonotone(kRed, 1);
    ASSERT_TRUE(shows(grey));

    choosePanel(kSaveFilterSetPanel, L"Save");
    if (HasFatalFailure()) return;
    ASSERT_TRUE(e2e::clickButton(viewer.window(), L"Save"));
    HWND saved = viewer.waitForDialog();
    ASSERT_NE(saved, nullptr) << "no message that the set was saved";
    e2e::ViewerProcess::answer(saved, IDOK);
    EXPECT_TRUE(waitUntil([] { return e2e::settingDword(kFilterSection, L"Length", 0) == 1; }))
        << "Length " << e2e::settingDword(kFilterSection, L"Length", 0);

    // "Clear", then the set chosen from the menu: the grey comes back.
    viewer.command(kFilterClear);
    ASSERT_TRUE(shows(kRed));
    viewer.command(kFirstUserSet);
    EXPECT_TRUE(shows(grey)) << "choosing the saved set did not apply it";

    choosePanel(kLoadFilterSetPanel, L"Delete");
    if (HasFatalFailure()) return;
    ASSERT_TRUE(e2e::clickButton(viewer.window(), L"Delete"));
    HWND question = viewer.waitForDialog();
    ASSERT_NE(question, nullptr) << "Delete asked nothing";
    e2e::ViewerProcess::answer(question, IDYES);
    EXPECT_TRUE(waitUntil([] { return e2e::settingDword(kFilterSection, L"Length", 1) == 0; }))
        << "Length " << e2e::settingDword(kFilterSection, L"Length", 1);
    // Deleted, the set is no longer in the menu: its command applies nothing.
    viewer.command(kFilterClear);
    ASSERT_TRUE(shows(kRed));
    const SIZE before = viewer.windowSize();
    viewer.command(kFirstUserSet);
    viewer.key(VK_UP);  // handled after the command: the window grows
    ASSERT_FALSE(sizeAfterChangeFrom(before).cx == before.cx) << "the zoom key after the command changed nothing";
    ScreenPixels pixels(RECT{});
    ASSERT_TRUE(pixelsSettle(&pixels));
    EXPECT_EQ(pixels.countNear(grey, nullptr, 3), 0) << "the deleted set was applied";
}

}  // namespace
