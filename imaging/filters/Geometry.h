// Filters that change the picture's geometry or its edges: crop by percentages, mirror,
// and a frame whose alpha fades towards the edges.
#pragma once

#include <cstdint>

#include "imaging/filters/Filter.h"

namespace s::image::filters::cut {

// Crops left, right, top and bottom by percentages of the size; at least one pixel
// always remains.
class Cut : public FilterBase {
    S_POOLED(Cut, L"s_image_filters_cut_Cut")
public:
    static const wchar_t* const NAME;  // "Cut"

    const wchar_t* getFilterName() const override { return NAME; }
    win::BufferedImage* apply(win::BufferedImage* src, win::BufferedImage* dst) override;
    void reset() override;

    void set(int leftPercent, int rightPercent, int topPercent, int bottomPercent);

    int32_t left = 0, right = 0, top = 0, bottom = 0;
};

}  // namespace s::image::filters::cut

namespace s::image::filters::flip {

// Mirrors the picture left to right and/or top to bottom.
class Flip : public FilterBase {
    S_POOLED(Flip, L"s_image_filters_flip_Flip")
public:
    static const wchar_t* const NAME;  // "Flip"

    const wchar_t* getFilterName() const override { return NAME; }
    win::BufferedImage* apply(win::BufferedImage* src, win::BufferedImage* dst) override;
    void reset() override;

    bool horizontal = false, vertical = false;
};

}  // namespace s::image::filters::flip

namespace s::image::filters::feather {

// Fades the alpha of the pixels within width pixels of an edge, most at the corners.
class Frame : public FilterBase {
    S_POOLED(Frame, L"s_image_filters_feather_Frame")
public:
    static const wchar_t* const NAME;  // "FeatherFrame"

    const wchar_t* getFilterName() const override { return NAME; }
    win::BufferedImage* apply(win::BufferedImage* src, win::BufferedImage* dst) override;
    // The width is its creator's to set; only the released-with-image flag is restored.
    void reset() override { releasedWithImage_ = true; }

    int32_t width = 0;
};

}  // namespace s::image::filters::feather
