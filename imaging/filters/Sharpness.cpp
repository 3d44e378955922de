#include "imaging/filters/Sharpness.h"

#include <emmintrin.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <vector>

#include "imaging/filters/FilterTarget.h"
#include "imaging/image/BufferedImage.h"

using s::image::win::BufferedImage;

namespace s::image::filters::convolution {

namespace {

std::atomic<bool> simdAllowed{true};

inline uint32_t channel(uint32_t p, int c) { return (p >> (8 * c)) & 0xFF; }

// One output pixel from its nine neighbours, in plain integer arithmetic.
inline uint32_t convolvePixel(const int32_t* k, int32_t divisor, uint32_t p0, uint32_t p1, uint32_t p2, uint32_t p3,
                              uint32_t p4, uint32_t p5, uint32_t p6, uint32_t p7, uint32_t p8)
{
    uint32_t out = 0;
    for (int c = 0; c < 4; ++c) {
        int64_t sum = int64_t(k[0]) * channel(p0, c) + int64_t(k[1]) * channel(p1, c) + int64_t(k[2]) * channel(p2, c) +
                      int64_t(k[3]) * channel(p3, c) + int64_t(k[4]) * channel(p4, c) + int64_t(k[5]) * channel(p5, c) +
                      int64_t(k[6]) * channel(p6, c) + int64_t(k[7]) * channel(p7, c) + int64_t(k[8]) * channel(p8, c);
        if (divisor != 1) sum /= divisor;
        out |= uint32_t(std::clamp<int64_t>(sum, 0, 255)) << (8 * c);
    }
    return out;
}

// Output pixel x of a row, with the columns clamped to the picture.
inline uint32_t convolveClamped(const int32_t* k, int32_t divisor, const uint32_t* a, const uint32_t* b,
                                const uint32_t* c, int x, int w)
{
    const int l = x > 0 ? x - 1 : 0, r = x + 1 < w ? x + 1 : w - 1;
    return convolvePixel(k, divisor, a[l], a[x], a[r], b[l], b[x], b[r], c[l], c[x], c[r]);
}

// Two pixels (the low 64 bits of v) as 16-bit lanes pairing the first and second
// pixel's value of each channel: B0 B1 G0 G1 R0 R1 A0 A1.
inline __m128i pairChannels(__m128i v)
{
    const __m128i wide = _mm_unpacklo_epi8(v, _mm_setzero_si128());
    return _mm_unpacklo_epi16(wide, _mm_srli_si128(wide, 8));
}

inline __m128i weightPair(int32_t first, int32_t second)
{
    return _mm_set_epi16(int16_t(second), int16_t(first), int16_t(second), int16_t(first), int16_t(second),
                         int16_t(first), int16_t(second), int16_t(first));
}

inline __m128i loadPixel(const uint32_t* p) { return _mm_cvtsi32_si128(int(*p)); }
inline __m128i loadTwo(const uint32_t* p) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)); }

// Interior pixels 1..w-2 of a row with 16-bit weights and float division. Exact for
// the kernels that vectorRowsExact accepts: every sum fits 24 bits, so the float
// quotient truncates to the integer quotient.
void convolveRowSimd(const int32_t* k, int32_t divisor, const uint32_t* a, const uint32_t* b, const uint32_t* c,
                     uint32_t* d, int w)
{
    const __m128i w01 = weightPair(k[0], k[1]), w23 = weightPair(k[2], k[3]), w45 = weightPair(k[4], k[5]),
                  w67 = weightPair(k[6], k[7]), w8 = weightPair(k[8], 0);
    const __m128 div = _mm_set1_ps(float(divisor));
    const bool divide = divisor != 1;
    for (int x = 1; x + 1 < w; ++x) {
        __m128i sum = _mm_madd_epi16(pairChannels(loadTwo(a + x - 1)), w01);
        sum = _mm_add_epi32(sum, _mm_madd_epi16(pairChannels(_mm_unpacklo_epi32(loadPixel(a + x + 1), loadPixel(b + x - 1))), w23));
        sum = _mm_add_epi32(sum, _mm_madd_epi16(pairChannels(loadTwo(b + x)), w45));
        sum = _mm_add_epi32(sum, _mm_madd_epi16(pairChannels(loadTwo(c + x - 1)), w67));
        sum = _mm_add_epi32(sum, _mm_madd_epi16(pairChannels(loadPixel(c + x + 1)), w8));
        if (divide) sum = _mm_cvttps_epi32(_mm_div_ps(_mm_cvtepi32_ps(sum), div));
        const __m128i packed = _mm_packus_epi16(_mm_packs_epi32(sum, sum), _mm_setzero_si128());
        d[x] = uint32_t(_mm_cvtsi128_si32(packed));
    }
}

bool vectorExact(const int32_t* k, int32_t divisor)
{
    int64_t absSum = 0;
    for (int i = 0; i < 9; ++i) {
        if (k[i] < -32768 || k[i] > 32767) return false;
        absSum += std::abs(int64_t(k[i]));
    }
    return divisor != 0 && absSum * 255 < (int64_t(1) << 24);
}

}  // namespace

void convolvePixels(const int32_t* k, int32_t divisor, const uint32_t* const* srcRows, uint32_t* const* dstRows,
                    int w, int h)
{
    if (w <= 0 || h <= 0 || !srcRows || !dstRows) return;
    if (divisor == 0) divisor = 1;
    const bool simd = simdAllowed.load(std::memory_order_relaxed) && w >= 3 && vectorExact(k, divisor);
    for (int y = 0; y < h; ++y) {
        const uint32_t* a = srcRows[y > 0 ? y - 1 : 0];
        const uint32_t* b = srcRows[y];
        const uint32_t* c = srcRows[y + 1 < h ? y + 1 : h - 1];
        uint32_t* d = dstRows[y];
        if (simd) {
            d[0] = convolveClamped(k, divisor, a, b, c, 0, w);
            convolveRowSimd(k, divisor, a, b, c, d, w);
            d[w - 1] = convolveClamped(k, divisor, a, b, c, w - 1, w);
        } else {
            for (int x = 0; x < w; ++x) d[x] = convolveClamped(k, divisor, a, b, c, x, w);
        }
    }
}

namespace detail {
void allowSimd(bool allowed) { simdAllowed.store(allowed); }
}  // namespace detail

void Convolution::reset()
{
    std::fill(k, k + 9, 0);
    k[4] = 1;
    divisor = 1;
}

Convolution* Convolution::fromWeights(int32_t k0, int32_t k1, int32_t k2, int32_t k3, int32_t k4, int32_t k5,
                                      int32_t k6, int32_t k7, int32_t k8)
{
    Convolution* c = create();
    if (!c) return nullptr;
    const int32_t w[9] = {k0, k1, k2, k3, k4, k5, k6, k7, k8};
    int32_t sum = 0;
    for (int i = 0; i < 9; ++i) {
        c->k[i] = w[i];
        sum += w[i];
    }
    c->divisor = sum;
    return c;
}

void Convolution::convolve(const uint32_t* const* srcRows, uint32_t* const* dstRows, int width, int height) const
{
    convolvePixels(k, divisor, srcRows, dstRows, width, height);
}

}  // namespace s::image::filters::convolution

namespace s::image::filters::sharpness {

using convolution::Convolution;

const wchar_t* const Sharpness::NAME = L"Sharpness";

Sharpness::Sharpness() = default;

Sharpness::~Sharpness()
{
    if (kernel_) kernel_->release();
}

void Sharpness::reset()
{
    releasedWithImage_ = true;
    level_ = 0;
    Convolution* old;
    {
        thread::ObjLocker::Guard hold(lock_);
        old = kernel_;
        kernel_ = nullptr;
    }
    if (old) old->release();
}

void Sharpness::setLevel(int level)
{
    level_ = level;
    Convolution* next = nullptr;
    if (level < 0) {
        const float f = float(-int64_t(level)) / 100.0f;
        const int32_t b = int32_t(f * 100.0f), a = int32_t(f * 200.0f);
        next = Convolution::fromWeights(b, a, b, a, 400, a, b, a, b);
    } else if (level > 0) {
        const float f = float(std::min(level, 100)) / 100.0f;
        const int32_t a = int32_t(f * -180.0f);
        next = Convolution::fromWeights(0, a, 0, a, 1100, a, 0, a, 0);
    }
    Convolution* old;
    {
        thread::ObjLocker::Guard hold(lock_);
        old = kernel_;
        kernel_ = next;
    }
    if (old) old->release();
}

bool Sharpness::getKernel(int32_t weights[9], int32_t* divisor)
{
    thread::ObjLocker::Guard hold(lock_);
    if (!kernel_) return false;
    std::copy(kernel_->k, kernel_->k + 9, weights);
    *divisor = kernel_->divisor;
    return true;
}

BufferedImage* Sharpness::apply(BufferedImage* src, BufferedImage* dst)
{
    if (!isUsableSource(src) || src == dst) return nullptr;
    // The weights are copied under the lock, so a level change on another thread
    // never frees a kernel in use and applies on several threads run side by side.
    int32_t k[9], divisor;
    if (!getKernel(k, &divisor)) return copySource(src, dst);
    const int w = src->getWidth(), h = src->getHeight();
    BufferedImage* out = makeTarget(dst, w, h);
    if (!out) return nullptr;
    std::vector<const uint32_t*> srcRows(static_cast<size_t>(h));
    std::vector<uint32_t*> dstRows(static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) {
        srcRows[size_t(y)] = src->getRow(y);
        dstRows[size_t(y)] = out->getRow(y);
    }
    convolution::convolvePixels(k, divisor, srcRows.data(), dstRows.data(), w, h);
    out->setHasAlpha(src->hasAlpha());
    return out;
}

}  // namespace s::image::filters::sharpness
