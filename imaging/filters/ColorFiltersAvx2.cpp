// The AVX2 loop of the brightness tone filters. Only this file is compiled for AVX2;
// ColorFilters.cpp calls it only after cpuid has said the processor has AVX2.
//
// Every division of the per-pixel path is a whole-number quotient of numbers below
// 2^17 by a divisor below 256, so a float division rounded down gives it exactly: a
// quotient that is not whole lies at least 1/255 from the next whole number, far more
// than the float rounding error (under 2.2e-5 for quotients up to 360).
#include <immintrin.h>

#include "imaging/filters/ToneKernels.h"

#define S_AVX2 __attribute__((target("avx2")))

namespace s::image::filters::colors::kernels {

namespace {

S_AVX2 inline __m256i quotient(__m256i num, __m256 den) {
    return _mm256_cvttps_epi32(_mm256_div_ps(_mm256_cvtepi32_ps(num), den));
}

S_AVX2 inline __m256i pick(__m256i mask, __m256i yes, __m256i no) { return _mm256_blendv_epi8(no, yes, mask); }

}  // namespace

S_AVX2 int valueToneAvx2(const uint32_t* src, uint32_t* dst, int n, const int32_t* value) {
    const __m256i ff = _mm256_set1_epi32(0xFF);
    const __m256i zero = _mm256_setzero_si256();
    const __m256i c60 = _mm256_set1_epi32(60), c100 = _mm256_set1_epi32(100), c120 = _mm256_set1_epi32(120);
    const __m256i c240 = _mm256_set1_epi32(240), c360 = _mm256_set1_epi32(360);
    const __m256 f60 = _mm256_set1_ps(60.0f), f100 = _mm256_set1_ps(100.0f);
    const int done = n & ~7;
    for (int x = 0; x < done; x += 8) {
        const __m256i p = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + x));
        const __m256i alpha = _mm256_andnot_si256(_mm256_set1_epi32(0x00FFFFFF), p);
        const __m256i r = _mm256_and_si256(_mm256_srli_epi32(p, 16), ff);
        const __m256i g = _mm256_and_si256(_mm256_srli_epi32(p, 8), ff);
        const __m256i b = _mm256_and_si256(p, ff);
        const __m256i mx = _mm256_max_epi32(r, _mm256_max_epi32(g, b));
        const __m256i mn = _mm256_min_epi32(r, _mm256_min_epi32(g, b));
        const __m256i v = _mm256_i32gather_epi32(reinterpret_cast<const int*>(value), mx, 4);
        const __m256i grey = _mm256_or_si256(alpha, _mm256_mullo_epi32(v, _mm256_set1_epi32(0x010101)));
        const __m256i d = _mm256_sub_epi32(mx, mn);
        // A grey pixel (d 0) divides by 1 here and is replaced by grey below.
        const __m256 fd = _mm256_cvtepi32_ps(_mm256_max_epi32(d, _mm256_set1_epi32(1)));
        const __m256 fmx = _mm256_cvtepi32_ps(_mm256_max_epi32(mx, _mm256_set1_epi32(1)));
        const __m256i s = quotient(_mm256_mullo_epi32(d, c100), fmx);

        // Hue in whole degrees, by which channel is the largest (red first, then green).
        const __m256i rMax = _mm256_cmpeq_epi32(r, mx);
        const __m256i gMax = _mm256_andnot_si256(rMax, _mm256_cmpeq_epi32(g, mx));
        const __m256i gb = _mm256_sub_epi32(g, b);
        const __m256i hRed0 = quotient(_mm256_mullo_epi32(_mm256_abs_epi32(gb), c60), fd);
        const __m256i gBelowB = _mm256_cmpgt_epi32(b, g);
        const __m256i wrapped = pick(_mm256_cmpeq_epi32(hRed0, zero), zero, _mm256_sub_epi32(c360, hRed0));
        const __m256i hRed = pick(gBelowB, wrapped, hRed0);
        const __m256i numGreen =
            _mm256_add_epi32(_mm256_mullo_epi32(_mm256_sub_epi32(b, r), c60), _mm256_mullo_epi32(d, c120));
        const __m256i numBlue =
            _mm256_add_epi32(_mm256_mullo_epi32(_mm256_sub_epi32(r, g), c60), _mm256_mullo_epi32(d, c240));
        const __m256i hOther = quotient(pick(gMax, numGreen, numBlue), fd);
        const __m256i hue = pick(rMax, hRed, hOther);

        // Back from hue, saturation and the new value (the sector formulas).
        const __m256i m = quotient(_mm256_mullo_epi32(_mm256_sub_epi32(c100, s), v), f100);
        const __m256i dd = _mm256_sub_epi32(v, m);
        const __m256i sector = quotient(hue, f60);
        const __m256i xs =
            quotient(_mm256_mullo_epi32(_mm256_sub_epi32(hue, _mm256_mullo_epi32(sector, c60)), dd), f60);
        const __m256i mPlus = _mm256_add_epi32(m, xs), vMinus = _mm256_sub_epi32(v, xs);
        const __m256i s0 = _mm256_cmpeq_epi32(sector, zero), s1 = _mm256_cmpeq_epi32(sector, _mm256_set1_epi32(1));
        const __m256i s2 = _mm256_cmpeq_epi32(sector, _mm256_set1_epi32(2)),
                      s3 = _mm256_cmpeq_epi32(sector, _mm256_set1_epi32(3));
        const __m256i s4 = _mm256_cmpeq_epi32(sector, _mm256_set1_epi32(4));
        // Sector 5 is what is left: (v, m, v - x).
        __m256i nr = pick(_mm256_or_si256(s2, s3), m, v);
        nr = pick(s1, vMinus, pick(s4, mPlus, nr));
        __m256i ng = pick(_mm256_or_si256(s1, s2), v, m);
        ng = pick(s0, mPlus, pick(s3, vMinus, ng));
        __m256i nb = pick(_mm256_or_si256(s0, s1), m, pick(_mm256_or_si256(s3, s4), v, vMinus));
        nb = pick(s2, mPlus, nb);
        const __m256i colour = _mm256_or_si256(
            alpha, _mm256_or_si256(_mm256_slli_epi32(nr, 16), _mm256_or_si256(_mm256_slli_epi32(ng, 8), nb)));

        const __m256i flat = _mm256_or_si256(_mm256_cmpeq_epi32(d, zero), _mm256_cmpeq_epi32(s, zero));
        __m256i out = pick(flat, grey, colour);
        // Fully transparent pixels stay as they are.
        out = pick(_mm256_cmpeq_epi32(alpha, zero), p, out);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + x), out);
    }
    return done;
}

}  // namespace s::image::filters::colors::kernels
