// The arithmetic of the picture view, as pure functions: its size hints (fixed sizes,
// percentages, the frame, stretch and kept aspect), the frame clock of an animation, and
// the grey and white transparency grid.
//
//   ImageSizing s;                      // the picture's sizes and the control's hints
//   measurePicture(&s, 400, 100, true); // stretch: minimum 0 x 0
//   s.frame = 2 * borderWidth;          // a frame takes its width on both sides
//   int32_t w = imagePreferredInnerSize(s, ImageAxis::kWidth);
//
// Frame timing: frame k stays on screen for its own delay; lateness of a tick is taken off
// the next frame's wait, so frames keep time on average whatever the tick jitter.
//
//   FrameClock c;
//   startClock(&c, delays, 3, now);
//   if (advanceClock(&c, delays, 3, now)) repaint();
#pragma once

#include <cstdint>

#include "gui/layout/SizeHints.h"

namespace s::image::win {
class BufferedImage;
}

namespace s::gui::imageview {

enum class ImageAxis { kWidth, kHeight };

// What the size hints are computed from. Fields are per axis: index 0 the width, 1 the height.
struct ImageSizing {
    layout::SizeHint hint[2];
    // From the picture: the minimum (0 when stretched) and preferred inner sizes.
    int32_t minInner[2] = {0, 0};
    int32_t prefInner[2] = {0, 0};
    // width / height and height / width of the picture; 1.0 without one.
    double ratio[2] = {1.0, 1.0};
    bool stretch = false;
    bool keepRatio = true;
    // Pixels the frame takes on each axis (both sides together), 0 without a frame.
    int32_t frame = 0;
    // The parent's inner size (for percentages).
    int32_t parentInner[2] = {0, 0};
};

// Takes the picture's size into the sizing (0 x 0 for no picture).
void measurePicture(ImageSizing* s, int32_t pictureWidth, int32_t pictureHeight, bool stretch);

// Outer size less the frame, not below 0.
int32_t innerOf(int32_t outer, int32_t frame);

int32_t imageMinSize(const ImageSizing& s, ImageAxis axis);
int32_t imageMinInnerSize(const ImageSizing& s, ImageAxis axis);
int32_t imagePreferredSize(const ImageSizing& s, ImageAxis axis);
int32_t imagePreferredInnerSize(const ImageSizing& s, ImageAxis axis);

// Round to nearest, halves away from zero.
int32_t roundHalfAway(double v);

// The frame clock of an animation. delays[i] is frame i's own delay in milliseconds.
struct FrameClock {
    int32_t index = 0;
    int32_t wait = 0;
    int64_t lastAdvance = 0;
};

// Frame 0 is shown from now for its own delay.
void startClock(FrameClock* c, const int32_t* delays, int32_t count, int64_t now);
// One timer tick: when the current frame's wait is over, moves to the next frame (0 after
// the last) and takes its delay less the lateness (not below 0) as the new wait. True when
// it advanced.
bool advanceClock(FrameClock* c, const int32_t* delays, int32_t count, int64_t now);
// When the frame timer should tick next: when the current frame's wait is over, but not
// sooner than minMs from now (the timer's finest step), so that no tick comes while a
// long frame is still due to stay.
int32_t nextTickDelay(const FrameClock& c, int64_t now, int32_t minMs);

// The transparency grid: 5 x 5 cells, white (0xFFFFFF) where column + row is even, else
// 0xCCCCCC, counted from (originX, originY) of the image. Paints the part of the grid inside
// the rectangle (x, y, w, h) of the image (clipped to it); alpha is set opaque.
constexpr int32_t kGridCell = 5;
void paintTransparencyGrid(::s::image::win::BufferedImage* image, int32_t x, int32_t y, int32_t w, int32_t h,
                           int32_t originX, int32_t originY);
// The grid colour at (px, py) from the grid's origin (0x00RRGGBB).
uint32_t gridColorAt(int32_t px, int32_t py);

}  // namespace s::gui::imageview
