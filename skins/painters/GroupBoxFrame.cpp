#include "skins/painters/GroupBoxFrame.h"

#include "platform/system/Screen.h"

namespace s::gui::drawer::groupbox {

int32_t captionInset(FrameLook look, int32_t scale) { return look == FrameLook::Thin ? 9 * scale : 9; }

std::vector<paint::Stroke> frameStrokes(FrameLook look, int32_t scale, int32_t l, int32_t t, int32_t r, int32_t b,
                                        int32_t cx) {
    int32_t W = r - l, H = b - t;
    int32_t k9 = captionInset(look, scale);
    std::vector<paint::Stroke> s;
    auto add = [&](int32_t x, int32_t y, int32_t w, int32_t h) {
        if (w > 0 && h > 0) s.push_back({x, y, w, h});
    };
    if (look == FrameLook::Basic || scale <= 1) {
        // Lines d thick: 1 for the basic look, 2 for the thin look at scale 1.
        int32_t d = look == FrameLook::Basic ? 1 : 2;
        add(l + 2, t, k9 - 4, d);
        add(cx + 2, t, r - cx - 4, d);
        add(l + 2, b - d, W - 4, d);
        add(l, t + 2, d, H - 4);
        add(r - d, t + 2, d, H - 4);
        add(l + 1, t + 1, 2, d);
        add(r - 3, t + 1, 2, d);
        add(l + 1, b - 1 - d, 2, d);
        add(r - 3, b - 1 - d, 2, d);
        add(l + 1, t + 2, 1, 1);
        add(r - 2, t + 2, 1, 1);
        add(l + 1, b - 3, 1, 1);
        add(r - 2, b - 3, 1, 1);
    } else {
        add(l + 4, t, k9 - 8, 4);
        add(cx + 4, t, r - cx - 8, 4);
        add(l + 4, b - 4, W - 8, 4);
        add(l, t + 4, 4, H - 8);
        add(r - 4, t + 4, 4, H - 8);
        for (int32_t i = 0; i < 3; ++i) {
            add(l + 1 + i, t + 3 - i, 4, 4);
            add(r - 7 + i, t + 1 + i, 4, 4);
            add(l + 1 + i, b - 7 + i, 4, 4);
            add(r - 7 + i, b - 5 - i, 4, 4);
        }
    }
    return s;
}

void paintGroupBox(HDC dc, FrameLook look, int32_t l, int32_t t, int32_t r, int32_t b, const wchar_t* caption,
                   HFONT font, COLORREF textColor, int32_t captionWidth, int32_t captionHeight, COLORREF frame) {
    if (l >= r || t >= b) return;
    int32_t scale = system::getScreenScale();
    int32_t cl = l + captionInset(look, scale);
    RECT box{cl, t, cl + captionWidth, t + captionHeight};
    if (caption && *caption && captionWidth > 0 && captionHeight > 0) {
        int mode = SetBkMode(dc, TRANSPARENT);
        COLORREF colour = SetTextColor(dc, textColor);
        HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
        DrawTextW(dc, caption, -1, &box, DT_SINGLELINE | DT_NOPREFIX);
        if (oldFont) SelectObject(dc, oldFont);
        SetTextColor(dc, colour);
        SetBkMode(dc, mode);
    }
    for (const paint::Stroke& s : frameStrokes(look, scale, l, t, r, b, box.right))
        paint::fill(dc, s.x, s.y, s.width, s.height, frame);
}

}  // namespace s::gui::drawer::groupbox
