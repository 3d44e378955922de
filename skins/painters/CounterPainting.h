// The counter graph: one or two counter histories, the newest value at the right edge,
// older values scrolling left. Styles: 0 bars from the bottom, 1 a level bar of the
// newest value, 2 bars centred on the middle line. Each history is read under its own
// lock; the two locks are never held together.
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/drawer/ICounter.h"

namespace s::gui::drawer::counter {

struct CounterLook {
    bool transparent = true;
    COLORREF background = CLR_INVALID;
    COLORREF first = CLR_INVALID;   // colour A
    COLORREF second = CLR_INVALID;  // colour B
};

void paintCounter(HDC dc, const CounterLook& look, int32_t l, int32_t t, int32_t r, int32_t b, int32_t style,
                  const CounterHistory* first, const CounterHistory* second, bool swapColors);

}  // namespace s::gui::drawer::counter
