#include "viewer/app/AppWindow.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cwchar>
#include <string>

#include "AppTestSupport.h"
#include "gui/window/Window.h"
#include "imaging/codec/Icon.h"
#include "foundation/str/StrBuffer.h"
#include "platform/system/OsVersion.h"
#include "skins/skinner/Skinner.h"
#include "platform/system/Screen.h"

using s::app::win::AppWindow;
using s::app::win::viewSectionFor;
using viewertest::TestAppBase;

namespace {

// A record from the pool on the test base, released when the test ends.
struct Record {
    explicit Record(TestAppBase& app, int32_t w = 500, int32_t h = 450, bool keepOnTop = false,
                    const wchar_t* action = L"Close", const wchar_t* name = L"MainWindow") {
        r->init(app.base, name, w, h, keepOnTop, action, app.base->getSkinner(), nullptr);
    }
    ~Record() { r->release(); }
    AppWindow* operator->() { return r; }
    AppWindow* r = AppWindow::create();
};

// Restores the detected screen scale when a test ends.
struct ScaleOverride {
    explicit ScaleOverride(int32_t scale) { s::system::setScreenScaleOverride(scale); }
    ~ScaleOverride() { s::system::setScreenScaleOverride(0); }
};

TEST(AppWindowTest, PlacementSectionFollowsTheScreenScale) {
    EXPECT_STREQ(viewSectionFor(1), L"View");
    EXPECT_STREQ(viewSectionFor(2), L"View4K");
    EXPECT_STREQ(viewSectionFor(3), L"View");
    EXPECT_STREQ(viewSectionFor(4), L"View8K");
    EXPECT_STREQ(viewSectionFor(8), L"View8K");
}

TEST(AppWindowTest, AtScaleTwoPlacementGoesToView4KAndFlagsStayInView) {
    ScaleOverride scale(2);
    TestAppBase app;
    Record record(app);
    EXPECT_STREQ(record->getViewSection(), L"View4K");
    record->setBounds(11, 22, 333, 444);
    record->setKeepOnTop(true);
    record->setEasyDrag(false);
    record->setMaximized(true);
    record->setMClickAction(L"Iconize");
    const std::wstring view4k = L"MainWindow\\View4K", view = L"MainWindow\\View";
    EXPECT_EQ(app.reg.dwordOf(view4k, L"X"), 11u);
    EXPECT_EQ(app.reg.dwordOf(view4k, L"Y"), 22u);
    EXPECT_EQ(app.reg.dwordOf(view4k, L"Width"), 333u);
    EXPECT_EQ(app.reg.dwordOf(view4k, L"Height"), 444u);
    EXPECT_EQ(app.reg.typeOf(view, L"Width"), DWORD(0));
    for (const wchar_t* flag : {L"KeepOnTop", L"EasyDrag", L"Maximized"}) {
        EXPECT_EQ(app.reg.typeOf(view, flag), DWORD(REG_DWORD));
        EXPECT_EQ(app.reg.typeOf(view4k, flag), DWORD(0));
    }
    EXPECT_EQ(app.reg.textOf(view, L"OnMClick"), L"Iconize");
}

TEST(AppWindowTest, InitRecordsTheProgramBelowTheWindowName) {
    TestAppBase app;
    Record record(app);
    EXPECT_EQ(app.reg.textOf(L"MainWindow\\SoftwareType", L""), s::app::win::kSoftwareType);
    EXPECT_EQ(app.reg.typeOf(L"MainWindow\\SoftwareID", L""), DWORD(REG_SZ));
    EXPECT_FALSE(app.reg.textOf(L"MainWindow\\SoftwareID", L"").empty());
    EXPECT_FALSE(app.reg.textOf(L"MainWindow\\Version", L"").empty());
    EXPECT_STREQ(record->sectionPath(L"View"), L"MainWindow\\View");
    EXPECT_EQ(record->getTextBaseId(), 501000);
}

TEST(AppWindowTest, MissingValuesGiveTheRecordsDefaults) {
    TestAppBase app;
    Record record(app, 520, 410, true, L"Iconize");
    EXPECT_FALSE(record->hasPosition());
    EXPECT_FALSE(record->hasWidth());
    EXPECT_EQ(record->getX(), 0);
    EXPECT_EQ(record->getWidth(), 520);
    EXPECT_EQ(record->getHeight(), 410);
    EXPECT_TRUE(record->getEasyDrag());
    EXPECT_FALSE(record->getMaximized());
    EXPECT_TRUE(record->getKeepOnTop());
    EXPECT_STREQ(record->getMClickAction(), L"Iconize");
    EXPECT_TRUE(record->isIconizeOnMClick());
}

TEST(AppWindowTest, SizeValidityAndClearBounds) {
    TestAppBase app;
    Record record(app);
    const int32_t screenW = GetSystemMetrics(SM_CXVIRTUALSCREEN), screenH = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    struct Case {
        int32_t w, h;
        bool widthValid, heightValid;
    } cases[] = {{9, 9, false, false},           {10, 10, true, true},
                 {screenW, screenH, true, true}, {screenW + 1, screenH + 1, false, false},
                 {-500, 300, false, true},       {300, 0x7FFFFFFF, true, false}};
    for (const Case& c : cases) {
        record->setSize(c.w, c.h);
        EXPECT_EQ(record->isWidthValid(), c.widthValid) << c.w;
        EXPECT_EQ(record->isHeightValid(), c.heightValid) << c.h;
    }
    record->setBounds(1, 2, 3, 4);
    record->clearBounds();
    EXPECT_FALSE(record->hasX());
    EXPECT_FALSE(record->hasY());
    EXPECT_FALSE(record->hasWidth());
    EXPECT_FALSE(record->hasHeight());
    EXPECT_EQ(record->getWidth(), 500);
    EXPECT_TRUE(record->isWidthValid());
}

TEST(AppWindowTest, StoredMiddleClickTextsAreMatchedIgnoringCase) {
    struct Case {
        const wchar_t* stored;
        const wchar_t* action;
        bool close, iconize;
    } cases[] = {{L"close", L"Close", true, false},
                 {L"ICONIZE", L"Iconize", false, true},
                 {L"Minimize", L"DoNothing", false, false},
                 {L"", L"DoNothing", false, false}};
    for (const Case& c : cases) {
        TestAppBase app;
        app.reg.putText(L"MainWindow\\View", L"OnMClick", c.stored);
        Record record(app);
        EXPECT_STREQ(record->getMClickAction(), c.action);
        EXPECT_EQ(record->isCloseOnMClick(), c.close);
        EXPECT_EQ(record->isIconizeOnMClick(), c.iconize);
    }
}

TEST(AppWindowTest, MiddleClickActionDoesNotKeepTheCallersText) {
    TestAppBase app;
    Record record(app);
    wchar_t buffer[16];
    wcscpy(buffer, L"iconize");
    record->setMClickAction(buffer);
    wcscpy(buffer, L"garbage");
    EXPECT_STREQ(record->getMClickAction(), L"Iconize");
    EXPECT_EQ(app.reg.textOf(L"MainWindow\\View", L"OnMClick"), L"Iconize");
}

// Before Windows 7 there is no taskbar progress: no list is made and the progress
// operations do nothing; from Windows 7 on they reach the window's taskbar button.
TEST(AppWindowTest, TaskbarProgressOnlyFromWindows7On) {
    s::system::OsVersionFacts& facts = s::system::osVersionFacts();
    s::system::osVersion();
    const bool win7 = facts.isWin7OrLater;
    TestAppBase app;
    s::gui::win::Window* window = s::gui::win::Window::create();
    for (bool later : {false, true}) {
        facts.isWin7OrLater = later;
        Record record(app);
        if (!later) EXPECT_FALSE(record->hasTaskbarList());
        record->progressIndeterminate(window);
        record->progressValue(window, 100, 40);
        record->progressOff(window);
        record->progressValue(nullptr, 100, 40);
    }
    facts.isWin7OrLater = win7;
    window->release();
}

// A window with a skinner of its own keeps its skin name in its own section and falls
// back on its own default name; the base's skin is left alone.
TEST(AppWindowTest, OwnSkinnerKeepsItsOwnSkinSection) {
    TestAppBase app;
    s::gui::drawer::Skinner* own = s::gui::drawer::Skinner::create();
    own->familyName()->setText(L"ThinWindow");
    own->registerBuiltinSkins();
    ASSERT_GT(own->getSkinCount(), 2u);
    const std::wstring defaultName = own->getSkinName(1), otherName = own->getSkinName(2);
    AppWindow* record = AppWindow::create();
    record->init(app.base, L"AboutWindow", 340, 285, true, L"Close", own, defaultName.c_str());
    EXPECT_EQ(std::wstring(record->getSkinName()), defaultName);
    EXPECT_EQ(std::wstring(own->getCurrentSkin()->getName()), defaultName);
    record->setSkinName(otherName.c_str());
    EXPECT_EQ(app.reg.textOf(L"AboutWindow\\Skin", L""), otherName);
    EXPECT_EQ(std::wstring(record->getSkinName()), otherName);
    app.reg.putText(L"AboutWindow\\Skin", L"", L"NoSuchSkin");
    EXPECT_EQ(std::wstring(record->getSkinName()), defaultName);
    EXPECT_EQ(app.reg.typeOf(L"Skin", L""), DWORD(0));  // the base's "Skin" untouched
    EXPECT_TRUE(record->getKeepOnTop());
    record->release();  // gives the own skinner back with it
}

// A stored size the screen cannot show is dropped and the record's defaults used.
TEST(AppWindowTest, WindowWithAnInvalidStoredWidthOpensAtTheDefaultSize) {
    TestAppBase app;
    app.reg.putDword(L"MainWindow\\View", L"Width", 9);
    app.reg.putDword(L"MainWindow\\View", L"Height", 300);
    Record record(app, 430, 320);
    s::gui::win::Window* window = s::gui::win::Window::create();
    window->setAppWindow(record.r, false);
    EXPECT_EQ(window->getWidth(), 430);
    EXPECT_EQ(window->getHeight(), 320);
    EXPECT_FALSE(record->hasWidth());
    window->setAppWindow(nullptr, false);
    window->release();
}

// The program icons belong to the base: windows that showed them and went must leave
// them intact for the next window.
TEST(AppWindowTest, IconsSurviveWindowsThatShowedThem) {
    TestAppBase app;
    ASSERT_NE(app.base->getIcon16(), nullptr) << "the program file has no icon group 128";
    Record record(app);
    for (int round = 0; round < 2; ++round) {
        s::gui::win::Window* a = s::gui::win::Window::create();
        s::gui::win::Window* b = s::gui::win::Window::create();
        a->setAppWindow(record.r, true);
        b->setAppWindow(record.r, true);
        a->setAppWindow(nullptr, false);
        b->setAppWindow(nullptr, false);
        a->release();
        b->release();
    }
    s::gui::win::Window* third = s::gui::win::Window::create();
    third->setAppWindow(record.r, true);
    HICON big = reinterpret_cast<HICON>(SendMessageW(third->getHwnd(), WM_GETICON, ICON_BIG, 0));
    HICON small = reinterpret_cast<HICON>(SendMessageW(third->getHwnd(), WM_GETICON, ICON_SMALL, 0));
    ASSERT_NE(big, nullptr);
    ASSERT_NE(small, nullptr);
    ICONINFO info = {};
    EXPECT_TRUE(GetIconInfo(big, &info));
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    // The base still holds live, decodable icons.
    HICON fresh = app.base->getIcon32()->createHIcon();
    EXPECT_NE(fresh, nullptr);
    if (fresh) DestroyIcon(fresh);
    third->setAppWindow(nullptr, false);
    third->release();
}

}  // namespace
