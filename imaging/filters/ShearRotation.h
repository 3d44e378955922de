// Rotation by any angle: whole quarter turns exactly, the rest (at most 45 degrees
// either way) by three shears with sub-pixel edge blending. Corners the turned picture
// does not cover are transparent white.
#pragma once

#include <cstdint>

#include "imaging/filters/Filter.h"

namespace s::image::filters::rotation {

class Shear : public FilterBase {
    S_POOLED(Shear, L"s_image_filters_rotation_Shear")
public:
    static const wchar_t* const NAME;  // "ShearRotation"
    // The pixel of the uncovered corners: white, alpha 0.
    static constexpr uint32_t BACKGROUND = 0x00FFFFFFu;

    const wchar_t* getFilterName() const override { return NAME; }
    // Positive angles turn clockwise on screen (90 equals BufferedImage::rotateRight).
    // Null for a source without pixels or an angle that is not a finite number.
    win::BufferedImage* apply(win::BufferedImage* src, win::BufferedImage* dst) override;
    void reset() override;

    double angle = 0;  // degrees
};

// Shifts one row of ws pixels by offset + weight / 2^24 pixels to the right into a row
// of wd pixels; uncovered pixels are the background and the edge pixels are blended
// with it.
void shearRow(const uint32_t* from, int ws, uint32_t* to, int wd, int offset, uint32_t weight);

}  // namespace s::image::filters::rotation
