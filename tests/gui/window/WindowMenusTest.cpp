// The window's menus: WM_COMMAND goes to the first of tray and context menu that holds
// the command, and the context and tray menus open at the pointer on a right click, the
// chosen entry coming back to the menu's listeners.
#include <windows.h>

#include <gtest/gtest.h>

#include "WindowTestSupport.h"
#include "gui/component/Events.h"
#include "gui/component/LibraryMessage.h"
#include "gui/menus/MenuEx.h"
#include "gui/menus/MenuItem.h"
#include "gui/menus/PopupMenu.h"

using s::gui::menuitem::MenuItem;
using s::gui::win::MenuEx;
using s::gui::win::PopupMenu;
using windowtest::Recorder;
using windowtest::waitFor;

namespace {

class WindowMenusTest : public windowtest::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        tray = PopupMenu::create();
        context = PopupMenu::create();
        tray->withItem(MenuItem::createWithText(L"Shared", 5, false))
            ->withItem(MenuItem::createWithText(L"Tray only", 8, false));
        context->withItem(MenuItem::createWithText(L"Shared", 5, false))
            ->withItem(MenuItem::createWithText(L"Context only", 6, false))
            ->withItem(MenuItem::createWithText(L"Second", 7, false));
        tray->addListener(&trayHeard);
        context->addListener(&contextHeard);
        window->setTrayMenu(tray);
        window->setContextMenu(context, false);
    }
    void TearDown() override {
        if (window) {
            window->setTrayMenu(nullptr);
            window->setContextMenu(nullptr, false);
        }
        WindowTest::TearDown();
        tray->release();
        context->release();
    }
    // The system's pop-up menu window while one is shown.
    static HWND shownMenu() {
        HWND menu = FindWindowW(L"#32768", nullptr);
        return menu && IsWindowVisible(menu) ? menu : nullptr;
    }
    // Picks the entry below the first with the keyboard, once the menu is up.
    void chooseSecondEntry() {
        ASSERT_TRUE(waitFor([] { return shownMenu() != nullptr; }));
        PostMessageW(hwnd(), WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(hwnd(), WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    }

    PopupMenu* tray = nullptr;
    PopupMenu* context = nullptr;
    Recorder trayHeard, contextHeard;
};

}  // namespace

TEST_F(WindowMenusTest, CommandsGoToTheFirstMenuHoldingThem) {
    struct Case {
        int id;
        int trayCount, contextCount;
        bool handled;
    };
    const Case cases[] = {{5, 1, 0, true}, {6, 1, 1, true}, {8, 2, 1, true}, {9, 2, 1, false}};
    for (const Case& c : cases) {
        LRESULT result = 1;
        const bool handled = window->preHandle(&result, WM_COMMAND, MAKEWPARAM(c.id, 0), 0);
        EXPECT_EQ(handled, c.handled) << c.id;
        EXPECT_EQ(result, 0) << c.id;
        EXPECT_EQ(trayHeard.count.load(), c.trayCount) << c.id;
        EXPECT_EQ(contextHeard.count.load(), c.contextCount) << c.id;
    }
    EXPECT_EQ(tray->getLastCommand(), 8);
    EXPECT_EQ(context->getLastCommand(), 6);
    // A control notification (non-zero high word) is no menu command.
    LRESULT result = 0;
    EXPECT_FALSE(window->preHandle(&result, WM_COMMAND, MAKEWPARAM(6, 1), 0));
    EXPECT_EQ(contextHeard.count.load(), 1);
}

TEST_F(WindowMenusTest, TheMenuBarComesFirst) {
    MenuEx* bar = MenuEx::create();
    PopupMenu* file = PopupMenu::create();
    file->withItem(MenuItem::createWithText(L"Shared", 5, false));
    bar->addPopup(file);
    bar->addItem(MenuItem::createWithText(L"Bar only", 11, false));
    Recorder barHeard;
    bar->addCommandListener(&barHeard);
    window->setMenuBar(bar);
    for (int id : {5, 11}) {
        LRESULT result = 1;
        EXPECT_TRUE(window->preHandle(&result, WM_COMMAND, MAKEWPARAM(id, 0), 0)) << id;
        EXPECT_EQ(bar->getLastCommand(), id);
    }
    EXPECT_EQ(barHeard.count.load(), 2);
    EXPECT_EQ(trayHeard.count.load(), 0);
    EXPECT_EQ(contextHeard.count.load(), 0);
    window->setMenuBar(nullptr);
    bar->release();
}

TEST_F(WindowMenusTest, RightClickShowsTheContextMenuAndTheChoiceComesBack) {
    Recorder before;
    window->addContextMenuListener(&before);
    window->setVisible(true, false);
    PostMessageW(hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    chooseSecondEntry();
    ASSERT_TRUE(waitFor([&] { return contextHeard.count.load() == 1; }));
    EXPECT_EQ(context->getLastCommand(), 6);
    EXPECT_EQ(before.count.load(), 1);
    EXPECT_EQ(trayHeard.count.load(), 0);
    EXPECT_TRUE(waitFor([] { return shownMenu() == nullptr; }));
}

TEST_F(WindowMenusTest, TrayRightClickShowsTheTrayMenu) {
    Recorder rightClick;
    window->addTrayRightClickListener(&rightClick);
    window->setVisible(true, false);
    PostMessageW(hwnd(), s::gui::LibraryMessage::kTrayCallback, 0, WM_RBUTTONDOWN);
    chooseSecondEntry();
    ASSERT_TRUE(waitFor([&] { return trayHeard.count.load() == 1; }));
    EXPECT_EQ(tray->getLastCommand(), 8);
    EXPECT_EQ(rightClick.count.load(), 1);
    EXPECT_EQ(contextHeard.count.load(), 0);
}
