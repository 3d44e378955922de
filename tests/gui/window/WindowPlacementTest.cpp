// The window with an application window record: stored placement, invalid stored sizes,
// saved positions, top-most memory, the end of a session, titles from the language pack,
// and the tray click rules.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/lang/Localizer.h"
#include "platform/system/Monitor.h"
#include "FakeApp.h"
#include "WindowTestSupport.h"

using s::gui::win::Window;
using windowtest::FakeAppWindow;
using windowtest::Recorder;

namespace {

const wchar_t* const kPack =
    L"\xFEFF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    L"<lang><LANGUAGES>\n"
    L"  <entry tagName=\"eng\" engName=\"English\" trueName=\"English\"></entry>\n"
    L"  <entry tagName=\"deu\" engName=\"German\" trueName=\"Deutsch\"></entry>\n"
    L"</LANGUAGES><entries>\n"
    L"  <entry id=\"501000\"><eng>Glimmer</eng><deu>Glimmer DE</deu></entry>\n"
    L"  <entry id=\"501010\"><eng>1.2</eng><deu>1.2</deu></entry>\n"
    L"</entries></lang>\n";

}  // namespace

class WindowPlacement : public windowtest::WindowTest {};

TEST_F(WindowPlacement, StoredBoundsAreAppliedWhenValid) {
    FakeAppWindow app;
    app.setBounds(150, 160, 420, 310);
    window->setAppWindow(&app, false);
    EXPECT_EQ(window->getX(), 150);
    EXPECT_EQ(window->getY(), 160);
    EXPECT_EQ(window->getWidth(), 420);
    EXPECT_EQ(window->getHeight(), 310);
    window->setAppWindow(nullptr, false);
}

TEST_F(WindowPlacement, AnInvalidStoredWidthGivesTheRecordsDefaults) {
    FakeAppWindow app;
    app.setWidth(9);
    app.setHeight(300);
    window->setAppWindow(&app, false);
    EXPECT_EQ(window->getWidth(), 480);
    EXPECT_EQ(window->getHeight(), 360);
    EXPECT_FALSE(app.hasWidth());
    window->setAppWindow(nullptr, false);
}

TEST_F(WindowPlacement, AStoredPositionOffTheScreenIsCentred) {
    FakeAppWindow app;
    app.setBounds(5000, 5000, 400, 300);
    window->setAppWindow(&app, false);
    EXPECT_EQ(window->getX(), s::system::getWorkAreaLeft() + (s::system::getWorkAreaWidth() - 400) / 2);
    window->setAppWindow(nullptr, false);
}

TEST_F(WindowPlacement, HidingSavesOnlyWhatChanged) {
    FakeAppWindow app;
    app.setBounds(100, 100, 400, 300);
    window->setAppWindow(&app, false);
    window->setVisible(true, false);
    window->setPosition(130, 140);
    window->setVisible(false, false);
    EXPECT_EQ(app.x, 130);
    EXPECT_EQ(app.y, 140);
    EXPECT_EQ(app.w, 400);
    window->setAppWindow(nullptr, false);
}

TEST_F(WindowPlacement, BringToFrontLeavesKeepOnTopUnwritten) {
    FakeAppWindow app;
    window->setAppWindow(&app, false);
    const int writes = app.keepOnTopWrites;  // setAppWindow applies the stored value once
    window->setVisible(true, false);
    window->bringToFront(true);
    EXPECT_EQ(app.keepOnTopWrites, writes);
    EXPECT_FALSE(window->isTopMost());
    window->setTopMost(true);
    EXPECT_EQ(app.keepOnTopWrites, writes + 1);
    EXPECT_TRUE(app.keepOnTop);
    window->setTopMost(false);
    window->setAppWindow(nullptr, false);
}

TEST_F(WindowPlacement, EndOfSessionClosesAndFlushesTheStoreOnce) {
    FakeAppWindow app;
    window->setAppWindow(&app, false);
    window->setVisible(true, false);
    SendMessageW(hwnd(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_TRUE(window->isShuttingDown());
    EXPECT_TRUE(window->isClosed());
    EXPECT_EQ(app.base.saves, 1);
    window->setAppWindow(nullptr, false);
}

TEST_F(WindowPlacement, TitleComesFromTheLanguagePackWithOrWithoutVersion) {
    s::lang::Localizer* localizer = s::lang::Localizer::loadXmlText(kPack);
    ASSERT_NE(localizer, nullptr);
    localizer->setLanguage(L"English");
    window->setLocalizer(localizer);
    window->setTitleId(501000, -1);
    EXPECT_STREQ(window->getTitle(), L"Glimmer");
    window->setTitleId(501000, 501010);
    EXPECT_STREQ(window->getTitle(), L"Glimmer v1.2");
    // A language change re-titles the window and tells the language listeners.
    Recorder language;
    window->addLanguageListener(&language);
    localizer->setLanguage(L"German");
    EXPECT_STREQ(window->getTitle(), L"Glimmer DE v1.2");
    EXPECT_EQ(language.count.load(), 1);
    window->setLocalizer(nullptr);
    localizer->release();
}

TEST_F(WindowPlacement, TrayClicksToggleBetweenTrayAndFront) {
    Recorder clicks;
    window->addTrayClickListener(&clicks);
    window->setVisible(true, false);
    window->bringToFront(true);  // active
    SendMessageW(hwnd(), 0x402, 0, WM_LBUTTONDOWN);
    EXPECT_TRUE(window->isInTray());
    EXPECT_FALSE(IsWindowVisible(hwnd()));
    EXPECT_TRUE(window->isTrayIconShown());
    window->hideToTray();  // twice in a row acts once
    EXPECT_TRUE(window->isInTray());
    SendMessageW(hwnd(), 0x402, 0, WM_LBUTTONDOWN);
    EXPECT_FALSE(window->isInTray());
    EXPECT_TRUE(IsWindowVisible(hwnd()));
    EXPECT_FALSE(window->isTrayIconShown());
    EXPECT_EQ(clicks.count.load(), 2);
    // Without toggling the click is only told.
    window->setTrayClickToggles(false);
    SendMessageW(hwnd(), 0x402, 0, WM_LBUTTONDOWN);
    EXPECT_FALSE(window->isInTray());
    EXPECT_EQ(clicks.count.load(), 3);
}

TEST_F(WindowPlacement, CloseToTrayMarksTheWindowInTheTrayBeforeClosing) {
    Recorder closer;
    bool inTrayWhenAsked = false;
    closer.action = [&](int32_t) { inTrayWhenAsked = window->isInTray(); };
    window->addCloseListener(&closer);
    window->setCloseToTray(true);
    window->close();
    EXPECT_TRUE(inTrayWhenAsked);
}

TEST_F(WindowPlacement, MiddleClickRunsTheStoredAction) {
    Recorder middle;
    window->addMiddleButtonDownListener(&middle);
    window->setVisible(true, false);
    SendMessageW(hwnd(), WM_MBUTTONDOWN, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(middle.count.load(), 1);
    EXPECT_FALSE(window->isClosed());
    window->setMClickAction(L"Close");
    SendMessageW(hwnd(), WM_MBUTTONDOWN, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(window->isClosed());
}

TEST_F(WindowPlacement, KeyDownStoresTheKeyAndKeepsEnterFromTheDefault) {
    Recorder keys;
    window->addKeyDownListener(&keys);
    SendMessageW(hwnd(), WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(window->getLastKey(), 'A');
    SendMessageW(hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(window->getLastKey(), VK_RETURN);
    EXPECT_EQ(keys.count.load(), 2);
}
