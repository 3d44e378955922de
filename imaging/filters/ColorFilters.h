// Per-pixel colour and tone filters (grey, sepia and desaturation; hue, saturation and
// brightness shifts; a brightness level; an S-shaped tone curve; opacity) and the colour
// conversions they share with the skins' painters.
#pragma once

#include <cstdint>

#include "imaging/filters/Filter.h"

namespace s::image::filters::colors {

namespace detail {
// Switches the vector loop of Level and Curve off or on again (tests compare it with
// the per-pixel path, which gives the same pixels).
void allowSimd(bool allowed);
// Bands the per-pixel colour filters split a large picture into: 0 (the default) as many
// as it is worth, 1 a single thread (benchmarks compare single-thread times with it).
void setThreads(int threads);
}  // namespace detail

// hue 0..359, saturation and value 0..100 -> R, G, B 0..255 (integer sector formulas).
void hsvToRgb(int hue, int saturation, int value, int* r, int* g, int* b);
// The hue helper of HSL conversion: m1 + (m2 - m1) scaled by the position of h in its
// sixth, h wrapped once into 0..1.
double hueToRgb(double m1, double m2, double h);

// Shifts hue (degrees), saturation and value (percent, -100..100). All shifts 0 leave
// the picture unchanged.
class Hsv : public FilterBase {
    S_POOLED(Hsv, L"s_image_filters_colors_Hsv")
public:
    static const wchar_t* const NAME;  // "HSV"

    const wchar_t* getFilterName() const override { return NAME; }
    win::BufferedImage* apply(win::BufferedImage* src, win::BufferedImage* dst) override;
    void reset() override;

    void set(int hue, int saturation, int value);

    int32_t hueShift = 0, saturationShift = 0, valueShift = 0;
};

// Maps the brightness level (percent) to 50 percent, stretching the darker values below
// it and the lighter ones above. 50 leaves the picture unchanged.
class Level : public FilterBase {
    S_POOLED(Level, L"s_image_filters_colors_Level")
public:
    static const wchar_t* const NAME;  // "Level"

    const wchar_t* getFilterName() const override { return NAME; }
    win::BufferedImage* apply(win::BufferedImage* src, win::BufferedImage* dst) override;
    void reset() override;

    int32_t level = 50;
};

// An S-shaped tone curve: positive strength darkens the shadows and lightens the
// highlights, negative does the opposite. 0 leaves the picture unchanged.
class Curve : public FilterBase {
    S_POOLED(Curve, L"s_image_filters_colors_Curve")
public:
    static const wchar_t* const NAME;  // "Curve"

    const wchar_t* getFilterName() const override { return NAME; }
    win::BufferedImage* apply(win::BufferedImage* src, win::BufferedImage* dst) override;
    void reset() override;

    int32_t strength = 0;
};

// Scales every pixel's alpha by the opacity (percent). 100 leaves the picture unchanged.
class Alpha : public FilterBase {
    S_POOLED(Alpha, L"s_image_filters_colors_Alpha")
public:
    static const wchar_t* const NAME;  // "Alpha"

    const wchar_t* getFilterName() const override { return NAME; }
    win::BufferedImage* apply(win::BufferedImage* src, win::BufferedImage* dst) override;
    void reset() override;

    int32_t opacity = 100;
};

}  // namespace s::image::filters::colors

namespace s::image::filters::monotone {

// 0 none (copy), 1 grey, 2 sepia, 3 desaturate (every visible pixel becomes the grey of
// its largest channel).
class Monotone : public FilterBase {
    S_POOLED(Monotone, L"s_image_filters_monotone_Monotone")
public:
    static const wchar_t* const NAME;  // "Monotone"

    const wchar_t* getFilterName() const override { return NAME; }
    win::BufferedImage* apply(win::BufferedImage* src, win::BufferedImage* dst) override;
    void reset() override;

    int32_t mode = 0;
};

}  // namespace s::image::filters::monotone
