// Right-click menu commands as the menu sends them (WM_COMMAND to the viewer's window),
// observed from outside: the window's opacity and stacking, the stored language and
// skin, and closing.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "e2e/support/SavedSettings.h"
#include "e2e/support/ViewerFixture.h"
#include "e2e/support/ViewerProcess.h"

namespace {

using e2e::settingDword;
using e2e::settingText;
using e2e::ViewerProcess;
using e2e::waitUntil;

class ProgramCommandTest : public e2e::ViewerTest {
protected:
    void SetUp() override {
        e2e::ViewerTest::SetUp();
        ASSERT_TRUE(open());
        ASSERT_TRUE(titleBecomes(L"Glimmer")) << "title: " << viewer.title();
    }
    void TearDown() override {
        if (viewer.running()) { EXPECT_TRUE(viewer.close()) << "the viewer did not close on WM_CLOSE"; }
    }

    // The window's layered opacity (0..255), or -1 while it is not layered.
    int alpha() const {
        if (!(viewer.exStyle() & WS_EX_LAYERED)) return -1;
        BYTE value = 0;
        DWORD flags = 0;
        if (!GetLayeredWindowAttributes(viewer.window(), nullptr, &value, &flags) || !(flags & LWA_ALPHA)) return 255;
        return value;
    }
};

TEST_F(ProgramCommandTest, TransparencyItemsSetTheOpacityAndStoreIt) {
    const struct {
        UINT command;
        DWORD percent;
    } cases[] = {{550, 50}, {590, 10}, {520, 80}, {500, 100}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        viewer.command(c.command);
        EXPECT_TRUE(waitUntil([&] { return settingDword(e2e::kView, L"Transparency", 0) == c.percent; }))
            << "stored " << settingDword(e2e::kView, L"Transparency", 0);
        EXPECT_EQ(e2e::settingType(e2e::kView, L"Transparency"), DWORD(REG_DWORD));
        const int expected = int(c.percent * 255 / 100);
        // Fully opaque may also mean "not layered at all".
        EXPECT_TRUE(waitUntil([&] {
            const int a = alpha();
            return (a >= expected - 2 && a <= expected + 2) || (c.percent == 100 && a == -1);
        })) << "opacity "
            << alpha() << " instead of about " << expected;
    }
}

TEST_F(ProgramCommandTest, KeepOnTopPutsTheWindowAboveOthersAndStoresIt) {
    ASSERT_FALSE(viewer.exStyle() & WS_EX_TOPMOST);
    viewer.command(992);
    EXPECT_TRUE(waitUntil([&] { return (viewer.exStyle() & WS_EX_TOPMOST) != 0; }));
    EXPECT_TRUE(waitUntil([&] { return settingDword(e2e::kView, L"KeepOnTop", 0) == 1; }));
    viewer.command(992);
    EXPECT_TRUE(waitUntil([&] { return (viewer.exStyle() & WS_EX_TOPMOST) == 0; }));
    EXPECT_TRUE(waitUntil([&] { return settingDword(e2e::kView, L"KeepOnTop", 1) == 0; }));
}

TEST_F(ProgramCommandTest, LanguageItemStoresThatLanguage) {
    // Items are the pack's languages in order: 0 "English", 5 "German".
    viewer.command(5);
    EXPECT_TRUE(waitUntil([] { return settingText(L"Language", L"") == L"German"; }))
        << "stored " << settingText(L"Language", L"");
    viewer.command(0);
    EXPECT_TRUE(waitUntil([] { return settingText(L"Language", L"") == L"English"; }))
        << "stored " << settingText(L"Language", L"");
}

TEST_F(ProgramCommandTest, SkinItemStoresTheSkinAndRepaintsTheWindow) {
    const e2e::ScreenPixels before = viewer.clientPixels();
    viewer.command(202);  // the third skin, "Black"
    EXPECT_TRUE(waitUntil([] { return settingText(L"Skin", L"") == L"Black"; }))
        << "stored " << settingText(L"Skin", L"");
    EXPECT_TRUE(waitUntil([&] { return !(viewer.clientPixels() == before); })) << "the window looks as before";
}

TEST_F(ProgramCommandTest, CloseItemEndsTheProgram) {
    viewer.command(999);
    EXPECT_EQ(viewer.waitForExit(), DWORD(0)) << "the program did not end (or failed)";
}

}  // namespace

namespace {

// "Version Information" holds the viewer modal while it is up; closed, the viewer takes
// input again. With the built-in language pack the update check asks nothing and records
// no check.
TEST_F(ProgramCommandTest, AboutWindowHoldsTheViewerModalUntilItCloses) {
    viewer.command(10000);
    HWND about = e2e::waitForOtherWindow(viewer, L"Version Information");
    ASSERT_NE(about, nullptr) << "no \"Version Information\" window";
    EXPECT_TRUE(waitUntil([&] { return !IsWindowEnabled(viewer.window()); })) << "the viewer stays enabled";
    ASSERT_TRUE(waitUntil([&] { return e2e::clickButton(about, L"Close"); })) << "no \"Close\" button";
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(about) || !IsWindowVisible(about); })) << "the window stayed";
    EXPECT_TRUE(waitUntil([&] { return IsWindowEnabled(viewer.window()) != FALSE; })) << "the viewer stays disabled";
    EXPECT_TRUE(answersWithin(1000));
    // The viewer works again: a command reaches it.
    viewer.command(992);
    EXPECT_TRUE(waitUntil([&] { return (viewer.exStyle() & WS_EX_TOPMOST) != 0; }));
    EXPECT_TRUE(e2e::visibleDialogs(viewer).empty()) << "a question came up";
    EXPECT_FALSE(e2e::hasSetting(L"MainWindow\\Version", L"Update")) << "an update check was recorded";
}

}  // namespace
