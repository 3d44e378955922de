// Screen capture into pictures: rectangles, windows and the window under a point,
// read back from windows painted with known colours.
// The test windows stand apart in the lower right of the screen, where no other test puts
// a window.
#include <gtest/gtest.h>
#include <windows.h>

#include "imaging/capture/ScreenCapture.h"
#include "imaging/image/BufferedImage.h"
#include "platform/system/Screen.h"

using s::image::win::BufferedImage;

namespace {

// A window painted with known colours: four quadrants and a one-pixel marker.
constexpr COLORREF kTopLeft = RGB(255, 0, 0), kTopRight = RGB(0, 0, 255);
constexpr COLORREF kBottomLeft = RGB(0, 255, 0), kBottomRight = RGB(255, 255, 0);
constexpr COLORREF kMarker = RGB(255, 0, 255);

void paintQuadrants(HWND hwnd, HDC dc) {
    RECT c;
    GetClientRect(hwnd, &c);
    const int mx = c.right / 2, my = c.bottom / 2;
    auto fill = [&](int l, int t, int r, int b, COLORREF col) {
        RECT rr = {l, t, r, b};
        HBRUSH br = CreateSolidBrush(col);
        FillRect(dc, &rr, br);
        DeleteObject(br);
    };
    fill(0, 0, mx, my, kTopLeft);
    fill(mx, 0, c.right, my, kTopRight);
    fill(0, my, mx, c.bottom, kBottomLeft);
    fill(mx, my, c.right, c.bottom, kBottomRight);
    SetPixel(dc, 5, 7, kMarker);
}

LRESULT CALLBACK paintProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        paintQuadrants(hwnd, dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    if (msg == WM_ERASEBKGND) return 1;
    return DefWindowProcW(hwnd, msg, wp, lp);
}

const wchar_t* paintClass() {
    static const wchar_t* name = [] {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = paintProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"GlimmerCaptureTest";
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        RegisterClassW(&wc);
        return L"GlimmerCaptureTest";
    }();
    return name;
}

void pump(int ms) {
    const DWORD end = GetTickCount() + DWORD(ms);
    MSG msg;
    do {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    } while (int32_t(GetTickCount() - end) < 0);
}

COLORREF pixelRgb(BufferedImage* img, int x, int y) {
    uint32_t p = img->getRow(y)[x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

struct TestWindow {
    HWND hwnd = nullptr;
    TestWindow(int x, int y, int w, int h, DWORD style, HWND parent = nullptr) {
        DWORD ex = parent ? 0 : WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
        hwnd = CreateWindowExW(ex, paintClass(), L"capture", style, x, y, w, h, parent, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
        if (hwnd) {
            ShowWindow(hwnd, SW_SHOWNOACTIVATE);
            UpdateWindow(hwnd);
        }
    }
    ~TestWindow() {
        if (hwnd) DestroyWindow(hwnd);
    }
    // Shown and painted: the screen shows the marker where it belongs.
    bool waitPainted(int screenX, int screenY) { return waitColor(screenX + 5, screenY + 7, kMarker); }
    bool waitColor(int screenX, int screenY, COLORREF colour) {
        for (int i = 0; i < 100; ++i) {
            pump(20);
            BufferedImage* img = s::system::captureScreenRect(screenX, screenY, 1, 1);
            bool ok = img && pixelRgb(img, 0, 0) == colour;
            if (img) img->release();
            if (ok) return true;
        }
        return false;
    }
};

void expectQuadrants(BufferedImage* img, int ox, int oy, int w, int h) {
    EXPECT_EQ(pixelRgb(img, ox + 5, oy + 7), kMarker);
    EXPECT_EQ(pixelRgb(img, ox + 0, oy + 0), kTopLeft);
    EXPECT_EQ(pixelRgb(img, ox + w / 2 - 1, oy + h / 2 - 1), kTopLeft);
    EXPECT_EQ(pixelRgb(img, ox + w / 2, oy + 0), kTopRight);
    EXPECT_EQ(pixelRgb(img, ox + w - 1, oy + 0), kTopRight);
    EXPECT_EQ(pixelRgb(img, ox + 0, oy + h - 1), kBottomLeft);
    EXPECT_EQ(pixelRgb(img, ox + w - 1, oy + h - 1), kBottomRight);
    EXPECT_EQ(pixelRgb(img, ox + w / 2, oy + h / 2), kBottomRight);
}

TEST(ScreenCapture, RectangleReturnsThePixelsDrawnOpaque) {
    TestWindow win(1500, 800, 64, 48, WS_POPUP);
    ASSERT_NE(win.hwnd, nullptr);
    ASSERT_TRUE(win.waitPainted(1500, 800));

    BufferedImage* img = s::system::captureScreenRect(1490, 790, 84, 68);
    ASSERT_NE(img, nullptr);
    ASSERT_EQ(img->getWidth(), 84);
    ASSERT_EQ(img->getHeight(), 68);
    expectQuadrants(img, 10, 10, 64, 48);
    for (int y = 0; y < img->getHeight(); ++y)
        for (int x = 0; x < img->getWidth(); ++x) ASSERT_EQ(img->getRow(y)[x] >> 24, 0xFFu) << x << "," << y;
    EXPECT_FALSE(img->hasAlpha());
    img->release();
}

TEST(ScreenCapture, RectanglesAreCutToTheVirtualScreen) {
    const int vx = GetSystemMetrics(SM_XVIRTUALSCREEN), vy = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int vw = GetSystemMetrics(SM_CXVIRTUALSCREEN), vh = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    struct Case {
        int x, y, w, h, ew, eh;  // ew 0: null expected
    } cases[] = {
        {vx - 100, vy, 50, 50, 0, 0},        // wholly left
        {vx, vy - 80, 50, 80, 0, 0},         // wholly above
        {vx + vw, vy, 10, 10, 0, 0},         // wholly right
        {vx, vy + vh + 5, 10, 10, 0, 0},     // wholly below
        {vx, vy, 0, 10, 0, 0},               // empty
        {vx - 10, vy - 20, 30, 50, 20, 30},  // top-left corner
        {vx + vw - 15, vy + vh - 5, 40, 40, 15, 5},
        {vx + 3, vy + 4, 7, 9, 7, 9},  // inside
    };
    for (const Case& c : cases) {
        BufferedImage* img = s::system::captureScreenRect(c.x, c.y, c.w, c.h);
        if (c.ew == 0) {
            EXPECT_EQ(img, nullptr) << c.x << "," << c.y;
        } else {
            ASSERT_NE(img, nullptr) << c.x << "," << c.y;
            EXPECT_EQ(img->getWidth(), c.ew);
            EXPECT_EQ(img->getHeight(), c.eh);
            img->release();
        }
    }
}

TEST(ScreenCapture, BorderlessWindowKeepsEveryPixel) {
    TestWindow win(1600, 900, 80, 60, WS_POPUP);
    ASSERT_NE(win.hwnd, nullptr);
    ASSERT_TRUE(win.waitPainted(1600, 900));
    RECT wr, cr;
    ASSERT_TRUE(GetWindowRect(win.hwnd, &wr));
    ASSERT_TRUE(s::system::getWindowCaptureRect(win.hwnd, &cr));
    EXPECT_TRUE(EqualRect(&wr, &cr));

    BufferedImage* img = s::system::captureWindow(win.hwnd);
    ASSERT_NE(img, nullptr);
    ASSERT_EQ(img->getWidth(), 80);
    ASSERT_EQ(img->getHeight(), 60);
    expectQuadrants(img, 0, 0, 80, 60);
    img->release();
}

TEST(ScreenCapture, FramedWindowShowsItsClientArea) {
    TestWindow win(1700, 600, 200, 150, WS_OVERLAPPEDWINDOW);
    ASSERT_NE(win.hwnd, nullptr);
    POINT origin = {0, 0};
    ClientToScreen(win.hwnd, &origin);
    RECT client;
    GetClientRect(win.hwnd, &client);
    ASSERT_TRUE(win.waitPainted(origin.x, origin.y));

    RECT cr, wr;
    ASSERT_TRUE(s::system::getWindowCaptureRect(win.hwnd, &cr));
    ASSERT_TRUE(GetWindowRect(win.hwnd, &wr));
    // The visible frame never reaches outside the window, and holds the client area.
    EXPECT_GE(cr.left, wr.left);
    EXPECT_GE(cr.top, wr.top);
    EXPECT_LE(cr.right, wr.right);
    EXPECT_LE(cr.bottom, wr.bottom);
    EXPECT_LE(cr.left, origin.x);
    EXPECT_LE(cr.top, origin.y);
    EXPECT_GE(cr.right, origin.x + client.right);
    EXPECT_GE(cr.bottom, origin.y + client.bottom);

    BufferedImage* img = s::system::captureWindow(win.hwnd);
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(img->getWidth(), cr.right - cr.left);
    EXPECT_EQ(img->getHeight(), cr.bottom - cr.top);
    expectQuadrants(img, origin.x - cr.left, origin.y - cr.top, client.right, client.bottom);
    img->release();
}

TEST(ScreenCapture, WindowPartlyOffScreenGivesItsVisiblePart) {
    TestWindow win(-30, 950, 90, 40, WS_POPUP);
    ASSERT_NE(win.hwnd, nullptr);
    ASSERT_TRUE(win.waitColor(59, 989, kBottomRight));
    BufferedImage* img = s::system::captureWindow(win.hwnd);
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(img->getWidth(), 60);
    EXPECT_EQ(img->getHeight(), 40);
    // Window x 30..44 is the top-left quadrant, 45..89 the top-right one.
    EXPECT_EQ(pixelRgb(img, 0, 0), kTopLeft);
    EXPECT_EQ(pixelRgb(img, 14, 19), kTopLeft);
    EXPECT_EQ(pixelRgb(img, 15, 0), kTopRight);
    EXPECT_EQ(pixelRgb(img, 59, 39), kBottomRight);
    img->release();
}

TEST(ScreenCapture, PointOnAChildCapturesItsTopLevelWindow) {
    TestWindow top(1700, 820, 120, 100, WS_POPUP);
    ASSERT_NE(top.hwnd, nullptr);
    TestWindow child(20, 20, 40, 30, WS_CHILD | WS_VISIBLE, top.hwnd);
    ASSERT_NE(child.hwnd, nullptr);
    ASSERT_TRUE(top.waitPainted(1700, 820));
    pump(50);
    EXPECT_EQ(WindowFromPoint(POINT{1730, 850}), child.hwnd);

    BufferedImage* img = s::system::captureWindowAtPoint(1730, 850);
    ASSERT_NE(img, nullptr);
    EXPECT_EQ(img->getWidth(), 120);
    EXPECT_EQ(img->getHeight(), 100);
    EXPECT_EQ(pixelRgb(img, 0, 0), kTopLeft);
    EXPECT_EQ(pixelRgb(img, 119, 99), kBottomRight);
    EXPECT_EQ(pixelRgb(img, 20 + 5, 20 + 7), kMarker);  // the child's own marker
    img->release();

    EXPECT_EQ(s::system::captureWindow(nullptr), nullptr);
    EXPECT_EQ(s::system::captureWindow(reinterpret_cast<HWND>(0x7FFF0)), nullptr);
}

}  // namespace
