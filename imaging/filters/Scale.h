// Resampling: five kernels, the fixed-point contribution tables, the separable two-pass
// scaler and the resize filter "SCALE".
#pragma once

#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/thread/Pool.h"
#include "imaging/filters/Filter.h"

namespace s::image::filters::scale {

// A resampling kernel: its value at a distance, and its support (half width).
class IScaleFilter : public base::IObject, public thread::IPoolable {
public:
    virtual double weight(double x) const = 0;
    virtual double getSupport() const = 0;
    virtual void setSupport(double support) = 0;
};

#define S_SCALE_KERNEL(T, NAME, SUPPORT)                                 \
    class T : public IScaleFilter {                                      \
        S_POOLED(T, NAME)                                                \
    public:                                                              \
        double weight(double x) const override;                          \
        double getSupport() const override { return support_; }          \
        void setSupport(double support) override { support_ = support; } \
        void reset() override { support_ = SUPPORT; }                    \
        /* The shared default instance (made on first use). */           \
        static T* shared();                                              \
                                                                         \
    private:                                                             \
        double support_ = SUPPORT;                                       \
    };

S_SCALE_KERNEL(BilinearFilter, L"s_image_filters_scale_BilinearFilter", 1.0)
S_SCALE_KERNEL(BoxFilter, L"s_image_filters_scale_BoxFilter", 0.5)
S_SCALE_KERNEL(HammingFilter, L"s_image_filters_scale_HammingFilter", 0.5)
S_SCALE_KERNEL(BlackmanFilter, L"s_image_filters_scale_BlackmanFilter", 0.5)
S_SCALE_KERNEL(GaussianFilter, L"s_image_filters_scale_GaussianFilter", 3.0)

#undef S_SCALE_KERNEL

// The shared kernel of a ScaleFilter kernel number (1 Bilinear, 2 Box, 3 Hamming,
// 4 Blackman, 5 Gaussian); null for any other number.
IScaleFilter* kernelFor(int number);

// Weights of every output pixel of one pass: entry i holds first, last (source indices)
// and the 16.16 fixed-point weights of first..last (65536 = 1.0).
class Contribution {
public:
    Contribution() = default;
    ~Contribution();
    Contribution(const Contribution&) = delete;
    Contribution& operator=(const Contribution&) = delete;

    // n outputs from m inputs, scale = n / m. False when the table cannot be allocated.
    bool build(const IScaleFilter* kernel, int n, int m, double scale);

    int count() const { return count_; }
    int maxTaps() const { return maxTaps_; }
    int first(int i) const { return entry(i)[0]; }
    int last(int i) const { return entry(i)[1]; }
    const int32_t* weights(int i) const { return entry(i) + 2; }

private:
    const int32_t* entry(int i) const {
        return reinterpret_cast<const int32_t*>(table_ + size_t(i) * size_t(entryBytes_));
    }

    int32_t count_ = 0;
    int32_t maxTaps_ = 0;
    int32_t entryBytes_ = 0;
    uint8_t* table_ = nullptr;
    size_t tableCapacity_ = 0;
    double* scratch_ = nullptr;
    size_t scratchCapacity_ = 0;
};

namespace detail {
// The instruction sets the loops may use: the best the processor has, capped by
// limitSimd (tests compare every set with the plain loops, which give the same results
// bit for bit).
enum SimdLevel { kPlain = 0, kSse41 = 1, kAvx2 = 2 };
void limitSimd(int level);
int simdLevel();
}  // namespace detail

// Scales w x h pixels (rows addressed from the lowest address upwards, stepping by the
// stride) into dw x dh pixels, on up to `threads` threads (the calling one among them;
// 0 picks a number by the size of the work). The result is the same byte for byte
// whatever the number of threads. Each calling thread has its own buffers, so scalings
// on different threads run in parallel. False when a buffer could not be allocated.
bool scalePixels(const IScaleFilter* kernel, const uint8_t* src, int sw, int sstride, int sh, uint8_t* dst, int dw,
                 int dstride, int dh, int threads = 1);

// Scales a whole image to w x h into dst (emptied, reserved and sized) or a new pooled
// image, on up to `threads` threads as scalePixels. The result's has-alpha flag is the
// source's. Null when the pixels could not be made (a new image is released, a given
// one is left 0 x 0).
win::BufferedImage* scaleImage(const IScaleFilter* kernel, win::BufferedImage* src, int w, int h,
                               win::BufferedImage* dst, int threads = 1);

// The resize filter.
class ScaleFilter : public FilterBase {
    S_POOLED(ScaleFilter, L"s_image_filters_scale_ScaleFilter")
public:
    static const wchar_t* const NAME;  // "SCALE"

    const wchar_t* getFilterName() const override { return NAME; }
    win::BufferedImage* apply(win::BufferedImage* src, win::BufferedImage* dst) override;
    void reset() override;

    // Sets the target: sizes in pixels (absolute) or percent of the source.
    void set(int width, bool widthAbsolute, int height, bool heightAbsolute, bool keepRatio, int kernel);

    bool keepRatio = false;
    bool canvas = false;
    bool widthAbsolute = true, heightAbsolute = true;
    int32_t width = 100, height = 100;
    int32_t kernel = 1;
    int32_t mode = 0;  // 0 always scale, 1 only shrink, 2 only enlarge
    int32_t sourceWidth = 1, sourceHeight = 1;
    int32_t resultWidth = 1, resultHeight = 1;
};

}  // namespace s::image::filters::scale
