// The picture view's size hints, frame clock and transparency grid.
#include "gui/controls/ImageGeometry.h"

#include <algorithm>
#include <cmath>

#include "imaging/image/BufferedImage.h"

namespace s::gui::imageview {

namespace {

int idx(ImageAxis a) { return a == ImageAxis::kWidth ? 0 : 1; }
ImageAxis other(ImageAxis a) { return a == ImageAxis::kWidth ? ImageAxis::kHeight : ImageAxis::kWidth; }

bool governed(const ImageSizing& s, ImageAxis a) {
    const layout::SizeHint& h = s.hint[idx(a)];
    return h.fixed >= 0 || h.percent >= 0;
}

// This axis from the other one's preferred inner size, when the picture is stretched with
// its aspect kept and the other axis is set by a fixed size or a percentage.
bool followsOther(const ImageSizing& s, ImageAxis a) { return s.stretch && s.keepRatio && governed(s, other(a)); }

int32_t fromOther(const ImageSizing& s, ImageAxis a) {
    return roundHalfAway(double(imagePreferredInnerSize(s, other(a))) * s.ratio[idx(a)]);
}

int32_t share(int32_t parentInner, int32_t percent) { return int32_t(int64_t(parentInner) * percent / 100); }

}  // namespace

void measurePicture(ImageSizing* s, int32_t pictureWidth, int32_t pictureHeight, bool stretch) {
    s->stretch = stretch;
    if (pictureWidth <= 0 || pictureHeight <= 0) {
        s->minInner[0] = s->minInner[1] = s->prefInner[0] = s->prefInner[1] = 0;
        s->ratio[0] = s->ratio[1] = 1.0;
        return;
    }
    s->prefInner[0] = pictureWidth;
    s->prefInner[1] = pictureHeight;
    s->minInner[0] = stretch ? 0 : pictureWidth;
    s->minInner[1] = stretch ? 0 : pictureHeight;
    s->ratio[0] = double(pictureWidth) / double(pictureHeight);
    s->ratio[1] = double(pictureHeight) / double(pictureWidth);
}

int32_t innerOf(int32_t outer, int32_t frame) { return std::max(0, outer - frame); }

int32_t roundHalfAway(double v) { return int32_t(std::lround(v)); }

int32_t imageMinSize(const ImageSizing& s, ImageAxis a) {
    const layout::SizeHint& h = s.hint[idx(a)];
    if (h.fixed >= 0) return h.fixed;
    if (h.percent >= 0) return 0;
    return s.minInner[idx(a)] + s.frame;
}

int32_t imageMinInnerSize(const ImageSizing& s, ImageAxis a) {
    const layout::SizeHint& h = s.hint[idx(a)];
    if (h.fixed >= 0) return innerOf(h.fixed, s.frame);
    if (h.percent >= 0) return 0;
    if (followsOther(s, a)) return fromOther(s, a);
    return s.minInner[idx(a)];
}

int32_t imagePreferredSize(const ImageSizing& s, ImageAxis a) {
    const layout::SizeHint& h = s.hint[idx(a)];
    if (h.fixed >= 0) return h.fixed;
    return imagePreferredInnerSize(s, a) + s.frame;
}

int32_t imagePreferredInnerSize(const ImageSizing& s, ImageAxis a) {
    const int i = idx(a), j = 1 - i;
    const layout::SizeHint& h = s.hint[i];
    if (h.fixed >= 0) return innerOf(h.fixed, s.frame);
    if (h.percent >= 0) {
        const int32_t mine = innerOf(share(s.parentInner[i], h.percent), s.frame);
        const layout::SizeHint& o = s.hint[j];
        if (o.percent >= 0 && s.stretch && s.keepRatio) {
            const int32_t theirs = innerOf(share(s.parentInner[j], o.percent), s.frame);
            return std::min(mine, roundHalfAway(double(theirs) * s.ratio[i]));
        }
        return mine;
    }
    if (followsOther(s, a)) return fromOther(s, a);
    return std::max(s.minInner[i], s.prefInner[i]);
}

void startClock(FrameClock* c, const int32_t* delays, int32_t count, int64_t now) {
    c->index = 0;
    c->wait = count > 0 ? std::max(0, delays[0]) : 0;
    c->lastAdvance = now;
}

bool advanceClock(FrameClock* c, const int32_t* delays, int32_t count, int64_t now) {
    if (count <= 0 || now - c->lastAdvance < c->wait) return false;
    const int64_t overshoot = now - c->wait - c->lastAdvance;
    c->index = c->index + 1 >= count ? 0 : c->index + 1;
    c->wait = int32_t(std::max<int64_t>(0, int64_t(delays[c->index]) - overshoot));
    c->lastAdvance = now;
    return true;
}

int32_t nextTickDelay(const FrameClock& c, int64_t now, int32_t minMs) {
    const int64_t left = int64_t(c.wait) - (now - c.lastAdvance);
    return int32_t(std::clamp<int64_t>(left, minMs, std::max<int64_t>(minMs, c.wait)));
}

uint32_t gridColorAt(int32_t px, int32_t py) {
    // Floor division so that cells left of or above the origin continue the pattern.
    const auto cell = [](int32_t v) { return v >= 0 ? v / kGridCell : -((-v + kGridCell - 1) / kGridCell); };
    return ((cell(px) + cell(py)) & 1) == 0 ? 0xFFFFFFu : 0xCCCCCCu;
}

void paintTransparencyGrid(::s::image::win::BufferedImage* image, int32_t x, int32_t y, int32_t w, int32_t h,
                           int32_t originX, int32_t originY) {
    if (!image || !image->hasPixels()) return;
    const int32_t x0 = std::max(0, x), y0 = std::max(0, y);
    const int32_t x1 = std::min(image->getWidth(), x + w), y1 = std::min(image->getHeight(), y + h);
    if (x0 >= x1 || y0 >= y1) return;
    for (int32_t row = y0; row < y1; ++row) {
        uint32_t* p = image->getRow(row);
        const int32_t py = row - originY;
        int32_t col = x0;
        while (col < x1) {
            const int32_t px = col - originX;
            // The run of this cell on the row.
            const int32_t inCell = ((px % kGridCell) + kGridCell) % kGridCell;
            const int32_t end = std::min(x1, col + (kGridCell - inCell));
            const uint32_t colour = 0xFF000000u | gridColorAt(px, py);
            std::fill(p + col, p + end, colour);
            col = end;
        }
    }
}

}  // namespace s::gui::imageview
