// The right-click commands on a real viewer, posted to its window as the menu sends
// them: the settings and marks they change, the window state they set, and the
// commands that do nothing (nothing to associate, no address, no picture).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "DialogTestSupport.h"
#include "gui/menus/PopupMenu.h"
#include "platform/file/PathWin.h"
#include "platform/shell/Shell.h"
#include "support/DialogDriver.h"
#include "support/HostTool.h"
#include "viewer/effects/EffectData.h"
#include "viewer/menus/AssociationCommands.h"
#include "viewer/menus/CommandIds.h"
#include "viewer/menus/RightClickMenu.h"
#include "viewer/panels/IToolPanels.h"

using dialogtest::Viewer;
using dialogtest::waitFor;
using s::image::gui::dialogs::imageview::RightClickMenu;
namespace cmd = s::image::gui::dialogs::imageview::command;
namespace iv = s::image::gui::dialogs::imageview;

namespace {

const std::wstring kView = L"MainWindow\\View";

// Sends the command as the menu does and returns once it has been carried out.
void run(HWND hwnd, int32_t command) {
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutW(hwnd, WM_COMMAND, MAKEWPARAM(command, 0), 0, SMTO_NORMAL, 10000, &result), 0)
        << command;
}

struct Calls {
    static inline std::vector<std::wstring> elevated, opened;
    static void elevate(const wchar_t*, const wchar_t* parameters) { elevated.push_back(parameters); }
    static bool probe(const wchar_t*, const wchar_t*) { return true; }
    static int32_t open(const wchar_t* file) {
        opened.push_back(file);
        return 1;
    }
};

class DialogCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Calls::elevated.clear();
        Calls::opened.clear();
        iv::setElevatedRunOverride(&Calls::elevate);
        iv::setAssociatedProbeOverride(&Calls::probe);
        s::shell::setOpenOverride(&Calls::open);
        dir = testsupport::makeTempDir("dialogcommands");
        ASSERT_TRUE(testsupport::runHost("cd '" + dir + "' && convert -size 5x3 xc:'#336699' a.png"));
    }
    void TearDown() override {
        iv::setElevatedRunOverride(nullptr);
        iv::setAssociatedProbeOverride(nullptr);
        s::shell::setOpenOverride(nullptr);
    }
    std::wstring win(const std::string& name) { return testsupport::winPath(dir + "/" + name); }
    s::gui::win::PopupMenu* menu(Viewer& v) { return v->rightClickMenu()->getMenu(); }
    std::string dir;
};

TEST_F(DialogCommandsTest, CloseByWheelClickTwiceReturnsToDoNothing) {
    Viewer viewer;
    viewer.record()->setMClickAction(L"DoNothing");
    viewer.build();
    ASSERT_FALSE(menu(viewer)->isChecked(cmd::kCloseByWheelClick));
    run(viewer.hwnd(), cmd::kCloseByWheelClick);
    EXPECT_STREQ(viewer.record()->getMClickAction(), L"Close");
    EXPECT_TRUE(menu(viewer)->isChecked(cmd::kCloseByWheelClick));
    run(viewer.hwnd(), cmd::kCloseByWheelClick);
    EXPECT_STREQ(viewer.record()->getMClickAction(), L"DoNothing");
    EXPECT_EQ(viewer.reg().textOf(kView, L"OnMClick"), L"DoNothing");
    EXPECT_FALSE(menu(viewer)->isChecked(cmd::kCloseByWheelClick));
}

TEST_F(DialogCommandsTest, SelectAllWithEveryItemCheckedRunsNothing) {
    Viewer viewer;
    viewer.build();
    for (int32_t c = cmd::kAssociateJpeg; c <= cmd::kAssociateIcon; ++c) menu(viewer)->setChecked(c, true);
    run(viewer.hwnd(), cmd::kAssociateAll);
    EXPECT_TRUE(Calls::elevated.empty());
    // One unchecked item is run for, and every item is marked from the registry after.
    menu(viewer)->setChecked(cmd::kAssociateBmp, false);
    run(viewer.hwnd(), cmd::kAssociateAll);
    ASSERT_EQ(Calls::elevated.size(), 1u);
    EXPECT_EQ(Calls::elevated[0], L"-associate .bmp");
    EXPECT_TRUE(menu(viewer)->isChecked(cmd::kAssociateBmp));
}

TEST_F(DialogCommandsTest, DefaultBackgroundIsStoredMarkedAndApplied) {
    Viewer viewer;
    viewer.build(win("a.png").c_str());
    struct Case {
        int32_t command, position, type;
    } cases[] = {{cmd::kBgBlack, 2, 2},  {cmd::kBgTransparentChecker, 8, 4}, {cmd::kBgGray, 1, 1},
                 {cmd::kBgCustom, 3, 3}, {cmd::kBgTransparentWindow, 7, 5},  {cmd::kBgWhite, 0, 0}};
    s::gui::win::PopupMenu* sub = viewer->rightClickMenu()->getSubMenu(RightClickMenu::kBackground);
    for (const Case& c : cases) {
        run(viewer.hwnd(), c.command);
        EXPECT_EQ(viewer.reg().dwordOf(kView, L"DefaultBgType"), DWORD(c.type)) << c.command;
        EXPECT_EQ(viewer->currentValues()->bgType, c.type) << c.command;
        EXPECT_TRUE(GetMenuState(sub->getHandle(), UINT(c.position), MF_BYPOSITION) & MF_CHECKED) << c.command;
    }
}

TEST_F(DialogCommandsTest, APickedCustomColourShowsOnItsSwatchAndIsAppliedByTheItem) {
    Viewer viewer(1, [](iv::ViewerSettings& settings) { settings.setDefaultBgCustomColor(int32_t(RGB(1, 2, 3))); });
    viewer.build(win("a.png").c_str());
    RightClickMenu* rightClick = viewer->rightClickMenu();
    auto swatchColour = [&] {
        HBITMAP swatch = static_cast<HBITMAP>(rightClick->customColorSwatch());
        BITMAP shape{};
        if (!GetObjectW(swatch, sizeof(shape), &shape)) return COLORREF(CLR_INVALID);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, swatch);
        const COLORREF c = GetPixel(dc, shape.bmWidth / 2, shape.bmHeight / 2);
        SelectObject(dc, old);
        DeleteDC(dc);
        return c;
    };
    EXPECT_EQ(swatchColour(), RGB(1, 2, 3));
    {
        // The red, green and blue boxes of the colour dialog, typed in as a user would.
        testsupport::DialogDriver driver(GetWindowThreadProcessId(viewer.hwnd(), nullptr), [](HWND dialog) {
            const wchar_t* texts[] = {L"10", L"200", L"30"};
            for (int i = 0; i < 3; ++i) {
                HWND edit = GetDlgItem(dialog, 706 + i);
                SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(texts[i]));
                SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(706 + i, EN_UPDATE), reinterpret_cast<LPARAM>(edit));
            }
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        });
        PostMessageW(viewer.hwnd(), WM_COMMAND, MAKEWPARAM(cmd::kBgPickCustom, 0), 0);
        EXPECT_TRUE(waitFor([&] { return driver.acted(); }, 15000));
    }
    SendMessageW(viewer.hwnd(), WM_NULL, 0, 0);  // the command has ended
    EXPECT_EQ(viewer.reg().dwordOf(kView, L"DefaultBgCustomColor"), DWORD(RGB(10, 200, 30)));
    EXPECT_EQ(swatchColour(), RGB(10, 200, 30));
    // The background type was not the custom colour: it stays; the item applies it.
    EXPECT_NE(viewer->currentValues()->bgType, 3);
    run(viewer.hwnd(), cmd::kBgCustom);
    EXPECT_EQ(viewer->currentValues()->bgType, 3);
    EXPECT_EQ(viewer->currentValues()->bgCustomColor, int32_t(RGB(10, 200, 30)));
    EXPECT_EQ(viewer.reg().dwordOf(kView, L"DefaultBgType"), 3u);
}

TEST_F(DialogCommandsTest, DefaultFitModeWritesFitMode2) {
    Viewer viewer;
    viewer.build();
    struct Case {
        int32_t command;
        DWORD stored;
    } cases[] = {{cmd::kDefaultDontFit, 1},
                 {cmd::kDefaultFitImageToWindow, 3},
                 {cmd::kDefaultFitWindowToImage, 4},
                 {cmd::kDefaultLastUsedFit, 0}};
    for (const Case& c : cases) {
        run(viewer.hwnd(), c.command);
        EXPECT_EQ(viewer.reg().dwordOf(kView, L"FitMode2"), c.stored) << c.command;
    }
}

TEST_F(DialogCommandsTest, OpacityAndKeepOnTopReachTheWindow) {
    Viewer viewer;
    viewer.build();
    run(viewer.hwnd(), cmd::kOpacity100 + 2 * cmd::kOpacityStep);  // 80 %
    EXPECT_EQ(viewer.reg().dwordOf(kView, L"Transparency"), 80u);
    EXPECT_TRUE(GetWindowLongPtrW(viewer.hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    if (GetLayeredWindowAttributes(viewer.hwnd(), nullptr, &alpha, &flags)) EXPECT_EQ(alpha, BYTE(255 * 80 / 100));
    run(viewer.hwnd(), cmd::kKeepOnTop);
    EXPECT_TRUE(waitFor([&] { return (GetWindowLongPtrW(viewer.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
    run(viewer.hwnd(), cmd::kKeepOnTop);
    EXPECT_TRUE(waitFor([&] { return (GetWindowLongPtrW(viewer.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) == 0; }));
}

TEST_F(DialogCommandsTest, AutoHideButtonsTogglesItsSetting) {
    Viewer viewer;
    viewer.build();
    const bool before = menu(viewer)->isChecked(cmd::kAutoHideButtons);
    run(viewer.hwnd(), cmd::kAutoHideButtons);
    EXPECT_EQ(viewer.reg().dwordOf(kView, L"AutoHideButtons"), DWORD(!before));
    EXPECT_EQ(menu(viewer)->isChecked(cmd::kAutoHideButtons), !before);
}

TEST_F(DialogCommandsTest, EmptyAddressesOpenNothing) {
    // The program's pack leaves its web addresses empty until there is a site.
    Viewer viewer;
    viewer.build();
    for (int32_t command : {cmd::kSoftwarePage, cmd::kTellDevelopers, cmd::kMoreSoftware}) run(viewer.hwnd(), command);
    EXPECT_TRUE(Calls::opened.empty());
}

TEST_F(DialogCommandsTest, SlideShowStartsAndStopsOnlyWithAPicture) {
    {
        Viewer empty;
        empty.build();
        run(empty.hwnd(), cmd::kSlideShow);
        EXPECT_FALSE(empty->isSlideShowRunning());
    }
    Viewer viewer(1, [](iv::ViewerSettings& settings) { settings.setSlideShowMSec(60000); });
    viewer.build(win("a.png").c_str());
    run(viewer.hwnd(), cmd::kSlideShow);
    EXPECT_TRUE(waitFor([&] { return viewer->isSlideShowRunning(); }));
    EXPECT_EQ(viewer.reg().textOf(L"MainWindow\\SlideShow", L"MSec"), L"60000");
    run(viewer.hwnd(), cmd::kSlideShow);
    EXPECT_TRUE(waitFor([&] { return !viewer->isSlideShowRunning(); }, 5000));
}

TEST_F(DialogCommandsTest, SlideShowTakesTheIntervalTypedInItsPanel) {
    Viewer viewer(1, [](iv::ViewerSettings& settings) { settings.setSlideShowMSec(60000); });
    viewer.build(win("a.png").c_str());
    iv::IToolPanels* tools = viewer->toolPanels();
    ASSERT_NE(tools, nullptr);
    struct Case {
        const wchar_t* typed;
        const wchar_t* taken;
    } cases[] = {
        {L"700", L"700"},
        {L"-5", L"1800"},    // a negative interval
        {L"soon", L"1800"},  // not a number: the last one stays
        {L"60000", L"60000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.typed)));
        tools->setSlideShowIntervalText(c.typed);
        run(viewer.hwnd(), cmd::kSlideShow);
        EXPECT_TRUE(waitFor([&] { return viewer->isSlideShowRunning(); }));
        EXPECT_EQ(tools->slideShowIntervalText(), c.taken);
        EXPECT_EQ(viewer.reg().textOf(L"MainWindow\\SlideShow", L"MSec"), c.taken);
        run(viewer.hwnd(), cmd::kSlideShow);
        EXPECT_TRUE(waitFor([&] { return !viewer->isSlideShowRunning(); }, 5000));
    }
}

TEST_F(DialogCommandsTest, SlideShowWithoutRepeatStopsAfterTheLastPicture) {
    ASSERT_TRUE(testsupport::runHost("cd '" + dir + "' && cp a.png b.png && cp a.png c.png"));
    auto shownName = [](Viewer& v) {
        const std::wstring path = v->shown().getFile() ? v->shown().getFile()->getFullPath() : L"";
        return path.substr(path.find_last_of(L'\\') + 1);
    };
    {
        Viewer viewer(1, [](iv::ViewerSettings& settings) { settings.setSlideShowRepeat(false); });
        viewer.build(win("a.png").c_str());
        ASSERT_FALSE(viewer->toolPanels()->slideShowRepeat());
        viewer->toolPanels()->setSlideShowIntervalText(L"50");
        run(viewer.hwnd(), cmd::kSlideShow);
        EXPECT_TRUE(waitFor([&] { return shownName(viewer) == L"c.png"; }, 5000));
        EXPECT_TRUE(waitFor([&] { return !viewer->isSlideShowRunning(); }, 5000));
        EXPECT_EQ(shownName(viewer), L"c.png");
    }
    // With Repeat it goes round to the first picture and on.
    Viewer viewer;
    viewer.build(win("a.png").c_str());
    ASSERT_TRUE(viewer->toolPanels()->slideShowRepeat());
    viewer->toolPanels()->setSlideShowIntervalText(L"50");
    run(viewer.hwnd(), cmd::kSlideShow);
    EXPECT_TRUE(waitFor([&] { return shownName(viewer) == L"c.png"; }, 5000));
    EXPECT_TRUE(waitFor([&] { return shownName(viewer) == L"a.png"; }, 5000));
    EXPECT_TRUE(viewer->isSlideShowRunning());
    run(viewer.hwnd(), cmd::kSlideShow);
    EXPECT_TRUE(waitFor([&] { return !viewer->isSlideShowRunning(); }, 5000));
}

}  // namespace
