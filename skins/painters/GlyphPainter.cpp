#include "skins/painters/GlyphPainter.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <string>

#include "skins/drawers/ButtonDrawer.h"
#include "skins/drawers/DrawerSupport.h"
#include "skins/painters/PaintSupport.h"

namespace s::skins::glyph {

namespace {

int32_t evenDown(int32_t v) { return v & ~1; }

// Every quantity the glyphs are laid out from, for the rectangle (x0, y0, x1, y1).
struct Frame {
    int32_t x0, y0, x1, y1, s;
    bool small;
    // Inset by the scale.
    int32_t L, T, R, B, Wd, Ht, y80;
    // The centred square.
    int32_t n, px, py, bx, by, bw, bh, my;
    // The nine-pixel box.
    int32_t ax, ay;
    // Inset by one pixel.
    int32_t iw, ih, m, hx, hy, kx, ky, third, ox, ey, M, N;
    // Chevron insets.
    int32_t cx, cy;

    Frame(int32_t ax0, int32_t ay0, int32_t ax1, int32_t ay1, int32_t scale)
        : x0(ax0), y0(ay0), x1(ax1), y1(ay1), s(scale), small(scale == 1) {
        L = x0 + s;
        T = y0 + s;
        R = x1 - s;
        B = y1 - s;
        Wd = R - L;
        Ht = B - T;
        y80 = T + Ht * 80 / 100;
        n = evenDown(std::min(Wd, Ht));
        px = (Wd - n) / 2;
        py = (Ht - n) / 2;
        bx = L + px;
        by = T + py;
        bw = Wd - 2 * px;
        bh = Ht - 2 * py;
        my = T + Ht / 2;
        auto halfUp = [](int32_t d) { return d / 2 + (d % 2 != 0 ? 1 : 0); };
        ax = x0 + halfUp(x1 - x0 - 9 * s);
        ay = y0 + halfUp(y1 - y0 - 9 * s);
        iw = x1 - x0 - 2;
        ih = y1 - y0 - 2;
        m = evenDown(std::min(iw, ih));
        hx = (iw - m) / 2;
        hy = (ih - m) / 2;
        kx = x0 + 1 + hx;
        ky = y0 + 1 + hy;
        third = m / 3;
        ox = (iw - third) / 2;
        ey = y0 + ih / 2 + 1;
        M = x0 + x1;
        N = y0 + y1;
        cx = (Wd - n / 3) / 2;
        cy = (Ht - n / 3) / 2;
    }
};

using Fill = SolidFiller;

void speakerCone(const Frame& f, const Fill& fill, COLORREF c) {
    const int32_t ax = f.ax, ay = f.ay;
    if (f.small) {
        fill(ax, ay + 2, 2, 5, c);
        fill(ax + 2, ay + 1, 1, 7, c);
        fill(ax + 3, ay, 1, 9, c);
    } else {
        fill(ax, ay + 4, 4, 10, c);
        fill(ax + 2, ay + 3, 4, 12, c);
        fill(ax + 4, ay + 2, 2, 14, c);
        fill(ax + 5, ay + 1, 2, 16, c);
        fill(ax + 6, ay, 2, 18, c);
    }
}

void speaker(const Frame& f, const Fill& fill, COLORREF c) {
    speakerCone(f, fill, c);
    const int32_t ax = f.ax, ay = f.ay;
    if (f.small) {
        fill(ax + 7, ay, 1, 1, c);
        fill(ax + 6, ay + 1, 1, 1, c);
        fill(ax + 5, ay + 2, 1, 1, c);
        fill(ax + 5, ay + 4, 3, 1, c);
        fill(ax + 5, ay + 6, 1, 1, c);
        fill(ax + 6, ay + 7, 1, 1, c);
        fill(ax + 7, ay + 8, 1, 1, c);
    } else {
        for (int k = 0; k <= 4; ++k) fill(ax + 14 - k, ay + k, 2, 2, c);
        fill(ax + 10, ay + 8, 6, 2, c);
        for (int k = 0; k <= 4; ++k) fill(ax + 10 + k, ay + 12 + k, 2, 2, c);
    }
}

void mute(const Frame& f, const Fill& fill, COLORREF c) {
    speakerCone(f, fill, c);
    if (f.small)
        fill(f.ax + 6, f.ay, 2, 9, c);
    else
        fill(f.ax + 12, f.ay, 4, 18, c);
}

void chevronRight(const Frame& f, const Fill& fill, COLORREF c) {
    const int32_t limit = f.Wd - f.cx;
    for (int32_t y = f.by, step = 0; y < f.my && step < limit; ++y, ++step) {
        const int32_t x = f.L + f.cx + (y - f.T - f.py) - (f.small ? 1 : 2);
        int32_t size = 2;
        if (!f.small && y != f.my - 1 && step != limit - 1) size = 4;
        fill(x, y, size, size, c);
        fill(x, f.N - y - size, size, size, c);
    }
}

void chevronLeft(const Frame& f, const Fill& fill, COLORREF c) {
    int32_t x = f.R - f.cx - 1;
    for (int32_t y = f.by;; ++y, --x) {
        if (f.small) {
            if (!(y < f.my && x > f.L)) break;
            fill(x, y, 2, 2, c);
            fill(x, f.N - y - 2, 2, 2, c);
        } else {
            if (!(y < f.my - 1 && x > f.L + 1)) break;
            const int32_t size = (x == f.L + 2 || y == f.my - 2) ? 2 : 4;
            fill(x, y, size, size, c);
            fill(x, f.N - y - 4, 4, 4, c);
        }
    }
}

void chevronDown(const Frame& f, const Fill& fill, COLORREF c) {
    const int32_t end = f.L + f.Wd / 2;
    int32_t y = f.T + f.cy - (f.small ? 1 : 2);
    for (int32_t x = f.bx; x < end; ++x, ++y) {
        if (f.small) {
            if (!(y + 1 < f.B)) break;
            fill(x, y, 2, 2, c);
            fill(f.M - x - 2, y, 2, 2, c);
        } else {
            if (!(y + 2 < f.B)) break;
            const int32_t size = (x == end - 1 || y == f.B - 3) ? 2 : 4;
            fill(x, y, size, size, c);
            fill(f.M - x - 4, y, size, size, c);
        }
    }
}

void chevronUp(const Frame& f, const Fill& fill, COLORREF c) {
    int32_t y = f.B - f.cy - 1;
    for (int32_t x = f.bx;; ++x, --y) {
        if (f.small) {
            if (!(y > f.T && x < f.L + f.Wd / 2)) break;
            fill(x, y, 2, 2, c);
            fill(f.M - x - 2, y, 2, 2, c);
        } else {
            if (!(y > f.T + 1 && x < f.L + f.Wd / 2 - 1)) break;
            fill(x, y, 4, 4, c);
            fill(f.M - x - 4, y, 4, 4, c);
        }
    }
}

struct Bars {
    int32_t d, u, v;
};

Bars plusBars(const Frame& f) {
    Bars b;
    b.d = std::max(1, evenDown(std::min(f.iw, f.ih) / 5));
    b.u = f.ih - b.d;
    b.v = (f.iw - b.d) / 2;
    return b;
}

void check(const Frame& f, const Fill& fill, COLORREF c) {
    const int32_t cx9 = f.L + (f.x1 - 9 * f.s - f.x0) / 2;
    const int32_t cy9 = f.T + (f.y1 - 9 * f.s - f.y0) / 2;
    if (f.small) {
        fill(cx9, cy9 + 2, 1, 3, c);
        fill(cx9 + 1, cy9 + 3, 1, 3, c);
        for (int k = 0; k <= 4; ++k) fill(cx9 + 2 + k, cy9 + 4 - k, 1, 3, c);
    } else {
        for (int k = 0; k <= 4; ++k) fill(cx9 + k, cy9 + 4 + k, f.s, 3 * f.s, c);
        for (int k = 0; k <= 7; ++k) fill(cx9 + 5 + k, cy9 + 7 - k, f.s, 3 * f.s, c);
    }
}

void resizer(const Frame& f, const Fill& fill, COLORREF c) {
    const int32_t z = f.small ? 2 : 2 * f.s, p = f.small ? 4 : 4 * f.s;
    const int32_t x1 = f.x1, y1 = f.y1;
    const int32_t dots[6][2] = {{x1, y1 - 2 * p}, {x1, y1 - p}, {x1 - p, y1 - p},
                                {x1, y1},         {x1 - p, y1}, {x1 - 2 * p, y1}};
    for (const auto& d : dots) fill(d[0], d[1], z, z, c);
}

void fitWindow(const Frame& f, const Fill& fill, COLORREF c, bool inward) {
    const int32_t x0 = f.x0, y0 = f.y0, x1 = f.x1, y1 = f.y1;
    const int32_t a = f.iw / 3, g = a + 2, hgt = f.ih / 3 + 2;
    const int32_t xa = x0 + a + 1, ya = y0 + 1 + f.ih / 3, xb = x1 - a - 3, yb = y1 - a - 3;
    if (inward) {
        fill(x0 + 1, ya, g, 2, c);
        fill(xa, y0 + 1, 2, hgt, c);
        for (int32_t x = x0 + 1, y = y0 + 1; x <= xa && y <= ya; ++x, ++y) fill(x, y, 2, 2, c);
        fill(xb, yb, g, 2, c);
        fill(xb, yb, 2, g, c);
        for (int32_t x = xb, y = xb + y1 - x1; x <= x1 - 3 && y <= y1 - 3; ++x, ++y) fill(x, y, 2, 2, c);
    } else {
        fill(x0 + 1, y0 + 1, g, 2, c);
        fill(x0 + 1, y0 + 1, 2, hgt, c);
        for (int32_t x = x0 + 1, y = y0 + 1; x <= xa && y <= ya; ++x, ++y) fill(x, y, 2, 2, c);
        fill(xb, y1 - 3, g, 2, c);
        fill(x1 - 3, yb, 2, g, c);
        for (int32_t x = xb; x <= x1 - 3; ++x) {
            const int32_t y = y1 + x - x1;
            if (y > y1 - 3) break;
            fill(x, y, 2, 2, c);
        }
    }
}

void palm(const Frame& f, const Fill& fill, COLORREF c) {
    const int32_t x0 = f.x0, y0 = f.y0, x1 = f.x1, y1 = f.y1, ey = f.ey;
    fill(x0 + 4, ey, x1 - x0 - 8, 1, c);
    fill(x0 + 4, y1 - 2, x1 - x0 - 8, 1, c);
    fill(x0 + 3, ey + 1, x1 - x0 - 6, y1 - ey - 3, c);
    const int32_t fl = f.ih / 2 - 3;
    fill(x0 + 2, y0 + 3, 2, 1, c);
    fill(x0 + 1, y0 + 4, 3, fl, c);
    fill(x0 + 6, y0 + 1, 2, 1, c);
    fill(x0 + 5, y0 + 2, 4, fl, c);
    fill(x0 + 6, y0 + f.ih / 2 - 1, 2, 1, c);
    fill(x0 + 10, y0 + 3, 2, 1, c);
    fill(x0 + 10, y0 + 4, 3, fl, c);
}

void keepRatio(const Frame& f, const Fill& fill, COLORREF c) {
    const int32_t x0 = f.x0, y0 = f.y0, x1 = f.x1, y1 = f.y1, ih = f.ih;
    fill(x0 + 1, y0 + 4, 1, ih - 6, c);
    fill(x0 + 2, y0 + 3, 1, ih - 4, c);
    fill(x0 + 3, y0 + 3, 2, 2, c);
    fill(x0 + 3, y1 - 5, 2, 2, c);
    fill(x0 + 5, y0 + 3, 1, ih - 4, c);
    fill(x0 + 6, y0 + 4, 1, ih - 6, c);
    fill(x1 - 2, y0 + 4, 1, ih - 6, c);
    fill(x1 - 3, y0 + 3, 1, ih - 4, c);
    fill(x1 - 5, y0 + 3, 2, 2, c);
    fill(x1 - 5, y1 - 5, 2, 2, c);
    fill(x1 - 6, y0 + 3, 1, ih - 4, c);
    fill(x1 - 7, y0 + 4, 1, ih - 6, c);
}

// "#Color-" and hexadecimal digits: digits 3 to 8 are the swatch's COLORREF (0xBBGGRR).
bool colorSwatch(const Frame& f, const Fill& fill, const wchar_t* digits) {
    const size_t len = wcslen(digits);
    if (len == 0) return false;
    for (size_t i = 0; i < len; ++i)
        if (!iswxdigit(digits[i])) return false;
    auto value = [](wchar_t h) -> COLORREF {
        if (h >= L'0' && h <= L'9') return COLORREF(h - L'0');
        return COLORREF((h | 0x20) - L'a' + 10);
    };
    COLORREF swatch = 0;
    for (size_t i = 2; i < len && i < 8; ++i) swatch = swatch * 16 + value(digits[i]);
    fill(f.x0 + 1, f.y0 + 1, f.iw, f.ih, 0);
    fill(f.x0 + 2, f.y0 + 2, f.iw - 2, f.ih - 2, swatch);
    return true;
}

}  // namespace

bool paintGlyph(HDC dc, int32_t x0, int32_t y0, int32_t x1, int32_t y1, const wchar_t* name, COLORREF c) {
    if (!name || name[0] != L'#' || IS_INTRESOURCE(name)) return false;
    const std::wstring g = name + 1;
    const Frame f(x0, y0, x1, y1, scale());
    const Fill fill(dc);
    const int32_t s = f.s, L = f.L, T = f.T, R = f.R, B = f.B, Wd = f.Wd, y80 = f.y80;

    if (g == L"_") {
        fill(L, y80, Wd, 2 * s, c);
    } else if (g == L"Transform") {
        fill(L, T + 1, Wd - 1, 2, c);
        fill(L + 1, T + 1, 1, 3, c);
        fill(L + 2, T + 1, 1, 4, c);
        fill(L + 3, T + 1, 1, 5, c);
        fill(L + 1, y80, Wd - 1, 2, c);
        for (int k = 0; k <= 2; ++k) fill(R - 2 - k, y80 - 1 - k, 1, 3 + k, c);
    } else if (g == L".") {
        fill(x1 - 3 * s, y80, 2 * s, 2 * s, c);
    } else if (g == L"X") {
        for (int32_t x = f.bx, y = f.by; x < R && y < B - 2 * s + 1; ++x, ++y) fill(x, y, 2 * s, 2 * s, c);
        for (int32_t x = x1 - 3 * s - f.px, y = f.by; x >= L && y < B - 2 * s + 1; --x, ++y)
            fill(x, y, 2 * s, 2 * s, c);
    } else if (g == L"\u25A1") {
        fill(f.bx, f.by, f.bw, 3 * s, c);
        fill(x1 - 2 * s - f.px, f.by, s, f.bh, c);
        fill(f.bx, y1 - 2 * s - f.py, f.bw, s, c);
        fill(f.bx, f.by, s, f.bh, c);
    } else if (g == L"\u2199") {
        const int32_t wd = Wd - 3, nn = evenDown(std::min(wd, f.Ht - 3));
        const int32_t l2 = L + (wd - nn) / 2, q = (f.Ht - nn - 3) / 2, e = -((wd - nn) / 2);
        const int32_t w2 = wd + 2 * e, h2 = f.Ht - 2 * q - 3, yA = T + q + 3;
        fill(l2, yA, w2, 2, c);
        fill(R + e - 4, yA, 1, h2, c);
        fill(l2, B - q - 1, w2, 1, c);
        fill(l2, yA, 1, h2, c);
        fill(l2 + 3, T + q, w2, 2, c);
        fill(R + e - 1, T + q, 1, h2, c);
        fill(R + e - 2, B - q - 4, 1, 1, c);
    } else if (g == L"Play") {
        for (int32_t x = f.bx, y = f.by, h = f.bh; y < f.my && x < R; x += 2, ++y, h -= 2) fill(x, y, 2, h, c);
    } else if (g == L"Pause") {
        const int32_t p = (Wd - f.n / 4) / 2;
        fill(f.bx, f.by, p - f.px, f.bh, c);
        fill(R - p, f.by, p - f.px, f.bh, c);
    } else if (g == L"Stop") {
        fill(f.bx, f.by, f.bw, f.bh, c);
    } else if (g == L"Speaker") {
        speaker(f, fill, c);
    } else if (g == L"Mute") {
        mute(f, fill, c);
    } else if (g == L"Right") {
        chevronRight(f, fill, c);
    } else if (g == L"RightRight") {
        for (int32_t y = f.ky, step = 0; y < f.ey && step < f.iw - f.ox; ++y, ++step) {
            const int32_t x = x0 + f.ox - 3 + (y - f.ky);
            fill(x, y, 2, 2, c);
            fill(x, f.N - y - 2, 2, 2, c);
            fill(x + 6, y, 2, 2, c);
            fill(x + 6, f.N - y - 2, 2, 2, c);
        }
    } else if (g == L"Left") {
        chevronLeft(f, fill, c);
    } else if (g == L"LeftLeft") {
        for (int32_t x = x1 - f.ox + 1, y = f.ky; y < f.ey && x - 3 > x0 + 1; --x, ++y) {
            fill(x - 6, y, 2, 2, c);
            fill(x - 6, f.N - y - 2, 2, 2, c);
            fill(x, y, 2, 2, c);
            fill(x, f.N - y - 2, 2, 2, c);
        }
    } else if (g == L"Down") {
        chevronDown(f, fill, c);
    } else if (g == L"Up") {
        chevronUp(f, fill, c);
    } else if (g == L"ThumbLineV") {
        const int32_t cx = L + (x1 - 4 * s - L) / 2;
        fill(cx, T, s, f.Ht, c);
        fill(cx + 2 * s, T, s, f.Ht, c);
    } else if (g == L"ThumbLineH") {
        const int32_t cy = T + (y1 - 4 * s - T) / 2;
        fill(L, cy, Wd, s, c);
        fill(L, cy + 2 * s, Wd, s, c);
    } else if (g == L"Minus") {
        const Bars b = plusBars(f);
        fill(f.kx, y0 + 1 + b.u / 2, f.M - 2 * f.kx, f.ih - 2 * (b.u / 2), c);
    } else if (g == L"Plus") {
        const Bars b = plusBars(f);
        fill(f.kx, y0 + 1 + b.u / 2, f.iw - 2 * f.hx, f.ih - 2 * (b.u / 2), c);
        fill(x0 + 1 + b.v, f.ky, f.M - 2 * (x0 + 1 + b.v), f.ih - 2 * f.hy, c);
    } else if (g == L"PlusMinus") {
        const Bars b = plusBars(f);
        fill(f.kx, y0 + 1 + 2 * (b.u / 2) - f.hy, f.iw - 2 * f.hx, f.ih - 2 * (b.u / 2), c);
        fill(f.kx, y0 + 1 + b.u / 3, f.iw - 2 * f.hx, f.ih - 2 * (b.u / 2), c);
        fill(x0 + 1 + b.v, f.ky, f.iw - 2 * b.v, (f.ih - 2 * f.hy) * 70 / 100, c);
    } else if (g == L"Check") {
        check(f, fill, c);
    } else if (g == L"Next") {
        int32_t x = x0 + f.ox - 2, lastX = x;
        for (int32_t y = f.ky, h = f.ih - 2 * f.hy, n = 0; y < f.ey && n < f.iw + 2 - f.ox; ++x, ++y, h -= 2, ++n) {
            fill(x, y, 2, h, c);
            lastX = x;
        }
        fill(lastX + 3, f.ky, 2, f.m, c);
    } else if (g == L"Prev") {
        int32_t x = x1 - f.ox, leftmost = x;
        for (int32_t y = f.ky, h = f.ih - 2 * f.hy; x > x0 + 1 && y < f.ey; --x, ++y, h -= 2) {
            fill(x, y, 2, h, c);
            leftmost = x;
        }
        fill(leftmost - 3, f.ky, 2, f.m, c);
    } else if (g == L"Resizer") {
        resizer(f, fill, c);
    } else if (g == L"TreeClosed") {
        for (int32_t x = f.kx, y = f.ky, h = f.ih - 2 * f.hy; y < f.ey && x < x1 - 1; x += 2, ++y, h -= 2)
            fill(x, y, 2, h, c);
    } else if (g == L"TreeOpen") {
        for (int32_t x = f.kx, y = f.ky, w = f.iw - 2 * f.hx; y < y1 - 1 && x < x0 + 1 + f.iw / 2; ++x, y += 2, w -= 2)
            fill(x, y, w, 2, c);
    } else if (g == L"TurnRight") {
        const int32_t xr = x0 + f.m + f.hx - 1;
        fill(f.kx, f.ky, 2, f.m, c);
        fill(f.kx, f.ky, f.m, 2, c);
        for (int k = 0; k <= f.third; ++k) fill(xr - k, f.ky + k, 2, 2, c);
    } else if (g == L"TurnLeft") {
        const int32_t xr = x0 + f.m + f.hx - 1;
        fill(xr, f.ky, 2, f.m, c);
        fill(f.kx, f.ky, f.m, 2, c);
        for (int k = 0; k <= f.third - 1; ++k) fill(f.kx + 1 + k, f.ky + 1 + k, 2, 2, c);
    } else if (g == L"OnTop") {
        const int32_t cc = (x1 - x0 - 4) / 2;
        fill(x0 + cc + 1, y0 + 1, 2, f.ih, c);
        for (int k = 0; k <= 3; ++k) {
            fill(x0 + cc - k, y0 + 2 + k, 2, 2, c);
            fill(x0 + cc + k + 2, y0 + 2 + k, 2, 2, c);
        }
    } else if (g == L"FitWindow") {
        fitWindow(f, fill, c, true);
    } else if (g == L"FitToWindow") {
        fitWindow(f, fill, c, false);
    } else if (g == L"Palm") {
        palm(f, fill, c);
    } else if (g == L"KeepRatio") {
        keepRatio(f, fill, c);
    } else if (g.compare(0, 6, L"Color-") == 0) {
        return colorSwatch(f, fill, g.c_str() + 6);
    } else {
        return false;
    }
    return true;
}

}  // namespace s::skins::glyph

namespace s::gui::drawer::button::win {

bool Thin::paintGlyph(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* name, int r,
                      int g, int b) {
    return skins::glyph::paintGlyph(dc, left, top, right, bottom, name, skins::rgb(r, g, b));
}

}  // namespace s::gui::drawer::button::win
