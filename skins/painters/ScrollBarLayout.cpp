#include "skins/painters/ScrollBarLayout.h"

#include <algorithm>
#include <cmath>

namespace s::gui::drawer::scrollbar {

namespace {

// A rectangle across the bar's thickness from position a to b along its length.
RECT span(const RECT& bar, bool horizontal, int32_t a, int32_t b) {
    if (horizontal) return RECT{a, bar.top, b, bar.bottom};
    return RECT{bar.left, a, bar.right, b};
}

bool holds(const RECT& r, int32_t x, int32_t y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

int32_t roundToInt(float v) { return int32_t(std::lround(v)); }

}  // namespace

ScrollBarLayout ScrollBarLayout::make(int32_t left, int32_t top, int32_t right, int32_t bottom, bool horizontal,
                                      int32_t range, int32_t page, int32_t position, bool sizeBox) {
    ScrollBarLayout l;
    l.horizontal = horizontal;
    if (left >= right || top >= bottom) return l;
    RECT bar{left, top, right, bottom};
    int32_t k = horizontal ? bottom - top : right - left;
    if (sizeBox) {
        if (horizontal) {
            l.parts[kSizeBox] = RECT{right - k, top, right, bottom};
            bar.right = right - k;
        } else {
            l.parts[kSizeBox] = RECT{left, bottom - k, right, bottom};
            bar.bottom = bottom - k;
        }
    }
    int32_t start = horizontal ? bar.left : bar.top;
    int32_t end = horizontal ? bar.right : bar.bottom;
    if (end <= start) return l;
    // On a bar shorter than two arrows, the arrows share it half and half.
    int32_t arrow = std::min(k, (end - start) / 2);
    l.parts[kFirstArrow] = span(bar, horizontal, start, start + arrow);
    l.parts[kSecondArrow] = span(bar, horizontal, end - arrow, end);
    int32_t trackStart = start + arrow;
    int32_t track = end - arrow - trackStart;
    if (page >= range || track <= 0) return l;
    int32_t thumb = std::max(roundToInt(float(page) * float(track) / float(range)), kMinThumbLength);
    if (thumb > track) return l;
    int32_t free = track - thumb;
    int32_t maxPosition = range - page;
    int32_t pos = std::clamp(position, 0, maxPosition);
    int32_t at = std::clamp(roundToInt(float(pos) * float(free) / float(maxPosition)), 0, free);
    int32_t thumbStart = trackStart + at;
    l.parts[kTrackBefore] = span(bar, horizontal, trackStart, thumbStart);
    l.parts[kThumb] = span(bar, horizontal, thumbStart, thumbStart + thumb);
    l.parts[kTrackAfter] = span(bar, horizontal, thumbStart + thumb, trackStart + track);
    return l;
}

RECT ScrollBarLayout::bar() const {
    RECT r{};
    UnionRect(&r, &parts[kFirstArrow], &parts[kSecondArrow]);
    return r;
}

int32_t ScrollBarLayout::hitTest(int32_t x, int32_t y) const {
    for (int32_t p = kFirstArrow; p <= kSecondArrow; ++p)
        if (holds(parts[p], x, y)) return p;
    return -1;
}

int32_t ScrollBarLayout::positionForDrag(int32_t offset, int32_t startPosition, int32_t range, int32_t page) const {
    int32_t maxPosition = range - page;
    const RECT& thumb = parts[kThumb];
    if (maxPosition <= 0 || IsRectEmpty(&thumb)) return 0;
    int64_t nearAfter = int64_t(nearEdge(thumb)) + offset;
    int64_t farAfter = int64_t(farEdge(thumb)) + offset;
    if (farEdge(parts[kFirstArrow]) >= nearAfter) return 0;
    if (farAfter >= nearEdge(parts[kSecondArrow])) return maxPosition;
    int32_t free = (farEdge(parts[kTrackBefore]) - nearEdge(parts[kTrackBefore])) +
                   (farEdge(parts[kTrackAfter]) - nearEdge(parts[kTrackAfter]));
    if (free <= 0) return std::clamp(startPosition, 0, maxPosition);
    int64_t moved = int64_t(startPosition) + roundToInt(float(offset) * float(maxPosition) / float(free));
    return int32_t(std::clamp<int64_t>(moved, 0, maxPosition));
}

}  // namespace s::gui::drawer::scrollbar
