#include "skins/painters/MarkPainting.h"

#include "platform/system/Screen.h"
#include "skins/painters/PaintSupport.h"

namespace s::gui::drawer::mark {

void paintCheckBox(HDC dc, IButton* glyphs, IText* caption, COLORREF frame, int32_t l, int32_t t, int32_t r, int32_t b,
                   int32_t e, bool checked, const wchar_t* text, IFont* font) {
    if (l >= r || t >= b) return;
    int32_t s = system::getScreenScale();
    paint::fill(dc, l + 2 * s, t + 2 * s, e - 4 * s, e - 4 * s, RGB(255, 255, 255));
    paint::fill(dc, l, t, e, 2 * s, frame);
    paint::fill(dc, l + e - 2 * s, t, 2 * s, e, frame);
    paint::fill(dc, l, t + e - 2 * s, e, 2 * s, frame);
    paint::fill(dc, l, t, 2 * s, e, frame);
    if (checked && glyphs) glyphs->paintGlyph(dc, l + 2, t + 2, l + e - 2, t + e - 2, L"#Check", 0, 0, 0);
    if (caption) caption->paint(dc, l + e + e / 6, t, r, b, text, font);
}

void measureCheckBox(IText* caption, HDC dc, const wchar_t* text, IFont* font, int32_t* a, int32_t* b, int32_t* c,
                     int32_t* d) {
    int32_t wa = 0, h = 0, wc = 0, hd = 0;
    if (caption) caption->measure(dc, text, font, &wa, &h, &wc, &hd);
    int32_t box = h + h / 6;
    if (a) *a = wa + box;
    if (b) *b = h;
    if (c) *c = wc + box;
    if (d) *d = hd;
}

namespace {

// One ellipse with a solid pen 4 pixels wide and a solid brush; the DC's pen and brush
// are put back and the new ones deleted.
void ellipse(HDC dc, int32_t l, int32_t t, int32_t r, int32_t b, COLORREF pen, COLORREF brush) {
    HPEN p = CreatePen(PS_SOLID, 4, pen);
    HBRUSH br = CreateSolidBrush(brush);
    HGDIOBJ oldPen = SelectObject(dc, p);
    HGDIOBJ oldBrush = SelectObject(dc, br);
    Ellipse(dc, l, t, r, b);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(br);
    DeleteObject(p);
}

}  // namespace

void paintRadioButton(HDC dc, HDC scratch, IText* caption, COLORREF ring, COLORREF dot, int32_t l, int32_t t, int32_t r,
                      int32_t b, bool selected, const wchar_t* text, IFont* font, COLORREF fill) {
    if (l >= r || t >= b) return;
    int32_t h = b - t;
    if (scratch) {
        ellipse(scratch, 0, 0, kRadioScratchSize, kRadioScratchSize, ring, fill);
        if (selected) ellipse(scratch, 12, 12, 40, 40, fill, dot);
        int mode = SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, l, t + h / 2 - 6, kRadioMarkSize, kRadioMarkSize, scratch, 0, 0, kRadioScratchSize,
                   kRadioScratchSize, SRCCOPY);
        if (mode) SetStretchBltMode(dc, mode);
    }
    if (caption) caption->paint(dc, l + h + h / 6, t, r, b, text, font);
}

}  // namespace s::gui::drawer::mark
