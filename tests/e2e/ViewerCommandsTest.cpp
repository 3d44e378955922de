// Right-click menu commands as the menu sends them (WM_COMMAND to the viewer's window),
// observed from outside: the window's opacity and stacking, the stored language and
// skin, and closing.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "e2e/support/SavedSettings.h"
#include "e2e/support/ViewerProcess.h"

namespace {

using e2e::settingDword;
using e2e::settingText;
using e2e::ViewerProcess;
using e2e::waitUntil;

class ProgramCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        e2e::clearSettings();
        ASSERT_TRUE(viewer.start());
        ASSERT_NE(viewer.waitForWindow(), nullptr) << viewer.whyNoWindow();
        ASSERT_TRUE(waitUntil([&] { return viewer.title() == L"Glimmer"; })) << "title: " << viewer.title();
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

    ViewerProcess viewer;
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
