// The right-click commands on a real viewer, posted to its window as the menu sends
// them: the settings and marks they change, the window state they set, and the
// commands that do nothing (nothing to associate, no address, no picture).
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "DialogTestSupport.h"
#include "gui/menus/PopupMenu.h"
#include "platform/shell/Shell.h"
#include "support/HostTool.h"
#include "viewer/effects/EffectData.h"
#include "viewer/menus/AssociationCommands.h"
#include "viewer/menus/CommandIds.h"
#include "viewer/menus/RightClickMenu.h"

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

}  // namespace
