#include "gui/window/WindowGeometry.h"

#include <windows.h>

#include <algorithm>

#include "foundation/str/StrBuffer.h"

namespace s::gui::win::geometry {

int32_t sizingEdgeFromWmsz(int32_t wmsz) {
    switch (wmsz) {
        case WMSZ_LEFT: return kEdgeLeft;
        case WMSZ_RIGHT: return kEdgeRight;
        case WMSZ_TOP: return kEdgeTop;
        case WMSZ_TOPLEFT: return kEdgeTopLeft;
        case WMSZ_TOPRIGHT: return kEdgeTopRight;
        case WMSZ_BOTTOM: return kEdgeBottom;
        case WMSZ_BOTTOMLEFT: return kEdgeBottomLeft;
        case WMSZ_BOTTOMRIGHT: return kEdgeBottomRight;
        default: return kEdgeNone;
    }
}

int32_t wmszFromHitTest(int32_t hitCode) {
    switch (hitCode) {
        case HTLEFT: return WMSZ_LEFT;
        case HTRIGHT: return WMSZ_RIGHT;
        case HTTOP: return WMSZ_TOP;
        case HTTOPLEFT: return WMSZ_TOPLEFT;
        case HTTOPRIGHT: return WMSZ_TOPRIGHT;
        case HTBOTTOM: return WMSZ_BOTTOM;
        case HTBOTTOMLEFT: return WMSZ_BOTTOMLEFT;
        case HTBOTTOMRIGHT: return WMSZ_BOTTOMRIGHT;
        default: return 0;
    }
}

int32_t frameHitTest(int32_t x, int32_t y, int32_t width, int32_t height, int32_t scale, int32_t fallback) {
    const int32_t e = 5 * scale;
    const int32_t k = 30 * scale;
    if (x > width - e) {
        if (y > height - k) return HTBOTTOMRIGHT;
        if (y < k) return HTTOPRIGHT;
        return HTRIGHT;
    }
    if (y > height - e) {
        if (x > width - k) return HTBOTTOMRIGHT;
        if (x < k) return HTBOTTOMLEFT;
        return HTBOTTOM;
    }
    if (x < e) {
        if (y > height - k) return HTBOTTOMLEFT;
        if (y < k) return HTTOPLEFT;
        return HTLEFT;
    }
    if (y < e) {
        if (x > width - k) return HTTOPRIGHT;
        if (x < k) return HTTOPLEFT;
        return HTTOP;
    }
    return fallback;
}

namespace {

bool isBottomEdge(int32_t edge) { return edge == kEdgeBottom || edge == kEdgeBottomLeft || edge == kEdgeBottomRight; }

bool isLeftEdge(int32_t edge) { return edge == kEdgeLeft || edge == kEdgeTopLeft || edge == kEdgeBottomLeft; }

bool isTopEdge(int32_t edge) { return edge == kEdgeTop || edge == kEdgeTopLeft || edge == kEdgeTopRight; }

}  // namespace

void cutToWorkHeight(Rect* r, int32_t edge, int32_t workHeight) {
    if (workHeight <= 0 || r->bottom - r->top <= workHeight) return;
    if (isBottomEdge(edge))
        r->bottom = r->top + workHeight;
    else
        r->top = r->bottom - workHeight;
}

void enforceMinimumSize(Rect* r, int32_t edge, bool keepWidth, int32_t minWidth, bool keepHeight, int32_t minHeight) {
    if (keepWidth && r->right - r->left < minWidth) {
        if (isLeftEdge(edge))
            r->left = r->right - minWidth;
        else
            r->right = r->left + minWidth;
    }
    if (keepHeight && r->bottom - r->top < minHeight) {
        if (isTopEdge(edge))
            r->top = r->bottom - minHeight;
        else
            r->bottom = r->top + minHeight;
    }
}

bool clampIntoArea(int32_t* x, int32_t* y, int32_t cx, int32_t cy, const Area& area) {
    const int32_t x0 = *x, y0 = *y;
    if (*x + cx >= area.left + area.width) *x = area.left + area.width - cx;
    if (*y + cy >= area.top + area.height) *y = area.top + area.height - cy;
    if (*x < area.left) *x = area.left;
    if (*y < area.top) *y = area.top;
    return *x != x0 || *y != y0;
}

bool isPlacedOnScreen(int32_t left, int32_t top, int32_t width, int32_t height, const Area& vs) {
    if (width <= 10 || height <= 10) return false;
    const int32_t vsRight = vs.left + vs.width;
    const int32_t vsBottom = vs.top + vs.height;
    if (left > vsRight - 10) return false;
    if (left + width - vs.left <= 9) return false;
    if (top > vsBottom - 10) return false;
    if (top + height - vs.top <= 9) return false;
    return true;
}

bool moveOntoScreen(int32_t* x, int32_t* y, int32_t width, int32_t height, const Area& vs) {
    const int32_t x0 = *x, y0 = *y;
    if (*x + width > vs.left + vs.width) *x -= *x + width - (vs.left + vs.width);
    if (*y + height > vs.top + vs.height) *y -= *y + height - (vs.top + vs.height);
    if (*x < vs.left) *x = vs.left;
    if (*y < vs.top) *y = vs.top;
    return *x != x0 || *y != y0;
}

uint8_t alphaOfPercent(int32_t percent) {
    const int64_t a = int64_t(percent) * 255 / 100;
    return uint8_t(std::clamp<int64_t>(a, 0, 255));
}

int32_t fadeOutStep(int32_t current, int32_t wanted, bool* done) {
    const int32_t next = current - std::max(1, wanted / 5);
    *done = next <= 0;
    return *done ? 0 : next;
}

int32_t fadeInStep(int32_t current, int32_t wanted, bool* done) {
    const int32_t next = current + std::max(1, wanted / 10);
    *done = next >= wanted;
    return *done ? wanted : next;
}

Size shrinkStep(Size current, Size saved, Size target, bool* done) {
    const int32_t stepW = std::max(1, saved.width / 5);
    const int32_t stepH = std::max(1, saved.height / 5);
    const bool fitsW = target.width < current.width - stepW;
    const bool fitsH = target.height < current.height - stepH;
    *done = false;
    if (target.width < 0 && target.height < 0) {
        *done = true;
        return current;
    }
    if (target.width < 0) {
        if (fitsH) return {current.width, current.height - stepH};
        *done = true;
        return {current.width, target.height};
    }
    if (target.height < 0) {
        if (fitsW) return {current.width - stepW, current.height};
        *done = true;
        return {target.width, current.height};
    }
    if (fitsW && fitsH) return {current.width - stepW, current.height - stepH};
    *done = true;
    return target;
}

Size growStep(Size current, Size saved, Size target, bool* done) {
    const int32_t stepW = std::max(1, saved.width / 15);
    const int32_t stepH = std::max(1, saved.height / 15);
    const bool fitsW = current.width + stepW < saved.width;
    const bool fitsH = current.height + stepH < saved.height;
    *done = false;
    if (target.width < 0 && target.height >= 0) {
        if (fitsH) return {current.width, current.height + stepH};
    } else if (target.height < 0 && target.width >= 0) {
        if (fitsW) return {current.width + stepW, current.height};
    } else if (target.width >= 0 && target.height >= 0) {
        if (fitsW && fitsH) return {current.width + stepW, current.height + stepH};
    }
    *done = true;
    return saved;
}

void hotKeyFailureText(str::strbuffer::StrBuffer* out, bool alt, bool ctrl, bool shift, bool win, int32_t keyCode) {
    out->clear();
    out->appendText(L"HotKey ");
    if (alt) out->appendText(L"Alt+");
    if (ctrl) out->appendText(L"Ctrl+");
    if (shift) out->appendText(L"Shift+");
    if (win) out->appendText(L"WinKey+");
    wchar_t digits[16];
    wsprintfW(digits, L"%d", keyCode);
    out->appendText(digits);
    out->appendText(L" has been occupied by another application.");
}

uint32_t hotKeyModifiers(bool alt, bool ctrl, bool shift, bool win, bool noRepeat) {
    uint32_t m = 0;
    if (alt) m |= MOD_ALT;
    if (ctrl) m |= MOD_CONTROL;
    if (shift) m |= MOD_SHIFT;
    if (win) m |= MOD_WIN;
    if (noRepeat) m |= 0x4000;
    return m;
}

BufferAction backBufferAction(int32_t capW, int32_t capH, int32_t w, int32_t h) {
    if (capW <= 0 || capH <= 0) return BufferAction::Make;
    const double area = double(w) * double(h);
    if (area < 0.7 * double(capW) * double(capH)) return BufferAction::Replace;
    if (capW >= w && capH >= h) return BufferAction::Keep;
    return BufferAction::Grow;
}

}  // namespace s::gui::win::geometry
