#include "imaging/filters/Scale.h"

#include <immintrin.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "imaging/image/BufferedImage.h"

namespace s::image::filters::scale {

using image::win::BufferedImage;

namespace {
constexpr double kPi = 3.14159265358979323846;
}

// ---- kernels

double BilinearFilter::weight(double x) const
{
    double ax = std::fabs(x);
    return ax < support_ ? support_ - ax : 0.0;
}

double BoxFilter::weight(double x) const
{
    return std::fabs(x) <= support_ ? 1.0 : 0.0;
}

double HammingFilter::weight(double x) const
{
    if (std::fabs(x) > support_) return 0.0;
    double window = 0.54 + 0.46 * std::cos(2.0 * kPi * x);
    if (x == 0.0) return window;
    return window * std::sin(kPi * x) / (kPi * x);
}

double BlackmanFilter::weight(double x) const
{
    if (std::fabs(x) > support_) return 0.0;
    double n = 2.0 * support_;
    return 0.42001 + 0.5 * std::cos(2.0 * kPi * x / n) + 0.08 * std::cos(4.0 * kPi * x / n);
}

double GaussianFilter::weight(double x) const
{
    if (std::fabs(x) > support_) return 0.0;
    return std::exp(-x * x / 2.0) / std::sqrt(2.0 * kPi);
}

#define S_SHARED_KERNEL(T) \
    T* T::shared() \
    { \
        static T* instance = new T(); \
        return instance; \
    }
S_SHARED_KERNEL(BilinearFilter)
S_SHARED_KERNEL(BoxFilter)
S_SHARED_KERNEL(HammingFilter)
S_SHARED_KERNEL(BlackmanFilter)
S_SHARED_KERNEL(GaussianFilter)
#undef S_SHARED_KERNEL

IScaleFilter* kernelFor(int number)
{
    switch (number) {
    case 1: return BilinearFilter::shared();
    case 2: return BoxFilter::shared();
    case 3: return HammingFilter::shared();
    case 4: return BlackmanFilter::shared();
    case 5: return GaussianFilter::shared();
    default: return nullptr;
    }
}

// ---- contribution table

Contribution::~Contribution()
{
    std::free(table_);
    std::free(scratch_);
}

bool Contribution::build(const IScaleFilter* kernel, int n, int m, double scale)
{
    count_ = 0;
    if (!kernel || n <= 0 || m <= 0) return false;
    double window = kernel->getSupport();
    double kscale = 1.0;
    if (scale < 1.0) {
        kscale = scale;
        window = window / scale;
    }
    double cw = std::ceil(window);
    if (!(cw >= 0.0) || cw > double(m) + 2.0) cw = double(m) + 2.0;  // never more taps than inputs
    int ceilWindow = int(cw);
    int maxTaps = 2 * ceilWindow + 1;
    size_t entryBytes = size_t(8) * size_t(ceilWindow) + 12;
    size_t need = size_t(n) * entryBytes;
    if (need > tableCapacity_) {
        void* grown = std::realloc(table_, need);
        if (!grown) return false;
        table_ = static_cast<uint8_t*>(grown);
        tableCapacity_ = need;
    }
    if (size_t(maxTaps) > scratchCapacity_) {
        void* grown = std::realloc(scratch_, size_t(maxTaps) * sizeof(double));
        if (!grown) return false;
        scratch_ = static_cast<double*>(grown);
        scratchCapacity_ = size_t(maxTaps);
    }
    count_ = n;
    maxTaps_ = maxTaps;
    entryBytes_ = int32_t(entryBytes);

    for (int i = 0; i < n; ++i) {
        auto* e = reinterpret_cast<int32_t*>(table_ + size_t(i) * entryBytes);
        double centre = double(i) / scale;
        int first = std::max(int(std::floor(centre - window)), 0);
        int last = std::min(int(std::ceil(centre + window)), m - 1);
        const int windowLast = last;
        // An entry holds at most maxTaps weights.
        last = std::min(last, first + maxTaps - 1);
        const int windowFirst = first;
        int taps = 0;
        double sum = 0.0;
        for (int j = windowFirst; j <= last; ++j) {
            double w = kernel->weight((centre - double(j)) * kscale) * kscale;
            if (w <= 0.0) {
                if (taps == 0) {
                    first = j + 1;
                    continue;
                }
                last = j - 1;
                break;
            }
            scratch_[taps++] = w;
            sum += w;
        }
        if (taps == 0) {
            first = last = windowLast == m - 1 ? m - 1 : windowFirst;
            e[0] = first;
            e[1] = last;
            e[2] = 65536;
            continue;
        }
        last = first + taps - 1;
        e[0] = first;
        e[1] = last;
        for (int k = 0; k < taps; ++k) {
            double v = sum > 0.0 ? scratch_[k] / sum : scratch_[k];
            e[2 + k] = int32_t(v * 65536.0);
        }
    }
    return true;
}

// ---- the two passes

namespace {

bool g_simdAllowed = true;

bool useSimd()
{
    static const bool supported = __builtin_cpu_supports("sse4.1");
    return supported && g_simdAllowed;
}

inline uint32_t roundPixel(int32_t b, int32_t g, int32_t r, int32_t a)
{
    return uint32_t((b + 32768) >> 16 & 0xFF) | uint32_t((g + 32768) >> 16 & 0xFF) << 8 |
           uint32_t((r + 32768) >> 16 & 0xFF) << 16 | uint32_t((a + 32768) >> 16 & 0xFF) << 24;
}

// Per-thread working storage: the tables, the horizontal pass result and the weights
// laid out for the vector loops. Kept between calls; it only grows.
struct ScaleBuffers {
    Contribution table;
    uint8_t* temp = nullptr;
    size_t tempCapacity = 0;
    int16_t* packed = nullptr;  // per entry: pairs of (hi, lo) 8-lane weight vectors
    size_t packedCapacity = 0;
    int32_t* offsets = nullptr;  // per entry: index of its first pair in packed
    size_t offsetsCapacity = 0;

    ~ScaleBuffers()
    {
        _mm_free(temp);
        _mm_free(packed);
        std::free(offsets);
    }

    bool ensureTemp(size_t bytes)
    {
        if (bytes <= tempCapacity) return true;
        void* p = _mm_malloc(bytes, 64);
        if (!p) return false;
        _mm_free(temp);
        temp = static_cast<uint8_t*>(p);
        tempCapacity = bytes;
        return true;
    }

    // Splits every weight w into hi * 256 + lo (hi <= 256, lo < 256) so that two taps
    // at a time go through one 16-bit multiply-add without changing the integer sums.
    bool packWeights(const Contribution& c)
    {
        int n = c.count();
        if (size_t(n) + 1 > offsetsCapacity) {
            void* p = std::realloc(offsets, (size_t(n) + 1) * sizeof(int32_t));
            if (!p) return false;
            offsets = static_cast<int32_t*>(p);
            offsetsCapacity = size_t(n) + 1;
        }
        size_t pairs = 0;
        for (int i = 0; i < n; ++i) {
            offsets[i] = int32_t(pairs);
            pairs += size_t(c.last(i) - c.first(i) + 2) / 2;
        }
        offsets[n] = int32_t(pairs);
        size_t need = pairs * 16 + 16;
        if (need > packedCapacity) {
            void* p = _mm_malloc(need * sizeof(int16_t), 64);
            if (!p) return false;
            _mm_free(packed);
            packed = static_cast<int16_t*>(p);
            packedCapacity = need;
        }
        for (int i = 0; i < n; ++i) {
            int taps = c.last(i) - c.first(i) + 1;
            const int32_t* w = c.weights(i);
            int16_t* out = packed + size_t(offsets[i]) * 16;
            for (int k = 0; k < taps; k += 2) {
                int32_t w0 = w[k];
                int32_t w1 = k + 1 < taps ? w[k + 1] : 0;
                for (int lane = 0; lane < 4; ++lane) {
                    out[lane * 2] = int16_t(w0 >> 8);
                    out[lane * 2 + 1] = int16_t(w1 >> 8);
                    out[8 + lane * 2] = int16_t(w0 & 0xFF);
                    out[8 + lane * 2 + 1] = int16_t(w1 & 0xFF);
                }
                out += 16;
            }
        }
        return true;
    }
};

ScaleBuffers& threadBuffers()
{
    static thread_local ScaleBuffers buffers;
    return buffers;
}

void horizontalScalar(const Contribution& c, const uint8_t* src, int sstride, int rows, uint8_t* dst, int dstride)
{
    const int n = c.count();
    for (int r = 0; r < rows; ++r) {
        auto* s = reinterpret_cast<const uint32_t*>(src + size_t(r) * size_t(sstride));
        auto* d = reinterpret_cast<uint32_t*>(dst + size_t(r) * size_t(dstride));
        for (int x = 0; x < n; ++x) {
            int f = c.first(x), l = c.last(x);
            if (f == l) {
                d[x] = s[f];
                continue;
            }
            const int32_t* w = c.weights(x);
            int32_t b = 0, g = 0, rr = 0, a = 0;
            for (int j = f; j <= l; ++j) {
                uint32_t p = s[j];
                int32_t wt = w[j - f];
                b += wt * int32_t(p & 0xFF);
                g += wt * int32_t(p >> 8 & 0xFF);
                rr += wt * int32_t(p >> 16 & 0xFF);
                a += wt * int32_t(p >> 24);
            }
            d[x] = roundPixel(b, g, rr, a);
        }
    }
}

void verticalScalar(const Contribution& c, const uint8_t* src, int sstride, int cols, uint8_t* dst, int dstride)
{
    const int n = c.count();
    const size_t bytes = size_t(cols) * 4;
    for (int i = 0; i < n; ++i) {
        int f = c.first(i), l = c.last(i);
        uint8_t* d = dst + size_t(i) * size_t(dstride);
        if (f == l) {
            std::memcpy(d, src + size_t(f) * size_t(sstride), bytes);
            continue;
        }
        const int32_t* w = c.weights(i);
        for (size_t b = 0; b < bytes; ++b) {
            int32_t sum = 0;
            for (int j = f; j <= l; ++j) sum += w[j - f] * int32_t(src[size_t(j) * size_t(sstride) + b]);
            d[b] = uint8_t((sum + 32768) >> 16 & 0xFF);
        }
    }
}

__attribute__((target("sse4.1"))) void horizontalSimd(const Contribution& c, const ScaleBuffers& buf, const uint8_t* src,
                                                       int sstride, int rows, uint8_t* dst, int dstride)
{
    const int n = c.count();
    // Two neighbouring pixels b0 g0 r0 a0 b1 g1 r1 a1 -> 16-bit pairs (b0 b1)(g0 g1)(r0 r1)(a0 a1).
    const __m128i pairShuffle = _mm_setr_epi8(0, -1, 4, -1, 1, -1, 5, -1, 2, -1, 6, -1, 3, -1, 7, -1);
    const __m128i half = _mm_set1_epi32(32768);
    for (int r = 0; r < rows; ++r) {
        auto* s = reinterpret_cast<const uint32_t*>(src + size_t(r) * size_t(sstride));
        auto* d = reinterpret_cast<uint32_t*>(dst + size_t(r) * size_t(dstride));
        for (int x = 0; x < n; ++x) {
            int f = c.first(x), l = c.last(x);
            if (f == l) {
                d[x] = s[f];
                continue;
            }
            int taps = l - f + 1;
            auto* wv = reinterpret_cast<const __m128i*>(buf.packed + size_t(buf.offsets[x]) * 16);
            const uint32_t* p = s + f;
            __m128i hi = _mm_setzero_si128(), lo = _mm_setzero_si128();
            int k = 0;
            for (; k + 1 < taps; k += 2) {
                __m128i px = _mm_shuffle_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + k)), pairShuffle);
                hi = _mm_add_epi32(hi, _mm_madd_epi16(px, _mm_load_si128(wv)));
                lo = _mm_add_epi32(lo, _mm_madd_epi16(px, _mm_load_si128(wv + 1)));
                wv += 2;
            }
            if (k < taps) {
                // The odd last tap: its partner weight is 0 and nothing past it is read.
                __m128i px = _mm_shuffle_epi8(_mm_cvtsi32_si128(int(p[k])), pairShuffle);
                hi = _mm_add_epi32(hi, _mm_madd_epi16(px, _mm_load_si128(wv)));
                lo = _mm_add_epi32(lo, _mm_madd_epi16(px, _mm_load_si128(wv + 1)));
            }
            __m128i sum = _mm_add_epi32(_mm_slli_epi32(hi, 8), lo);
            sum = _mm_srai_epi32(_mm_add_epi32(sum, half), 16);
            sum = _mm_packus_epi32(sum, sum);
            sum = _mm_packus_epi16(sum, sum);
            d[x] = uint32_t(_mm_cvtsi128_si32(sum));
        }
    }
}

__attribute__((target("sse4.1"))) void verticalSimd(const Contribution& c, const uint8_t* src, int sstride, int cols,
                                                     uint8_t* dst, int dstride)
{
    const int n = c.count();
    const size_t bytes = size_t(cols) * 4;
    const size_t vecBytes = bytes & ~size_t(15);
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi32(32768);
    for (int i = 0; i < n; ++i) {
        int f = c.first(i), l = c.last(i);
        uint8_t* d = dst + size_t(i) * size_t(dstride);
        if (f == l) {
            std::memcpy(d, src + size_t(f) * size_t(sstride), bytes);
            continue;
        }
        const int32_t* w = c.weights(i);
        const int taps = l - f + 1;
        const uint8_t* base = src + size_t(f) * size_t(sstride);
        for (size_t b = 0; b < vecBytes; b += 16) {
            __m128i h0 = zero, h1 = zero, h2 = zero, h3 = zero;
            __m128i l0 = zero, l1 = zero, l2 = zero, l3 = zero;
            for (int k = 0; k < taps; k += 2) {
                int32_t w0 = w[k];
                int32_t w1 = k + 1 < taps ? w[k + 1] : 0;
                const uint8_t* rowA = base + size_t(k) * size_t(sstride) + b;
                const uint8_t* rowB = k + 1 < taps ? rowA + sstride : rowA;
                __m128i wh = _mm_set1_epi32(int32_t(uint32_t(w0 >> 8) | uint32_t(w1 >> 8) << 16));
                __m128i wl = _mm_set1_epi32(int32_t(uint32_t(w0 & 0xFF) | uint32_t(w1 & 0xFF) << 16));
                __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rowA));
                __m128i bb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rowB));
                __m128i ab0 = _mm_unpacklo_epi8(a, bb);
                __m128i ab1 = _mm_unpackhi_epi8(a, bb);
                __m128i q0 = _mm_unpacklo_epi8(ab0, zero);
                __m128i q1 = _mm_unpackhi_epi8(ab0, zero);
                __m128i q2 = _mm_unpacklo_epi8(ab1, zero);
                __m128i q3 = _mm_unpackhi_epi8(ab1, zero);
                h0 = _mm_add_epi32(h0, _mm_madd_epi16(q0, wh));
                h1 = _mm_add_epi32(h1, _mm_madd_epi16(q1, wh));
                h2 = _mm_add_epi32(h2, _mm_madd_epi16(q2, wh));
                h3 = _mm_add_epi32(h3, _mm_madd_epi16(q3, wh));
                l0 = _mm_add_epi32(l0, _mm_madd_epi16(q0, wl));
                l1 = _mm_add_epi32(l1, _mm_madd_epi16(q1, wl));
                l2 = _mm_add_epi32(l2, _mm_madd_epi16(q2, wl));
                l3 = _mm_add_epi32(l3, _mm_madd_epi16(q3, wl));
            }
            __m128i s0 = _mm_srai_epi32(_mm_add_epi32(_mm_add_epi32(_mm_slli_epi32(h0, 8), l0), half), 16);
            __m128i s1 = _mm_srai_epi32(_mm_add_epi32(_mm_add_epi32(_mm_slli_epi32(h1, 8), l1), half), 16);
            __m128i s2 = _mm_srai_epi32(_mm_add_epi32(_mm_add_epi32(_mm_slli_epi32(h2, 8), l2), half), 16);
            __m128i s3 = _mm_srai_epi32(_mm_add_epi32(_mm_add_epi32(_mm_slli_epi32(h3, 8), l3), half), 16);
            __m128i out = _mm_packus_epi16(_mm_packus_epi32(s0, s1), _mm_packus_epi32(s2, s3));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(d + b), out);
        }
        for (size_t b = vecBytes; b < bytes; ++b) {
            int32_t sum = 0;
            for (int j = 0; j < taps; ++j) sum += w[j] * int32_t(base[size_t(j) * size_t(sstride) + b]);
            d[b] = uint8_t((sum + 32768) >> 16 & 0xFF);
        }
    }
}

void copyRows(const uint8_t* src, int sstride, int rows, uint8_t* dst, int dstride, size_t bytes)
{
    if (sstride == dstride && size_t(sstride) == bytes) {
        std::memcpy(dst, src, bytes * size_t(rows));
        return;
    }
    for (int r = 0; r < rows; ++r) std::memcpy(dst + size_t(r) * size_t(dstride), src + size_t(r) * size_t(sstride), bytes);
}

bool horizontalPass(ScaleBuffers& buf, const IScaleFilter* kernel, const uint8_t* src, int sw, int sstride, int rows,
                    uint8_t* dst, int dw, int dstride)
{
    if (!buf.table.build(kernel, dw, sw, double(dw) / double(sw))) return false;
    if (useSimd() && buf.packWeights(buf.table))
        horizontalSimd(buf.table, buf, src, sstride, rows, dst, dstride);
    else
        horizontalScalar(buf.table, src, sstride, rows, dst, dstride);
    return true;
}

bool verticalPass(ScaleBuffers& buf, const IScaleFilter* kernel, const uint8_t* src, int sh, int sstride, int cols,
                  uint8_t* dst, int dh, int dstride)
{
    if (!buf.table.build(kernel, dh, sh, double(dh) / double(sh))) return false;
    if (useSimd())
        verticalSimd(buf.table, src, sstride, cols, dst, dstride);
    else
        verticalScalar(buf.table, src, sstride, cols, dst, dstride);
    return true;
}

}  // namespace

namespace detail {
void allowSimd(bool allowed) { g_simdAllowed = allowed; }
}  // namespace detail

bool scalePixels(const IScaleFilter* kernel, const uint8_t* src, int sw, int sstride, int sh, uint8_t* dst, int dw,
                 int dstride, int dh)
{
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return true;
    if (!kernel || !src || !dst) return false;
    ScaleBuffers& buf = threadBuffers();
    if (sw == dw && sh == dh) {
        copyRows(src, sstride, sh, dst, dstride, size_t(dw) * 4);
        return true;
    }
    if (sh == dh) return horizontalPass(buf, kernel, src, sw, sstride, sh, dst, dw, dstride);
    if (sw == dw) return verticalPass(buf, kernel, src, sh, sstride, dw, dst, dh, dstride);
    const int tstride = dw * 4;
    if (!buf.ensureTemp(size_t(tstride) * size_t(sh))) return false;
    if (!horizontalPass(buf, kernel, src, sw, sstride, sh, buf.temp, dw, tstride)) return false;
    return verticalPass(buf, kernel, buf.temp, sh, tstride, dw, dst, dh, dstride);
}

BufferedImage* scaleImage(const IScaleFilter* kernel, BufferedImage* src, int w, int h, BufferedImage* dst)
{
    if (!src || !kernel) return nullptr;
    const int sw = src->getWidth(), sh = src->getHeight();
    if (sw > 0 && sh > 0 && !src->hasPixels()) return nullptr;
    if (w < 0) w = 0;
    if (h < 0) h = 0;
    BufferedImage* out = BufferedImage::target(dst, w, h);
    if (!out) return nullptr;
    if (w > 0 && h > 0 && sw > 0 && sh > 0) {
        // Rows are walked from the last logical row (lowest address) upwards.
        const uint8_t* s = src->getRowAddress(sh - 1);
        uint8_t* d = out->getRowAddress(h - 1);
        if (!scalePixels(kernel, s, sw, src->getStride(), sh, d, w, out->getStride(), h)) {
            if (!dst) out->release();
            return nullptr;
        }
    }
    out->setHasAlpha(src->hasAlpha());
    return out;
}

// ---- the resize filter

const wchar_t* const ScaleFilter::NAME = L"SCALE";

void ScaleFilter::reset()
{
    releasedWithImage_ = true;
    canvas = false;
    mode = 0;
    sourceWidth = sourceHeight = 1;
    resultWidth = resultHeight = 1;
}

void ScaleFilter::set(int w, bool wAbsolute, int h, bool hAbsolute, bool keep, int kernelNumber)
{
    width = w;
    widthAbsolute = wAbsolute;
    height = h;
    heightAbsolute = hAbsolute;
    keepRatio = keep;
    kernel = kernelNumber;
}

BufferedImage* ScaleFilter::apply(BufferedImage* src, BufferedImage* dst)
{
    if (!src) return nullptr;
    sourceWidth = src->getWidth();
    sourceHeight = src->getHeight();
    const int sw = sourceWidth, sh = sourceHeight;
    if (sw > 0 && sh > 0 && !src->hasPixels()) return nullptr;
    int64_t tw = widthAbsolute ? width : int64_t(width) * sw / 100;
    int64_t th = heightAbsolute ? height : int64_t(height) * sh / 100;
    if (keepRatio && sw > 0 && sh > 0) {
        double rw = double(tw) / double(sw);
        double rh = double(th) / double(sh);
        if (rw != rh) {
            if (rw < rh)
                th = int64_t(double(sh) * rw);
            else
                tw = int64_t(double(sw) * rh);
        }
    }
    const int w = int(std::clamp<int64_t>(tw, 1, 0x7FFFFFFF));
    const int h = int(std::clamp<int64_t>(th, 1, 0x7FFFFFFF));
    const IScaleFilter* k = kernelFor(kernel);

    if (canvas) {
        const int cw = std::max(width, 1), ch = std::max(height, 1);
        resultWidth = cw;
        resultHeight = ch;
        if (sw == cw && sh == ch) return src->copy(dst);
        // An unscaled picture is read straight from the source (copied only when the
        // canvas is to be drawn over it).
        const bool asIs = (mode == 1 && w >= sw && h >= sh) || !k;
        const bool own = !asIs || src == dst;
        BufferedImage* scaled = !asIs ? scaleImage(k, src, w, h, nullptr) : own ? src->copy() : nullptr;
        if (own && !scaled) return nullptr;
        BufferedImage* picture = own ? scaled : src;
        BufferedImage* out = BufferedImage::target(dst, cw, ch);
        if (out) {
            out->fill(0, 255, 255, 255);
            out->setHasAlpha(true);
            // Centred; a picture larger than the canvas shows its middle part.
            int px = (cw - picture->getWidth()) / 2, py = (ch - picture->getHeight()) / 2;
            int sx = std::max(0, -px), sy = std::max(0, -py);
            int dx = std::max(0, px), dy = std::max(0, py);
            int cols = std::min(picture->getWidth() - sx, cw - dx);
            int rows = std::min(picture->getHeight() - sy, ch - dy);
            for (int r = 0; r < rows && cols > 0; ++r)
                std::memcpy(out->getRow(dy + r) + dx, picture->getRow(sy + r) + sx, size_t(cols) * 4);
        }
        if (scaled) scaled->release();
        return out;
    }

    if ((w == sw && h == sh) || (mode == 1 && w >= sw && h >= sh) || (mode == 2 && sw >= w && sh >= h) || !k) {
        resultWidth = sw;
        resultHeight = sh;
        return src->copy(dst);
    }
    resultWidth = w;
    resultHeight = h;
    return scaleImage(k, src, w, h, dst);
}

}  // namespace s::image::filters::scale
