#include "framework/gdi/Dc.h"

#include "framework/gdi/GdiObject.h"
#include "framework/window/Wnd.h"

CDC::~CDC() {
    if (m_owned) DeleteDC();
}

BOOL CDC::Attach(HDC dc) {
    if (m_hDC || !dc) return FALSE;
    m_hDC = dc;
    m_owned = true;
    return TRUE;
}

HDC CDC::Detach() {
    HDC dc = m_hDC;
    m_hDC = nullptr;
    m_owned = false;
    return dc;
}

BOOL CDC::adopt(HDC made) {
    if (!made) return FALSE;
    if (m_owned) DeleteDC();
    m_hDC = made;
    m_owned = true;
    return TRUE;
}

BOOL CDC::CreateCompatibleDC(CDC* dc) { return adopt(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr)); }

BOOL CDC::CreateDC(const wchar_t* driver, const wchar_t* device, const DEVMODEW* mode) {
    return adopt(::CreateDCW(driver, device, nullptr, mode));
}

BOOL CDC::DeleteDC() {
    if (!m_hDC) return FALSE;
    BOOL ok = ::DeleteDC(m_hDC);
    m_hDC = nullptr;
    m_owned = false;
    return ok;
}

HGDIOBJ CDC::SelectObject(CGdiObject* object) {
    return object && object->m_hObject ? ::SelectObject(m_hDC, object->m_hObject) : nullptr;
}

POINT CDC::SetViewportOrg(int x, int y) {
    POINT old{};
    ::SetViewportOrgEx(m_hDC, x, y, &old);
    return old;
}

POINT CDC::SetWindowOrg(int x, int y) {
    POINT old{};
    ::SetWindowOrgEx(m_hDC, x, y, &old);
    return old;
}

POINT CDC::GetViewportOrg() const {
    POINT p{};
    ::GetViewportOrgEx(m_hDC, &p);
    return p;
}

void CDC::FillSolidRect(const RECT* r, COLORREF color) {
    if (!r) return;
    COLORREF old = ::SetBkColor(m_hDC, color);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, r, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int width, int height, COLORREF color) {
    RECT r{x, y, x + width, y + height};
    FillSolidRect(&r, color);
}

void CDC::FillRect(const RECT* r, CGdiObject* brush) {
    if (r && brush) ::FillRect(m_hDC, r, static_cast<HBRUSH>(brush->m_hObject));
}

void CDC::Draw3dRect(const RECT* r, COLORREF topLeft, COLORREF bottomRight) {
    if (!r) return;
    int x = r->left, y = r->top, w = r->right - r->left, h = r->bottom - r->top;
    FillSolidRect(x, y, w - 1, 1, topLeft);
    FillSolidRect(x, y, 1, h - 1, topLeft);
    FillSolidRect(x + w - 1, y, 1, h, bottomRight);
    FillSolidRect(x, y + h - 1, w, 1, bottomRight);
}

POINT CDC::MoveTo(int x, int y) {
    POINT old{};
    ::MoveToEx(m_hDC, x, y, &old);
    return old;
}

BOOL CDC::BitBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, DWORD rop) {
    return ::BitBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, sx, sy, rop);
}

BOOL CDC::StretchBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh, DWORD rop) {
    return ::StretchBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, sx, sy, sw, sh, rop);
}

SIZE CDC::GetTextExtent(const wchar_t* text, int length) const {
    SIZE s{};
    ::GetTextExtentPoint32W(m_hDC, text, length, &s);
    return s;
}

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) { m_hDC = ::BeginPaint(m_hWnd, &m_ps); }

CPaintDC::~CPaintDC() {
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) { m_hDC = ::GetDC(m_hWnd); }

CClientDC::~CClientDC() {
    if (m_hDC) ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) { m_hDC = ::GetWindowDC(m_hWnd); }

CWindowDC::~CWindowDC() {
    if (m_hDC) ::ReleaseDC(m_hWnd, Detach());
}
