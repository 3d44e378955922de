#include "skins/painters/CounterPainting.h"

#include <algorithm>
#include <vector>

#include "skins/painters/CounterHistory.h"
#include "skins/painters/PaintSupport.h"

namespace s::gui::drawer::counter {

namespace {

constexpr int32_t kDot = 5;

// Holds a history's lock (when it has one) for a scope.
class HistoryLock {
public:
    explicit HistoryLock(const CounterHistory* h) : lock_(h->lock) {
        if (lock_) lock_->enter();
    }
    ~HistoryLock() {
        if (lock_) lock_->leave();
    }
    HistoryLock(const HistoryLock&) = delete;
    HistoryLock& operator=(const HistoryLock&) = delete;

private:
    thread::ObjLocker* lock_;
};

struct Area {
    int32_t l, t, r, b;
    // A fill of (x, y, 1, h) cut to the rectangle.
    void column(HDC dc, int32_t x, int32_t y, int32_t h, COLORREF c) const {
        int32_t y0 = std::max(y, t), y1 = std::min(y + h, b);
        paint::fill(dc, x, y0, 1, y1 - y0, c);
    }
};

uint32_t storedCount(const CounterHistory* h) {
    if (!h->values || h->capacity <= 0 || h->count <= 0) return 0;
    return uint32_t(std::min(h->count, h->capacity));
}

int64_t valueAt(const CounterHistory* h, int32_t j) {
    return h->values[ringSlot(uint32_t(h->capacity), uint32_t(h->nextWrite), uint32_t(j))];
}

// Draws one history. firstValues: the first history's column values (filled while drawing
// the first, read while drawing the second); maximum: in and, for the first, out.
void drawHistory(HDC dc, const Area& a, int32_t style, const CounterHistory* h, bool isFirst, COLORREF colour,
                 int64_t* maximum, std::vector<int64_t>& firstValues) {
    if (colour == CLR_INVALID) return;  // a drawer without colours draws nothing
    HistoryLock hold(h);
    uint32_t count = storedCount(h);
    int32_t W = a.r - a.l, H = a.b - a.t;
    if (isFirst) {
        *maximum = h->autoMaximum ? autoMaximum(h->values, uint32_t(h->capacity), count, uint32_t(h->nextWrite), W,
                                                h->startMaximum)
                                  : h->fixedMaximum;
    }
    int64_t max = *maximum;
    if (style == 1) {
        if (count == 0) return;
        int32_t w = scaledHeight(valueAt(h, 0), h->minimum, max, W);
        if (w > 0) paint::fill(dc, a.l, a.t, w, H, colour);
        return;
    }
    int32_t columns = visibleColumns(count, W);
    if (isFirst) firstValues.assign(size_t(columns), 0);
    for (int32_t j = 0; j < columns; ++j) {
        int64_t v = valueAt(h, j);
        if (isFirst) firstValues[size_t(j)] = v;
        int32_t x = a.r - 1 - j;
        int32_t hh = scaledHeight(v, h->minimum, max, H, style == 2 && isFirst);
        if (style == 0) {
            if (hh > 0) {
                a.column(dc, x, a.b - hh, h->dots ? kDot : hh, colour);
            } else if (H > 0 && v > h->minimum) {
                bool show = isFirst || (size_t(j) < firstValues.size() && v >= firstValues[size_t(j)]);
                if (show) a.column(dc, x, a.b - 1, h->dots ? kDot : 1, colour);
            }
        } else if (style == 2 && hh > 0) {
            int32_t y = a.t + (H - hh) / 2;
            if (h->dots) {
                a.column(dc, x, y, kDot, colour);
                a.column(dc, x, a.b - (H - hh) / 2 - kDot, kDot, colour);
            } else {
                a.column(dc, x, y, hh, colour);
            }
        }
    }
}

}  // namespace

void paintCounter(HDC dc, const CounterLook& look, int32_t l, int32_t t, int32_t r, int32_t b, int32_t style,
                  const CounterHistory* first, const CounterHistory* second, bool swapColors) {
    if (l >= r || t >= b) return;
    if (!look.transparent) paint::fill(dc, l, t, r - l, b - t, look.background);
    if (!first) return;
    COLORREF a = swapColors ? look.second : look.first;
    COLORREF bc = swapColors ? look.first : look.second;
    auto colourOf = [](const CounterHistory* h, COLORREF given) {
        return h->ownColor ? RGB(h->red, h->green, h->blue) : given;
    };
    Area area{l, t, r, b};
    int64_t maximum = 0;
    std::vector<int64_t> firstValues;
    drawHistory(dc, area, style, first, true, colourOf(first, a), &maximum, firstValues);
    if (!second) return;
    // The second history follows the first's automatic maximum, else keeps its own.
    if (!first->autoMaximum) maximum = second->fixedMaximum;
    drawHistory(dc, area, style, second, false, colourOf(second, bc), &maximum, firstValues);
}

}  // namespace s::gui::drawer::counter
