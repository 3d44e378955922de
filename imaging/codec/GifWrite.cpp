// The GIF codec's frame making (colour reduction) and writer.
#include <algorithm>
#include <cstring>
#include <vector>

#include "imaging/codec/CodecStream.h"
#include "imaging/codec/Gif.h"
#include "imaging/filters/Quantizer.h"
#include "imaging/image/Bitmap.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"

namespace s::image::gif::win {

using image::bmp::win::Bitmap;
using image::filters::reduction::Quantizer;
using image::win::BufferedImage;
using image::win::BufferedImageSet;

namespace {

constexpr int kAlphaThreshold = 96;

bool allOpaque(BufferedImage* image) {
    const int w = image->getWidth(), h = image->getHeight();
    for (int y = 0; y < h; ++y) {
        const uint32_t* row = image->getRow(y);
        uint32_t all = 0xFFFFFFFFu;
        for (int x = 0; x < w; ++x) all &= row[x];
        if ((all >> 24) != 0xFF) return false;
    }
    return true;
}

void put16(uint8_t* p, int v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

// Table bits for a frame: enough for its palette entries and every index it uses.
int tableBits(Bitmap* frame, int colours) {
    int most = colours - 1;
    const int w = frame->getWidth(), h = frame->getHeight();
    if (most < 255) {
        for (int y = 0; y < h && most < 255; ++y) {
            const uint8_t* row = frame->getRow(y);
            for (int x = 0; x < w; ++x) most = std::max<int>(most, row[x]);
        }
    }
    int bits = 1;
    while ((1 << bits) <= most) ++bits;
    return bits;
}

}  // namespace

bool Gif::addFrame(BufferedImage* image, int bitCount, bool keepTransparency, uint8_t r, uint8_t g, uint8_t b,
                   int alphaThreshold) {
    if (!image || !image->hasPixels() || image->getWidth() <= 0 || image->getHeight() <= 0) return false;
    if (bitCount < 1 || bitCount > 8) bitCount = 8;
    const int colours = (1 << bitCount) - 1;
    int transparent = -1;
    BufferedImage* work = image;
    BufferedImage* made = nullptr;
    const int w = image->getWidth(), h = image->getHeight();
    if (image->hasAlpha()) {
        if (keepTransparency) {
            made = image->copy();
            if (!made || !made->hasPixels()) {
                if (made) made->release();
                return false;
            }
            made->thresholdAlpha(uint8_t(std::clamp(alphaThreshold, 0, 255)));
            made->recolorTransparent(r, g, b);
            transparent = colours;
        } else {
            made = BufferedImage::createSized(w, h);
            if (!made->hasPixels()) {
                made->release();
                return false;
            }
            made->fill(255, r, g, b);
            made->paste(0, 0, w, h, image, 0, 0, false);
            made->makeOpaque();
        }
        work = made;
    } else if (!allOpaque(image)) {
        // The image says it has no alpha: whatever its alpha bytes hold, it is opaque.
        made = image->copy();
        if (!made || !made->hasPixels()) {
            if (made) made->release();
            return false;
        }
        made->makeOpaque();
        work = made;
    }

    bool ok = false;
    Bitmap* frame = Bitmap::create();
    Quantizer* q = Quantizer::create();
    if (frame && q && frame->create(w, h, 8) && q->build(work, colours)) {
        RGBQUAD* pal = frame->getPalette();
        const uint32_t* qp = q->getPalette();
        for (int i = 0; i < q->getColourCount(); ++i) {
            pal[i].rgbRed = uint8_t(qp[i] >> 16);
            pal[i].rgbGreen = uint8_t(qp[i] >> 8);
            pal[i].rgbBlue = uint8_t(qp[i]);
            pal[i].rgbReserved = 0;
        }
        for (int y = 0; y < h; ++y) q->mapRow(work->getRow(y), w, frame->getRow(y), 8);
        int used = transparent >= 0 ? transparent + 1 : std::max(1, q->getColourCount());
        ok = appendFrame(frame, used, transparent, 0, 0, 0, 0);
    }
    if (q) q->release();
    if (!ok && frame) frame->release();
    if (made) made->release();
    return ok;
}

Gif* Gif::fromImage(BufferedImage* image, int bitCount, bool keepTransparency, uint8_t r, uint8_t g, uint8_t b) {
    Gif* gif = create();
    if (gif && !gif->addFrame(image, bitCount, keepTransparency, r, g, b, kAlphaThreshold)) {
        gif->release();
        return nullptr;
    }
    return gif;
}

// Frame i of an animation is written as the change from the picture shown before it:
// pixels that stay as they were are left transparent. A pixel that must become
// transparent where the picture before showed something cannot be drawn that way, so
// the frame before is then disposed of (cleared) and the frame is written whole.
bool Gif::fromImageSet(BufferedImageSet* set, int bitCount, bool keepTransparency, uint8_t r, uint8_t g,
                       uint8_t b) {
    if (!set || set->getFrameCount() == 0) return false;
    dropFrames();
    if (set->getFrameCount() <= 1 || !set->isAnimated())
        return addFrame(set->getMainFrame(), bitCount, keepTransparency, r, g, b, kAlphaThreshold);
    loopCount_ = set->getLoopCount();
    BufferedImageSet* composed = set->coalesce();
    if (!composed) return false;
    const int n = composed->getFrameCount();
    bool ok = n > 0;
    BufferedImage* previous = nullptr;  // the picture shown before frame i, as written
    for (int i = 0; i < n && ok; ++i) {
        BufferedImage* src = composed->getFrame(i);
        BufferedImage* cur = src->copy();
        if (!cur || !cur->hasPixels()) {
            if (cur) cur->release();
            ok = false;
            break;
        }
        if (cur->hasAlpha()) {
            if (keepTransparency)
                cur->thresholdAlpha(kAlphaThreshold);
            else
                cur->flattenOnto(r, g, b);
        }
        if (!cur->hasAlpha()) cur->makeOpaque();
        const int w = cur->getWidth(), h = cur->getHeight();
        bool whole = previous == nullptr || previous->getWidth() != w || previous->getHeight() != h;
        if (!whole) {
            for (int y = 0; y < h && !whole; ++y) {
                const uint32_t* c = cur->getRow(y);
                const uint32_t* p = previous->getRow(y);
                for (int x = 0; x < w; ++x)
                    if ((c[x] >> 24) == 0 && (p[x] >> 24) != 0) {
                        whole = true;
                        break;
                    }
            }
        }
        BufferedImage* frame = cur;
        BufferedImage* diff = nullptr;
        if (whole) {
            if (previous) setDisposal(getFrameCount() - 1, 2);
        } else {
            diff = cur->copy();
            if (!diff || !diff->hasPixels()) {
                if (diff) diff->release();
                cur->release();
                ok = false;
                break;
            }
            bool any = false;
            for (int y = 0; y < h; ++y) {
                uint32_t* d = diff->getRow(y);
                const uint32_t* p = previous->getRow(y);
                for (int x = 0; x < w; ++x) {
                    // Transparent over transparent, or the same opaque colour: left as it was.
                    if ((d[x] >> 24) == 0 || d[x] == p[x]) {
                        d[x] &= 0x00FFFFFFu;
                        any = true;
                    }
                }
            }
            diff->setHasAlpha(any);
            frame = diff;
        }
        ok = addFrame(frame, bitCount, true, r, g, b, kAlphaThreshold);
        if (ok) {
            setDisposal(getFrameCount() - 1, 1);
            setDelay(getFrameCount() - 1, composed->getDelay(i));
        }
        if (diff) diff->release();
        if (previous) previous->release();
        previous = cur;
    }
    if (previous) previous->release();
    composed->release();
    if (!ok) dropFrames();
    return ok;
}

IEncodedImage* Gif::newEncoderFor(BufferedImage* image) {
    return fromImage(image, lastTableBits_, true, 255, 255, 255);
}

IEncodedImage* Gif::newEncoderForSet(BufferedImageSet* set) {
    if (!set || set->getFrameCount() == 0) return nullptr;
    if (set->getFrameCount() > 1 && set->isAnimated()) {
        BufferedImageSet* filtered = set->filteredCopy();
        if (!filtered) return nullptr;
        Gif* gif = create();
        if (gif && !gif->fromImageSet(filtered, 8, true, 255, 255, 255)) {
            gif->release();
            gif = nullptr;
        }
        filtered->release();
        return gif;
    }
    return newEncoderFor(set->getMainFrame());
}

// ---------------------------------------------------------------- writing

bool Gif::write(io::IOutputStream* stream) {
    const int n = getFrameCount();
    if (!stream || n == 0) return false;
    CodecOutput out(stream);
    if (!out.ok()) return false;
    uint8_t head[13 + 19];
    std::memcpy(head, "GIF89a", 6);
    const int sw = screenWidth_ > 0 ? screenWidth_ : getFrame(0)->getWidth();
    const int sh = screenHeight_ > 0 ? screenHeight_ : getFrame(0)->getHeight();
    put16(head + 6, sw);
    put16(head + 8, sh);
    const int depth = std::clamp(getFrame(0)->getBitCount(), 1, 8);
    head[10] = uint8_t((depth - 1) | (depth - 1) << 4);
    head[11] = 0;
    head[12] = 0;
    uint8_t* app = head + 13;
    app[0] = 0x21;
    app[1] = 0xFF;
    app[2] = 11;
    std::memcpy(app + 3, "NETSCAPE2.0", 11);
    app[14] = 3;
    app[15] = 1;
    put16(app + 16, loopCount_);
    app[18] = 0;
    bool ok = out.write(head, sizeof(head));

    std::vector<const uint8_t*> rows;
    for (int i = 0; i < n && ok; ++i) {
        Bitmap* frame = getFrame(i);
        const int w = frame->getWidth(), h = frame->getHeight();
        const int t = getTransparentIndex(i);
        uint8_t gce[8] = {0x21, 0xF9, 4, uint8_t((getDisposal(i) & 7) << 2 | (t != -1 ? 1 : 0)), 0, 0,
                          uint8_t(t != -1 ? t : 0xFF), 0};
        put16(gce + 4, std::clamp(getDelay(i) / 10, 0, 0xFFFF));
        const int bits = tableBits(frame, std::clamp(colours_.get(uint32_t(i)), 1, 256));
        uint8_t desc[10] = {0x2C, 0, 0, 0, 0, 0, 0, 0, 0, uint8_t(0x80 | (bits - 1))};
        put16(desc + 1, getFrameLeft(i));
        put16(desc + 3, getFrameTop(i));
        put16(desc + 5, w);
        put16(desc + 7, h);
        uint8_t table[768] = {};
        const RGBQUAD* pal = frame->getPalette();
        for (int c = 0; c < (1 << bits); ++c) {
            table[c * 3] = pal[c].rgbRed;
            table[c * 3 + 1] = pal[c].rgbGreen;
            table[c * 3 + 2] = pal[c].rgbBlue;
        }
        ok = out.write(gce, sizeof(gce)) && out.write(desc, sizeof(desc)) && out.write(table, uint32_t(3 << bits));
        rows.resize(size_t(h));
        for (int y = 0; y < h; ++y) rows[size_t(y)] = frame->getRow(y);
        ok = ok && lzw_.encode(rows.data(), w, h, std::max(bits, 2), &out);
    }
    uint8_t trailer = 0x3B;
    ok = ok && out.write(&trailer, 1);
    return out.flush() && ok;
}

}  // namespace s::image::gif::win

namespace s::image::win {

bool BufferedImage::writeGif(io::IOutputStream* out, int bpp, bool keepTransparency, uint8_t r, uint8_t g,
                             uint8_t b) {
    gif::win::Gif* gif = gif::win::Gif::fromImage(this, bpp, keepTransparency, r, g, b);
    if (!gif) return false;
    bool ok = gif->write(out);
    gif->release();
    return ok;
}

bool BufferedImage::writeGifFile(const wchar_t* path, int bpp, bool keepTransparency, uint8_t r, uint8_t g,
                                 uint8_t b) {
    gif::win::Gif* gif = gif::win::Gif::fromImage(this, bpp, keepTransparency, r, g, b);
    if (!gif) return false;
    bool ok = gif->save(path);
    gif->release();
    return ok;
}

}  // namespace s::image::win
