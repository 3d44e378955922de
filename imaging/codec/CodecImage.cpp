#include "imaging/codec/CodecImage.h"

#include <cstring>

#include "imaging/image/Bitmap.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"

namespace s::image {

win::BufferedImage* imageTarget(win::BufferedImage* dst, int w, int h) {
    if (w <= 0 || h <= 0) return nullptr;
    if (dst) return dst->prepare(w, h) ? dst : nullptr;
    win::BufferedImage* image = win::BufferedImage::createSized(w, h);
    if (image && !image->hasPixels()) {
        image->release();
        return nullptr;
    }
    return image;
}

win::BufferedImage* copyToImage(bmp::win::Bitmap* bitmap, win::BufferedImage* dst, AlphaRule rule) {
    if (!bitmap || !bitmap->getBits() || bitmap->getBitCount() != 32) return nullptr;
    int w = bitmap->getWidth(), h = bitmap->getHeight();
    win::BufferedImage* image = imageTarget(dst, w, h);
    if (!image) return nullptr;
    uint32_t orAll = 0, andAll = 0xFFFFFFFFu;
    for (int y = 0; y < h; ++y) {
        const uint32_t* s = reinterpret_cast<const uint32_t*>(bitmap->getRow(y));
        uint32_t* d = image->getRow(y);
        if (rule == AlphaRule::Opaque) {
            std::memcpy(d, s, size_t(w) * 4);
            continue;
        }
        for (int x = 0; x < w; ++x) {
            uint32_t p = s[x];
            d[x] = p;
            orAll |= p;
            andAll &= p;
        }
    }
    if (rule == AlphaRule::Opaque)
        image->setHasAlpha(false);
    else if ((orAll >> 24) == 0)
        image->makeOpaque();
    else
        image->setHasAlpha((andAll >> 24) != 0xFF);
    return image;
}

bool loadFromImage(bmp::win::Bitmap* bitmap, win::BufferedImage* image, bool keepTransparency, uint8_t r,
                   uint8_t g, uint8_t b) {
    if (!image || !bitmap) return false;
    int w = image->getWidth(), h = image->getHeight();
    if (w <= 0 || h <= 0 || !bitmap->create(w, h, 32)) return false;
    bool alpha = image->hasAlpha();
    for (int y = 0; y < h; ++y) {
        const uint32_t* s = image->getRow(y);
        uint32_t* d = reinterpret_cast<uint32_t*>(bitmap->getRow(y));
        if (!alpha) {
            for (int x = 0; x < w; ++x) d[x] = s[x] | 0xFF000000u;
        } else if (keepTransparency) {
            std::memcpy(d, s, size_t(w) * 4);
        } else {
            // c = (c * a + background * (255 - a)) / 255, rounded.
            for (int x = 0; x < w; ++x) {
                uint32_t p = s[x], a = p >> 24, ia = 255 - a;
                uint32_t cb = ((p & 0xFF) * a + b * ia + 127) / 255;
                uint32_t cg = ((p >> 8 & 0xFF) * a + g * ia + 127) / 255;
                uint32_t cr = ((p >> 16 & 0xFF) * a + r * ia + 127) / 255;
                d[x] = 0xFF000000u | cr << 16 | cg << 8 | cb;
            }
        }
    }
    return true;
}

win::BufferedImage* imageFromHBitmap(HBITMAP bitmap) {
    bmp::win::Bitmap* t = bmp::win::Bitmap::create();
    if (!t) return nullptr;
    win::BufferedImage* image = t->fromHBitmap(bitmap) ? t->toImage(0, nullptr) : nullptr;
    t->release();
    return image;
}

win::BufferedImageSet* singleFrameSet(win::BufferedImage* image, int depth) {
    if (!image) return nullptr;
    win::BufferedImageSet* set = win::BufferedImageSet::create();
    if (!set) {
        image->release();
        return nullptr;
    }
    set->addFrame(image, depth, 0, 0);
    return set;
}

namespace {
thread_local const wchar_t* lastSizeRefusal = nullptr;
}  // namespace

bool pictureFits(uint64_t w, uint64_t h, uint64_t bytesPerPixel, uint64_t fileBytes) {
    if (w == 0 || h == 0) return true;
    if (w > kMaxPixels || h > kMaxPixels || w * h > kMaxPixels) {
        lastSizeRefusal = L"The picture is too large to open: it has more than 268,435,456 pixels.";
        return false;
    }
    if (fileBytes < kSmallFileBytes && w * h * bytesPerPixel > kSmallFileBudget) {
        lastSizeRefusal = L"The picture is too large for its file: it would take more memory than "
                          L"a file this small can need.";
        return false;
    }
    return true;
}

const wchar_t* sizeRefusal() { return lastSizeRefusal; }

void clearSizeRefusal() { lastSizeRefusal = nullptr; }

bool plausibleSize(uint64_t w, uint64_t h, uint64_t streamBytes, uint64_t pixelsPerByte) {
    if (w == 0 || h == 0) return false;
    if (streamBytes == UINT64_MAX) return true;
    return w * h / pixelsPerByte <= streamBytes;
}

}  // namespace s::image
