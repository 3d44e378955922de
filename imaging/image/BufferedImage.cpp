#include "imaging/image/BufferedImage.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "foundation/base/CopyBytes.h"
#include "imaging/filters/Filter.h"
#include "imaging/filters/Geometry.h"
#include "imaging/filters/Scale.h"
#include "imaging/image/Bitmap.h"

namespace s::image::win {

BufferedImage::BufferedImage() = default;

BufferedImage::~BufferedImage()
{
    reset();
}

BufferedImage* BufferedImage::createSized(int w, int h, bool cleared)
{
    BufferedImage* img = create();
    if (img) img->allocate(w, h, cleared);
    return img;
}

void BufferedImage::releaseBitmap()
{
    if (bitmap_) bitmap_->release();
    bitmap_ = nullptr;
    bits_ = nullptr;
    capacityWidth_ = capacityHeight_ = 0;
    capacityPixels_ = capacityBytes_ = 0;
    stride_ = 0;
    width_ = height_ = 0;
    pixelCount_ = byteCount_ = rowBytes_ = 0;
}

void BufferedImage::dropFilteredCache()
{
    if (filteredCache_) filteredCache_->release();
    filteredCache_ = nullptr;
}

void BufferedImage::reset()
{
    releaseBitmap();
    hasAlphaFlag_ = false;
    setScaledCache(nullptr);
    clearFilters();
    dropFilteredCache();
}

HBITMAP BufferedImage::getHBitmap() const
{
    return bitmap_ ? bitmap_->getHBitmap() : nullptr;
}

int BufferedImage::setSize(int w, int h)
{
    w = std::clamp(w, 0, capacityWidth_);
    h = std::clamp(h, 0, capacityHeight_);
    width_ = w;
    height_ = h;
    pixelCount_ = w * h;
    byteCount_ = pixelCount_ * 4;
    rowBytes_ = w * 4;
    return rowBytes_;
}

int BufferedImage::allocate(int w, int h) { return allocate(w, h, true); }

int BufferedImage::allocate(int w, int h, bool cleared)
{
    releaseBitmap();
    if (w <= 0 || h <= 0) return 0;
    bitmap_ = bmp::win::Bitmap::create();
    if (!bitmap_) return 0;
    if (!bitmap_->create(w, h, 32, cleared)) {
        releaseBitmap();
        return 0;
    }
    bits_ = bitmap_->getBits();
    capacityWidth_ = w;
    capacityHeight_ = h;
    capacityPixels_ = w * h;
    capacityBytes_ = capacityPixels_ * 4;
    stride_ = w * 4;
    return setSize(w, h);
}

bool BufferedImage::resizeStorage(int w, int h)
{
    if (capacityWidth_ >= w && capacityHeight_ >= h) return true;
    bmp::win::Bitmap* oldBitmap = bitmap_;
    uint8_t* oldBits = bits_;
    int oldWidth = width_, oldHeight = height_;
    int oldStride = stride_, oldCapHeight = capacityHeight_;
    bitmap_ = nullptr;
    allocate(w, h);
    bool ok = bits_ != nullptr || w <= 0 || h <= 0;
    if (bits_ && oldBits) {
        int cols = std::min(oldWidth, capacityWidth_);
        int rows = std::min(oldHeight, capacityHeight_);
        for (int y = 0; y < rows; ++y)
            std::memcpy(getRowAddress(y), oldBits + size_t(oldCapHeight - 1 - y) * size_t(oldStride), size_t(cols) * 4);
    }
    if (oldBitmap) oldBitmap->release();
    setSize(oldWidth, oldHeight);
    return ok;
}

bool BufferedImage::reserve(int w, int h)
{
    if (capacityWidth_ >= w && capacityHeight_ >= h) return true;
    float fw = capacityWidth_ ? float(capacityWidth_) : float(w);
    while (fw < float(w)) fw *= 1.2f;
    float fh = capacityHeight_ ? float(capacityHeight_) : float(h);
    while (fh < float(h)) fh *= 1.2f;
    // Rounding of large floats must never leave the storage short.
    int nw = std::max(int(fw), w), nh = std::max(int(fh), h);
    return resizeStorage(nw, nh);
}

bool BufferedImage::prepare(int w, int h)
{
    setSize(0, 0);
    if (w < 0) w = 0;
    if (h < 0) h = 0;
    if (!reserve(w, h)) return false;
    setSize(w, h);
    return width_ == w && height_ == h;
}

BufferedImage* BufferedImage::newImage(int w, int h) const
{
    return createSized(w, h);
}

BufferedImage* BufferedImage::target(BufferedImage* dst, int w, int h, bool exact, bool cleared)
{
    if (dst && exact) {
        dst->setSize(0, 0);
        if (!dst->resizeStorage(w, h)) return nullptr;
        dst->setSize(w, h);
        return dst->width_ == std::max(w, 0) && dst->height_ == std::max(h, 0) ? dst : nullptr;
    }
    if (dst) return dst->prepare(w, h) ? dst : nullptr;
    BufferedImage* img = createSized(w, h, cleared);
    if (img && w > 0 && h > 0 && !img->hasPixels()) {
        img->release();
        return nullptr;
    }
    return img;
}

void BufferedImage::setScaledCache(BufferedImage* image)
{
    if (scaledCache_ && scaledCache_ != image) scaledCache_->release();
    scaledCache_ = image;
}

void BufferedImage::draw(HDC dc, int x, int y, int w, int h, bool stretch)
{
    BufferedImage* pic = stretch ? fitScale(w, h, false) : this;
    if (!pic || !pic->hasPixels()) return;
    HDC mem = CreateCompatibleDC(nullptr);
    if (!mem) return;
    HGDIOBJ old = SelectObject(mem, pic->getHBitmap());
    w = std::min(w, pic->width_);
    h = std::min(h, pic->height_);
    BitBlt(dc, x, y, w, h, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
}

void BufferedImage::paste(int x, int y, int w, int h, BufferedImage* source, int sx, int sy, bool fit)
{
    if (!source) return;
    if (fit) source = source->fitScale(w, h, false);
    if (!source || !source->hasPixels() || !hasPixels()) return;
    if (x < 0) { sx -= x; x = 0; }
    if (y < 0) { sy -= y; y = 0; }
    if (sx < 0) { x -= sx; sx = 0; }
    if (sy < 0) { y -= sy; sy = 0; }
    int cols = std::min(source->width_ - sx, width_ - x);
    int rows = std::min(source->height_ - sy, height_ - y);
    if (cols <= 0 || rows <= 0) return;
    if (!source->hasAlphaFlag_) {
        for (int r = 0; r < rows; ++r)
            std::memcpy(getRow(y + r) + x, source->getRow(sy + r) + sx, size_t(cols) * 4);
        return;
    }
    const bool destOpaque = !hasAlphaFlag_;
    for (int r = 0; r < rows; ++r) {
        const uint32_t* s = source->getRow(sy + r) + sx;
        uint32_t* d = getRow(y + r) + x;
        for (int c = 0; c < cols; ++c) {
            uint32_t sp = s[c];
            uint32_t dp = d[c];
            if (destOpaque) dp |= 0xFF000000u;
            int sa = int(sp >> 24);
            int da = int(dp >> 24);
            if (sa == 0) {
                d[c] = dp;
                continue;
            }
            if (sa == 255 || da == 0) {
                d[c] = sp;
                continue;
            }
            int a = sa + da - (((sa + 1) * da) >> 8);
            int f = sa * 256 / a;
            uint32_t out = uint32_t(a) << 24;
            for (int shift = 0; shift < 24; shift += 8) {
                int sc = int((sp >> shift) & 0xFF);
                int dc = int((dp >> shift) & 0xFF);
                int v = dc + ((f * (sc - dc)) >> 8);
                out |= uint32_t(v & 0xFF) << shift;
            }
            d[c] = out;
        }
    }
}

BufferedImage* BufferedImage::fitScale(int w, int h, bool keepRatio)
{
    int tw = w, th = h;
    if (keepRatio && width_ > 0 && height_ > 0) {
        double rw = double(w) / double(width_);
        double rh = double(h) / double(height_);
        if (rw != rh) {
            if (rw < rh)
                th = int(double(height_) * rw);
            else
                tw = int(double(width_) * rh);
        }
    }
    if (tw == width_ && th == height_) return this;
    if (scaledCache_ && scaledCache_->width_ == tw && scaledCache_->height_ == th) return scaledCache_;
    if (!scaledCache_) setScaledCache(newImage(tw, th));
    // A large picture is fitted on several threads (the same pixels as on one).
    if (!filters::scale::scaleImage(filters::scale::BilinearFilter::shared(), this, tw, th, scaledCache_, 0)) return nullptr;
    return scaledCache_;
}

BufferedImage* BufferedImage::copy(BufferedImage* dst)
{
    // A copy into itself is the picture as it stands.
    if (dst == this) return this;
    // A destination that already has the room keeps its DIB (fresh pixel memory costs
    // far more to touch than the copy itself); a short one gets a DIB of exactly this size.
    // Every row is written whole, so new memory need not be cleared first.
    BufferedImage* out = dst ? target(dst, width_, height_, true) : createSized(width_, height_, false);
    if (!out) return nullptr;
    if (width_ > 0 && height_ > 0 && !out->hasPixels()) {
        if (!dst) out->release();
        return nullptr;
    }
    if (height_ > 0 && out->stride_ == rowBytes_ && stride_ == rowBytes_)
        s::base::copyBytes(out->getRowAddress(height_ - 1), getRowAddress(height_ - 1), size_t(rowBytes_) * size_t(height_));
    else
        for (int y = 0; y < height_; ++y) s::base::copyBytes(out->getRowAddress(y), getRowAddress(y), size_t(rowBytes_));
    out->hasAlphaFlag_ = hasAlphaFlag_;
    return out;
}

BufferedImage* BufferedImage::throughNewImage(BufferedImage* (BufferedImage::*turn)(BufferedImage*))
{
    BufferedImage* made = (this->*turn)(nullptr);
    if (!made) return nullptr;
    BufferedImage* out = made->copy(this);
    made->release();
    return out;
}

std::vector<const uint32_t*> BufferedImage::rowPointers()
{
    std::vector<const uint32_t*> rows(static_cast<size_t>(std::max(height_, 0)));
    for (int y = 0; y < height_; ++y) rows[size_t(y)] = getRow(y);
    return rows;
}

void BufferedImage::turnInto(BufferedImage* out, bool clockwise)
{
    const std::vector<const uint32_t*> rows = rowPointers();
    std::vector<uint32_t*> outRows(static_cast<size_t>(std::max(width_, 0)));
    for (int i = 0; i < width_; ++i) outRows[size_t(i)] = out->getRow(i);
    filters::turn::quarterTurn(rows.data(), width_, height_, outRows.data(), clockwise);
}

BufferedImage* BufferedImage::rotateRight(BufferedImage* dst)
{
    if (dst == this) return throughNewImage(&BufferedImage::rotateRight);
    BufferedImage* out = target(dst, height_, width_, true);
    if (!out) return nullptr;
    turnInto(out, true);
    out->hasAlphaFlag_ = hasAlphaFlag_;
    return out;
}

BufferedImage* BufferedImage::rotateLeft(BufferedImage* dst)
{
    if (dst == this) return throughNewImage(&BufferedImage::rotateLeft);
    BufferedImage* out = target(dst, height_, width_, true);
    if (!out) return nullptr;
    turnInto(out, false);
    out->hasAlphaFlag_ = hasAlphaFlag_;
    return out;
}

BufferedImage* BufferedImage::rotate180(BufferedImage* dst)
{
    if (dst == this) return throughNewImage(&BufferedImage::rotate180);
    BufferedImage* out = target(dst, width_, height_, true);
    if (!out) return nullptr;
    for (int i = 0; i < height_; ++i) {
        filters::turn::mirrorRow(getRow(height_ - 1 - i), width_, out->getRow(i));
    }
    out->hasAlphaFlag_ = hasAlphaFlag_;
    return out;
}

BufferedImage* BufferedImage::flipHorizontal(BufferedImage* dst)
{
    if (dst == this) return throughNewImage(&BufferedImage::flipHorizontal);
    BufferedImage* out = target(dst, width_, height_, true);
    if (!out) return nullptr;
    for (int i = 0; i < height_; ++i) {
        filters::turn::mirrorRow(getRow(i), width_, out->getRow(i));
    }
    out->hasAlphaFlag_ = hasAlphaFlag_;
    return out;
}

BufferedImage* BufferedImage::flipVertical(BufferedImage* dst)
{
    if (dst == this) return throughNewImage(&BufferedImage::flipVertical);
    BufferedImage* out = target(dst, width_, height_, true);
    if (!out) return nullptr;
    for (int i = 0; i < height_; ++i) s::base::copyBytes(out->getRowAddress(i), getRowAddress(height_ - 1 - i), size_t(rowBytes_));
    out->hasAlphaFlag_ = hasAlphaFlag_;
    return out;
}

// ---- filter chain

bool BufferedImage::findFilter(const wchar_t* name, int* index) const
{
    for (uint32_t i = 0; i < filters_.count(); ++i) {
        if (filters_.at<filters::IFilter>(i)->getFilterName() == name) {
            if (index) *index = int(i);
            return true;
        }
    }
    return false;
}

void BufferedImage::addFilter(filters::IFilter* filter)
{
    if (!filter) return;
    filters_.push(filter);
    dropFilteredCache();
}

void BufferedImage::insertFilter(int index, filters::IFilter* filter)
{
    if (!filter) return;
    filters_.insertAt(uint32_t(index), filter);
    dropFilteredCache();
}

void BufferedImage::removeFilter(int i)
{
    auto* f = filters_.at<filters::IFilter>(uint32_t(i));
    filters_.removeRange(uint32_t(i), 1);
    if (f && f->isReleasedWithImage()) f->release();
    dropFilteredCache();
}

void BufferedImage::clearFilters()
{
    for (uint32_t i = 0; i < filters_.count(); ++i) {
        auto* f = filters_.at<filters::IFilter>(i);
        if (f && f->isReleasedWithImage()) f->release();
    }
    filters_.clear();
    dropFilteredCache();
}

void BufferedImage::detachFilters()
{
    filters_.clear();
    dropFilteredCache();
}

BufferedImage* BufferedImage::applyFilters()
{
    // The previous result's image takes the new result, so that its DIB is written again
    // instead of fresh memory (which costs far more to touch than most filters). In a
    // longer chain the steps alternate between it and one more image, arranged so that
    // the last step lands in it. Its scaled copy is emptied: it showed the old pixels.
    const uint32_t count = filters_.count();
    BufferedImage* slots[2] = {filteredCache_, nullptr};
    filteredCache_ = nullptr;
    if (slots[0] && slots[0]->scaledCache_) slots[0]->scaledCache_->setSize(0, 0);
    BufferedImage* input = this;
    BufferedImage* result = nullptr;
    for (uint32_t i = 0; i < count; ++i) {
        BufferedImage*& slot = slots[(count - 1 - i) & 1];
        if (!slot) slot = create();
        BufferedImage* output = filters_.at<filters::IFilter>(i)->apply(input, slot);
        if (output != slot) {
            // Failed (null), or a new image of the filter's own that now takes the slot.
            if (slot) slot->release();
            slot = output;
        }
        result = input = output;
        if (!output) break;
    }
    for (BufferedImage* spare : slots)
        if (spare && spare != result) spare->release();
    filteredCache_ = result;
    if (filteredCache_) filteredCache_->hasAnyAlpha();
    return filteredCache_;
}

BufferedImage* BufferedImage::getFiltered()
{
    if (!filteredCache_) applyFilters();
    return filteredCache_;
}

// ---- pixel operations

bool BufferedImage::hasAnyAlpha()
{
    bool any = false;
    for (int y = 0; y < height_ && !any; ++y) {
        const uint32_t* p = getRow(y);
        uint32_t all = 0xFFFFFFFFu;
        for (int x = 0; x < width_; ++x) all &= p[x];
        any = (all >> 24) != 0xFF;
    }
    hasAlphaFlag_ = any;
    return any;
}

void BufferedImage::makeOpaque()
{
    for (int y = 0; y < height_; ++y) {
        uint32_t* p = getRow(y);
        for (int x = 0; x < width_; ++x) p[x] |= 0xFF000000u;
    }
    hasAlphaFlag_ = false;
}

void BufferedImage::fillRgb(uint8_t r, uint8_t g, uint8_t b)
{
    uint32_t c = (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
    for (int y = 0; y < height_; ++y) {
        uint32_t* p = getRow(y);
        for (int x = 0; x < width_; ++x) p[x] = (p[x] & 0xFF000000u) | c;
    }
}

void BufferedImage::fill(uint8_t a, uint8_t r, uint8_t g, uint8_t b)
{
    uint32_t c = (uint32_t(a) << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
    for (int y = 0; y < height_; ++y) std::fill_n(getRow(y), width_, c);
    hasAlphaFlag_ = a != 255;
}

void BufferedImage::applyColorKey(uint8_t r, uint8_t g, uint8_t b)
{
    uint32_t key = (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
    bool any = false;
    for (int y = 0; y < height_; ++y) {
        uint32_t* p = getRow(y);
        for (int x = 0; x < width_; ++x) {
            uint32_t c = p[x] & 0x00FFFFFFu;
            if (c == key) {
                p[x] = c;
                any = true;
            } else {
                p[x] = c | 0xFF000000u;
            }
        }
    }
    if (any) hasAlphaFlag_ = true;
}

void BufferedImage::recolorTransparent(uint8_t r, uint8_t g, uint8_t b)
{
    if (!hasAlphaFlag_) return;
    uint32_t c = (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
    for (int y = 0; y < height_; ++y) {
        uint32_t* p = getRow(y);
        for (int x = 0; x < width_; ++x)
            if ((p[x] >> 24) == 0) p[x] = c;
    }
}

void BufferedImage::setOpaqueAlpha(uint8_t a)
{
    bool below = false;
    uint32_t hi = uint32_t(a) << 24;
    for (int y = 0; y < height_; ++y) {
        uint32_t* p = getRow(y);
        for (int x = 0; x < width_; ++x) {
            uint32_t pa = p[x] >> 24;
            if (pa >= 254)
                p[x] = (p[x] & 0x00FFFFFFu) | hi;
            else
                below = true;
        }
    }
    hasAlphaFlag_ = a != 255 || below;
}

void BufferedImage::maskEqualPixels(BufferedImage* other)
{
    if (!other) return;
    int w = std::min(width_, other->width_);
    int h = std::min(height_, other->height_);
    bool any = false;
    for (int y = 0; y < h; ++y) {
        uint32_t* p = getRow(y);
        const uint32_t* q = other->getRow(y);
        for (int x = 0; x < w; ++x) {
            if (((p[x] ^ q[x]) & 0x00FFFFFFu) == 0) {
                p[x] &= 0x00FFFFFFu;
                any = true;
            }
        }
    }
    if (any) hasAlphaFlag_ = true;
}

void BufferedImage::thresholdAlpha(uint8_t t)
{
    bool any = false;
    for (int y = 0; y < height_; ++y) {
        uint32_t* p = getRow(y);
        for (int x = 0; x < width_; ++x) {
            if ((p[x] >> 24) < t) {
                p[x] &= 0x00FFFFFFu;
                any = true;
            } else {
                p[x] |= 0xFF000000u;
            }
        }
    }
    if (any) hasAlphaFlag_ = true;
}

void BufferedImage::flattenOnto(uint8_t r, uint8_t g, uint8_t b)
{
    if (hasAlphaFlag_) {
        const uint32_t bg[3] = {b, g, r};
        uint32_t opaqueBg = 0xFF000000u | (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
        for (int y = 0; y < height_; ++y) {
            uint32_t* p = getRow(y);
            for (int x = 0; x < width_; ++x) {
                uint32_t a = p[x] >> 24;
                if (a == 255) continue;
                if (a == 0) {
                    p[x] = opaqueBg;
                    continue;
                }
                uint32_t out = 0xFF000000u;
                for (int ch = 0; ch < 3; ++ch) {
                    uint32_t c = (p[x] >> (ch * 8)) & 0xFF;
                    out |= (((bg[ch] * (256 - a) + c * (a + 1)) >> 8) & 0xFF) << (ch * 8);
                }
                p[x] = out;
            }
        }
    }
    hasAlphaFlag_ = false;
}

}  // namespace s::image::win
