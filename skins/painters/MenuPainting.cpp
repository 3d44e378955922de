#include "skins/painters/MenuPainting.h"

#include <algorithm>

#include "foundation/str/StrArray.h"
#include "gui/fonts/IFont.h"
#include "platform/system/Screen.h"
#include "skins/painters/PaintSupport.h"

namespace s::gui::drawer::menu {

void paintCombo(HDC dc, IButton* face, IText* textDrawer, COLORREF frame, int32_t l, int32_t t, int32_t r, int32_t b,
                int32_t state, const wchar_t* text, IFont* font, bool enabled) {
    if (l >= r || t >= b) return;
    int32_t s = system::getScreenScale();
    if (face) face->paintFace(dc, l, t, r, b, state, L"", true, font, enabled, false, false);
    // The content box moves up and left by s when hot, down and right when pressed.
    int32_t shift = state == 1 ? -1 : state == 2 ? 1 : 0;
    int32_t cx = l + (4 + shift) * s;
    int32_t ct = t + (1 + shift) * s;
    int32_t cb = b - (1 - shift) * s;
    int32_t ax = r - (15 - shift) * s;
    if (text && font && textDrawer) {
        int32_t w = 0, h = 0, w2 = 0, h2 = 0;
        textDrawer->measure(dc, text, font, &w, &h, &w2, &h2);
        int32_t top = ct + (cb - ct - h) / 2;
        textDrawer->paint(dc, cx, top, ax, top + h, text, font);
    }
    paint::fill(dc, ax + s, ct + 2 * s, s, cb - ct - 4 * s, frame);
    if (face)
        face->paintGlyph(dc, ax + 3 * s, ct + 2 * s, ax + 13 * s, cb - 2 * s, L"#Down", paint::red(frame),
                         paint::green(frame), paint::blue(frame));
}

namespace {

const wchar_t* itemText(str::strarray::StrArray* items, uint32_t i) {
    str::strbuffer::StrBuffer* s = items->at(i);
    return s ? s->text() : L"";
}

}  // namespace

void paintMenu(HDC dc, const MenuLook& look, int32_t l, int32_t t, int32_t r, int32_t b, const MenuBar& bar) {
    uint32_t n = bar.items ? bar.items->count() : 0;
    if (bar.buttonMode) {
        if (n == 0 || !look.combo) return;
        int32_t state = bar.hotIndex != 0 ? 0 : bar.pressed ? 2 : 1;
        look.combo->paint(dc, l, t, r, b, state, itemText(bar.items, 0), bar.font, true);
        return;
    }
    if (l >= r || t >= b || n == 0 || !bar.rects || !look.text) return;
    for (uint32_t i = 0; i < n; ++i) {
        RECT e = bar.rects[i];
        bool last = i + 1 == n;
        bool atRight = bar.lastAtRight && last;
        if (atRight) OffsetRect(&e, r - e.right, 0);
        bool hot = int32_t(i) == bar.hotIndex;

        IFont* font = bar.font;
        if (hot && look.hotBackground && !last) {
            paint::fill(dc, e.left, e.top, e.right - e.left, e.bottom - e.top, look.highlight);
            if (bar.hotFont) font = bar.hotFont;
        }
        // The link look of the last entry: blue, underlined while hot; the font is put back.
        bool link = bar.lastAsLink && last && font;
        COLORREF savedColour = 0;
        bool savedUnderline = false;
        if (link) {
            savedColour = font->getColor();
            savedUnderline = font->isUnderline();
            font->setColor(0, 0, 204);
            if (hot && !savedUnderline) font->setUnderline(true);
        }
        int32_t bx = e.left + bar.insetX, by = e.top + bar.insetY;
        int32_t bx2 = e.right - bar.insetX, by2 = e.bottom - bar.insetY;
        if (hot && look.pressShift) {
            int32_t d = bar.pressed ? 1 : -1;
            if (!atRight) {
                bx += d;
                bx2 += d;
            }
            by += d;
        }
        look.text->paint(dc, bx, by, bx2, by2, itemText(bar.items, i), font);
        if (link) {
            font->setColor(GetRValue(savedColour), GetGValue(savedColour), GetBValue(savedColour));
            if (font->isUnderline() != savedUnderline) font->setUnderline(savedUnderline);
        }
    }
}

void measureMenu(HDC dc, IText* text, str::strarray::StrArray* items, RECT* rects, IFont* font, int32_t* a, int32_t* b,
                 int32_t* c, int32_t* d, int32_t marginX, int32_t marginY, bool extraRoom) {
    int32_t oa = 0, ob = 0, oc = 0, od = 0;
    uint32_t n = items ? items->count() : 0;
    for (uint32_t i = 0; i < n; ++i) {
        int32_t w1 = 0, h1 = 0, w2 = 0, h2 = 0;
        if (text) text->measure(dc, itemText(items, i), font, &w1, &h1, &w2, &h2);
        if (rects) rects[i] = RECT{oa, 0, oa + 2 * marginX + w1, 2 * marginY + h1};
        oa += 2 * marginX + w1;
        ob = std::max(ob, 2 * marginY + h1);
        oc += 2 * marginX + w2;
        od = std::max(od, 2 * marginY + h2);
    }
    if (rects)
        for (uint32_t i = 0; i < n; ++i) rects[i].bottom = ob;
    if (extraRoom) {
        oa += 15;
        oc += 15;
        ob += 4;
        od += 4;
    }
    if (a) *a = oa;
    if (b) *b = ob;
    if (c) *c = oc;
    if (d) *d = od;
}

}  // namespace s::gui::drawer::menu
