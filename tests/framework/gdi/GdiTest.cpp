// Device contexts, GDI objects and menus: what they draw, what they own and what
// they leave behind.
#include <gtest/gtest.h>
#include <windows.h>

#include "framework/WindowTesting.h"
#include "framework/gdi/Dc.h"
#include "framework/gdi/GdiObject.h"
#include "framework/menu/Menu.h"
#include "framework/window/Wnd.h"

namespace {

// A 32-bit top-down DIB selected into a memory DC, with its pixels readable.
struct Canvas {
    CDC dc;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    uint32_t* bits = nullptr;
    int w, h;
    Canvas(int width, int height) : w(width), h(height) {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* p = nullptr;
        bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
        bits = static_cast<uint32_t*>(p);
        dc.CreateCompatibleDC(nullptr);
        old = dc.SelectObject(bitmap);
    }
    ~Canvas() {
        dc.SelectObject(old);
        DeleteObject(bitmap);
    }
    // 0xRRGGBB
    uint32_t at(int x, int y) const {
        GdiFlush();
        return bits[y * w + x] & 0xFFFFFF;
    }
};

TEST(Cdc, FillSolidRectPaintsExactlyTheRectangleAndKeepsTheBackgroundColour) {
    Canvas c(8, 8);
    c.dc.FillSolidRect(0, 0, 8, 8, RGB(0, 0, 0));
    c.dc.SetBkColor(RGB(1, 2, 3));
    RECT r{2, 3, 5, 7};
    c.dc.FillSolidRect(&r, RGB(255, 0, 0));
    EXPECT_EQ(c.dc.GetBkColor(), RGB(1, 2, 3));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            bool inside = x >= 2 && x < 5 && y >= 3 && y < 7;
            EXPECT_EQ(c.at(x, y), inside ? 0xFF0000u : 0u) << x << "," << y;
        }
}

TEST(Cdc, Draw3dRectGivesTopLeftAndBottomRightTheirColours) {
    Canvas c(6, 6);
    c.dc.FillSolidRect(0, 0, 6, 6, RGB(0, 0, 0));
    RECT r{0, 0, 6, 6};
    c.dc.Draw3dRect(&r, RGB(255, 255, 255), RGB(0, 0, 255));
    EXPECT_EQ(c.at(0, 0), 0xFFFFFFu);
    EXPECT_EQ(c.at(4, 0), 0xFFFFFFu);
    EXPECT_EQ(c.at(0, 4), 0xFFFFFFu);
    EXPECT_EQ(c.at(5, 0), 0x0000FFu);
    EXPECT_EQ(c.at(0, 5), 0x0000FFu);
    EXPECT_EQ(c.at(5, 5), 0x0000FFu);
    EXPECT_EQ(c.at(2, 2), 0u);
}

TEST(Cdc, BlitAndSelectionRoundTrip) {
    Canvas src(4, 4), dst(4, 4);
    src.dc.FillSolidRect(0, 0, 4, 4, RGB(0, 255, 0));
    dst.dc.FillSolidRect(0, 0, 4, 4, RGB(0, 0, 0));
    EXPECT_TRUE(dst.dc.BitBlt(1, 1, 2, 2, &src.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(dst.at(1, 1), 0x00FF00u);
    EXPECT_EQ(dst.at(0, 0), 0u);
    EXPECT_EQ(dst.at(3, 3), 0u);

    CBrush brush(RGB(0, 0, 255));
    HGDIOBJ before = dst.dc.SelectObject(&brush);
    EXPECT_EQ(GetCurrentObject(dst.dc, OBJ_BRUSH), brush.m_hObject);
    dst.dc.SelectObject(before);
    EXPECT_EQ(GetCurrentObject(dst.dc, OBJ_BRUSH), before);
}

TEST(CFont, PointSizeTurnsIntoTheScreensCharacterHeight) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    for (int tenths : {80, 90, 100, 120, 240}) {
        CFont font;
        ASSERT_TRUE(font.CreatePointFont(tenths, L"Tahoma"));
        LOGFONTW lf{};
        ASSERT_GT(font.GetLogFont(&lf), 0);
        EXPECT_EQ(lf.lfHeight, -MulDiv(dpi, tenths, 720)) << tenths;
        EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
    }
}

TEST(CGdiObject, OwnsItsHandleUntilDetached) {
    HGDIOBJ kept;
    HGDIOBJ deleted;
    {
        CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
        CBrush brush(RGB(4, 5, 6));
        deleted = pen.m_hObject;
        kept = brush.Detach();
    }
    EXPECT_EQ(GetObjectType(deleted), 0u);
    EXPECT_EQ(GetObjectType(kept), DWORD(OBJ_BRUSH));
    DeleteObject(kept);

    // Re-creating replaces (and deletes) the earlier handle.
    CBrush brush;
    brush.CreateSolidBrush(RGB(1, 1, 1));
    HGDIOBJ first = brush.m_hObject;
    brush.CreateSolidBrush(RGB(2, 2, 2));
    EXPECT_NE(brush.m_hObject, first);
    EXPECT_EQ(GetObjectType(first), 0u);

    // Shared system objects are never deleted.
    HGDIOBJ stock = GetStockObject(WHITE_BRUSH);
    {
        CBrush white;
        white.CreateStockObject(WHITE_BRUSH);
        CBrush face;
        face.CreateSysColorBrush(COLOR_BTNFACE);
    }
    EXPECT_EQ(GetObjectType(stock), DWORD(OBJ_BRUSH));
    EXPECT_EQ(GetObjectType(GetSysColorBrush(COLOR_BTNFACE)), DWORD(OBJ_BRUSH));
}

TEST(CRgn, CombinesIntoAnExistingRegion) {
    CRgn a, b, both;
    a.CreateRectRgn(0, 0, 10, 10);
    b.CreateRectRgn(20, 0, 30, 10);
    both.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(both.CombineRgn(&a, &b, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(both.PtInRegion(5, 5));
    EXPECT_TRUE(both.PtInRegion(25, 5));
    EXPECT_FALSE(both.PtInRegion(15, 5));
    RECT box;
    both.GetRgnBox(&box);
    EXPECT_EQ(box.right, 30);
    both.OffsetRgn(5, 0);
    EXPECT_TRUE(both.PtInRegion(34, 5));
}

TEST(CMenu, DestroysItsMenuUnlessDetached) {
    HMENU destroyed, kept;
    {
        CMenu menu, other;
        ASSERT_TRUE(menu.CreatePopupMenu());
        menu.AppendMenu(MF_STRING, 100, L"Open");
        menu.AppendMenu(MF_STRING, 101, L"Close");
        EXPECT_EQ(menu.GetMenuItemCount(), 2);
        EXPECT_EQ(menu.GetMenuItemID(1), 101u);
        EXPECT_EQ(menu.GetMenuString(100, MF_BYCOMMAND), L"Open");
        menu.CheckMenuItem(101, MF_CHECKED | MF_BYCOMMAND);
        EXPECT_TRUE(menu.GetMenuState(101, MF_BYCOMMAND) & MF_CHECKED);
        destroyed = menu.m_hMenu;
        other.CreateMenu();
        kept = other.Detach();
    }
    EXPECT_FALSE(IsMenu(destroyed));
    EXPECT_TRUE(IsMenu(kept));
    DestroyMenu(kept);
}

// Paints through CPaintDC in WM_PAINT and counts the paints.
class Painter : public CWnd {
public:
    int paints = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_PAINT) {
            CPaintDC dc(this);
            RECT r;
            GetClientRect(&r);
            dc.FillSolidRect(&r, RGB(0, 0, 255));
            ++paints;
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST(CPaintDc, ValidatesTheUpdateRegionAndClientDcReadsTheClientArea) {
    Painter w;
    ASSERT_TRUE(w.CreateEx(WS_EX_TOOLWINDOW, fwtest::traceClass(), L"", WS_POPUP | WS_VISIBLE, 50, 50, 40, 30, nullptr,
                           nullptr));
    w.Invalidate();
    w.UpdateWindow();
    EXPECT_GE(w.paints, 1);
    EXPECT_FALSE(GetUpdateRect(w, nullptr, FALSE));
    {
        CClientDC dc(&w);
        ASSERT_NE(dc.GetSafeHdc(), nullptr);
        RECT clip;
        dc.GetClipBox(&clip);
        EXPECT_EQ(clip.right - clip.left, 40);
    }
    w.DestroyWindow();
}

}  // namespace
