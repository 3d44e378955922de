#include "skins/painters/ListRowPainting.h"

#include <algorithm>

#include "gui/fonts/IFont.h"
#include "imaging/image/BufferedImage.h"
#include "platform/system/Screen.h"
#include "skins/painters/PaintSupport.h"

namespace s::gui::drawer::listbox {

namespace {

constexpr COLORREF kBlueText = RGB(0, 0, 255);
constexpr COLORREF kStatusRed = RGB(255, 0, 0);
constexpr COLORREF kStatusGrey = RGB(0x99, 0x99, 0x99);
constexpr COLORREF kStatusGreen = 0x058444;
constexpr COLORREF kProgressFrame = RGB(0xF0, 0xF0, 0xF0);

int32_t width(const RECT& r) { return r.right - r.left; }
int32_t height(const RECT& r) { return r.bottom - r.top; }

void fillRect(HDC dc, const RECT& r, COLORREF c) { paint::fill(dc, r.left, r.top, width(r), height(r), c); }

// Selects a font, sets a transparent background and a text colour for a scope.
class TextScope {
public:
    TextScope(HDC dc, HFONT font) : dc_(dc) {
        mode_ = SetBkMode(dc, TRANSPARENT);
        colour_ = GetTextColor(dc);
        old_ = font ? SelectObject(dc, font) : nullptr;
    }
    ~TextScope() {
        if (old_) SelectObject(dc_, old_);
        SetTextColor(dc_, colour_);
        SetBkMode(dc_, mode_);
    }
    TextScope(const TextScope&) = delete;
    TextScope& operator=(const TextScope&) = delete;

private:
    HDC dc_;
    int mode_;
    COLORREF colour_;
    HGDIOBJ old_;
};

}  // namespace

RowLayout layoutRow(const ListItemPaint& row, int32_t s) {
    RowLayout out;
    int32_t H = row.bottom - row.top;
    int32_t x = row.left + 4 * s + row.indentLevel * 15 * s;
    int32_t y = row.top + (H - 15 * s) / 2 + 1;
    if (row.hasExpander) {
        out.expander = RECT{x, y, x + 13 * s, y + 15 * s};
        x = out.expander.right + 2 * s;
    }
    if (row.hasCheckBox) {
        out.checkBox = RECT{x, y, x + 15 * s, y + 15 * s};
        x = out.checkBox.right + 3 * s;
    }
    if (row.hasIcon) {
        int32_t iy = row.top + (H - 13 * s) / 2 + 1;
        out.icon = RECT{x, iy, x + 13 * s, iy + 13 * s};
        x = out.icon.right + 3 * s;
    }
    out.text = RECT{x, row.top, std::max(x, row.right - 4 * s), row.bottom};
    return out;
}

Progress progressOf(int32_t v) {
    if (v >= 2000 && v <= 3000) return {RGB(0xAA, 0xAA, 0xAA), v - 2000};
    if (v >= 4000 && v <= 5000) return {RGB(255, 0, 0), v - 4000};
    return {0x40C486, std::clamp(v, 0, 1000)};
}

int32_t paintRow(HDC dc, const ListLook& look, ListItemPaint* row) {
    if (!row || row->left >= row->right || row->top >= row->bottom) return 0;
    const int32_t s = system::getScreenScale();
    const int32_t l = row->left, t = row->top, r = row->right, b = row->bottom;
    const int32_t W = r - l, H = b - t;
    RowLayout lay = layoutRow(*row, s);
    IFont* font = row->selected && row->selectedFont ? row->selectedFont : row->font;
    HFONT hfont = font ? font->getHandle() : nullptr;
    const wchar_t* text = row->text ? row->text : L"";

    // Where the text goes: measured, then placed in the free width and centred vertically.
    UINT align = row->alignment == 1 ? DT_CENTER : row->alignment == 2 ? DT_RIGHT : 0;
    RECT box = lay.text;
    {
        TextScope scope(dc, hfont);
        RECT m = lay.text;
        DrawTextW(dc, text, -1, &m, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | DT_END_ELLIPSIS | align);
        int32_t tw = std::min(width(m), width(lay.text)), th = height(m);
        int32_t free = width(lay.text) - tw;
        int32_t x = lay.text.left;
        if (row->alignment == 1 || row->progressLook)
            x += free / 2;
        else if (row->alignment == 2)
            x += free;
        int32_t y = t + (H - th) / 2;
        box = RECT{x, y, x + tw, y + th};
    }

    COLORREF rowFill = row->alternate ? look.third : look.background;
    fillRect(dc, RECT{l, t, r, b}, rowFill);
    bool fullSelection = row->selected && row->fullRowSelection;
    if (row->selected) {
        if (row->fullRowSelection)
            fillRect(dc, RECT{l, t, r, b}, look.selection);
        else
            fillRect(dc, RECT{box.left, t, box.right + 4, b}, look.selection);
    }
    if (row->markLevel >= 0) {
        int32_t x = row->hasExpander ? l + s * (row->markLevel * 15 + 19) : l;
        if (row->markSide == 0)
            paint::fill(dc, x, t, r - x, row->thickTopMark ? 2 * s : s, look.selection);
        else {
            int32_t h = row->thickBottomMark ? 2 * s : s;
            paint::fill(dc, x, b - h, r - x, h, look.selection);
        }
    }

    IFont* markFont = fullSelection && row->selectedFont ? row->selectedFont : row->font;
    COLORREF ink = markFont ? markFont->getColor() : RGB(0, 0, 0);
    if (row->hasExpander && row->expanderState != 0 && look.glyphs) {
        const RECT& e = lay.expander;
        look.glyphs->paintGlyph(dc, e.left, e.top + s, e.right, e.bottom - s,
                                row->expanderState == 1 ? L"#TreeOpen" : L"#TreeClosed", paint::red(ink),
                                paint::green(ink), paint::blue(ink));
    }
    if (row->hasCheckBox && row->checkState != 0) {
        const RECT& c = lay.checkBox;
        fillRect(dc, c, ink);
        fillRect(dc, RECT{c.left + 2 * s, c.top + 2 * s, c.right - 2 * s, c.bottom - 2 * s},
                 fullSelection ? look.selection : rowFill);
        if (row->checkState == 3)
            fillRect(dc, RECT{c.left + 4 * s, c.top + 4 * s, c.right - 4 * s, c.bottom - 4 * s}, ink);
        else if (row->checkState == 2 && look.glyphs)
            look.glyphs->paintGlyph(dc, c.left + 3 * s, c.top + 3 * s, c.right - 3 * s, c.bottom - 3 * s, L"#Check",
                                    paint::red(ink), paint::green(ink), paint::blue(ink));
    }
    if (row->hasIcon && row->icon && row->canvas) {
        const RECT& i = lay.icon;
        row->canvas->paste(i.left, i.top, width(i), height(i), row->icon, 0, 0, true);
    }

    COLORREF colour = font ? font->getColor() : RGB(0, 0, 0);
    if (row->blueText)
        colour = kBlueText;
    else if ((row->selected || row->editLook) && row->selectedFont)
        colour = row->selectedFont->getColor();
    if (row->statusColors) {
        if (row->stateValue == 0 || row->stateValue == 1)
            colour = kStatusRed;
        else if (row->stateValue == 3)
            colour = kStatusGrey;
        else if (row->stateValue == 10)
            colour = kStatusGreen;
    }
    bool progress = row->progressLook && row->text;
    UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER;
    if ((!row->progressLook || !row->text) && row->endEllipsis) format |= DT_END_ELLIPSIS;
    if (!row->progressLook) format |= align;

    bool underline = row->linkLook && font && !font->isUnderline();
    if (underline) {
        font->setUnderline(true);
        hfont = font->getHandle();
    }
    {
        TextScope scope(dc, hfont);
        if (row->editLook) {
            int32_t tagW = std::max(int32_t(box.left + box.right) - 2 * l - 7 * s, 11 * s);
            int32_t tagH = H - 2 * s;
            paint::fill(dc, l + 3 * s, t + s, tagW, tagH, look.selection);
            int32_t x = l + 3 * s + tagW;
            for (int32_t i = 0; i < tagH / 2; ++i)
                paint::fill(dc, x + i, t + s + i, s, tagH - 2 * s * i, look.selection);
        }
        if (row->bottomAlign && box.bottom < b) OffsetRect(&box, 0, b - box.bottom);
        if (progress) {
            paint::fill(dc, l + s, t + 2 * s, W - 2 * s, H - 4 * s, kProgressFrame);
            paint::fill(dc, l + 2 * s, t + 3 * s, W - 4 * s, H - 6 * s, RGB(255, 255, 255));
            SetTextColor(dc, RGB(0, 0, 0));
            RECT tr = box;
            DrawTextW(dc, text, -1, &tr, format);
            Progress p = progressOf(row->stateValue);
            int32_t barW = (W - 4 * s) * p.thousandths / 1000;
            paint::fill(dc, l + 2 * s, t + 3 * s, barW, H - 6 * s, p.colour);
            // The part of the text over the bar again, in white.
            int saved = SaveDC(dc);
            IntersectClipRect(dc, l, t, l + 2 * s + barW, b);
            SetTextColor(dc, RGB(255, 255, 255));
            tr = box;
            DrawTextW(dc, text, -1, &tr, format);
            RestoreDC(dc, saved);
        } else {
            SetTextColor(dc, colour);
            RECT tr = box;
            DrawTextW(dc, text, -1, &tr, format);
        }
    }
    if (underline) font->setUnderline(false);

    row->textLeft = box.left;
    row->textTop = box.top;
    row->textWidth = width(box);
    row->textHeight = height(box);
    return height(box);
}

bool hitCheckBox(int32_t x, int32_t y, bool hasExpander, int32_t indentLevel, int32_t s) {
    int32_t dx = x - indentLevel * 15 * s;
    bool inX = hasExpander ? (dx >= 20 * s && dx < 35 * s) : (dx >= 4 * s && dx < 19 * s);
    return inX && y >= s && y < 16 * s;
}

bool hitExpander(int32_t x, int32_t y, int32_t indentLevel, int32_t s) {
    int32_t dx = x - indentLevel * 15 * s;
    return dx >= 4 * s && dx < 17 * s && y >= s && y < 16 * s;
}

}  // namespace s::gui::drawer::listbox
