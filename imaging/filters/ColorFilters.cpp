#include "imaging/filters/ColorFilters.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>

#include "imaging/filters/FilterTarget.h"
#include "imaging/filters/RowBands.h"
#include "imaging/filters/ToneKernels.h"
#include "imaging/image/BufferedImage.h"

using s::image::win::BufferedImage;

namespace s::image::filters::colors {

namespace {

// ceil(2^32 / n): (x * reciprocal[n]) >> 32 is x / n (rounded down) for every x below
// 2^32 / 256, which covers all the hue and saturation numerators below.
struct Reciprocals {
    uint64_t of[256];
    Reciprocals() {
        of[0] = 0;
        for (uint64_t n = 1; n < 256; ++n) of[n] = ((uint64_t(1) << 32) + n - 1) / n;
    }
};
const Reciprocals reciprocals;

inline uint32_t divide(uint32_t x, uint32_t n) { return uint32_t((uint64_t(x) * reciprocals.of[n]) >> 32); }

// Bands the per-pixel filters run in: 0 as many as the picture is worth, 1 one thread.
std::atomic<int> g_threads{0};

inline uint32_t rgb(uint32_t alpha, uint32_t r, uint32_t g, uint32_t b) { return alpha | r << 16 | g << 8 | b; }

// The sector formulas: hue 0..359, saturation 1..100, v 0..255.
inline uint32_t fromHsv(uint32_t alpha, uint32_t hue, uint32_t saturation, uint32_t v) {
    const uint32_t m = (100 - saturation) * v / 100;
    const uint32_t d = v - m;
    const uint32_t sector = hue / 60;
    const uint32_t x = (hue - sector * 60) * d / 60;
    switch (sector) {
        case 0: return rgb(alpha, v, m + x, m);
        case 1: return rgb(alpha, v - x, v, m);
        case 2: return rgb(alpha, m, v, m + x);
        case 3: return rgb(alpha, m, v - x, v);
        case 4: return rgb(alpha, m + x, m, v);
        default: return rgb(alpha, v, m, v - x);
    }
}

// How a tone filter changes the HSV form of a pixel: the new 8-bit value by the largest
// channel, the new saturation by the old one, and a hue shift of 0..359.
struct ToneMap {
    uint8_t value[256];
    uint8_t saturation[101];
    uint32_t hueShift = 0;
};

// Converts one pixel to HSV (hue and saturation in whole degrees and percent), applies
// the map and converts back. Pixels with alpha 0 stay as they are.
template <bool kShiftHue, bool kShiftSaturation>
inline uint32_t tonePixel(uint32_t p, const ToneMap& map) {
    if (p < 0x01000000u) return p;
    const uint32_t alpha = p & 0xFF000000u;
    const uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    const uint32_t mx = std::max(r, std::max(g, b)), mn = std::min(r, std::min(g, b));
    const uint32_t v = map.value[mx];
    const uint32_t grey = alpha | v * 0x010101u;
    if (mx == mn) return grey;
    const uint32_t d = mx - mn;
    uint32_t saturation = divide(d * 100, mx);
    if (kShiftSaturation) saturation = map.saturation[saturation];
    if (saturation == 0) return grey;
    uint32_t hue;
    if (r == mx) {
        // Truncated toward zero, then a negative hue wraps to 360 + hue.
        if (g >= b) {
            hue = divide((g - b) * 60, d);
        } else {
            hue = divide((b - g) * 60, d);
            if (hue) hue = 360 - hue;
        }
    } else if (g == mx) {
        hue = divide(b * 60 + 120 * d - r * 60, d);
    } else {
        hue = divide(r * 60 + 240 * d - g * 60, d);
    }
    if (kShiftHue) {
        hue += map.hueShift;
        if (hue >= 360) hue -= 360;
    }
    return fromHsv(alpha, hue, saturation, v);
}

// Runs rowFn(source row, output row, width) over every row of src into dst (or a new
// image), a large picture in bands side by side (each pixel depends on itself alone);
// the result's has-alpha flag is src's.
template <typename RowFn>
BufferedImage* mapRows(BufferedImage* src, BufferedImage* dst, RowFn rowFn) {
    const int w = src->getWidth(), h = src->getHeight();
    BufferedImage* out = makeTarget(dst, w, h);
    if (!out) return nullptr;
    const int bands = rowbands::bandsFor(g_threads.load(), int64_t(w) * h, h);
    rowbands::run(h, bands, [&](int y0, int y1) {
        for (int y = y0; y < y1; ++y) rowFn(src->getRow(y), out->getRow(y), w);
        return true;
    });
    out->setHasAlpha(src->hasAlpha());
    return out;
}

// Runs fn over every pixel of src into dst (or a new image), as mapRows.
template <typename Fn>
BufferedImage* mapPixels(BufferedImage* src, BufferedImage* dst, Fn fn) {
    return mapRows(src, dst, [&fn](const uint32_t* s, uint32_t* o, int w) {
        for (int x = 0; x < w; ++x) o[x] = fn(s[x]);
    });
}

template <bool kShiftHue, bool kShiftSaturation>
BufferedImage* applyToneMap(BufferedImage* src, BufferedImage* dst, const ToneMap& map) {
    return mapPixels(src, dst, [&map](uint32_t p) { return tonePixel<kShiftHue, kShiftSaturation>(p, map); });
}

std::atomic<bool> g_simdAllowed{true};

// A tone map that only changes the value (Level, Curve), eight pixels at a time where
// the processor has AVX2: the same pixels as the per-pixel path.
BufferedImage* applyValueMap(BufferedImage* src, BufferedImage* dst, const ToneMap& map) {
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (!avx2 || !g_simdAllowed.load()) return applyToneMap<false, false>(src, dst, map);
    int32_t value[256];
    for (int i = 0; i < 256; ++i) value[i] = map.value[i];
    return mapRows(src, dst, [&value, &map](const uint32_t* s, uint32_t* o, int w) {
        for (int x = kernels::valueToneAvx2(s, o, w, value); x < w; ++x) o[x] = tonePixel<false, false>(s[x], map);
    });
}

inline uint8_t toByte(float v) { return uint8_t(std::clamp(int(v), 0, 255)); }

}  // namespace

namespace detail {
void allowSimd(bool allowed) { g_simdAllowed.store(allowed); }
void setThreads(int threads) { g_threads.store(threads); }
}  // namespace detail

void hsvToRgb(int hue, int saturation, int value, int* r, int* g, int* b) {
    hue %= 360;
    if (hue < 0) hue += 360;
    saturation = std::clamp(saturation, 0, 100);
    value = std::clamp(value, 0, 100);
    const uint32_t v = uint32_t(value) * 255 / 100;
    const uint32_t p = saturation == 0 ? v * 0x010101u : fromHsv(0, uint32_t(hue), uint32_t(saturation), v);
    if (r) *r = int((p >> 16) & 0xFF);
    if (g) *g = int((p >> 8) & 0xFF);
    if (b) *b = int(p & 0xFF);
}

double hueToRgb(double m1, double m2, double h) {
    if (h < 0)
        h += 1;
    else if (h > 1)
        h -= 1;
    if (6 * h < 1) return m1 + (m2 - m1) * 6 * h;
    if (2 * h < 1) return m2;
    if (3 * h < 2) return m1 + (m2 - m1) * (2.0 / 3.0 - h) * 6;
    return m1;
}

// ---- HSV

const wchar_t* const Hsv::NAME = L"HSV";

void Hsv::reset() {
    releasedWithImage_ = true;
    hueShift = saturationShift = valueShift = 0;
}

void Hsv::set(int hue, int saturation, int value) {
    hueShift = hue;
    saturationShift = saturation;
    valueShift = value;
}

BufferedImage* Hsv::apply(BufferedImage* src, BufferedImage* dst) {
    if (!isUsableSource(src)) return nullptr;
    // The round trip through whole percents loses detail, so neutral shifts copy.
    if (hueShift % 360 == 0 && saturationShift == 0 && valueShift == 0) return copySource(src, dst);
    ToneMap map;
    for (int mx = 0; mx < 256; ++mx) {
        const int value = mx * 100 / 255;  // whole percent
        const int v = valueShift < 0 ? int(int64_t(value) * (int64_t(valueShift) + 100) / 100)
                                     : value + int((100 - value) * int64_t(valueShift) / 100);
        map.value[mx] = uint8_t(std::clamp<int64_t>(int64_t(v) * 255 / 100, 0, 255));
    }
    for (int s = 0; s <= 100; ++s) {
        int64_t n = s;
        if (s != 0)
            n = saturationShift < 0 ? s * (int64_t(saturationShift) + 100) / 100
                                    : s + (100 - s) * int64_t(saturationShift) / 100;
        map.saturation[s] = uint8_t(std::clamp<int64_t>(n, 0, 100));
    }
    map.hueShift = uint32_t(((int64_t(hueShift) % 360) + 360) % 360);
    return applyToneMap<true, true>(src, dst, map);
}

// ---- Level

const wchar_t* const Level::NAME = L"Level";

void Level::reset() {
    releasedWithImage_ = true;
    level = 50;
}

BufferedImage* Level::apply(BufferedImage* src, BufferedImage* dst) {
    if (!isUsableSource(src)) return nullptr;
    if (level == 50) return copySource(src, dst);
    ToneMap map;
    const float l = float(level);
    for (int mx = 0; mx < 256; ++mx) {
        float v = float(mx) * 100.0f / 255.0f;
        if (v <= l) {
            if (level != 0) v = v * 50.0f / l;
        } else {
            v = 100.0f - (100.0f - v) * 50.0f / (100.0f - l);
        }
        map.value[mx] = toByte(v * 255.0f / 100.0f);
    }
    return applyValueMap(src, dst, map);
}

// ---- Curve

const wchar_t* const Curve::NAME = L"Curve";

void Curve::reset() {
    releasedWithImage_ = true;
    strength = 0;
}

BufferedImage* Curve::apply(BufferedImage* src, BufferedImage* dst) {
    if (!isUsableSource(src)) return nullptr;
    if (strength == 0) return copySource(src, dst);
    ToneMap map;
    const float b = float(strength) / 100.0f;
    for (int mx = 0; mx < 256; ++mx) {
        float v = float(mx) * 100.0f / 255.0f;
        if (v < 50.0f) {
            const int t = 25 - std::abs(int(v - 25.0f));
            v = v - float(t) * v * b / 200.0f;
        } else if (v > 50.0f) {
            const int t = 25 - std::abs(int(v - 75.0f));
            v = v + float(t) * v * b / 200.0f;
        }
        // Strengths beyond 200 percent can leave 0..100 percent: such values stop at the ends.
        map.value[mx] = toByte(v * 255.0f / 100.0f);
    }
    return applyValueMap(src, dst, map);
}

// ---- Alpha

const wchar_t* const Alpha::NAME = L"Alpha";

void Alpha::reset() {
    releasedWithImage_ = true;
    opacity = 100;
}

BufferedImage* Alpha::apply(BufferedImage* src, BufferedImage* dst) {
    if (!isUsableSource(src)) return nullptr;
    if (opacity == 100) return copySource(src, dst);
    // Opacities outside 0..100 percent stop at the ends.
    const uint32_t factor = uint32_t(std::clamp<int64_t>(int64_t(opacity) * 256 / 100, 0, 256));
    BufferedImage* out =
        mapPixels(src, dst, [factor](uint32_t p) { return (p & 0x00FFFFFFu) | (((p >> 24) * factor) >> 8) << 24; });
    if (out) out->setHasAlpha(src->hasAlpha() || opacity < 100);
    return out;
}

}  // namespace s::image::filters::colors

namespace s::image::filters::monotone {

namespace {

// Products of a channel with a fixed factor, each truncated.
struct ChannelProducts {
    uint16_t of[256];
    explicit ChannelProducts(double factor) {
        for (int c = 0; c < 256; ++c) of[c] = uint16_t(double(c) * factor);
    }
};

const ChannelProducts greyR(0.2126), greyG(0.701), greyB(0.0722);
const ChannelProducts sepiaRR(0.393), sepiaRG(0.769), sepiaRB(0.189);
const ChannelProducts sepiaGR(0.349), sepiaGG(0.686), sepiaGB(0.168);
const ChannelProducts sepiaBR(0.272), sepiaBG(0.534), sepiaBB(0.131);

}  // namespace

const wchar_t* const Monotone::NAME = L"Monotone";

void Monotone::reset() {
    releasedWithImage_ = true;
    mode = 0;
}

BufferedImage* Monotone::apply(BufferedImage* src, BufferedImage* dst) {
    if (!isUsableSource(src)) return nullptr;
    if (mode == 3) {
        colors::Hsv* hsv = colors::Hsv::create();
        if (!hsv) return nullptr;
        hsv->set(0, -100, 0);
        BufferedImage* out = hsv->apply(src, dst);
        hsv->release();
        return out;
    }
    if (mode == 1) {
        return colors::mapPixels(src, dst, [](uint32_t p) {
            if (p < 0x01000000u) return p;
            const uint32_t grey = greyR.of[(p >> 16) & 0xFF] + greyG.of[(p >> 8) & 0xFF] + greyB.of[p & 0xFF];
            return (p & 0xFF000000u) | grey * 0x010101u;
        });
    }
    if (mode == 2) {
        return colors::mapPixels(src, dst, [](uint32_t p) {
            if (p < 0x01000000u) return p;
            const uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            const uint32_t nr = std::min<uint32_t>(255, sepiaRR.of[r] + sepiaRG.of[g] + sepiaRB.of[b]);
            const uint32_t ng = std::min<uint32_t>(255, sepiaGR.of[r] + sepiaGG.of[g] + sepiaGB.of[b]);
            const uint32_t nb = std::min<uint32_t>(255, sepiaBR.of[r] + sepiaBG.of[g] + sepiaBB.of[b]);
            return (p & 0xFF000000u) | nr << 16 | ng << 8 | nb;
        });
    }
    return copySource(src, dst);
}

}  // namespace s::image::filters::monotone
