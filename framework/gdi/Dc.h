// Device contexts.
//
//   CPaintDC dc(this);                          // inside WM_PAINT: BeginPaint / EndPaint
//   dc.FillSolidRect(&dc.m_ps.rcPaint, RGB(255, 255, 255));
//   HGDIOBJ old = dc.SelectObject(&font);
//   dc.TextOut(4, 4, L"text");
//   dc.SelectObject(old);
//
// CDC owns a DC it created (CreateCompatibleDC, CreateDC) and deletes it; Attach
// takes ownership of a given DC, Detach gives it back. CPaintDC, CClientDC and
// CWindowDC hand their DC back to the window when they go out of scope.
#pragma once

#include <windows.h>

#include <string>

class CWnd;
class CGdiObject;

class CDC {
public:
    CDC() = default;
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }

    BOOL Attach(HDC dc);
    HDC Detach();
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL CreateDC(const wchar_t* driver, const wchar_t* device, const DEVMODEW* mode = nullptr);
    BOOL DeleteDC();

    // Selecting answers the object it replaced, so it can be selected back.
    HGDIOBJ SelectObject(CGdiObject* object);
    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
    HGDIOBJ SelectStockObject(int index) { return ::SelectObject(m_hDC, ::GetStockObject(index)); }
    int SelectClipRgn(HRGN rgn) { return ::SelectClipRgn(m_hDC, rgn); }
    int IntersectClipRect(int l, int t, int r, int b) { return ::IntersectClipRect(m_hDC, l, t, r, b); }
    int ExcludeClipRect(int l, int t, int r, int b) { return ::ExcludeClipRect(m_hDC, l, t, r, b); }
    int GetClipBox(RECT* r) const { return ::GetClipBox(m_hDC, r); }
    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }

    COLORREF SetTextColor(COLORREF c) { return ::SetTextColor(m_hDC, c); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    COLORREF SetBkColor(COLORREF c) { return ::SetBkColor(m_hDC, c); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    int SetStretchBltMode(int mode) { return ::SetStretchBltMode(m_hDC, mode); }
    int SetROP2(int mode) { return ::SetROP2(m_hDC, mode); }
    UINT SetTextAlign(UINT flags) { return ::SetTextAlign(m_hDC, flags); }
    POINT SetViewportOrg(int x, int y);
    POINT SetWindowOrg(int x, int y);
    POINT GetViewportOrg() const;

    // A solid rectangle in the colour; the DC's background colour is left as it was.
    void FillSolidRect(const RECT* r, COLORREF color);
    void FillSolidRect(int x, int y, int width, int height, COLORREF color);
    void FillRect(const RECT* r, CGdiObject* brush);
    void FillRect(const RECT* r, HBRUSH brush) { ::FillRect(m_hDC, r, brush); }
    void FrameRect(const RECT* r, HBRUSH brush) { ::FrameRect(m_hDC, r, brush); }
    // The top and left edges in topLeft, the bottom and right ones in bottomRight.
    void Draw3dRect(const RECT* r, COLORREF topLeft, COLORREF bottomRight);
    BOOL Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
    BOOL Ellipse(int l, int t, int r, int b) { return ::Ellipse(m_hDC, l, t, r, b); }
    BOOL RoundRect(int l, int t, int r, int b, int w, int h) { return ::RoundRect(m_hDC, l, t, r, b, w, h); }
    BOOL Polygon(const POINT* points, int count) { return ::Polygon(m_hDC, points, count); }
    BOOL Polyline(const POINT* points, int count) { return ::Polyline(m_hDC, points, count); }
    POINT MoveTo(int x, int y);
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    COLORREF SetPixel(int x, int y, COLORREF c) { return ::SetPixel(m_hDC, x, y, c); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
    BOOL DrawIconEx(int x, int y, HICON icon, int w, int h, UINT flags = DI_NORMAL) {
        return ::DrawIconEx(m_hDC, x, y, icon, w, h, 0, nullptr, flags);
    }

    BOOL BitBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, DWORD rop);
    BOOL StretchBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh, DWORD rop);
    BOOL PatBlt(int x, int y, int w, int h, DWORD rop) { return ::PatBlt(m_hDC, x, y, w, h, rop); }

    BOOL TextOut(int x, int y, const wchar_t* text, int length) { return ::TextOutW(m_hDC, x, y, text, length); }
    BOOL TextOut(int x, int y, const std::wstring& text) {
        return ::TextOutW(m_hDC, x, y, text.c_str(), static_cast<int>(text.size()));
    }
    BOOL ExtTextOut(int x, int y, UINT options, const RECT* r, const wchar_t* text, int length,
                    const int* dx = nullptr) {
        return ::ExtTextOutW(m_hDC, x, y, options, r, text, static_cast<UINT>(length), dx);
    }
    int DrawText(const wchar_t* text, int length, RECT* r, UINT format) {
        return ::DrawTextW(m_hDC, text, length, r, format);
    }
    int DrawText(const std::wstring& text, RECT* r, UINT format) {
        return ::DrawTextW(m_hDC, text.c_str(), static_cast<int>(text.size()), r, format);
    }
    SIZE GetTextExtent(const wchar_t* text, int length) const;
    SIZE GetTextExtent(const std::wstring& text) const {
        return GetTextExtent(text.c_str(), static_cast<int>(text.size()));
    }
    BOOL GetTextMetrics(TEXTMETRICW* tm) const { return ::GetTextMetricsW(m_hDC, tm); }

private:
    // Owns a newly made DC, deleting one it owned before; false for null.
    BOOL adopt(HDC made);
    bool m_owned = false;
};

// BeginPaint / EndPaint of a window, for WM_PAINT.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};

// GetDC / ReleaseDC of a window's client area.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

private:
    HWND m_hWnd;
};

// GetWindowDC / ReleaseDC: the whole window, frame included.
class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* wnd);
    ~CWindowDC() override;

private:
    HWND m_hWnd;
};
