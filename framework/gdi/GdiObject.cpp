#include "framework/gdi/GdiObject.h"

#include <cstdlib>

#include "framework/gdi/Dc.h"

BOOL CGdiObject::Attach(HGDIOBJ handle) {
    if (m_hObject || !handle) return FALSE;
    m_hObject = handle;
    m_stock = false;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    m_stock = false;
    return h;
}

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject) return FALSE;
    BOOL ok = m_stock ? TRUE : ::DeleteObject(m_hObject);
    m_hObject = nullptr;
    m_stock = false;
    return ok;
}

BOOL CGdiObject::CreateStockObject(int index) { return takeShared(::GetStockObject(index)); }

BOOL CGdiObject::takeShared(HGDIOBJ handle) {
    if (!take(handle)) return FALSE;
    m_stock = true;
    return TRUE;
}

BOOL CGdiObject::take(HGDIOBJ handle) {
    if (!handle) return FALSE;
    DeleteObject();
    m_hObject = handle;
    return TRUE;
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                       BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                       BYTE pitchAndFamily, const wchar_t* faceName) {
    return take(::CreateFontW(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                              outPrecision, clipPrecision, quality, pitchAndFamily, faceName));
}

BOOL CFont::CreatePointFont(int pointSize, const wchar_t* faceName, CDC* dc) {
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = pointSize;
    if (faceName) lstrcpynW(lf.lfFaceName, faceName, LF_FACESIZE);
    return CreatePointFontIndirect(&lf, dc);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTW* source, CDC* dc) {
    if (!source) return FALSE;
    HDC hdc = dc && dc->m_hDC ? dc->m_hDC : ::GetDC(nullptr);
    // Tenths of a point to device pixels, then to the DC's logical units.
    POINT pt{0, ::MulDiv(::GetDeviceCaps(hdc, LOGPIXELSY), source->lfHeight, 720)};
    POINT origin{0, 0};
    ::DPtoLP(hdc, &pt, 1);
    ::DPtoLP(hdc, &origin, 1);
    if (hdc != (dc ? dc->m_hDC : nullptr)) ::ReleaseDC(nullptr, hdc);
    LOGFONTW lf = *source;
    lf.lfHeight = -std::abs(pt.y - origin.y);
    return CreateFontIndirect(&lf);
}
