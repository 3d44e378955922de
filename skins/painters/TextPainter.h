// The passes in which the text drawer paints a text effect: each pass draws the whole
// text moved by (dx, dy) in one colour; the last pass is in the text colour.
#pragma once

#include <windows.h>

#include <cstdint>

namespace s::skins::text {

struct EffectPass {
    int32_t dx, dy;
    COLORREF colour;
};

// Fills passes (room for 9) for the effect; returns their number, 0 for an unknown
// effect (nothing is drawn then).
int effectPasses(int32_t effect, COLORREF textColour, COLORREF colour2, COLORREF colour3, EffectPass* passes);

// DrawText formats.
constexpr UINT kFormatTextFlag = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;  // 0x8825
constexpr UINT kFormatWordWrap = DT_WORDBREAK | DT_NOPREFIX;                                              // 0x810
constexpr UINT kFormatEllipsis = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;                           // 0x8820
constexpr UINT kFormatPlain = DT_SINGLELINE | DT_NOPREFIX;                                                // 0x820

}  // namespace s::skins::text
