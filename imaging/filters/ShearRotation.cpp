#include "imaging/filters/ShearRotation.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "imaging/filters/FilterTarget.h"
#include "imaging/image/BufferedImage.h"

using s::image::win::BufferedImage;

namespace s::image::filters::rotation {

namespace {

constexpr uint32_t kBackground = Shear::BACKGROUND;

// The part of p that spills into the next pixel, blended towards the background by
// weight (out of 2^24): colour channels floor(255 - (255 - c) * weight / 2^24), alpha
// floor(alpha * weight / 2^24). Two channels go through one 64-bit product each, 32
// bits apart, so no channel carries into the next.
inline uint32_t leftPart(uint32_t p, uint64_t weight)
{
    const uint32_t inv = p ^ 0x00FFFFFFu;  // 255 - c in the colour bytes, alpha as it is
    uint64_t br = uint64_t(inv & 0xFFu) | (uint64_t(inv & 0xFF0000u) << 16);
    uint64_t ga = uint64_t((inv >> 8) & 0xFFu) | (uint64_t(inv >> 24) << 32);
    br = br * weight + 0x00FFFFFF00FFFFFFull;  // colour: rounded up, subtracted from 255 below
    ga = ga * weight + 0x0000000000FFFFFFull;  // green rounded up, alpha rounded down
    const uint32_t down = uint32_t((br >> 24) & 0xFFu) | uint32_t((ga >> 24) & 0xFFu) << 8 | uint32_t((br >> 56) & 0xFFu) << 16;
    return (0x00FFFFFFu - down) | uint32_t(ga >> 56) << 24;
}

// Offset and weight of a shift by s pixels.
inline void split(double s, int* offset, uint32_t* weight)
{
    const double f = std::floor(s);
    *offset = int(f);
    *weight = uint32_t((s - f) * 16777216.0);
}

// One row of the column shear: destination row r, where column j holds source row
// r - offset[j] of that column moved down by weight[j] / 2^24. prev keeps each column's
// last spilled part and must start as prepared by startColumns.
void shearColumnsRow(const uint32_t* const* from, int hs, int r, int width, const int* offset, const uint32_t* weight,
                     uint32_t* prev, uint32_t* out)
{
    for (int j = 0; j < width; ++j) {
        const int64_t sr = int64_t(r) - offset[j];
        if (uint64_t(sr) < uint64_t(hs)) {
            const uint32_t p = from[sr][j];
            const uint32_t l = leftPart(p, weight[j]);
            out[j] = p + prev[j] - l;  // whole-word arithmetic, as in shearRow
            prev[j] = l;
        } else if (sr == hs) {
            out[j] = prev[j];
        } else {
            out[j] = kBackground;
        }
    }
}

// The spilled part that enters destination row 0 of each column: that of the source row
// just above it, or the background.
void startColumns(const uint32_t* const* from, int hs, int width, const int* offset, const uint32_t* weight, uint32_t* prev)
{
    for (int j = 0; j < width; ++j) {
        const int64_t above = int64_t(-offset[j]) - 1;
        prev[j] = above >= 0 && above < hs ? leftPart(from[above][j], weight[j]) : kBackground;
    }
}

// Memory of the first shear, kept by each thread between rotations up to a limit (a
// 12-megapixel photograph fits), so repeated turns do not touch fresh pages each time.
constexpr size_t kKeptScratchPixels = size_t(16) << 20;

// Held through a pointer: a thread-local object with a destructor makes the runtime's
// thread-storage key deletion at process exit wait for ever once a thread that rotated
// has ended. The memory of an ended thread is left to the process.
std::vector<uint32_t>& threadScratch() {
    static thread_local std::vector<uint32_t>* pixels = nullptr;
    if (!pixels) pixels = new std::vector<uint32_t>();
    return *pixels;
}

// Row i of the picture as turned by quarterTurns (0 to 3) clockwise: the source row
// itself, or gathered into buf.
const uint32_t* turnedRow(BufferedImage* src, int quarterTurns, int i, uint32_t* buf)
{
    const int w = src->getWidth(), h = src->getHeight();
    switch (quarterTurns) {
    case 0: return src->getRow(i);
    case 1:  // right: row i is column i read from the bottom up
        for (int j = 0; j < h; ++j) buf[j] = src->getRow(h - 1 - j)[i];
        return buf;
    case 2: {
        const uint32_t* s = src->getRow(h - 1 - i);
        std::reverse_copy(s, s + w, buf);
        return buf;
    }
    default:  // left: row i is column w - 1 - i read from the top down
        for (int j = 0; j < h; ++j) buf[j] = src->getRow(j)[w - 1 - i];
        return buf;
    }
}

// Turns src by quarterTurns and then by r degrees (|r| <= 45) into dst or a new image.
// The three shears (rows, columns, rows) stream: the column shear makes one row at a
// time and the last row shear takes it at once, so only the first shear is stored.
BufferedImage* shearRotate(BufferedImage* src, int quarterTurns, BufferedImage* dst, double r)
{
    const bool sideways = quarterTurns & 1;
    const int W = sideways ? src->getHeight() : src->getWidth(), H = sideways ? src->getWidth() : src->getHeight();
    const double theta = r * 3.14159265358979323846 / 180.0;
    const double S = std::sin(theta), T = std::tan(theta / 2), C = std::cos(theta);
    const int W1 = W + int(std::fabs(T) * H);
    const int W3 = int(W * C + std::fabs(S) * H) + 1;
    const int H3 = int(W * std::fabs(S) + C * H) + 1;

    std::vector<uint32_t>& first = threadScratch();
    const size_t firstPixels = size_t(W1) * size_t(H);
    std::vector<uint32_t> rowBuf, middleRow, prev;
    std::vector<const uint32_t*> firstRows;
    std::vector<int> offsets;
    std::vector<uint32_t> weights;
    try {
        if (first.size() < firstPixels) {
            first.clear();
            first.shrink_to_fit();
            first.resize(firstPixels);
        }
        rowBuf.resize(size_t(std::max(W, W1)));
        middleRow.resize(size_t(W1));
        prev.resize(size_t(W1));
        firstRows.resize(size_t(H));
        offsets.resize(size_t(W1));
        weights.resize(size_t(W1));
    } catch (...) {
        first = std::vector<uint32_t>();
        return nullptr;
    }
    BufferedImage* out = makeTarget(dst, W3, H3);
    if (out) {
        // First shear: rows of the turned picture move right.
        for (int i = 0; i < H; ++i) {
            int o;
            uint32_t w;
            split(((T >= 0 ? i : i - H) + 0.5) * T, &o, &w);
            uint32_t* row = first.data() + size_t(i) * size_t(W1);
            shearRow(turnedRow(src, quarterTurns, i, rowBuf.data()), W, row, W1, o, w);
            firstRows[size_t(i)] = row;
        }
        // Second shear (columns move down) and third (rows move right), row by row.
        double s = S > 0 ? (W - 1) * S : -(W - W1) * S;
        for (int j = 0; j < W1; ++j, s -= S) split(s, &offsets[size_t(j)], &weights[size_t(j)]);
        startColumns(firstRows.data(), H, W1, offsets.data(), weights.data(), prev.data());
        double t = S >= 0 ? -(W - 1) * S * T : (1 - H3 - (W - 1) * S) * T;
        for (int k = 0; k < H3; ++k, t += T) {
            shearColumnsRow(firstRows.data(), H, k, W1, offsets.data(), weights.data(), prev.data(), middleRow.data());
            int o;
            uint32_t w;
            split(t, &o, &w);
            shearRow(middleRow.data(), W1, out->getRow(k), W3, o, w);
        }
        out->setHasAlpha(true);
    }
    if (first.size() > kKeptScratchPixels) first = std::vector<uint32_t>();
    return out;
}

}  // namespace

void shearRow(const uint32_t* from, int ws, uint32_t* to, int wd, int offset, uint32_t weight)
{
    const int64_t o = offset;
    const int64_t lead = std::clamp<int64_t>(o, 0, wd);
    for (int64_t k = 0; k < lead; ++k) to[k] = kBackground;
    const int64_t x0 = std::max<int64_t>(0, -o);
    const int64_t xEnd = std::min<int64_t>(ws, wd - o);
    uint32_t prev = x0 > 0 && x0 <= ws ? leftPart(from[x0 - 1], weight) : kBackground;
    for (int64_t x = x0; x < xEnd; ++x) {
        const uint32_t p = from[x];
        const uint32_t l = leftPart(p, weight);
        to[o + x] = p + prev - l;  // whole-word arithmetic: no channel leaves 0..255
        prev = l;
    }
    const int64_t edge = o + ws;
    if (edge >= 0 && edge < wd) to[edge] = prev;
    for (int64_t k = std::clamp<int64_t>(edge + 1, 0, wd); k < wd; ++k) to[k] = kBackground;
}

const wchar_t* const Shear::NAME = L"ShearRotation";

void Shear::reset()
{
    releasedWithImage_ = true;
    angle = 0;
}

BufferedImage* Shear::apply(BufferedImage* src, BufferedImage* dst)
{
    if (!isUsableSource(src) || !std::isfinite(angle) || src == dst) return nullptr;
    double a = std::fmod(angle, 360.0);
    if (a < 0) a += 360.0;
    if (a >= 360.0) a -= 360.0;

    BufferedImage* out = nullptr;
    if (a == 0 || a == 90 || a == 180 || a == 270) {
        out = a == 0 ? copySource(src, dst) : a == 90 ? src->rotateRight(dst) : a == 180 ? src->rotate180(dst) : src->rotateLeft(dst);
        if (out && !out->hasPixels()) {
            if (!dst) out->release();
            return nullptr;
        }
    } else {
        // Fold the angle into +-45 degrees with an exact quarter turn, which the first
        // shear reads straight from the source.
        int turns = 0;
        if (a > 45 && a <= 135) {
            turns = 1;
            a -= 90;
        } else if (a > 135 && a <= 225) {
            turns = 2;
            a -= 180;
        } else if (a > 225 && a <= 315) {
            turns = 3;
            a -= 270;
        }
        out = shearRotate(src, turns, dst, -a);
    }
    if (out && src->hasAlpha()) out->setHasAlpha(true);
    return out;
}

}  // namespace s::image::filters::rotation
