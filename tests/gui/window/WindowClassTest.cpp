// The toolkit's window class: registration and the reflection of child notifications.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "gui/window/WindowClass.h"

namespace {

struct Seen {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Seen> g_seen;

LRESULT CALLBACK spyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= 0x8000 && message <= 0x80FF) {
        g_seen.push_back({message, wParam, lParam});
        return 0x1234;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

const wchar_t* spyClass() {
    static bool done = false;
    if (!done) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = spyProc;
        wc.lpszClassName = L"GlimmerReflectSpy";
        RegisterClassW(&wc);
        done = true;
    }
    return L"GlimmerReflectSpy";
}

class WindowClassTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(s::gui::win::registerWindowClass());
        parent_ = CreateWindowExW(0, s::gui::win::kWindowClassName, L"", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                  nullptr, nullptr);
        ASSERT_NE(parent_, nullptr);
        child_ = CreateWindowExW(0, spyClass(), L"", WS_CHILD, 0, 0, 50, 20, parent_, nullptr, nullptr, nullptr);
        ASSERT_NE(child_, nullptr);
        g_seen.clear();
    }
    void TearDown() override {
        if (IsWindow(parent_)) DestroyWindow(parent_);
    }
    HWND parent_ = nullptr;
    HWND child_ = nullptr;
};

}  // namespace

TEST_F(WindowClassTest, RegistrationIsOncePerProcess) {
    EXPECT_TRUE(s::gui::win::registerWindowClass());
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    ASSERT_TRUE(GetClassInfoExW(nullptr, s::gui::win::kWindowClassName, &wc));
    EXPECT_EQ(wc.lpfnWndProc, &s::gui::win::genericWindowProc);
    EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

TEST_F(WindowClassTest, CommandNotificationsReachTheControlUnchanged) {
    const struct {
        WORD code;
        UINT lib;
    } cases[] = {{0, 0x8004}, {1, 0x800A}, {5, 0x8005}, {7, 0x800F}, {8, 0x8010}, {0x200, 0x8015}, {0x300, 0x800C}};
    for (const auto& c : cases) {
        g_seen.clear();
        const WPARAM wp = MAKEWPARAM(1001, c.code);
        const LPARAM lp = reinterpret_cast<LPARAM>(child_);
        EXPECT_EQ(SendMessageW(parent_, WM_COMMAND, wp, lp), 0);
        ASSERT_EQ(g_seen.size(), 1u) << c.code;
        EXPECT_EQ(g_seen[0].message, c.lib);
        EXPECT_EQ(g_seen[0].wParam, wp);
        EXPECT_EQ(g_seen[0].lParam, lp);
    }
    // A code outside the table is not reflected.
    g_seen.clear();
    SendMessageW(parent_, WM_COMMAND, MAKEWPARAM(1001, 0x400), reinterpret_cast<LPARAM>(child_));
    EXPECT_TRUE(g_seen.empty());
}

TEST_F(WindowClassTest, NotifyCodesReflectWithTheControlsAnswerOrZero) {
    NMHDR nm{child_, 7, UINT(NM_CUSTOMDRAW)};
    EXPECT_EQ(SendMessageW(parent_, WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&nm)), 0x1234);
    ASSERT_EQ(g_seen.size(), 1u);
    EXPECT_EQ(g_seen[0].message, 0x800Eu);

    g_seen.clear();
    nm.code = UINT(LVN_ITEMCHANGED);
    EXPECT_EQ(SendMessageW(parent_, WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&nm)), 0);
    ASSERT_EQ(g_seen.size(), 1u);
    EXPECT_EQ(g_seen[0].message, 0x8006u);

    g_seen.clear();
    nm.code = UINT(-2);  // NM_CLICK: not in the table
    SendMessageW(parent_, WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&nm));
    EXPECT_TRUE(g_seen.empty());
}

TEST_F(WindowClassTest, ColourRequestsGoToTheControlAsLibraryMessage) {
    HDC dc = GetDC(parent_);
    EXPECT_EQ(SendMessageW(parent_, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child_)),
              0x1234);
    ReleaseDC(parent_, dc);
    ASSERT_EQ(g_seen.size(), 1u);
    EXPECT_EQ(g_seen[0].message, 0x8003u);
}

TEST_F(WindowClassTest, CloseOwnerMessageDestroysTheWindow) {
    SendMessageW(parent_, 0x8001, 0, 0);
    EXPECT_FALSE(IsWindow(parent_));
}
