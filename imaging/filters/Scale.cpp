#include "imaging/filters/Scale.h"

#include <immintrin.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "foundation/base/CopyBytes.h"
#include "imaging/filters/RowBands.h"
#include "imaging/filters/ScaleKernels.h"
#include "imaging/image/BufferedImage.h"

namespace s::image::filters::scale {

using image::win::BufferedImage;

namespace {
constexpr double kPi = 3.14159265358979323846;
}

// ---- kernels

double BilinearFilter::weight(double x) const {
    double ax = std::fabs(x);
    return ax < support_ ? support_ - ax : 0.0;
}

double BoxFilter::weight(double x) const { return std::fabs(x) <= support_ ? 1.0 : 0.0; }

double HammingFilter::weight(double x) const {
    if (std::fabs(x) > support_) return 0.0;
    double window = 0.54 + 0.46 * std::cos(2.0 * kPi * x);
    if (x == 0.0) return window;
    return window * std::sin(kPi * x) / (kPi * x);
}

double BlackmanFilter::weight(double x) const {
    if (std::fabs(x) > support_) return 0.0;
    double n = 2.0 * support_;
    return 0.42001 + 0.5 * std::cos(2.0 * kPi * x / n) + 0.08 * std::cos(4.0 * kPi * x / n);
}

double GaussianFilter::weight(double x) const {
    if (std::fabs(x) > support_) return 0.0;
    return std::exp(-x * x / 2.0) / std::sqrt(2.0 * kPi);
}

#define S_SHARED_KERNEL(T)            \
    T* T::shared() {                  \
        static T* instance = new T(); \
        return instance;              \
    }
S_SHARED_KERNEL(BilinearFilter)
S_SHARED_KERNEL(BoxFilter)
S_SHARED_KERNEL(HammingFilter)
S_SHARED_KERNEL(BlackmanFilter)
S_SHARED_KERNEL(GaussianFilter)
#undef S_SHARED_KERNEL

IScaleFilter* kernelFor(int number) {
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

Contribution::~Contribution() {
    std::free(table_);
    std::free(scratch_);
}

bool Contribution::build(const IScaleFilter* kernel, int n, int m, double scale) {
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
        int32_t* q = e + 2;
        for (int k = 0; k < taps; ++k) {
            double v = sum > 0.0 ? scratch_[k] / sum : scratch_[k];
            q[k] = int32_t(v * 65536.0);
        }
        // End taps whose weight rounds to 0 (a windowed sinc is only almost 0 at its
        // zeros) add nothing: they are dropped, down to one tap only where that tap has
        // the whole weight (an entry of one tap is copied).
        int lead = 0;
        while (taps - lead > 2 && q[lead] == 0) ++lead;
        while (taps - lead > 2 && q[taps - 1] == 0) --taps;
        if (taps - lead == 2 && q[lead] == 0 && q[lead + 1] == 65536) ++lead;
        if (taps - lead == 2 && q[lead + 1] == 0 && q[lead] == 65536) --taps;
        if (lead) std::memmove(q, q + lead, size_t(taps - lead) * sizeof(int32_t));
        first += lead;
        taps -= lead;
        last = first + taps - 1;
        e[0] = first;
        e[1] = last;
    }
    return true;
}

// ---- the two passes

namespace {

using kernels::HorizontalFn;
using kernels::PackedWeights;
using kernels::VerticalFn;

std::atomic<int> g_simdLimit{detail::kAvx2};

int cpuSimdLevel() {
    static const int level = __builtin_cpu_supports("avx2")     ? detail::kAvx2
                             : __builtin_cpu_supports("sse4.1") ? detail::kSse41
                                                                : detail::kPlain;
    return level;
}

inline uint32_t roundPixel(int32_t b, int32_t g, int32_t r, int32_t a) {
    return uint32_t((b + 32768) >> 16 & 0xFF) | uint32_t((g + 32768) >> 16 & 0xFF) << 8 |
           uint32_t((r + 32768) >> 16 & 0xFF) << 16 | uint32_t((a + 32768) >> 16 & 0xFF) << 24;
}

// A buffer that only grows, aligned for the vector loops.
template <typename T>
struct Grown {
    T* data = nullptr;
    size_t capacity = 0;
    Grown() = default;
    Grown(const Grown&) = delete;
    Grown& operator=(const Grown&) = delete;
    // _mm_free does not take null.
    ~Grown() {
        if (data) _mm_free(data);
    }
    bool ensure(size_t count) {
        if (count <= capacity) return true;
        void* p = _mm_malloc(count * sizeof(T), 64);
        if (!p) return false;
        if (data) _mm_free(data);
        data = static_cast<T*>(p);
        capacity = count;
        return true;
    }
};

// The calling thread's tables, kept between calls (they only grow).
struct ScaleTables {
    Contribution horizontal, vertical;
    Grown<int16_t> packed;
    Grown<int32_t> offsets;
    Grown<uint8_t> small;

    bool pack(const Contribution& c) {
        const int n = c.count();
        if (!offsets.ensure(size_t(n) + 1) || !small.ensure(size_t(n))) return false;
        size_t units = 0;
        for (int i = 0; i < n; ++i) {
            const int taps = c.last(i) - c.first(i) + 1;
            small.data[i] = kernels::smallWeights(c.weights(i), taps) ? 1 : 0;
            offsets.data[i] = int32_t(units);
            units += size_t(taps + 1) / 2 * (small.data[i] ? 1 : 2);
        }
        offsets.data[n] = int32_t(units);
        if (!packed.ensure(units * 8 + 16)) return false;
        for (int i = 0; i < n; ++i) {
            const int taps = c.last(i) - c.first(i) + 1;
            const int32_t* w = c.weights(i);
            int16_t* out = packed.data + size_t(offsets.data[i]) * 8;
            for (int k = 0; k < taps; k += 2) {
                const int32_t w0 = w[k];
                const int32_t w1 = k + 1 < taps ? w[k + 1] : 0;
                for (int lane = 0; lane < 4; ++lane) {
                    if (small.data[i]) {
                        out[lane * 2] = int16_t(w0);
                        out[lane * 2 + 1] = int16_t(w1);
                    } else {
                        out[lane * 2] = int16_t(w0 >> 8);
                        out[lane * 2 + 1] = int16_t(w1 >> 8);
                        out[8 + lane * 2] = int16_t(w0 & 0xFF);
                        out[8 + lane * 2 + 1] = int16_t(w1 & 0xFF);
                    }
                }
                out += small.data[i] ? 8 : 16;
            }
        }
        return true;
    }
};

// Held through a pointer: a thread-local object with a destructor makes the runtime's
// thread-storage key deletion at process exit wait for ever once a window thread that
// scaled has ended. The tables of an ended thread are left to the process.
ScaleTables& threadTables() {
    static thread_local ScaleTables* tables = nullptr;
    if (!tables) tables = new ScaleTables();
    return *tables;
}

// A band's working rows: horizontally scaled source rows in a ring, and the row
// pointers handed to the loops.
struct BandBuffers {
    Grown<uint8_t> ring;
    Grown<const uint8_t*> taps;
    Grown<const uint8_t*> from;
    Grown<uint8_t*> to;
};

BandBuffers& threadBands() {
    static thread_local BandBuffers* buffers = nullptr;
    if (!buffers) buffers = new BandBuffers();
    return *buffers;
}

void horizontalPlain(const Contribution& c, const PackedWeights&, const uint8_t* const* src, uint8_t* const* dst,
                     int rows) {
    const int n = c.count();
    for (int r = 0; r < rows; ++r) {
        auto* s = reinterpret_cast<const uint32_t*>(src[r]);
        auto* d = reinterpret_cast<uint32_t*>(dst[r]);
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

void verticalPlain(const uint8_t* const* rows, const int32_t* w, int taps, size_t bytes, uint8_t* dst) {
    kernels::verticalTail(rows, w, taps, 0, bytes, dst);
}

__attribute__((target("sse4.1"))) void horizontalSse41(const Contribution& c, const PackedWeights& pw,
                                                       const uint8_t* const* src, uint8_t* const* dst, int rows) {
    const int n = c.count();
    // Two neighbouring pixels b0 g0 r0 a0 b1 g1 r1 a1 -> 16-bit pairs (b0 b1)(g0 g1)(r0 r1)(a0 a1).
    const __m128i pairShuffle = _mm_setr_epi8(0, -1, 4, -1, 1, -1, 5, -1, 2, -1, 6, -1, 3, -1, 7, -1);
    const __m128i half = _mm_set1_epi32(32768);
    for (int r = 0; r < rows; ++r) {
        auto* s = reinterpret_cast<const uint32_t*>(src[r]);
        auto* d = reinterpret_cast<uint32_t*>(dst[r]);
        for (int x = 0; x < n; ++x) {
            int f = c.first(x), l = c.last(x);
            if (f == l) {
                d[x] = s[f];
                continue;
            }
            const int taps = l - f + 1;
            auto* wv = reinterpret_cast<const __m128i*>(pw.pairs + size_t(pw.offsets[x]) * 8);
            // A small entry has no lo part: its weights go into hi and are not shifted.
            const int step = pw.small[x] ? 1 : 2;
            const uint32_t* p = s + f;
            __m128i hi = _mm_setzero_si128(), lo = _mm_setzero_si128();
            for (int k = 0; k < taps; k += 2) {
                // The odd last tap: its partner weight is 0 and nothing past it is read.
                __m128i px = k + 1 < taps ? _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + k))
                                          : _mm_cvtsi32_si128(int(p[k]));
                px = _mm_shuffle_epi8(px, pairShuffle);
                hi = _mm_add_epi32(hi, _mm_madd_epi16(px, _mm_load_si128(wv)));
                if (step == 2) lo = _mm_add_epi32(lo, _mm_madd_epi16(px, _mm_load_si128(wv + 1)));
                wv += step;
            }
            __m128i sum = step == 2 ? _mm_add_epi32(_mm_slli_epi32(hi, 8), lo) : hi;
            sum = _mm_srai_epi32(_mm_add_epi32(sum, half), 16);
            sum = _mm_packus_epi32(sum, sum);
            sum = _mm_packus_epi16(sum, sum);
            d[x] = uint32_t(_mm_cvtsi128_si32(sum));
        }
    }
}

__attribute__((target("sse4.1"))) void verticalSse41(const uint8_t* const* rows, const int32_t* w, int taps,
                                                     size_t bytes, uint8_t* dst) {
    const size_t vecBytes = bytes & ~size_t(15);
    const __m128i zero = _mm_setzero_si128();
    const __m128i half = _mm_set1_epi32(32768);
    for (size_t b = 0; b < vecBytes; b += 16) {
        __m128i h0 = zero, h1 = zero, h2 = zero, h3 = zero;
        __m128i l0 = zero, l1 = zero, l2 = zero, l3 = zero;
        for (int k = 0; k < taps; k += 2) {
            int32_t w0 = w[k];
            int32_t w1 = k + 1 < taps ? w[k + 1] : 0;
            const uint8_t* rowA = rows[k] + b;
            const uint8_t* rowB = k + 1 < taps ? rows[k + 1] + b : rowA;
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
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + b), out);
    }
    kernels::verticalTail(rows, w, taps, vecBytes, bytes, dst);
}

// One scaling, shared read-only by the threads that work on its bands of output rows.
struct Plan {
    const Contribution* horizontal = nullptr;  // null when the width stays
    const Contribution* vertical = nullptr;    // null when the height stays
    PackedWeights packed;
    HorizontalFn hfn = horizontalPlain;
    VerticalFn vfn = verticalPlain;
    const uint8_t* src = nullptr;
    int sstride = 0, sh = 0;
    uint8_t* dst = nullptr;
    int dw = 0, dstride = 0;
};

// Source rows scaled horizontally per call of the loop: enough to keep both rows of
// a vector pair busy, few enough to stay in the cache.
constexpr int kBatch = 8;

// Output rows y0..y1 of a scaling. The vertical pass reads horizontally scaled rows
// from a ring that holds the few source rows an output row needs, so the intermediate
// picture never leaves the cache. Every output byte comes out the same whichever band
// it is in and however the bands are cut.
bool runBand(const Plan& p, int y0, int y1, BandBuffers& buf) {
    const size_t rowBytes = size_t(p.dw) * 4;
    if (!buf.from.ensure(kBatch) || !buf.to.ensure(kBatch)) return false;
    if (!p.vertical) {
        for (int y = y0; y < y1; y += kBatch) {
            const int rows = std::min(kBatch, y1 - y);
            for (int r = 0; r < rows; ++r) {
                buf.from.data[r] = p.src + size_t(y + r) * size_t(p.sstride);
                buf.to.data[r] = p.dst + size_t(y + r) * size_t(p.dstride);
            }
            p.hfn(*p.horizontal, p.packed, buf.from.data, buf.to.data, rows);
        }
        return true;
    }
    const Contribution& v = *p.vertical;
    if (!buf.taps.ensure(size_t(v.maxTaps()))) return false;
    // The ring: slot j % ringRows holds scaled source row j.
    const int ringRows = v.maxTaps() + 2 * kBatch;
    const size_t ringStride = (rowBytes + 63) & ~size_t(63);
    if (p.horizontal && !buf.ring.ensure(ringStride * size_t(ringRows))) return false;
    int lastNeeded = 0;
    for (int i = y0; i < y1; ++i) lastNeeded = std::max(lastNeeded, v.last(i));
    int validFrom = 0, next = 0;  // the ring holds rows validFrom..next-1
    for (int i = y0; i < y1; ++i) {
        const int f = v.first(i), l = v.last(i), taps = l - f + 1;
        uint8_t* d = p.dst + size_t(i) * size_t(p.dstride);
        if (p.horizontal) {
            if (f < validFrom || f > next) validFrom = next = f;
            while (next <= l) {
                // Ahead of need, but never over a row this output still reads.
                const int end = std::min({next + kBatch, lastNeeded + 1, f + ringRows});
                const int rows = end - next;
                for (int r = 0; r < rows; ++r) {
                    buf.from.data[r] = p.src + size_t(next + r) * size_t(p.sstride);
                    buf.to.data[r] = buf.ring.data + size_t((next + r) % ringRows) * ringStride;
                }
                p.hfn(*p.horizontal, p.packed, buf.from.data, buf.to.data, rows);
                next = end;
            }
            validFrom = std::max(validFrom, next - ringRows);
            for (int k = 0; k < taps; ++k) buf.taps.data[k] = buf.ring.data + size_t((f + k) % ringRows) * ringStride;
        } else {
            for (int k = 0; k < taps; ++k) buf.taps.data[k] = p.src + size_t(f + k) * size_t(p.sstride);
        }
        if (taps == 1)
            s::base::copyBytes(d, buf.taps.data[0], rowBytes);
        else
            p.vfn(buf.taps.data, v.weights(i), taps, rowBytes, d);
    }
    return true;
}

void copyRows(const uint8_t* src, int sstride, int rows, uint8_t* dst, int dstride, size_t bytes) {
    if (sstride == dstride && size_t(sstride) == bytes) {
        s::base::copyBytes(dst, src, bytes * size_t(rows));
        return;
    }
    for (int r = 0; r < rows; ++r)
        s::base::copyBytes(dst + size_t(r) * size_t(dstride), src + size_t(r) * size_t(sstride), bytes);
}

}  // namespace

namespace detail {
void limitSimd(int level) { g_simdLimit.store(level); }
int simdLevel() { return std::min(cpuSimdLevel(), g_simdLimit.load()); }
}  // namespace detail

bool scalePixels(const IScaleFilter* kernel, const uint8_t* src, int sw, int sstride, int sh, uint8_t* dst, int dw,
                 int dstride, int dh, int threads) {
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return true;
    if (!kernel || !src || !dst) return false;
    if (sw == dw && sh == dh) {
        copyRows(src, sstride, sh, dst, dstride, size_t(dw) * 4);
        return true;
    }
    ScaleTables& tables = threadTables();
    Plan p;
    p.src = src;
    p.sstride = sstride;
    p.sh = sh;
    p.dst = dst;
    p.dw = dw;
    p.dstride = dstride;
    const int level = detail::simdLevel();
    if (sw != dw) {
        if (!tables.horizontal.build(kernel, dw, sw, double(dw) / double(sw))) return false;
        p.horizontal = &tables.horizontal;
        if (level >= detail::kSse41) {
            if (!tables.pack(tables.horizontal)) return false;
            p.packed = {tables.packed.data, tables.offsets.data, tables.small.data};
            p.hfn = level >= detail::kAvx2 ? kernels::horizontalAvx2 : horizontalSse41;
        }
    }
    if (sh != dh) {
        if (!tables.vertical.build(kernel, dh, sh, double(dh) / double(sh))) return false;
        p.vertical = &tables.vertical;
        p.vfn = level >= detail::kAvx2    ? kernels::verticalAvx2
                : level >= detail::kSse41 ? verticalSse41
                                          : verticalPlain;
    }
    const int n = rowbands::bandsFor(threads, int64_t(dw) * std::max(sh, dh), dh);
    // Each thread scales into buffers of its own; the pool's workers never end, so their
    // thread-local buffers are never destroyed under a running band.
    return rowbands::run(dh, n, [&p](int y0, int y1) { return runBand(p, y0, y1, threadBands()); });
}

BufferedImage* scaleImage(const IScaleFilter* kernel, BufferedImage* src, int w, int h, BufferedImage* dst,
                          int threads) {
    if (!src || !kernel) return nullptr;
    const int sw = src->getWidth(), sh = src->getHeight();
    if (sw > 0 && sh > 0 && !src->hasPixels()) return nullptr;
    if (w < 0) w = 0;
    if (h < 0) h = 0;
    // Every pixel of the target is written from a source: new memory is then not cleared.
    BufferedImage* out = BufferedImage::target(dst, w, h, false, !(sw > 0 && sh > 0));
    if (!out) return nullptr;
    if (w > 0 && h > 0 && sw > 0 && sh > 0) {
        // Rows are walked from the last logical row (lowest address) upwards.
        const uint8_t* s = src->getRowAddress(sh - 1);
        uint8_t* d = out->getRowAddress(h - 1);
        if (!scalePixels(kernel, s, sw, src->getStride(), sh, d, w, out->getStride(), h, threads)) {
            if (!dst) out->release();
            return nullptr;
        }
    }
    out->setHasAlpha(src->hasAlpha());
    return out;
}

// ---- the resize filter

const wchar_t* const ScaleFilter::NAME = L"SCALE";

void ScaleFilter::reset() {
    releasedWithImage_ = true;
    canvas = false;
    mode = 0;
    sourceWidth = sourceHeight = 1;
    resultWidth = resultHeight = 1;
}

void ScaleFilter::set(int w, bool wAbsolute, int h, bool hAbsolute, bool keep, int kernelNumber) {
    width = w;
    widthAbsolute = wAbsolute;
    height = h;
    heightAbsolute = hAbsolute;
    keepRatio = keep;
    kernel = kernelNumber;
}

BufferedImage* ScaleFilter::apply(BufferedImage* src, BufferedImage* dst) {
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
