#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "DialogTestSupport.h"
#include "gui/box/Box.h"
#include "gui/controls/ComboBoxItem.h"
#include "gui/controls/IButton.h"
#include "gui/controls/IComboBox.h"
#include "gui/controls/IImage.h"
#include "gui/menus/MenuEx.h"
#include "gui/menus/PopupMenu.h"
#include "gui/window/WindowTestSupport.h"
#include "viewer/open/OpenTestSupport.h"

using dialogtest::Viewer;
using dialogtest::waitFor;
using s::image::gui::dialogs::imageview::Dialog;
using s::image::gui::dialogs::imageview::ViewerSettings;

namespace {

TEST(DialogBuildTest, StartedWithoutAPathShowsTheHelpPageAtTheDefaultSize) {
    for (int32_t scale : {1, 2}) {
        SCOPED_TRACE(scale);
        // A stored size and maximized state are not used by the empty viewer.
        Viewer viewer(scale, [](ViewerSettings&) {});
        viewer.record()->setBounds(10, 10, 700, 600);
        viewer.record()->setMaximized(true);
        viewer.build();
        EXPECT_TRUE(waitFor([&] {
            return viewer.window()->getWidth() == 500 * scale && viewer.window()->getHeight() == 450 * scale;
        })) << viewer.window()->getWidth()
            << " x " << viewer.window()->getHeight();
        EXPECT_FALSE(viewer.window()->isMaximized());
        EXPECT_FALSE(viewer.record()->getMaximized());
        s::gui::win::Box* pages = viewer->pageBox();
        // (the convert page comes with the hidden panels, once the window is on screen)
        ASSERT_TRUE(waitFor([&] { return pages->getChildCount() == 3; }));
        EXPECT_TRUE(pages->getChildAt(0)->isVisible());
        EXPECT_FALSE(pages->getChildAt(1)->isVisible());
        EXPECT_FALSE(pages->getChildAt(2)->isVisible());
        EXPECT_FALSE(viewer->isPictureShown());
        // The window's title comes from the language pack, and so does the chooser's caption.
        EXPECT_GT(GetWindowTextLengthW(viewer.hwnd()), 0);
        EXPECT_EQ(viewer->panelChooser()->getTitleId(), 1990003000);
    }
}

TEST(DialogBuildTest, TitleBarSettingSizesTheTitleAreaAndTheCompactButtons) {
    struct Case {
        int32_t scale;
        bool showTitleBar;
    };
    for (const Case c : {Case{1, false}, Case{1, true}, Case{2, true}, Case{2, false}}) {
        SCOPED_TRACE(std::to_string(c.scale) + (c.showTitleBar ? " title bar" : " no title bar"));
        Viewer viewer(c.scale, [&](ViewerSettings& settings) { settings.setShowTitleBar(c.showTitleBar); });
        viewer.build();
        const int32_t s = c.scale;
        const int32_t titleHeight = c.showTitleBar ? 20 * s : 0;
        // Three 18-pixel window buttons and a 7-pixel gap, or nothing beside the menu bar.
        const int32_t compactWidth = c.showTitleBar ? 0 : 3 * 18 * s + 7 * s;
        EXPECT_TRUE(waitFor([&] {
            return viewer->titleArea()->getHeight() == titleHeight &&
                   viewer->compactButtonBox()->getWidth() == compactWidth;
        })) << viewer->titleArea()->getHeight()
            << " " << viewer->compactButtonBox()->getWidth();
        EXPECT_EQ(viewer->isTitleBarShown(), c.showTitleBar);
        // The page box takes what the title area and the 22-pixel bar leave.
        EXPECT_EQ(viewer->pageBox()->getHeight(), viewer.window()->getInnerHeight() - 4 * s - titleHeight - 22 * s);
    }
}

TEST(DialogBuildTest, FitModeComesFromFitMode2ElseTheLastUsedOne) {
    struct Case {
        int32_t fitMode2, lastUsed;
        bool fitWindow, fitImage;
    };
    const Case cases[] = {
        {0, 4, true, false}, {0, 3, false, true}, {0, 1, false, false}, {1, 4, false, false},
        {3, 4, false, true}, {4, 1, true, false}, {0, 2, true, false},  {7, 9, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.fitMode2) + "/" + std::to_string(c.lastUsed));
        Viewer viewer(1, [&](ViewerSettings&) {});
        viewer.reg().putDword(L"MainWindow\\View", L"FitMode2", DWORD(c.fitMode2));
        viewer.reg().putDword(L"MainWindow\\View", L"LastUsedFitMode", DWORD(c.lastUsed));
        viewer.build();
        EXPECT_EQ(viewer->isFitWindowToImage(), c.fitWindow);
        EXPECT_EQ(viewer->isFitImageToWindow(), c.fitImage);
    }
}

TEST(DialogBuildTest, APictureGivenAtTheStartIsShownOnThePictureView) {
    opentest::PictureFolder folder("dialogbuild");
    ASSERT_TRUE(testsupport::runHost("convert -size 64x48 xc:'#336699' '" + folder.dir() + "/a.png'"));
    Viewer viewer;
    viewer.build(folder.winFile("a.png").c_str());
    EXPECT_TRUE(viewer->isPictureShown());
    EXPECT_TRUE(waitFor([&] { return viewer->pageBox()->getChildAt(1)->isVisible(); }));
    EXPECT_FALSE(viewer->pageBox()->getChildAt(0)->isVisible());
    ASSERT_NE(viewer->pictureView(), nullptr);
    EXPECT_EQ(viewer->pictureView()->getImageWidth(), 64);
    // Its pixels (#336699) in the middle of the view.
    s::gui::IImage* view = viewer->pictureView();
    EXPECT_EQ(windowtest::paintedPixel(dynamic_cast<CWnd*>(view)->m_hWnd, view->getWidth() / 2, view->getHeight() / 2),
              RGB(0x33, 0x66, 0x99));
    wchar_t title[256] = {};
    GetWindowTextW(viewer.hwnd(), title, 256);
    EXPECT_NE(std::wstring(title).find(L"a.png"), std::wstring::npos) << title;
}

TEST(DialogBuildTest, WithAPictureAndNoFitTheStoredPlaceIsUsedAtLeast250Wide) {
    opentest::PictureFolder folder("dialogplace");
    ASSERT_TRUE(folder.addPictures({"a.png"}, 40));
    struct Case {
        int32_t x, y, w, h;
        int32_t expectW, expectH;
    };
    for (const Case c :
         {Case{30, 40, 100, 120, 250, 250}, Case{60, 50, 640, 480, 640, 480}, Case{-5, 40, 300, 260, 300, 260}}) {
        SCOPED_TRACE(std::to_string(c.x) + " " + std::to_string(c.w));
        Viewer viewer(1, [](ViewerSettings& settings) { settings.setLastUsedFitMode(1); });
        viewer.record()->setBounds(c.x, c.y, c.w, c.h);
        viewer.build(folder.winFile("a.png").c_str());
        EXPECT_EQ(viewer.window()->getWidth(), c.expectW);
        EXPECT_EQ(viewer.window()->getHeight(), c.expectH);
        // A stored position below 0 is left to the window's own placement.
        if (c.x >= 0) {
            EXPECT_EQ(viewer.window()->getX(), c.x);
            EXPECT_EQ(viewer.window()->getY(), c.y);
        }
    }
}

// A large JPEG given at the start is first painted from a reduced decode; the full
// picture replaces it before the hidden panels come, so zoom and save see every pixel.
TEST(DialogBuildTest, AReducedFirstPictureIsReplacedByTheFullOne) {
    const int32_t w = 2 * GetSystemMetrics(SM_CXVIRTUALSCREEN), h = 2 * GetSystemMetrics(SM_CYVIRTUALSCREEN);
    opentest::PictureFolder folder("dialogpreview");
    ASSERT_TRUE(testsupport::runHost("convert -size " + std::to_string(w) + "x" + std::to_string(h) +
                                     " xc:'#336699' -quality 80 '" + folder.dir() + "/big.jpg'"));
    Viewer viewer;
    viewer.build(folder.winFile("big.jpg").c_str());
    int32_t count = 0;
    Dialog::panelHolderCommands(&count);
    ASSERT_TRUE(waitFor([&] { return viewer->panelHolder()->getChildCount() == count; }));
    ASSERT_NE(viewer->pictureView(), nullptr);
    EXPECT_EQ(viewer->pictureView()->getImageWidth(), w);
    EXPECT_EQ(viewer->pictureView()->getImageHeight(), h);
    EXPECT_TRUE(viewer->isPictureShown());
}

// The panels not seen at the start are attached after the picture is on screen: each
// then has its window, hidden, and shows the values stored for it.
TEST(DialogBuildTest, PanelsAttachedAfterTheFirstPictureCarryTheirStoredValues) {
    opentest::PictureFolder folder("dialoglater");
    ASSERT_TRUE(folder.addPictures({"a.png"}, 40));
    Viewer viewer(1, [](ViewerSettings& settings) {
        settings.setWatermarkSize(14);
        settings.setWatermarkBold(true);
    });
    viewer.build(folder.winFile("a.png").c_str());
    int32_t count = 0;
    const int32_t* order = Dialog::panelHolderCommands(&count);
    s::gui::win::Box* holder = viewer->panelHolder();
    ASSERT_TRUE(waitFor([&] { return holder->getChildCount() == count; }));
    ASSERT_TRUE(waitFor([&] { return viewer->pageBox()->getChildCount() == 3; }));
    for (int32_t i = 0; i < count; ++i) {
        SCOPED_TRACE(order[i]);
        auto* panel = dynamic_cast<CWnd*>(holder->getChildAt(i));
        ASSERT_NE(panel, nullptr);
        EXPECT_TRUE(IsWindow(panel->m_hWnd));
        EXPECT_EQ(holder->getChildAt(i)->isVisible(), i == 0);
    }
    EXPECT_FALSE(viewer->pageBox()->getChildAt(2)->isVisible());
    int32_t watermark = 0;
    while (watermark < count && order[watermark] != 4650) ++watermark;
    ASSERT_LT(watermark, count);
    auto* row = dynamic_cast<s::gui::win::Box*>(holder->getChildAt(watermark));
    ASSERT_NE(row, nullptr);
    // The row: text, font, size, colour, outline, outline colour, bold, italic.
    s::gui::IComboBox* size = nullptr;
    std::vector<s::gui::IButton*> buttons;
    for (int32_t i = 0; i < row->getChildCount(); ++i) {
        s::gui::IComponent* child = row->getChildAt(i);
        if (auto* combo = dynamic_cast<s::gui::IComboBox*>(child)) size = combo;  // the last combo: the size
        if (auto* button = dynamic_cast<s::gui::IButton*>(child)) buttons.push_back(button);
    }
    ASSERT_EQ(buttons.size(), 5u);
    s::gui::IButton* bold = buttons[3];
    ASSERT_NE(size, nullptr);
    ASSERT_NE(size->getSelectedItem(), nullptr);
    EXPECT_EQ(size->getSelectedItem()->getData(), 14);
    ASSERT_NE(bold, nullptr);
    EXPECT_TRUE(bold->isToggled());
}

}  // namespace
