// The resampler's AVX2 loops. Only this file is compiled for AVX2 (through target
// attributes, so the rest of the program runs on any x86-64); the scaler calls these
// only after cpuid has said the processor has AVX2.
#include <immintrin.h>

#include <algorithm>

#include "imaging/filters/ScaleKernels.h"

#define S_AVX2 __attribute__((target("avx2")))

namespace s::image::filters::scale::kernels {

namespace {

S_AVX2 inline __m256i loadRows(const uint32_t* a, const uint32_t* b) {
    return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a))),
                                   _mm_loadu_si128(reinterpret_cast<const __m128i*>(b)), 1);
}

S_AVX2 inline __m256i loadRows64(const uint32_t* a, const uint32_t* b) {
    return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(a))),
                                   _mm_loadl_epi64(reinterpret_cast<const __m128i*>(b)), 1);
}

S_AVX2 inline __m256i loadRows32(const uint32_t* a, const uint32_t* b) {
    return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_cvtsi32_si128(int(*a))), _mm_cvtsi32_si128(int(*b)), 1);
}

S_AVX2 inline __m256i weights(const int16_t* w) {
    return _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(w)));
}

// Two neighbouring pixels b0 g0 r0 a0 b1 g1 r1 a1 -> 16-bit pairs (b0 b1)(g0 g1)(r0 r1)(a0 a1),
// for the first two pixels of a lane and for the next two.
S_AVX2 inline __m256i pairs01(__m256i px) {
    const __m256i m = _mm256_setr_epi8(0, -1, 4, -1, 1, -1, 5, -1, 2, -1, 6, -1, 3, -1, 7, -1, 0, -1, 4, -1, 1, -1, 5,
                                       -1, 2, -1, 6, -1, 3, -1, 7, -1);
    return _mm256_shuffle_epi8(px, m);
}

S_AVX2 inline __m256i pairs23(__m256i px) {
    const __m256i m = _mm256_setr_epi8(8, -1, 12, -1, 9, -1, 13, -1, 10, -1, 14, -1, 11, -1, 15, -1, 8, -1, 12, -1, 9,
                                       -1, 13, -1, 10, -1, 14, -1, 11, -1, 15, -1);
    return _mm256_shuffle_epi8(px, m);
}

S_AVX2 inline __m256i madd(__m256i acc, __m256i px, const int16_t* w) {
    return _mm256_add_epi32(acc, _mm256_madd_epi16(px, weights(w)));
}

// Four rows of one output pixel, rows a and b in the lanes of one register, c and d in
// another. kSmall: the weights are used as they are; otherwise each pair has a hi and
// a lo part (see PackedWeights).
template <bool kSmall>
S_AVX2 inline void pixelQuad(const uint32_t* const* r, int f, const int16_t* wv, int taps, uint32_t* const* out,
                             int x) {
    constexpr int kPair = kSmall ? 8 : 16;
    const uint32_t *a = r[0] + f, *b = r[1] + f, *c = r[2] + f, *d = r[3] + f;
    __m256i hAB = _mm256_setzero_si256(), hCD = _mm256_setzero_si256();
    __m256i lAB = _mm256_setzero_si256(), lCD = _mm256_setzero_si256();
    int k = 0;
    for (; k + 3 < taps; k += 4) {
        const __m256i ab = loadRows(a + k, b + k), cd = loadRows(c + k, d + k);
        const __m256i ab01 = pairs01(ab), ab23 = pairs23(ab), cd01 = pairs01(cd), cd23 = pairs23(cd);
        hAB = madd(madd(hAB, ab01, wv), ab23, wv + kPair);
        hCD = madd(madd(hCD, cd01, wv), cd23, wv + kPair);
        if (!kSmall) {
            lAB = madd(madd(lAB, ab01, wv + 8), ab23, wv + kPair + 8);
            lCD = madd(madd(lCD, cd01, wv + 8), cd23, wv + kPair + 8);
        }
        wv += 2 * kPair;
    }
    for (; k < taps; k += 2) {
        // The odd last tap: its partner weight is 0 and nothing past it is read.
        const bool two = k + 1 < taps;
        const __m256i ab = pairs01(two ? loadRows64(a + k, b + k) : loadRows32(a + k, b + k));
        const __m256i cd = pairs01(two ? loadRows64(c + k, d + k) : loadRows32(c + k, d + k));
        hAB = madd(hAB, ab, wv);
        hCD = madd(hCD, cd, wv);
        if (!kSmall) {
            lAB = madd(lAB, ab, wv + 8);
            lCD = madd(lCD, cd, wv + 8);
        }
        wv += kPair;
    }
    if (!kSmall) {
        hAB = _mm256_add_epi32(_mm256_slli_epi32(hAB, 8), lAB);
        hCD = _mm256_add_epi32(_mm256_slli_epi32(hCD, 8), lCD);
    }
    const __m256i half = _mm256_set1_epi32(32768);
    hAB = _mm256_srai_epi32(_mm256_add_epi32(hAB, half), 16);
    hCD = _mm256_srai_epi32(_mm256_add_epi32(hCD, half), 16);
    // Per lane: a (or b) then c (or d), each as four 16-bit channels, then as bytes.
    __m256i packed = _mm256_packus_epi32(hAB, hCD);
    packed = _mm256_packus_epi16(packed, packed);
    const __m128i lo = _mm256_castsi256_si128(packed), hi = _mm256_extracti128_si256(packed, 1);
    out[0][x] = uint32_t(_mm_cvtsi128_si32(lo));
    out[2][x] = uint32_t(_mm_extract_epi32(lo, 1));
    out[1][x] = uint32_t(_mm_cvtsi128_si32(hi));
    out[3][x] = uint32_t(_mm_extract_epi32(hi, 1));
}

}  // namespace

S_AVX2 void horizontalAvx2(const Contribution& c, const PackedWeights& pw, const uint8_t* const* src,
                           uint8_t* const* dst, int rows) {
    const int n = c.count();
    for (int r = 0; r < rows; r += 4) {
        // Short of four rows, the last one stands in for the missing ones (the same
        // values go to the same place again).
        const uint32_t* in[4];
        uint32_t* out[4];
        for (int k = 0; k < 4; ++k) {
            const int row = std::min(r + k, rows - 1);
            in[k] = reinterpret_cast<const uint32_t*>(src[row]);
            out[k] = reinterpret_cast<uint32_t*>(dst[row]);
        }
        for (int x = 0; x < n; ++x) {
            const int f = c.first(x), l = c.last(x);
            if (f == l) {
                for (int k = 0; k < 4; ++k) out[k][x] = in[k][f];
                continue;
            }
            const int16_t* wv = pw.pairs + size_t(pw.offsets[x]) * 8;
            if (pw.small[x])
                pixelQuad<true>(in, f, wv, l - f + 1, out, x);
            else
                pixelQuad<false>(in, f, wv, l - f + 1, out, x);
        }
    }
}

namespace {

// The vertical loop for weights that all fit in 15 bits: one multiply-add a pair.
S_AVX2 void verticalSmall(const uint8_t* const* rows, const int32_t* w, int taps, size_t vecBytes, uint8_t* dst) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i half = _mm256_set1_epi32(32768);
    for (size_t b = 0; b < vecBytes; b += 32) {
        __m256i s0 = half, s1 = half, s2 = half, s3 = half;
        for (int k = 0; k < taps; k += 2) {
            const int32_t w1 = k + 1 < taps ? w[k + 1] : 0;
            const uint8_t* rowA = rows[k] + b;
            const uint8_t* rowB = k + 1 < taps ? rows[k + 1] + b : rowA;
            const __m256i wp = _mm256_set1_epi32(int32_t(uint32_t(w[k]) | uint32_t(w1) << 16));
            const __m256i pa = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rowA));
            const __m256i pb = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rowB));
            const __m256i ab0 = _mm256_unpacklo_epi8(pa, pb);
            const __m256i ab1 = _mm256_unpackhi_epi8(pa, pb);
            s0 = _mm256_add_epi32(s0, _mm256_madd_epi16(_mm256_unpacklo_epi8(ab0, zero), wp));
            s1 = _mm256_add_epi32(s1, _mm256_madd_epi16(_mm256_unpackhi_epi8(ab0, zero), wp));
            s2 = _mm256_add_epi32(s2, _mm256_madd_epi16(_mm256_unpacklo_epi8(ab1, zero), wp));
            s3 = _mm256_add_epi32(s3, _mm256_madd_epi16(_mm256_unpackhi_epi8(ab1, zero), wp));
        }
        s0 = _mm256_srai_epi32(s0, 16);
        s1 = _mm256_srai_epi32(s1, 16);
        s2 = _mm256_srai_epi32(s2, 16);
        s3 = _mm256_srai_epi32(s3, 16);
        const __m256i out = _mm256_packus_epi16(_mm256_packus_epi32(s0, s1), _mm256_packus_epi32(s2, s3));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + b), out);
    }
}

}  // namespace

S_AVX2 void verticalAvx2(const uint8_t* const* rows, const int32_t* w, int taps, size_t bytes, uint8_t* dst) {
    const size_t vecBytes = bytes & ~size_t(31);
    if (smallWeights(w, taps)) {
        verticalSmall(rows, w, taps, vecBytes, dst);
        verticalTail(rows, w, taps, vecBytes, bytes, dst);
        return;
    }
    const __m256i zero = _mm256_setzero_si256();
    const __m256i half = _mm256_set1_epi32(32768);
    for (size_t b = 0; b < vecBytes; b += 32) {
        __m256i h0 = zero, h1 = zero, h2 = zero, h3 = zero;
        __m256i l0 = zero, l1 = zero, l2 = zero, l3 = zero;
        for (int k = 0; k < taps; k += 2) {
            const int32_t w0 = w[k];
            const int32_t w1 = k + 1 < taps ? w[k + 1] : 0;
            const uint8_t* rowA = rows[k] + b;
            const uint8_t* rowB = k + 1 < taps ? rows[k + 1] + b : rowA;
            const __m256i wh = _mm256_set1_epi32(int32_t(uint32_t(w0 >> 8) | uint32_t(w1 >> 8) << 16));
            const __m256i wl = _mm256_set1_epi32(int32_t(uint32_t(w0 & 0xFF) | uint32_t(w1 & 0xFF) << 16));
            const __m256i pa = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rowA));
            const __m256i pb = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rowB));
            const __m256i ab0 = _mm256_unpacklo_epi8(pa, pb);
            const __m256i ab1 = _mm256_unpackhi_epi8(pa, pb);
            const __m256i q0 = _mm256_unpacklo_epi8(ab0, zero);
            const __m256i q1 = _mm256_unpackhi_epi8(ab0, zero);
            const __m256i q2 = _mm256_unpacklo_epi8(ab1, zero);
            const __m256i q3 = _mm256_unpackhi_epi8(ab1, zero);
            h0 = _mm256_add_epi32(h0, _mm256_madd_epi16(q0, wh));
            h1 = _mm256_add_epi32(h1, _mm256_madd_epi16(q1, wh));
            h2 = _mm256_add_epi32(h2, _mm256_madd_epi16(q2, wh));
            h3 = _mm256_add_epi32(h3, _mm256_madd_epi16(q3, wh));
            l0 = _mm256_add_epi32(l0, _mm256_madd_epi16(q0, wl));
            l1 = _mm256_add_epi32(l1, _mm256_madd_epi16(q1, wl));
            l2 = _mm256_add_epi32(l2, _mm256_madd_epi16(q2, wl));
            l3 = _mm256_add_epi32(l3, _mm256_madd_epi16(q3, wl));
        }
        const __m256i s0 =
            _mm256_srai_epi32(_mm256_add_epi32(_mm256_add_epi32(_mm256_slli_epi32(h0, 8), l0), half), 16);
        const __m256i s1 =
            _mm256_srai_epi32(_mm256_add_epi32(_mm256_add_epi32(_mm256_slli_epi32(h1, 8), l1), half), 16);
        const __m256i s2 =
            _mm256_srai_epi32(_mm256_add_epi32(_mm256_add_epi32(_mm256_slli_epi32(h2, 8), l2), half), 16);
        const __m256i s3 =
            _mm256_srai_epi32(_mm256_add_epi32(_mm256_add_epi32(_mm256_slli_epi32(h3, 8), l3), half), 16);
        // The unpacks and packs both work within 128-bit lanes, so the bytes come back in order.
        const __m256i out = _mm256_packus_epi16(_mm256_packus_epi32(s0, s1), _mm256_packus_epi32(s2, s3));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + b), out);
    }
    verticalTail(rows, w, taps, vecBytes, bytes, dst);
}

}  // namespace s::image::filters::scale::kernels
