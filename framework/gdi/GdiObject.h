// GDI objects that own their handle: the object deletes it when it is destroyed,
// replaced through a Create call, or DeleteObject is called. Detach hands the
// handle over instead.
//
//   CFont font;
//   font.CreatePointFont(90, L"Tahoma");      // 9 points at the screen's resolution
//   CBrush red(RGB(255, 0, 0));
//   dc.FillRect(&r, &red);
#pragma once

#include <windows.h>

class CDC;

class CGdiObject {
public:
    CGdiObject() = default;
    virtual ~CGdiObject() { DeleteObject(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    // Takes ownership of a handle; false when this object already holds one.
    BOOL Attach(HGDIOBJ handle);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    // A stock object (never deleted).
    BOOL CreateStockObject(int index);
    int GetObject(int size, void* buffer) const { return ::GetObjectW(m_hObject, size, buffer); }

protected:
    // Replaces the held handle (deleting the old one); false for a null handle.
    BOOL take(HGDIOBJ handle);
    // The same for a handle the system shares, which is never deleted.
    BOOL takeShared(HGDIOBJ handle);

private:
    bool m_stock = false;
};

class CFont : public CGdiObject {
public:
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    BOOL CreateFontIndirect(const LOGFONTW* lf) { return lf && take(::CreateFontIndirectW(lf)); }
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                    BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                    BYTE pitchAndFamily, const wchar_t* faceName);
    // pointSize in tenths of a point, converted with the resolution of dc (the
    // screen when null) into a character height (negative lfHeight).
    BOOL CreatePointFont(int pointSize, const wchar_t* faceName, CDC* dc = nullptr);
    // The same from a description whose lfHeight holds tenths of a point.
    BOOL CreatePointFontIndirect(const LOGFONTW* lf, CDC* dc = nullptr);
    int GetLogFont(LOGFONTW* lf) const { return GetObject(sizeof(LOGFONTW), lf); }
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    BOOL CreateSolidBrush(COLORREF color) { return take(::CreateSolidBrush(color)); }
    // The system's shared brush of a system colour (never deleted).
    BOOL CreateSysColorBrush(int index) { return takeShared(::GetSysColorBrush(index)); }
    BOOL CreateBrushIndirect(const LOGBRUSH* lb) { return lb && take(::CreateBrushIndirect(lb)); }
    BOOL CreateHatchBrush(int index, COLORREF color) { return take(::CreateHatchBrush(index, color)); }
    BOOL CreatePatternBrush(HBITMAP bitmap) { return take(::CreatePatternBrush(bitmap)); }
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
    BOOL CreatePen(int style, int width, COLORREF color) { return take(::CreatePen(style, width, color)); }
    BOOL CreatePenIndirect(const LOGPEN* lp) { return lp && take(::CreatePenIndirect(lp)); }
};

class CRgn : public CGdiObject {
public:
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2) { return take(::CreateRectRgn(x1, y1, x2, y2)); }
    BOOL CreateRectRgnIndirect(const RECT* r) { return r && take(::CreateRectRgnIndirect(r)); }
    BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2) { return take(::CreateEllipticRgn(x1, y1, x2, y2)); }
    BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h) {
        return take(::CreateRoundRectRgn(x1, y1, x2, y2, w, h));
    }
    BOOL CreatePolygonRgn(const POINT* points, int count, int mode) {
        return take(::CreatePolygonRgn(points, count, mode));
    }
    // Replaces this region's shape by the combination; the region must exist
    // (for example CreateRectRgn(0, 0, 0, 0)). Answers NULLREGION, SIMPLEREGION,
    // COMPLEXREGION or ERROR.
    int CombineRgn(const CRgn* a, const CRgn* b, int mode) {
        return ::CombineRgn(*this, a ? static_cast<HRGN>(*a) : nullptr, b ? static_cast<HRGN>(*b) : nullptr, mode);
    }
    int CopyRgn(const CRgn* source) { return CombineRgn(source, nullptr, RGN_COPY); }
    BOOL SetRectRgn(int x1, int y1, int x2, int y2) { return ::SetRectRgn(*this, x1, y1, x2, y2); }
    int OffsetRgn(int x, int y) { return ::OffsetRgn(*this, x, y); }
    BOOL PtInRegion(int x, int y) const { return ::PtInRegion(*this, x, y); }
    int GetRgnBox(RECT* r) const { return ::GetRgnBox(*this, r); }
    BOOL EqualRgn(const CRgn* other) const { return other && ::EqualRgn(*this, *other); }
};
