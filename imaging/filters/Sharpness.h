// Sharpening and blurring with a 3 x 3 integer kernel chosen from one signed level.
#pragma once

#include <cstdint>

#include "foundation/thread/Pool.h"
#include "imaging/filters/Filter.h"

namespace s::image::filters::convolution {

// Nine integer weights in row-major order (k[4] is the centre) and a divisor.
class Convolution : public base::IObject, public thread::IPoolable {
    S_POOLED(Convolution, L"s_image_filters_convolution_Convolution")
public:
    // The identity kernel (centre 1, divisor 1).
    void reset() override;

    // A pooled kernel with these weights; the divisor is their sum.
    static Convolution* fromWeights(int32_t k0, int32_t k1, int32_t k2, int32_t k3, int32_t k4, int32_t k5,
                                    int32_t k6, int32_t k7, int32_t k8);

    // Convolves the width x height pixels reached through srcRows (top to bottom) into
    // the pixels reached through dstRows. Every output pixel is computed from the
    // unchanged source; edge rows and columns repeat beyond the picture. Each channel
    // (B, G, R, A) is the weighted sum divided by the divisor (truncating toward zero; a
    // divisor of 0 counts as 1), clamped to 0..255. The two tables must not share pixels.
    void convolve(const uint32_t* const* srcRows, uint32_t* const* dstRows, int width, int height) const;

    int32_t k[9] = {0, 0, 0, 0, 1, 0, 0, 0, 0};
    int32_t divisor = 1;
};

// The arithmetic of Convolution::convolve for a kernel given as nine weights (k[4] the
// centre) and a divisor.
void convolvePixels(const int32_t* k, int32_t divisor, const uint32_t* const* srcRows, uint32_t* const* dstRows,
                    int width, int height);

namespace detail {
// Switches the vector loop off or on again (tests compare it with the plain loop, which
// gives the same results bit for bit).
void allowSimd(bool allowed);
}  // namespace detail

}  // namespace s::image::filters::convolution

namespace s::image::filters::sharpness {

// Level 0 leaves the picture alone; below 0 blurs (down to any negative level), above 0
// sharpens (levels above 100 act as 100, where the sharpening kernel still has a
// positive divisor).
class Sharpness : public FilterBase {
    S_POOLED(Sharpness, L"s_image_filters_sharpness_Sharpness")
public:
    static const wchar_t* const NAME;  // "Sharpness"

    Sharpness();
    ~Sharpness() override;

    const wchar_t* getFilterName() const override { return NAME; }
    win::BufferedImage* apply(win::BufferedImage* src, win::BufferedImage* dst) override;
    void reset() override;

    // Builds the kernel of the level (safe while another thread applies the filter).
    void setLevel(int level);
    int getLevel() const { return level_; }
    // A copy of the current kernel's weights and divisor; false when there is none.
    bool getKernel(int32_t weights[9], int32_t* divisor);

private:
    thread::ObjLocker lock_;
    int32_t level_ = 0;
    convolution::Convolution* kernel_ = nullptr;
};

}  // namespace s::image::filters::sharpness
