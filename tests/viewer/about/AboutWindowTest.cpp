// The About window in a real window over an owner: its texts from the program's pack,
// the owner held modal until it closes, a new window on every show with one record, and
// the web address opened through the shell.
#include "viewer/about/AboutWindow.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "gui/controls/Button.h"
#include "gui/controls/Label.h"
#include "gui/window/Window.h"
#include "gui/window/WindowTestSupport.h"
#include "platform/lang/Localizer.h"
#include "platform/shell/Shell.h"
#include "viewer/app/AppTestSupport.h"
#include "viewer/app/AppWindow.h"

using s::image::gui::dialogs::imageview::AboutWindow;
using viewertest::TestAppBase;
using windowtest::waitFor;

namespace {

std::vector<std::wstring> g_opened;
int32_t recordOpen(const wchar_t* file) {
    g_opened.push_back(file);
    return 1;
}

// The texts of every child window of the window, depth first.
std::vector<std::wstring> childTexts(HWND window) {
    std::vector<std::wstring> texts;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM p) -> BOOL {
            wchar_t text[256] = {};
            GetWindowTextW(child, text, 256);
            if (*text) reinterpret_cast<std::vector<std::wstring>*>(p)->push_back(text);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

bool contains(const std::vector<std::wstring>& list, const std::wstring& text) {
    for (const std::wstring& t : list)
        if (t == text) return true;
    return false;
}

class AboutWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        record = s::app::win::AppWindow::create();
        record->init(app.base, L"MainWindow", 500, 450, false, L"Close", app.base->getSkinner(), nullptr);
        record->getLangPack()->setLanguage(L"English");
        owner = s::gui::win::Window::create();
        owner->setBounds(200, 150, 400, 300);
        owner->setVisible(true, true);
        about = AboutWindow::createFor(record);
        g_opened.clear();
        s::shell::setOpenOverride(&recordOpen);
    }
    void TearDown() override {
        s::shell::setOpenOverride(nullptr);
        delete about;
        owner->close();
        owner->release();
        record->release();
    }
    std::wstring text(int32_t id) { return record->getLangPack()->getText(id); }
    bool ownerEnabled() { return IsWindowEnabled(owner->getHwnd()) != FALSE; }

    TestAppBase app;
    s::app::win::AppWindow* record = nullptr;
    s::gui::win::Window* owner = nullptr;
    AboutWindow* about = nullptr;
};

TEST_F(AboutWindowTest, ShowsTheProgramsTextsAndHoldsTheOwnerModal) {
    ASSERT_TRUE(ownerEnabled());
    about->show(owner);
    s::gui::win::Window* window = about->window();
    ASSERT_NE(window, nullptr);
    HWND hwnd = window->getHwnd();
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(hwnd) != FALSE; }));
    EXPECT_FALSE(ownerEnabled());

    const int32_t base = record->getTextBaseId();
    ASSERT_FALSE(text(400100).empty());
    wchar_t title[128] = {};
    GetWindowTextW(hwnd, title, 128);
    EXPECT_EQ(std::wstring(title), text(400100));
    std::vector<std::wstring> texts;
    for (s::gui::win::Label* label : about->labels()) texts.push_back(label->getText());
    const std::wstring address = text(101000).empty() ? text(base + 3) : text(101000);
    const std::vector<std::wstring> expected = {text(400100), text(base),      text(400010), text(base + 10),
                                                text(400020), text(base + 20), text(400080), address};
    EXPECT_EQ(texts, expected);
    for (size_t i = 0; i + 1 < expected.size(); ++i) EXPECT_FALSE(expected[i].empty()) << i;
    for (s::gui::win::Label* label : about->labels()) EXPECT_EQ(label->getTextColor(), RGB(0, 0, 0));
    EXPECT_TRUE(contains(childTexts(hwnd), L"#"));
    EXPECT_TRUE(contains(childTexts(hwnd), text(400120)));
    // The window is sized to its contents: the Close button lies inside the client area.
    RECT client, button;
    GetClientRect(hwnd, &client);
    GetWindowRect(about->closeButton()->m_hWnd, &button);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&button), 2);
    EXPECT_LE(button.bottom, client.bottom);
    EXPECT_GT(button.right - button.left, 200);

    // Close ends the owner's modal state.
    SendMessageW(about->closeButton()->m_hWnd, BM_CLICK, 0, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(hwnd); }));
    EXPECT_TRUE(waitFor([&] { return ownerEnabled(); }));
}

TEST_F(AboutWindowTest, EveryShowBuildsANewWindowWithTheSameRecord) {
    about->show(owner);
    s::gui::win::Window* first = about->window();
    HWND firstHwnd = first->getHwnd();
    s::app::win::AppWindow* firstRecord = about->record();
    about->show(owner);
    EXPECT_NE(about->window()->getHwnd(), firstHwnd);
    EXPECT_FALSE(IsWindow(firstHwnd));
    EXPECT_EQ(about->record(), firstRecord);
    EXPECT_STREQ(about->record()->getName(), L"AboutWindow");
    EXPECT_TRUE(about->record()->getKeepOnTop());
    EXPECT_STREQ(about->record()->getMClickAction(), L"Close");
    // The title row's "#" closes the window as well.
    HWND hwnd = about->window()->getHwnd();
    SendMessageW(about->titleCloseButton()->m_hWnd, BM_CLICK, 0, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(hwnd); }));
    EXPECT_TRUE(waitFor([&] { return ownerEnabled(); }));
}

TEST_F(AboutWindowTest, ClickingTheAddressOpensIt) {
    about->show(owner);
    s::gui::win::Label* address = about->webAddressLabel();
    ASSERT_NE(address, nullptr);
    // The program's pack leaves the addresses empty until there is a site: give it one.
    const std::wstring expected = L"https://example.invalid/glimmer/";
    address->setText(expected.c_str(), true);
    RECT r;
    GetClientRect(address->m_hWnd, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    SendMessageW(address->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(address->m_hWnd, WM_LBUTTONUP, 0, at);
    ASSERT_TRUE(waitFor([&] { return !g_opened.empty(); }));
    EXPECT_EQ(g_opened.front(), expected);
}

}  // namespace
