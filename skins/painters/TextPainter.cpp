// The text drawer's painting and measuring: DrawText once per pass of the font's text
// effect, the DC's mode, colour and font restored afterwards.
#include "skins/painters/TextPainter.h"

#include <string>

#include "gui/fonts/IFont.h"
#include "skins/drawers/TextDrawer.h"
#include "skins/painters/PaintSupport.h"

namespace s::skins::text {

int effectPasses(int32_t effect, COLORREF textColour, COLORREF colour2, COLORREF colour3, EffectPass* p) {
    constexpr COLORREF kBlack = 0, kWhite = 0xFFFFFF;
    switch (effect) {
        case 0: p[0] = {0, 0, textColour}; return 1;
        case 1:
        case 7: {
            const COLORREF outline = effect == 1 ? colour2 : colour3;
            static const int32_t offsets[8][2] = {{0, -1}, {1, -1}, {2, -1}, {2, 0}, {2, 1}, {1, 1}, {0, 1}, {0, 0}};
            for (int i = 0; i < 8; ++i) p[i] = {offsets[i][0], offsets[i][1], outline};
            p[8] = {1, 0, textColour};
            return 9;
        }
        case 2:
            p[0] = {1, 1, textColour == 0 ? COLORREF(0xEEEEEE) : COLORREF(0x777777)};
            p[1] = {0, 0, textColour};
            return 2;
        case 3:
            p[0] = {2, 2, kBlack};
            p[1] = {0, 0, kWhite};
            p[2] = {1, 1, textColour};
            return 3;
        case 4:
            p[0] = {0, 0, kWhite};
            p[1] = {0, 2, kBlack};
            p[2] = {0, 1, textColour};
            return 3;
        case 5:
            p[0] = {2, 2, kWhite};
            p[1] = {0, 0, kBlack};
            p[2] = {1, 1, textColour};
            return 3;
        case 6:
            p[0] = {0, 0, kBlack};
            p[1] = {0, 2, kWhite};
            p[2] = {0, 1, textColour};
            return 3;
        default: return 0;
    }
}

namespace {

// Extra width and height a text effect adds to a measured text.
void effectPadding(int32_t effect, int32_t* width, int32_t* height) {
    *height = effect != 0 ? 1 : 0;
    switch (effect) {
        case 2: *width = 1; break;
        case 1:
        case 3:
        case 5:
        case 7: *width = 2; break;
        default: *width = 0; break;
    }
}

// Selects the font for the lifetime of the object.
class FontSelection {
public:
    FontSelection(HDC dc, gui::IFont* font) : dc_(dc), old_(SelectObject(dc, font->getHandle())) {}
    ~FontSelection() {
        if (old_) SelectObject(dc_, old_);
    }
    FontSelection(const FontSelection&) = delete;
    FontSelection& operator=(const FontSelection&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// The size of the text laid out with DT_CALCRECT in the rectangle.
SIZE calcText(HDC dc, const std::wstring& text, RECT r, UINT format) {
    DrawTextW(dc, text.c_str(), int(text.size()), &r, format | DT_CALCRECT);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

}  // namespace

}  // namespace s::skins::text

namespace s::gui::drawer::text::win {

using namespace skins::text;

void Basic::paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* text, IFont* font) {
    if (left >= right || top >= bottom || !dc || !font) return;
    EffectPass passes[9];
    const int n = effectPasses(font->getTextEffect(), font->getColor(), font->getColor2(), font->getColor3(), passes);
    if (n == 0) return;
    const std::wstring s = skins::resolveText(text);
    UINT format;
    if (textFlag)
        format = kFormatTextFlag;
    else if (font->isWordWrap())
        format = kFormatWordWrap;
    else if (font->isEndEllipsis())
        format = kFormatEllipsis;
    else
        format = kFormatPlain;

    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = GetTextColor(dc);
    {
        FontSelection selected(dc, font);
        for (int i = 0; i < n; ++i) {
            SetTextColor(dc, passes[i].colour);
            RECT r{left + passes[i].dx, top + passes[i].dy, right + passes[i].dx, bottom + passes[i].dy};
            DrawTextW(dc, s.c_str(), int(s.size()), &r, format);
        }
    }
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColour);
}

int32_t Basic::measureInRect(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* text,
                             IFont* font, int32_t* width, int32_t* height) {
    int32_t w = 0, h = 0;
    if (dc && font) {
        const std::wstring s = skins::resolveText(text);
        UINT format = DT_NOPREFIX;
        if (font->isWordWrap())
            format |= DT_WORDBREAK;
        else if (font->isEndEllipsis())
            format |= DT_SINGLELINE | DT_END_ELLIPSIS;
        else
            format |= DT_SINGLELINE;
        FontSelection selected(dc, font);
        const SIZE size = calcText(dc, s, RECT{left, top, right, bottom}, format);
        int32_t padW, padH;
        effectPadding(font->getTextEffect(), &padW, &padH);
        w = size.cx + padW;
        h = size.cy + padH;
    }
    if (width) *width = w;
    if (height) *height = h;
    return h;
}

void Basic::measure(HDC dc, const wchar_t* text, IFont* font, int32_t* a, int32_t* b, int32_t* c, int32_t* d) {
    int32_t v[4] = {0, 0, 0, 0};
    if (dc && font) {
        const std::wstring s = skins::resolveText(text);
        FontSelection selected(dc, font);
        const SIZE whole = calcText(dc, s, RECT{}, DT_NOPREFIX);
        if (font->isWordWrap()) {
            // Broken at every word in an empty box: the widest word.
            const SIZE words = calcText(dc, s, RECT{}, DT_NOPREFIX | DT_WORDBREAK);
            v[0] = words.cx;
            v[1] = whole.cy;
            v[2] = whole.cx;
        } else {
            v[0] = font->isEndEllipsis() ? 1 : whole.cx;
            v[1] = whole.cy;
            v[2] = whole.cx;
            v[3] = whole.cy;
        }
        int32_t padW, padH;
        effectPadding(font->getTextEffect(), &padW, &padH);
        v[0] += padW;
        v[2] += padW;
        v[1] += padH;
        v[3] += padH;
    }
    if (a) *a = v[0];
    if (b) *b = v[1];
    if (c) *c = v[2];
    if (d) *d = v[3];
}

}  // namespace s::gui::drawer::text::win
