// The GIF codec's object, reader and conversion to buffered images.
#include "imaging/codec/Gif.h"

#include <algorithm>
#include <cstring>

#include "imaging/codec/CodecImage.h"
#include "imaging/codec/CodecStream.h"
#include "imaging/image/Bitmap.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"

namespace s::image::gif::win {

using image::bmp::win::Bitmap;
using image::win::BufferedImage;
using image::win::BufferedImageSet;

namespace {

uint16_t le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

// Skips data sub-blocks up to and including the terminator; false when the data ends.
bool skipSubBlocks(CodecInput& in) {
    for (;;) {
        uint8_t size;
        if (!in.read(&size, 1)) return false;
        if (size == 0) return true;
        if (!in.skip(size)) return false;
    }
}

// The most indices LZW data of that many bytes can stand for. The k-th code after a
// clear stands for at most k + 1 indices, so the codes that fill the 4096-entry table
// stand for at most 4096 * 4097 / 2 between them; only then can a code stand for 4096,
// and such codes take 12 bits each.
uint64_t maxIndicesFor(uint64_t dataBytes) { return 4096ull * 4097 / 2 + (dataBytes * 8 / 12 + 1) * 4096; }

}  // namespace

Gif::Gif() = default;

Gif::~Gif() { dropFrames(); }

void Gif::dropFrames() {
    for (uint32_t i = 0; i < frames_.count(); ++i) frames_.at<Bitmap>(i)->release();
    frames_.clear();
    transparent_.clear();
    delays_.clear();
    disposals_.clear();
    lefts_.clear();
    tops_.clear();
    colours_.clear();
}

void Gif::reset() {
    lzw_.reset();
    data_.freeStorage();
    indices_.freeStorage();
    dropFrames();
    frames_.freeStorage();
    loopCount_ = 1;
    lastTableBits_ = 8;
    interlaced_ = false;
    screenWidth_ = screenHeight_ = 0;
    fileBytes_ = UINT64_MAX;
}

bool Gif::appendFrame(Bitmap* frame, int colours, int transparent, int delay, int disposal, int left, int top) {
    uint32_t n = frames_.count();
    frames_.push(frame);
    if (frames_.count() != n + 1) return false;
    transparent_.push(transparent);
    delays_.push(delay);
    disposals_.push(disposal);
    lefts_.push(left);
    tops_.push(top);
    colours_.push(colours);
    if (colours_.count() != n + 1 || transparent_.count() != n + 1 || delays_.count() != n + 1 ||
        disposals_.count() != n + 1 || lefts_.count() != n + 1 || tops_.count() != n + 1) {
        frames_.setCount(n);
        transparent_.setCount(std::min(transparent_.count(), n));
        delays_.setCount(std::min(delays_.count(), n));
        disposals_.setCount(std::min(disposals_.count(), n));
        lefts_.setCount(std::min(lefts_.count(), n));
        tops_.setCount(std::min(tops_.count(), n));
        colours_.setCount(std::min(colours_.count(), n));
        return false;
    }
    return true;
}

int Gif::getWidth() const { return frames_.count() ? getFrame(0)->getWidth() : 0; }
int Gif::getHeight() const { return frames_.count() ? getFrame(0)->getHeight() : 0; }

// ---------------------------------------------------------------- reading

bool Gif::readImage(CodecInput& in, const uint8_t* globalTable, int globalColours, int transparent, int delay,
                    int disposal) {
    uint8_t d[9];
    if (!in.read(d, 9)) return false;
    const int left = le16(d), top = le16(d + 2), w = le16(d + 4), h = le16(d + 6);
    const uint8_t packed = d[8];
    uint8_t localTable[768];
    const uint8_t* table = globalTable;
    int colours = globalColours;
    if (packed & 0x80) {
        lastTableBits_ = (packed & 7) + 1;
        colours = 1 << lastTableBits_;
        if (!in.read(localTable, uint32_t(colours) * 3)) return false;
        table = localTable;
    }
    interlaced_ = (packed & 0x40) != 0;
    uint8_t minCodeSize;
    if (!in.read(&minCodeSize, 1)) return false;

    // The data sub-blocks, gathered with spare zero bytes for the bit reader.
    data_.setCount(0);
    for (;;) {
        uint8_t size;
        if (!in.read(&size, 1)) break;
        if (size == 0) break;
        uint32_t at = data_.count();
        if (!data_.ensureCapacity(at + size + 8)) return false;
        data_.setCount(at + size);
        if (!in.read(data_.items() + at, size)) {
            data_.setCount(at);
            break;
        }
    }
    const uint32_t dataBytes = data_.count();
    if (!data_.ensureCapacity(dataBytes + 8)) return false;
    std::memset(data_.items() + dataBytes, 0, 8);

    if (w == 0 || h == 0) return true;  // nothing to show; the file goes on
    const uint64_t pixels = uint64_t(w) * uint64_t(h);
    if (minCodeSize < 1 || minCodeSize > 8 || dataBytes == 0 || pixels > maxIndicesFor(dataBytes)) return false;
    // The indices, the frame's bitmap and the image made from it.
    if (!pictureFits(uint64_t(w), uint64_t(h), 6, in.length())) return false;

    if (!indices_.ensureCapacity(uint32_t(pixels))) return false;
    uint8_t* idx = indices_.items();
    size_t got = GifLzw::decode(data_.items(), dataBytes, minCodeSize, idx, size_t(pixels));
    if (got == 0) return false;
    // Indices the data did not reach show what lies beneath when there is a transparent
    // index, else the first colour.
    if (got < pixels) std::memset(idx + got, transparent >= 0 ? transparent : 0, size_t(pixels - got));

    Bitmap* frame = Bitmap::create();
    if (!frame) return false;
    if (!frame->create(w, h, 8)) {
        frame->release();
        return false;
    }
    RGBQUAD* pal = frame->getPalette();
    for (int i = 0; i < colours; ++i) {
        pal[i].rgbRed = table[i * 3];
        pal[i].rgbGreen = table[i * 3 + 1];
        pal[i].rgbBlue = table[i * 3 + 2];
        pal[i].rgbReserved = 0;
    }
    if (!interlaced_) {
        for (int y = 0; y < h; ++y) std::memcpy(frame->getRow(y), idx + size_t(y) * size_t(w), size_t(w));
    } else {
        static const int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
        size_t k = 0;
        for (int pass = 0; pass < 4; ++pass)
            for (int y = kStart[pass]; y < h; y += kStep[pass])
                std::memcpy(frame->getRow(y), idx + (k++) * size_t(w), size_t(w));
    }
    if (!appendFrame(frame, colours, transparent, delay, disposal, left, top)) {
        frame->release();
        return false;
    }
    return true;
}

bool Gif::read(io::IInputStream* stream) {
    reset();
    if (!stream) return false;
    CodecInput in(stream);
    uint8_t header[13];
    if (!in.read(header, 13) || std::memcmp(header, "GIF", 3) != 0) {
        in.finish();
        return false;
    }
    screenWidth_ = le16(header + 6);
    screenHeight_ = le16(header + 8);
    fileBytes_ = in.length();
    uint8_t global[768];
    int globalColours = 256;
    if (header[10] & 0x80) {
        lastTableBits_ = (header[10] & 7) + 1;
        globalColours = 1 << lastTableBits_;
        if (!in.read(global, uint32_t(globalColours) * 3)) {
            in.finish();
            return false;
        }
    } else {
        for (int i = 0; i < 256; ++i) global[i * 3] = global[i * 3 + 1] = global[i * 3 + 2] = uint8_t(i);
    }

    int transparent = -1, delay = 0, disposal = 0;
    for (;;) {
        uint8_t introducer;
        if (!in.read(&introducer, 1)) break;
        if (introducer == 0x3B) break;
        if (introducer == 0x2C) {
            if (!readImage(in, global, globalColours, transparent, delay, disposal)) break;
            transparent = -1;
            delay = 0;
            disposal = 0;
            continue;
        }
        if (introducer != 0x21) continue;  // stray bytes between blocks are passed over
        uint8_t label, size;
        if (!in.read(&label, 1) || !in.read(&size, 1)) break;
        bool more = true;
        if (label == 0xF9 && size >= 4) {
            uint8_t g[4];
            if (!in.read(g, 4) || !in.skip(size - 4u)) break;
            disposal = (g[0] >> 2) & 7;
            delay = le16(g + 1) * 10;
            transparent = (g[0] & 1) ? g[3] : -1;
        } else if (label == 0xFF && size == 11) {
            uint8_t id[11];
            if (!in.read(id, 11)) break;
            if (std::memcmp(id, "NETSCAPE2.0", 11) == 0 || std::memcmp(id, "ANIMEXTS1.0", 11) == 0) {
                uint8_t sub;
                if (!in.read(&sub, 1)) break;
                if (sub == 0) {
                    more = false;
                } else if (sub == 3) {
                    uint8_t v[3];
                    if (!in.read(v, 3)) break;
                    if (v[0] == 1) loopCount_ = le16(v + 1);
                } else if (!in.skip(sub)) {
                    break;
                }
            }
        } else if (size != 0 && !in.skip(size)) {
            break;
        } else if (size == 0) {
            more = false;
        }
        if (more && !skipSubBlocks(in)) break;
    }
    in.finish();
    data_.freeStorage();
    indices_.freeStorage();
    if (frames_.count() == 0) {
        reset();
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- to images

// Frame i's pixels into img with its top left corner at (left, top), which must hold it;
// answers whether any pixel came out transparent.
bool Gif::expandFrame(int i, BufferedImage* img, int left, int top) {
    Bitmap* bm = getFrame(i);
    const int w = bm->getWidth(), h = bm->getHeight();
    // One table look-up per pixel: the transparent index maps to its colour with alpha 0.
    uint32_t colour[256];
    const RGBQUAD* pal = bm->getPalette();
    for (int c = 0; c < 256; ++c)
        colour[c] = 0xFF000000u | uint32_t(pal[c].rgbRed) << 16 | uint32_t(pal[c].rgbGreen) << 8 | pal[c].rgbBlue;
    const int t = getTransparentIndex(i);
    if (t >= 0 && t < 256) colour[t] &= 0x00FFFFFFu;
    uint32_t alphaAll = 0xFF000000u;
    for (int y = 0; y < h; ++y) {
        const uint8_t* src = bm->getRow(y);
        uint32_t* out = img->getRow(top + y) + left;
        uint32_t a = 0xFF000000u;
        for (int x = 0; x < w; ++x) {
            const uint32_t p = colour[src[x]];
            out[x] = p;
            a &= p;
        }
        alphaAll &= a;
    }
    return alphaAll != 0xFF000000u;
}

// Frame i's pixels that fall inside img, with the frame's top left corner at (left, top).
void Gif::expandFrameClipped(int i, BufferedImage* img, int left, int top) {
    Bitmap* bm = getFrame(i);
    const int w = bm->getWidth(), h = bm->getHeight();
    const int x0 = std::max(0, left), y0 = std::max(0, top);
    const int x1 = int(std::min<int64_t>(img->getWidth(), int64_t(left) + w));
    const int y1 = int(std::min<int64_t>(img->getHeight(), int64_t(top) + h));
    if (x0 >= x1 || y0 >= y1) return;
    if (x0 == left && y0 == top && x1 - x0 == w && y1 - y0 == h) {
        expandFrame(i, img, left, top);
        return;
    }
    BufferedImage* whole = toImage(i, nullptr);
    if (!whole) return;
    for (int y = y0; y < y1; ++y)
        std::memcpy(img->getRow(y) + x0, whole->getRow(y - top) + (x0 - left), size_t(x1 - x0) * 4);
    whole->release();
}

BufferedImage* Gif::toImage(int frame, BufferedImage* dst) {
    if (frame < 0 || uint32_t(frame) >= frames_.count()) return nullptr;
    Bitmap* bm = getFrame(frame);
    BufferedImage* img = imageTarget(dst, bm->getWidth(), bm->getHeight());
    if (!img) return nullptr;
    img->setHasAlpha(expandFrame(frame, img, 0, 0));
    return img;
}

BufferedImageSet* Gif::toImageSet() {
    const int n = getFrameCount();
    if (n == 0) return nullptr;
    // The canvas is the logical screen, grown to frame 0's own size where the screen is
    // smaller, never for where a frame is placed: frames are clipped to it.
    Bitmap* first = getFrame(0);
    const int fw = first->getWidth(), fh = first->getHeight();
    int cw = std::max(screenWidth_, fw);
    int ch = std::max(screenHeight_, fh);
    // A screen far larger than anything drawn on it is not believed.
    const int64_t drawn = int64_t(fw) * fh;
    if (int64_t(cw) * ch > std::max<int64_t>(drawn * 64, int64_t(1) << 24)) {
        cw = fw;
        ch = fh;
    }
    if (!pictureFits(uint64_t(cw), uint64_t(ch), 8, fileBytes_)) return nullptr;
    BufferedImageSet* set = BufferedImageSet::create();
    if (!set) return nullptr;
    for (int i = 0; i < n; ++i) {
        int left = getFrameLeft(i), top = getFrameTop(i);
        BufferedImage* img;
        if (i == 0 && (left != 0 || top != 0 || fw != cw || fh != ch)) {
            // Frame 0 goes straight onto the transparent canvas; only the canvas around
            // it is cleared.
            img = imageTarget(nullptr, cw, ch);
            if (!img) break;
            for (int y = 0; y < ch; ++y) std::memset(img->getRow(y), 0, size_t(cw) * 4);
            expandFrameClipped(0, img, left, top);
            img->setHasAlpha(true);
            left = top = 0;
        } else {
            img = toImage(i, nullptr);
            if (!img) break;
        }
        set->addFrameAt(img, 8, getDelay(i), getDisposal(i), left, top);
    }
    if (set->getFrameCount() == 0) {
        set->release();
        return nullptr;
    }
    set->setAnimation(true, loopCount_);
    return set;
}

// ---------------------------------------------------------------- first-frame operations

bool Gif::create(int width, int height, int bitCount) {
    dropFrames();
    Bitmap* frame = Bitmap::create();
    if (!frame) return false;
    if (!frame->create(width, height, bitCount) || !appendFrame(frame, 1 << std::min(bitCount, 8), -1, 0, 0, 0, 0)) {
        frame->release();
        return false;
    }
    return true;
}

bool Gif::fromHBitmap(HBITMAP bitmap) {
    if (frames_.count() == 1) return getFrame(0)->fromHBitmap(bitmap);
    dropFrames();
    Bitmap* frame = Bitmap::create();
    if (!frame) return false;
    if (!frame->fromHBitmap(bitmap) || !appendFrame(frame, frame->getPaletteSize(), -1, 0, 0, 0, 0)) {
        frame->release();
        return false;
    }
    return true;
}

bool Gif::blitTo(HBITMAP target) { return frames_.count() && getFrame(0)->blitTo(target); }
int Gif::getBitCount() const { return frames_.count() ? getFrame(0)->getBitCount() : 0; }
int Gif::getStride() const { return frames_.count() ? getFrame(0)->getStride() : 0; }
bool Gif::hasAlphaChannel() const { return frames_.count() && getFrame(0)->hasAlphaChannel(); }
bool Gif::hasPalette() const { return frames_.count() && getFrame(0)->hasPalette(); }
int Gif::getPaletteSize() const { return frames_.count() ? getFrame(0)->getPaletteSize() : 0; }
int Gif::getPaletteBytes() const { return frames_.count() ? getFrame(0)->getPaletteBytes() : 0; }

bool Gif::hasTransparency() const {
    for (uint32_t i = 0; i < transparent_.count(); ++i)
        if (transparent_.get(i) != -1) return true;
    return false;
}

// ---------------------------------------------------------------- frame lookups

bool Gif::findFrame(int w, int h, int depth, int* index) const {
    for (int i = 0; i < getFrameCount(); ++i) {
        Bitmap* f = getFrame(i);
        if (f->getWidth() == w && f->getHeight() == h && f->getBitCount() == depth) {
            if (index) *index = i;
            return true;
        }
    }
    if (index) *index = 0;
    return false;
}

bool Gif::findBest(int w, int h, int depth, int* index, bool depthFirst) const {
    if (findFrame(w, h, depth, index)) return true;
    const int n = getFrameCount();
    if (n == 0) {
        if (index) *index = 0;
        return false;
    }
    int best = 0;
    int64_t bestPrimary = 0, bestSecondary = 0;
    for (int i = 0; i < n; ++i) {
        Bitmap* f = getFrame(i);
        int64_t dd = depth - f->getBitCount();
        int64_t ad = int64_t(w) * h - int64_t(f->getWidth()) * f->getHeight();
        dd = dd < 0 ? -dd : dd;
        ad = ad < 0 ? -ad : ad;
        int64_t primary = depthFirst ? dd : ad, secondary = depthFirst ? ad : dd;
        if (i == 0 || primary < bestPrimary || (primary == bestPrimary && secondary < bestSecondary)) {
            best = i;
            bestPrimary = primary;
            bestSecondary = secondary;
        }
    }
    if (index) *index = best;
    return true;
}

bool Gif::findBestFrameByDepth(int w, int h, int depth, int* index) const {
    return findBest(w, h, depth, index, true);
}

bool Gif::findBestFrameBySize(int w, int h, int depth, int* index) const {
    return findBest(w, h, depth, index, false);
}

}  // namespace s::image::gif::win
