// The menu bar in a real window: entries and labels, sizes with paddings, commands held
// by the bar and its pop-ups, language changes, and the pointer driven with SendInput:
// a command entry fires on release, a press opens a pop-up, hovering the next entry
// switches pop-ups at once, and a press right after a pop-up closed opens nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "MenuTestSupport.h"
#include "gui/controls/ControlTestSupport.h"
#include "gui/drawer/IMenu.h"
#include "foundation/str/StrArray.h"
#include "gui/menus/MenuEx.h"
#include "gui/menus/MenuItem.h"
#include "gui/menus/PopupMenu.h"

using controltest::ControlTest;
using controltest::Recorder;
using controltest::waitFor;
using s::gui::menuitem::MenuItem;
using s::gui::win::MenuEx;
using s::gui::win::PopupMenu;

namespace {

// Lays the entries out 10 pixels per character plus the spacing, 20 pixels high plus
// the spacing, and remembers what it was asked to paint.
class RowDrawer : public s::gui::drawer::IMenu {
public:
    std::atomic<int> paints{0};
    std::atomic<int32_t> lastHot{-2};
    const wchar_t* getClassName() const override { return L"test_RowDrawer"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void paint(HDC, int32_t, int32_t, int32_t, int32_t, s::str::strarray::StrArray*, RECT*, s::gui::IFont*,
               s::gui::IFont*, int32_t, int32_t, int32_t hotIndex, bool, bool, bool, bool) override {
        lastHot = hotIndex;
        ++paints;
    }
    void applyToFonts(s::gui::IFont*, s::gui::IFont*) override {}
    void measure(HDC, s::str::strarray::StrArray* items, RECT* rects, s::gui::IFont*, int32_t* a, int32_t* b,
                 int32_t* c, int32_t* d, int32_t marginX, int32_t marginY, bool) override {
        int32_t x = 0;
        const int32_t h = 20 + 2 * marginY;
        for (uint32_t i = 0; i < items->count(); ++i) {
            const int32_t w = 10 * int32_t(items->at(i)->length()) + 2 * marginX;
            rects[i] = RECT{x, 0, x + w, h};
            x += w;
        }
        *a = *c = x;
        *b = *d = h;
    }
    s::gui::IFontSetting* getNormalStyle() override { return nullptr; }
    s::gui::IFontSetting* getHighlightedStyle() override { return nullptr; }
    s::gui::drawer::ICombo* getComboDrawer() override { return nullptr; }
    void setHighlightColor(int, int, int) override {}
    void setTextColor(int, int, int) override {}
    void setHighlightedTextColor(int, int, int) override {}
    void setFlagA(bool) override {}
    void setFlagB(bool) override {}
};

// Records the time of each event and the bar's hot entry then.
class TimedRecorder : public s::gui::events::IEventListener {
public:
    std::vector<ULONGLONG> times;
    std::vector<int32_t> hots;  // the bar's hot entry at each event
    MenuEx* bar = nullptr;
    std::atomic<int> count{0};
    void onEvent(s::base::IObject*, int32_t code) override {
        times.push_back(GetTickCount64());
        if (bar) hots.push_back(bar->getHotIndex());
        lastCode = code;
        ++count;
    }
    int32_t lastCode = -1;
};

PopupMenu* popupOf(const wchar_t* title, int32_t firstId) {
    PopupMenu* p = PopupMenu::create();
    p->setTitle(title);
    p->withItem(MenuItem::createWithText(L"One", firstId, false))
        ->withItem(MenuItem::createWithText(L"Two", firstId + 1, false));
    return p;
}

HWND shownMenu() {
    HWND menu = FindWindowW(L"#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}

class MenuExTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        bar = MenuEx::create();
        bar->setDrawer(&drawer, false);
    }
    void TearDown() override {
        // Never leave a pop-up open behind.
        if (bar->m_hWnd && shownMenu()) PostMessageW(bar->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
        waitFor([] { return shownMenu() == nullptr; }, 1000);
        ControlTest::TearDown();
    }
    // "File" (pop-up, 100..101), "Go" (command 200), "View" (pop-up, 300..301), attached.
    void addThree() {
        bar->addPopup(popupOf(L"File", 100));
        bar->addItem(MenuItem::createWithText(L"Go", 200, false));
        bar->addPopup(popupOf(L"View", 300));
        bar->addOpenListener(&opened);
        opened.bar = bar;
        bar->addCommandListener(&commands);
        panel->addChild(bar);
        ASSERT_NE(bar->m_hWnd, nullptr);
        bar->setSize(200, bar->getPreferredHeight());
        ASSERT_GE(bar->getWidth(), 136);
    }
    POINT centreOfEntry(int32_t index) {
        const RECT r = bar->getEntryRect(index);
        POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        ClientToScreen(bar->m_hWnd, &p);
        return p;
    }
    // Moves the pointer there and makes sure it stays. Answers when each move was made.
    static std::vector<ULONGLONG> moveSettled(POINT p) {
        auto there = [p] {
            POINT c;
            GetCursorPos(&c);
            return c.x == p.x && c.y == p.y;
        };
        std::vector<ULONGLONG> moves;
        for (int i = 0; i < 20; ++i) {
            moves.push_back(GetTickCount64());
            controltest::pointerTo(p);
            if (waitFor(there, 100) && !waitFor([&] { return !there(); }, 60)) break;
        }
        return moves;
    }
    void pressAt(int32_t entry) {
        moveSettled(centreOfEntry(entry));
        controltest::leftButton(true);
        controltest::leftButton(false);
    }
    void escape() {
        PostMessageW(bar->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
        ASSERT_TRUE(waitFor([this] { return shownMenu() == nullptr && !bar->isPopupOpen(); }));
    }

    // Outlives the window, which leaves its listener list on release.
    menutest::Languages lang;
    RowDrawer drawer;
    MenuEx* bar = nullptr;
    TimedRecorder opened;
    Recorder commands;
};

}  // namespace

TEST_F(MenuExTest, EntriesAreLabelledAndLaidOutByTheDrawer) {
    bar->setPaddingHorizontal(5);
    bar->setPaddingTop(2);
    addThree();
    ASSERT_EQ(bar->getEntryCount(), 3);
    EXPECT_EQ(std::wstring(bar->getLabel(0)), L"File");
    EXPECT_EQ(std::wstring(bar->getLabel(1)), L"Go");
    // 10 per character plus 6 on each side; paddings move the entries.
    const RECT go = bar->getEntryRect(1);
    EXPECT_EQ(go.left, 5 + 52);
    EXPECT_EQ(go.right, 5 + 52 + 32);
    EXPECT_EQ(go.top, 2);
    EXPECT_EQ(bar->getMinWidth(), 0);
    EXPECT_EQ(bar->getPreferredWidth(), 10 + 52 + 32 + 52);
    EXPECT_EQ(bar->getPreferredHeight(), 2 + 26);
    bar->setZeroMinWidth(false);
    EXPECT_EQ(bar->getMinWidth(), 10 + 136);
    bar->setFixedWidth(77);
    EXPECT_EQ(bar->getPreferredWidth(), 77);
    // The last entry at the bar's right edge.
    bar->setPopupRightAligned(true);
    EXPECT_EQ(bar->getEntryRect(2).right, bar->getWidth() - 5);
}

TEST_F(MenuExTest, CommandsAndMarksAcrossTheBarAndItsPopups) {
    EXPECT_FALSE(bar->hasCommand(100));
    addThree();
    EXPECT_TRUE(bar->hasCommand(200));  // a command entry of the bar itself
    EXPECT_TRUE(bar->hasCommand(301));  // inside a pop-up
    EXPECT_FALSE(bar->hasCommand(999));
    EXPECT_FALSE(bar->setChecked(999, true));
    EXPECT_FALSE(bar->isChecked(999));
    EXPECT_TRUE(bar->setChecked(301, true));
    EXPECT_TRUE(bar->isChecked(301));

    // WM_COMMAND of a command the bar holds fires it; others are left alone.
    EXPECT_EQ(SendMessageW(bar->m_hWnd, WM_COMMAND, MAKEWPARAM(101, 0), 0), 0);
    EXPECT_EQ(bar->getLastCommand(), 101);
    EXPECT_EQ(commands.count.load(), 1);
    SendMessageW(bar->m_hWnd, WM_COMMAND, MAKEWPARAM(999, 0), 0);
    EXPECT_EQ(commands.count.load(), 1);
}

TEST_F(MenuExTest, LanguageChangeRelabelsTheEntries) {
    window->setLocalizer(lang.loc);
    PopupMenu* file = PopupMenu::create();
    file->setOwner(lang.loc);
    file->setTitleId(900);
    bar->addPopup(file);
    bar->addItem(MenuItem::createWithTextId(103, nullptr, 5, false));
    Recorder relabelled;
    bar->addRelabelListener(&relabelled);
    panel->addChild(bar);
    EXPECT_EQ(std::wstring(bar->getLabel(0)), L"File");
    EXPECT_EQ(std::wstring(bar->getLabel(1)), L"Close");
    const int32_t before = bar->getPreferredWidth();

    lang.loc->setLanguage(L"German");
    EXPECT_EQ(std::wstring(bar->getLabel(0)), L"Datei");
    EXPECT_EQ(std::wstring(bar->getLabel(1)), L"Schliessen");
    EXPECT_EQ(relabelled.count.load(), 1);
    EXPECT_GT(bar->getPreferredWidth(), before);
    EXPECT_EQ(bar->relabel(), 2);
}

TEST_F(MenuExTest, ClicksBetweenEntriesGoThrough) {
    addThree();
    // Past the last entry (136) the bar is transparent to the pointer.
    POINT p{170, 5};
    ClientToScreen(bar->m_hWnd, &p);
    moveSettled(p);
    EXPECT_EQ(SendMessageW(bar->m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTTRANSPARENT);
    const POINT c = centreOfEntry(2);
    moveSettled(c);
    EXPECT_EQ(SendMessageW(bar->m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(c.x, c.y)), HTCLIENT);
}

TEST_F(MenuExTest, ACommandEntryFiresOnReleaseNotOnPress) {
    addThree();
    moveSettled(centreOfEntry(1));
    ASSERT_TRUE(waitFor([this] { return bar->getHotIndex() == 1; }));
    // The hot entry is painted as such.
    EXPECT_TRUE(waitFor([this] { return drawer.lastHot.load() == 1; }));
    const POINT c = centreOfEntry(1);
    EXPECT_EQ(SendMessageW(bar->m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(c.x, c.y)), HTCLIENT);
    controltest::leftButton(true);
    // The press alone fires nothing; the release over the entry does.
    EXPECT_FALSE(waitFor([this] { return commands.count.load() > 0; }, 200));
    controltest::leftButton(false);
    ASSERT_TRUE(waitFor([this] { return commands.count.load() == 1; }));
    EXPECT_EQ(bar->getLastCommand(), 200);
    EXPECT_EQ(opened.count.load(), 0);
}

TEST_F(MenuExTest, HoveringTheNextEntrySwitchesTheOpenPopupAtOnce) {
    addThree();
    pressAt(0);
    ASSERT_TRUE(waitFor([this] { return opened.count.load() == 1 && shownMenu() != nullptr; }));
    EXPECT_EQ(opened.lastCode, 1);

    const std::vector<ULONGLONG> moves = moveSettled(centreOfEntry(2));
    ASSERT_TRUE(waitFor([this] { return opened.count.load() >= 2 && bar->getHotIndex() == 2 && shownMenu(); }));
    // The first pop-up's loop ended on this move, not on some later event.
    // The first pop-up of entry 2, and the move that brought the pointer there before it.
    size_t i = 1;
    while (i < opened.hots.size() && opened.hots[i] != 2) ++i;
    ASSERT_LT(i, opened.hots.size());
    ULONGLONG lastMove = moves.front();
    for (ULONGLONG m : moves)
        if (m <= opened.times[i]) lastMove = m;
    EXPECT_LT(opened.times[i] - lastMove, 100u);
    EXPECT_EQ(bar->getHotIndex(), 2);
    ASSERT_TRUE(waitFor([] { return shownMenu() != nullptr; }));

    // The entry chosen in the second pop-up comes back as the bar's command.
    PostMessageW(bar->m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(bar->m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(waitFor([this] { return commands.count.load() == 1; }));
    EXPECT_EQ(bar->getLastCommand(), 300);
    EXPECT_TRUE(waitFor([this] { return !bar->isPopupOpen(); }));
}

TEST_F(MenuExTest, APressRightAfterClosingOpensNothing) {
    addThree();
    pressAt(0);
    ASSERT_TRUE(waitFor([this] { return opened.count.load() == 1 && shownMenu() != nullptr; }));
    escape();
    const ULONGLONG closed = GetTickCount64();
    pressAt(0);
    // Only a press well inside the 500 ms proves anything.
    ASSERT_LT(GetTickCount64() - closed, 450u);
    EXPECT_FALSE(waitFor([this] { return opened.count.load() > 1; }, 250));
    ASSERT_TRUE(waitFor([closed] { return GetTickCount64() - closed > 550; }));
    pressAt(0);
    ASSERT_TRUE(waitFor([this] { return opened.count.load() == 2; }));
    escape();
}

TEST_F(MenuExTest, OpenOnHoverOpensWithoutAPress) {
    bar->setOpenOnHover(true);
    addThree();
    moveSettled(centreOfEntry(1));  // a command entry opens nothing
    ASSERT_TRUE(waitFor([this] { return bar->getHotIndex() == 1; }));
    moveSettled(centreOfEntry(2));
    ASSERT_TRUE(waitFor([this] { return opened.count.load() == 1 && shownMenu() != nullptr; }));
    escape();
    // Moving on the entry whose pop-up was just closed does not bring it back.
    POINT p = centreOfEntry(2);
    p.x += 3;
    moveSettled(p);
    EXPECT_FALSE(waitFor([this] { return opened.count.load() > 1; }, 250));
    moveSettled(centreOfEntry(1));
    moveSettled(centreOfEntry(2));
    ASSERT_TRUE(waitFor([this] { return opened.count.load() == 2 && shownMenu() != nullptr; }));
    escape();
}
