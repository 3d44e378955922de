// Text fields in a real window: their size at each screen scale, text set with and
// without notification, typing, Enter taken before the edit control sees it, the loss of
// the focus, the colours they answer and settings given before the window exists.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/component/Events.h"
#include "gui/controls/ControlTestSupport.h"
#include "gui/controls/TextField.h"
#include "platform/system/Screen.h"

namespace {

namespace TextFieldEvent = s::gui::TextFieldEvent;
using controltest::ControlTest;
using controltest::Recorder;
using controltest::waitFor;
using s::gui::win::TextField;

// A window procedure put over the edit control's to see what reaches it.
WNDPROC g_previous = nullptr;
std::vector<UINT> g_seen;

LRESULT CALLBACK spyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN || message == WM_CHAR || message == WM_NULL || message == WM_SETTEXT)
        g_seen.push_back(message);
    return CallWindowProcW(g_previous, hwnd, message, wParam, lParam);
}

class TextFieldTest : public ControlTest {
protected:
    TextField* addField(const wchar_t* text = L"") {
        TextField* f = TextField::create();
        f->setText(text, false);
        panel->addChild(f);
        return f;
    }
    void spyOn(HWND hwnd) {
        g_seen.clear();
        g_previous =
            reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&spyProc)));
        spied = hwnd;
    }
    void TearDown() override {
        if (spied) SetWindowLongPtrW(spied, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_previous));
        ControlTest::TearDown();
    }
    // Posts a WM_NULL behind what was posted before and waits until the edit control saw it.
    bool drain() {
        const size_t before = g_seen.size();
        PostMessageW(spied, WM_NULL, 0, 0);
        return waitFor([&] {
            for (size_t i = before; i < g_seen.size(); ++i)
                if (g_seen[i] == WM_NULL) return true;
            return false;
        });
    }
    int seenCount(UINT message) const {
        int n = 0;
        for (UINT m : g_seen) n += m == message;
        return n;
    }
    HWND spied = nullptr;
};

TEST_F(TextFieldTest, ItsSizeFollowsTheScreenScale) {
    for (int32_t scale : {1, 2, 4}) {
        s::system::setScreenScaleOverride(scale);
        TextField* f = addField();
        EXPECT_EQ(f->getPreferredWidth(), 50 * scale);
        EXPECT_EQ(f->getMinHeight(), 24 * scale);
        panel->removeChild(f, false);
    }
    s::system::setScreenScaleOverride(0);
}

TEST_F(TextFieldTest, AFixedWidthWinsInItsLayout) {
    TextField* f = addField();
    f->setWidthPercent(40);
    f->setSizeClamped(500, 500);
    EXPECT_EQ(f->getWidth(), 80);
    f->setFixedWidth(120);
    f->setSizeClamped(10, 10);
    EXPECT_EQ(f->getWidth(), 120);
    EXPECT_EQ(f->getHeight(), 24 * s::system::getScreenScale());
}

TEST_F(TextFieldTest, TextSetWithoutNotificationTellsNobodyButTypingDoes) {
    TextField* f = addField(L"untitled");
    Recorder changes;
    f->addChangeListener(&changes);
    f->setText(L"renamed", false);
    EXPECT_STREQ(f->getText(), L"renamed");
    EXPECT_EQ(changes.count.load(), 0);

    f->setText(L"again", true);
    EXPECT_EQ(changes.count.load(), 1);

    spyOn(f->m_hWnd);
    PostMessageW(f->m_hWnd, WM_KEYDOWN, 'X', 0x002D0001);
    ASSERT_TRUE(waitFor([&] { return changes.count.load() == 2; }));
    EXPECT_EQ(changes.codes[1], TextFieldEvent::kChange);
    EXPECT_EQ(seenCount(WM_CHAR), 1);  // the key was translated into a character
    EXPECT_FALSE(f->isEmpty());
    f->clear();
    EXPECT_TRUE(f->isEmpty());
}

// Panels set their fields back as a whole: the text a field already shows, set quietly,
// reaches the edit control no more; a new text, a notified one, or the old text after
// the user typed over it does.
TEST_F(TextFieldTest, TheTextItShowsSetQuietlyIsNotSentAgain) {
    TextField* f = addField(L"100");
    Recorder changes;
    f->addChangeListener(&changes);
    spyOn(f->m_hWnd);
    f->setText(L"100", false);
    EXPECT_EQ(seenCount(WM_SETTEXT), 0);
    f->setText(L"0", false);
    EXPECT_EQ(seenCount(WM_SETTEXT), 1);
    EXPECT_EQ(changes.count.load(), 0);
    f->setText(L"0", true);
    EXPECT_EQ(seenCount(WM_SETTEXT), 2);
    EXPECT_EQ(changes.count.load(), 1);

    PostMessageW(f->m_hWnd, WM_KEYDOWN, '7', 0x00080001);
    ASSERT_TRUE(waitFor([&] { return changes.count.load() == 2; }));
    EXPECT_EQ(std::wstring(f->getText()).size(), 2u);  // the typed 7 beside the 0
    f->setText(L"0", false);
    EXPECT_STREQ(f->getText(), L"0");
    EXPECT_EQ(f->GetWindowText(), L"0");
}

TEST_F(TextFieldTest, EnterIsTakenBeforeTheEditControlSeesIt) {
    TextField* f = addField(L"name");
    Recorder enter, changes;
    f->addEnterListener(&enter);
    f->addChangeListener(&changes);
    spyOn(f->m_hWnd);

    PostMessageW(f->m_hWnd, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    ASSERT_TRUE(waitFor([&] { return enter.count.load() == 1; }));
    ASSERT_TRUE(drain());
    EXPECT_EQ(enter.count.load(), 1);
    EXPECT_EQ(enter.codes[0], TextFieldEvent::kEnter);
    EXPECT_EQ(seenCount(WM_KEYDOWN), 0);
    EXPECT_EQ(seenCount(WM_CHAR), 0);
    EXPECT_EQ(changes.count.load(), 0);
    EXPECT_STREQ(f->getText(), L"name");
}

TEST_F(TextFieldTest, LosingTheFocusTellsTheFocusListeners) {
    TextField* a = addField(L"first");
    TextField* b = addField(L"second");
    Recorder lost;
    a->addFocusLostListener(&lost);
    a->selectAll();
    EXPECT_EQ(lost.count.load(), 0);
    DWORD start = 1, end = 0;
    SendMessageW(a->m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 5u);
    b->selectAll();
    ASSERT_TRUE(waitFor([&] { return lost.count.load() == 1; }));
    EXPECT_EQ(lost.codes[0], TextFieldEvent::kFocusLost);
}

TEST_F(TextFieldTest, AReadOnlyOrDisabledFieldShowsTheButtonFace) {
    TextField* f = addField(L"text");
    f->setBackgroundColor(255, 255, 0, false);
    HDC dc = CreateCompatibleDC(nullptr);
    auto backgroundAnswered = [&](UINT request) {
        SendMessageW(panel->m_hWnd, request, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(f->m_hWnd));
        return GetBkColor(dc);
    };
    EXPECT_EQ(backgroundAnswered(WM_CTLCOLOREDIT), RGB(255, 255, 0));
    f->setEditable(false);
    EXPECT_TRUE(GetWindowLongW(f->m_hWnd, GWL_STYLE) & ES_READONLY);
    EXPECT_EQ(backgroundAnswered(WM_CTLCOLORSTATIC), GetSysColor(COLOR_BTNFACE));
    f->setEditable(true);
    f->setEnabled(false);
    EXPECT_FALSE(f->isEnabled());
    EXPECT_EQ(backgroundAnswered(WM_CTLCOLORSTATIC), GetSysColor(COLOR_BTNFACE));
    DeleteDC(dc);
}

TEST_F(TextFieldTest, SettingsGivenBeforeTheWindowExistTakeEffectAtAttachment) {
    TextField* f = TextField::create();
    Recorder changes;
    f->addChangeListener(&changes);
    f->setText(L"secret", true);
    f->setPassword(true);
    f->setEditable(false);
    f->setEnabled(false);
    EXPECT_STREQ(f->getText(), L"secret");
    panel->addChild(f);
    ASSERT_NE(f->m_hWnd, nullptr);
    EXPECT_EQ(SendMessageW(f->m_hWnd, EM_GETPASSWORDCHAR, 0, 0), L'*');
    EXPECT_TRUE(GetWindowLongW(f->m_hWnd, GWL_STYLE) & ES_READONLY);
    EXPECT_FALSE(IsWindowEnabled(f->m_hWnd));
    wchar_t text[16];
    GetWindowTextW(f->m_hWnd, text, 16);
    EXPECT_STREQ(text, L"secret");
    EXPECT_EQ(changes.count.load(), 0);  // the text it starts with is no change
}

}  // namespace
