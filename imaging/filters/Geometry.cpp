#include "imaging/filters/Geometry.h"

#include <emmintrin.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "foundation/base/CopyBytes.h"
#include "imaging/filters/FilterTarget.h"
#include "imaging/image/BufferedImage.h"

using s::image::win::BufferedImage;

namespace s::image::filters::cut {

const wchar_t* const Cut::NAME = L"Cut";

void Cut::reset() {
    releasedWithImage_ = true;
    left = right = top = bottom = 0;
}

void Cut::set(int leftPercent, int rightPercent, int topPercent, int bottomPercent) {
    left = leftPercent;
    right = rightPercent;
    top = topPercent;
    bottom = bottomPercent;
}

namespace {

// First kept index and one past the last one along an axis of n pixels. Percentages
// below 0 count as 0, so nothing outside the picture is ever read.
void span(int n, int before, int after, int* first, int* end) {
    int64_t a = std::clamp<int64_t>(int64_t(n) * std::max(before, 0) / 100, 0, n - 1);
    int64_t b = int64_t(n) * std::max(after, 0) / 100;
    *first = int(a);
    *end = a < n - b ? int(n - b) : int(a + 1);
}

}  // namespace

BufferedImage* Cut::apply(BufferedImage* src, BufferedImage* dst) {
    if (!isUsableSource(src)) return nullptr;
    if (left == 0 && right == 0 && top == 0 && bottom == 0) return copySource(src, dst);
    int x0, x1, y0, y1;
    span(src->getWidth(), left, right, &x0, &x1);
    span(src->getHeight(), top, bottom, &y0, &y1);
    BufferedImage* out = makeTarget(dst, x1 - x0, y1 - y0);
    if (!out) return nullptr;
    const size_t bytes = size_t(x1 - x0) * 4;
    for (int y = y0; y < y1; ++y) s::base::copyBytes(out->getRow(y - y0), src->getRow(y) + x0, bytes);
    out->setHasAlpha(src->hasAlpha());
    return out;
}

}  // namespace s::image::filters::cut

namespace s::image::filters::turn {

namespace {
// 64 x 64 pixels: 16 KB read and 16 KB written a tile.
constexpr int kTile = 64;
}  // namespace

void quarterTurn(const uint32_t* const* src, int w, int h, uint32_t* const* dst, bool clockwise) {
    for (int i0 = 0; i0 < w; i0 += kTile) {
        const int i1 = std::min(i0 + kTile, w);
        for (int j0 = 0; j0 < h; j0 += kTile) {
            const int j1 = std::min(j0 + kTile, h);
            if (clockwise) {
                for (int i = i0; i < i1; ++i) {
                    uint32_t* o = dst[i];
                    for (int j = j0; j < j1; ++j) o[j] = src[h - 1 - j][i];
                }
            } else {
                for (int i = i0; i < i1; ++i) {
                    uint32_t* o = dst[i];
                    const int col = w - 1 - i;
                    for (int j = j0; j < j1; ++j) o[j] = src[j][col];
                }
            }
        }
    }
}

void mirrorRow(const uint32_t* row, int n, uint32_t* out) {
    int x = 0;
    // Four pixels at a time, reversed within the vector.
    for (; x + 4 <= n; x += 4) {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + n - 4 - x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_shuffle_epi32(v, _MM_SHUFFLE(0, 1, 2, 3)));
    }
    for (; x < n; ++x) out[x] = row[n - 1 - x];
}

}  // namespace s::image::filters::turn

namespace s::image::filters::flip {

const wchar_t* const Flip::NAME = L"Flip";

void Flip::reset() {
    releasedWithImage_ = true;
    horizontal = vertical = false;
}

BufferedImage* Flip::apply(BufferedImage* src, BufferedImage* dst) {
    if (!isUsableSource(src)) return nullptr;
    if (!horizontal && !vertical) return copySource(src, dst);
    const int w = src->getWidth(), h = src->getHeight();
    BufferedImage* out = makeTarget(dst, w, h);
    if (!out) return nullptr;
    for (int i = 0; i < h; ++i) {
        const uint32_t* s = src->getRow(i);
        uint32_t* d = out->getRow(vertical ? h - 1 - i : i);
        if (horizontal)
            turn::mirrorRow(s, w, d);
        else
            s::base::copyBytes(d, s, size_t(w) * 4);
    }
    out->setHasAlpha(src->hasAlpha());
    return out;
}

}  // namespace s::image::filters::flip

namespace s::image::filters::feather {

const wchar_t* const Frame::NAME = L"FeatherFrame";

BufferedImage* Frame::apply(BufferedImage* src, BufferedImage* dst) {
    if (!isUsableSource(src)) return nullptr;
    if (width <= 0) return copySource(src, dst);
    const int w = src->getWidth(), h = src->getHeight();
    const int64_t f = width;
    BufferedImage* out = makeTarget(dst, w, h);
    if (!out) return nullptr;
    // The factor of each column (256 = keep) from its distance to the nearer side.
    std::vector<int32_t> columnFactor(size_t(w), 256);
    for (int x = 0; x < w; ++x) {
        const int64_t dx = std::min(x + 1, w - x);
        if (f >= dx) columnFactor[size_t(x)] = int32_t((dx * 65536 / (f + 1)) >> 8);
    }
    for (int y = 0; y < h; ++y) {
        const uint32_t* s = src->getRow(y);
        uint32_t* d = out->getRow(y);
        const int64_t dy = std::min(y + 1, h - y);
        if (f < dy) {
            // Only the pixels near the sides change in this row.
            std::memcpy(d, s, size_t(w) * 4);
            const int64_t band = std::min<int64_t>(f, w);
            for (int64_t k = 0; k < band; ++k) {
                for (int x : {int(k), int(w - 1 - k)}) {
                    const uint32_t p = s[x];
                    const uint32_t a = p >> 24;
                    d[x] = (p & 0x00FFFFFFu) | (uint32_t((a * uint32_t(columnFactor[size_t(x)])) >> 8) << 24);
                }
            }
            continue;
        }
        for (int x = 0; x < w; ++x) {
            const uint32_t p = s[x];
            const int64_t fx = columnFactor[size_t(x)];
            const uint32_t factor = uint32_t((dy * fx * 256 / (f + 1)) >> 8);
            const uint32_t a = p >> 24;
            d[x] = (p & 0x00FFFFFFu) | (uint32_t((a * factor) >> 8) << 24);
        }
    }
    out->setHasAlpha(true);
    return out;
}

}  // namespace s::image::filters::feather
