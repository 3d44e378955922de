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

namespace s::image::filters::turn {

// Writes the w x h picture in rows src turned a quarter clockwise (or anticlockwise)
// into the h x w picture in rows dst, tile by tile so that both sides stay in the cache.
// Clockwise: dst[i][j] = src[h - 1 - j][i]; anticlockwise: dst[i][j] = src[j][w - 1 - i].
void quarterTurn(const uint32_t* const* src, int w, int h, uint32_t* const* dst, bool clockwise);

// Writes the row of n pixels mirrored (the last pixel first) into out.
void mirrorRow(const uint32_t* row, int n, uint32_t* out);

}  // namespace s::image::filters::turn

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
