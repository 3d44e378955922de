// The one geometry of a drawn slider, shared by its painter and by the slider control's
// pointer handling, so that a press lands on the thumb that is drawn there.
//
// Positions are measured from the minimum: a thumb 10·s pixels wide (s the screen scale
// factor) stands at x = (w - 10·s) × (position - minimum) / (maximum - minimum) from the
// slider's left edge, and the fill bar ends at w × (anchor - minimum) / (maximum - minimum).
// An empty range puts everything at x = 0; nothing divides by zero.
//   SliderGeometry g(width, scale, minimum, maximum);
//   int32_t x0 = g.thumbLeft(position);            // painting
//   int32_t which = g.thumbAt(x, position, second); // 0 first, 1 second, -1 neither
#pragma once

#include <cstdint>

namespace s::gui::drawer::slider {

class SliderGeometry {
public:
    // width: the slider's width in pixels; scale: the screen scale factor (1, 2 or 4).
    SliderGeometry(int32_t width, int32_t scale, int32_t minimum, int32_t maximum);

    int32_t thumbWidth() const { return thumbWidth_; }
    // The value limited to [minimum, maximum] (an inverted range limits to the minimum).
    int32_t clamp(int32_t value) const;
    // Left edge of a thumb at the value (limited to the range first); its right edge is
    // thumbLeft + thumbWidth, at most the width when the slider is at least a thumb wide.
    int32_t thumbLeft(int32_t value) const;
    // Where the fill bar that starts at the anchor ends (anchor limited to the range).
    int32_t fillEnd(int32_t anchor) const;
    // Which thumb covers the x coordinate: 0 the first, 1 the second (only with two
    // thumbs), -1 neither. Where the two overlap, the first wins.
    int32_t thumbAt(int32_t x, int32_t position, bool twoThumbs, int32_t secondPosition) const;

private:
    int32_t width_;
    int32_t thumbWidth_;
    int32_t minimum_;
    int32_t maximum_;
};

// The value under a pointer coordinate on a channel running from channelLeft to
// channelRight: minimum + (maximum - minimum) × (coordinate - channelLeft) / channel
// width, rounded to the nearest and limited to the range. A channel of no width gives
// the minimum.
int32_t sliderValueAt(int32_t coordinate, int32_t channelLeft, int32_t channelRight, int32_t minimum, int32_t maximum);

}  // namespace s::gui::drawer::slider
