#include "skins/painters/ScrollBarPainting.h"

#include <initializer_list>

#include "platform/system/Screen.h"
#include "skins/painters/PaintSupport.h"

namespace s::gui::drawer::scrollbar {

namespace {

void face(HDC dc, IButton* faces, const RECT& r, int32_t state, const wchar_t* glyph) {
    if (faces && !IsRectEmpty(&r))
        faces->paintFace(dc, r.left, r.top, r.right, r.bottom, state, glyph, true, nullptr, true, false, false);
}

}  // namespace

void paintScrollBar(HDC dc, const ScrollBarLayout& layout, const ScrollBarLook& look, const ScrollBarStates& states,
                    bool ownTrack, COLORREF trackColour) {
    RECT bar = layout.bar();
    if (IsRectEmpty(&bar)) return;
    int32_t s = system::getScreenScale();
    bool h = layout.horizontal;
    if ((look.frameStyle == 1 || look.frameStyle == 2) && look.frame)
        look.frame->paint(dc, bar.left, bar.top, bar.right, bar.bottom, 2, look.frameStyle, paint::red(look.line),
                          paint::green(look.line), paint::blue(look.line));

    face(dc, look.faces, layout.part(kFirstArrow), states.firstArrow, h ? L"#Left" : L"#Up");
    face(dc, look.faces, layout.part(kSecondArrow), states.secondArrow, h ? L"#Right" : L"#Down");

    const RECT& thumb = layout.part(kThumb);
    if (!IsRectEmpty(&thumb)) {
        face(dc, look.faces, thumb, states.thumb, h ? L"#ThumbLineV" : L"#ThumbLineH");
        int32_t k = h ? thumb.bottom - thumb.top : thumb.right - thumb.left;
        int32_t length = h ? thumb.right - thumb.left : thumb.bottom - thumb.top;
        if (length > 2 * k && look.faces) {
            int r = paint::red(look.line), g = paint::green(look.line), b = paint::blue(look.line);
            if (h) {
                look.faces->paintGlyph(dc, thumb.left + 2 * s, thumb.top + 2 * s, thumb.left + k - 2 * s,
                                       thumb.bottom - 2 * s, L"#Left", r, g, b);
                look.faces->paintGlyph(dc, thumb.right - k + 2 * s, thumb.top + 2 * s, thumb.right - 2 * s,
                                       thumb.bottom - 2 * s, L"#Right", r, g, b);
            } else {
                look.faces->paintGlyph(dc, thumb.left + 2 * s, thumb.top + 2 * s, thumb.right - 2 * s,
                                       thumb.top + k - 2 * s, L"#Up", r, g, b);
                look.faces->paintGlyph(dc, thumb.left + 2 * s, thumb.bottom - k + 2 * s, thumb.right - 2 * s,
                                       thumb.bottom - 2 * s, L"#Down", r, g, b);
            }
        }
    }

    COLORREF trackFill = ownTrack ? trackColour : look.track;
    for (ScrollBarPart p : {kTrackBefore, kTrackAfter}) {
        const RECT& t = layout.part(p);
        if (IsRectEmpty(&t)) continue;
        if (h)
            paint::fill(dc, t.left, t.top + s, t.right - t.left, t.bottom - t.top - 2 * s, trackFill);
        else
            paint::fill(dc, t.left + s, t.top, t.right - t.left - 2 * s, t.bottom - t.top, trackFill);
    }
}

}  // namespace s::gui::drawer::scrollbar
