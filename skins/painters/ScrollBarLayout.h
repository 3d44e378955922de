// The parts of a drawn scroll bar: two arrow squares, the track on either side of the
// thumb, the thumb, and an optional square left free at the far end for a size box. One
// layout serves painting, hit testing and thumb dragging, so the three always agree.
//   ScrollBarLayout l = ScrollBarLayout::make(0, 0, 15, 200, false, 1000, 100, 450, false);
//   int32_t part = l.hitTest(x, y);                        // ScrollBarPart or -1
//   int32_t pos = l.positionForDrag(dx, startPos, 1000, 100);
#pragma once

#include <windows.h>

#include <cstdint>

namespace s::gui::drawer::scrollbar {

enum ScrollBarPart : int32_t {
    kFirstArrow = 0,
    kTrackBefore = 1,
    kThumb = 2,
    kTrackAfter = 3,
    kSecondArrow = 4,
    kSizeBox = 5,
    kPartCount = 6,
};

// The smallest thumb, in pixels at every scale.
constexpr int32_t kMinThumbLength = 11;

struct ScrollBarLayout {
    RECT parts[kPartCount] = {};
    bool horizontal = false;

    // The bar's thickness k is its width (vertical) or height (horizontal). With the size
    // box, a k × k square at the far end is kept free and the bar ends before it. The
    // arrows are k × k squares at both ends of the bar; the track runs between them. When
    // the page covers the range, or the track is too short for the smallest thumb, there
    // is no thumb and both track parts are empty. The thumb is page × track / range long
    // (rounded, at least 11 pixels) and stands at position × (track - thumb) /
    // (range - page) from the track's start (the position limited to [0, range - page]).
    static ScrollBarLayout make(int32_t left, int32_t top, int32_t right, int32_t bottom, bool horizontal,
                                int32_t range, int32_t page, int32_t position, bool sizeBox);

    const RECT& part(ScrollBarPart p) const { return parts[p]; }
    // The bar as painted: the rectangle without the size-box square.
    RECT bar() const;
    // The first of first arrow, track before, thumb, track after and second arrow that
    // holds the point, or -1.
    int32_t hitTest(int32_t x, int32_t y) const;
    // The position a thumb drag by offset pixels from the start position gives, within
    // [0, range - page] (0 when the page covers the range).
    int32_t positionForDrag(int32_t offset, int32_t startPosition, int32_t range, int32_t page) const;

private:
    // Near (top or left) and far edges along the bar's length.
    int32_t nearEdge(const RECT& r) const { return horizontal ? r.left : r.top; }
    int32_t farEdge(const RECT& r) const { return horizontal ? r.right : r.bottom; }
};

}  // namespace s::gui::drawer::scrollbar
