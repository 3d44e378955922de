#include <cstring>
#include <vector>

#include "imaging/codec/Icon.h"
#include "imaging/codec/Png.h"
#include "imaging/filters/Quantizer.h"
#include "imaging/image/Bitmap.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"

namespace s::image::ico::win {

using image::win::BufferedImage;
using image::win::BufferedImageSet;

namespace {

uint16_t u16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t u32(const uint8_t* p) { return uint32_t(u16(p)) | uint32_t(u16(p + 2)) << 16; }

bool validBits(int bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32; }

int64_t strideOf(int64_t width, int64_t bits) { return ((width * bits + 31) / 8) & ~int64_t(3); }

// Largest side accepted (the directory's 8-bit size fields and PNG-stored images).
constexpr int kMaxSide = 1 << 15;

}  // namespace

IconImage::IconImage() = default;

IconImage::~IconImage()
{
    if (colour_) colour_->release();
}

void IconImage::reset()
{
    encoded_.freeStorage();
    dropPixels();
}

void IconImage::dropPixels()
{
    if (colour_) colour_->release();
    colour_ = nullptr;
    mask_.freeStorage();
    width_ = height_ = bitCount_ = 0;
    paletteEntries_ = 0;
    maskStride_ = 0;
}

IconImage* IconImage::makeFromImage(BufferedImage* image, int bitCount, bool keepTransparency, uint8_t r, uint8_t g,
                                    uint8_t b)
{
    IconImage* img = create();
    if (img && !img->fromImage(image, bitCount, keepTransparency, r, g, b)) {
        img->release();
        img = nullptr;
    }
    return img;
}

bool IconImage::create(int width, int height, int bitCount)
{
    dropPixels();
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide || !validBits(bitCount)) return false;
    colour_ = bmp::win::Bitmap::create();
    if (!colour_ || !colour_->create(width, height, bitCount)) {
        dropPixels();
        return false;
    }
    width_ = width;
    height_ = height;
    bitCount_ = bitCount;
    paletteEntries_ = bitCount <= 8 ? 1 << bitCount : 0;
    maskStride_ = int32_t(strideOf(width, 1));
    if (!mask_.setCount(uint32_t(maskStride_) * uint32_t(height))) {
        dropPixels();
        return false;
    }
    std::memset(mask_.items(), 0, mask_.count());
    return true;
}

void IconImage::setPalette(const RGBQUAD* palette, int entries)
{
    if (!colour_ || entries <= 0) return;
    RGBQUAD* pal = colour_->getPalette();
    std::memset(pal, 0, sizeof(RGBQUAD) * 256);
    std::memcpy(pal, palette, sizeof(RGBQUAD) * size_t(entries));
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return;
    HGDIOBJ old = SelectObject(dc, colour_->getHBitmap());
    SetDIBColorTable(dc, 0, UINT(1 << bitCount_), pal);
    SelectObject(dc, old);
    DeleteDC(dc);
}

uint8_t* IconImage::getRow(int y) { return colour_ && y >= 0 && y < height_ ? colour_->getRow(y) : nullptr; }
uint8_t* IconImage::getBits() { return colour_ ? colour_->getBits() : nullptr; }
int IconImage::getStride() const { return colour_ ? colour_->getStride() : 0; }

uint8_t* IconImage::getMaskRow(int y)
{
    if (!mask_.count() || y < 0 || y >= height_) return nullptr;
    return mask_.items() + size_t(height_ - 1 - y) * size_t(maskStride_);
}

bool IconImage::blitTo(HBITMAP target) { return colour_ && colour_->blitTo(target); }

// ---- reading -------------------------------------------------------------------------------

bool IconImage::read(io::IInputStream* in)
{
    reset();
    if (!in) return false;
    // The image is the rest of the stream.
    uint8_t chunk[4096];
    for (;;) {
        uint32_t got = 0;
        if (!in->read(chunk, sizeof(chunk), got) || got == 0) break;
        if (!encoded_.append(chunk, got)) {
            encoded_.freeStorage();
            return false;
        }
    }
    static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    bool ok;
    if (encoded_.count() >= 8 && std::memcmp(encoded_.items(), kPng, 8) == 0) {
        png::win::Png* png = png::win::Png::create();
        BufferedImage* pic = nullptr;
        encoded_.rewind();
        if (png && png->read(&encoded_)) pic = png->toImage(0, nullptr);
        if (png) png->release();
        ok = pic && fromImage(pic, 32, true, 255, 255, 255);
        if (pic) pic->release();
    } else {
        ok = readDib(encoded_.items(), encoded_.count());
    }
    encoded_.freeStorage();
    if (!ok) reset();
    return ok;
}

bool IconImage::readDib(const uint8_t* d, uint64_t size)
{
    if (!d || size < sizeof(BITMAPINFOHEADER)) return false;
    uint32_t headerSize = u32(d);
    int32_t width = int32_t(u32(d + 4));
    int32_t doubled = int32_t(u32(d + 8));
    int bits = u16(d + 14);
    uint32_t compression = u32(d + 16);
    uint32_t clrUsed = u32(d + 32);
    if (headerSize < sizeof(BITMAPINFOHEADER) || headerSize > size) return false;
    if (width < 1 || doubled < 2 || !validBits(bits) || compression != BI_RGB) return false;
    int32_t height = doubled / 2;
    if (width > kMaxSide || height > kMaxSide) return false;
    // Palette: at most what the depth can index (and never more than 256 entries).
    uint64_t entries;
    if (bits <= 8) {
        uint64_t most = 1ull << bits;
        entries = clrUsed && clrUsed < most ? clrUsed : most;
    } else {
        entries = clrUsed > 256 ? 256 : clrUsed;  // skipped: true-colour pixels need none
    }
    uint64_t pos = headerSize;
    uint64_t colourBytes = uint64_t(strideOf(width, bits)) * uint64_t(height);
    uint64_t maskBytes = uint64_t(strideOf(width, 1)) * uint64_t(height);
    if (entries * 4 > size - pos || colourBytes > size - pos - entries * 4) return false;
    if (!create(width, height, bits)) return false;
    if (bits <= 8) {
        RGBQUAD pal[256] = {};
        std::memcpy(pal, d + pos, size_t(entries) * 4);
        for (uint64_t i = 0; i < entries; ++i) pal[i].rgbReserved = 0;
        setPalette(pal, 1 << bits);
    }
    pos += entries * 4;
    std::memcpy(colour_->getBits(), d + pos, size_t(colourBytes));
    pos += colourBytes;
    // A missing or short AND mask leaves the rest of the image opaque.
    uint64_t maskHave = size - pos < maskBytes ? size - pos : maskBytes;
    if (maskHave) std::memcpy(mask_.items(), d + pos, size_t(maskHave));
    return true;
}

// ---- to a 32-bit image ---------------------------------------------------------------------

BufferedImage* IconImage::toImage(int, BufferedImage* dst)
{
    if (!colour_ || !colour_->getBits()) return nullptr;
    BufferedImage* img = BufferedImage::target(dst, width_, height_);
    if (!img) return nullptr;
    colour_->blitTo(img->getHBitmap());
    bool useMask = mask_.count() != 0;
    if (bitCount_ == 32) {
        bool anyAlpha = false;
        for (int y = 0; y < height_ && !anyAlpha; ++y) {
            const uint8_t* src = colour_->getRow(y);
            for (int x = 0; x < width_; ++x)
                if (src[x * 4 + 3]) { anyAlpha = true; break; }
        }
        if (anyAlpha) {
            for (int y = 0; y < height_; ++y) {
                const uint8_t* src = colour_->getRow(y);
                uint8_t* out = img->getRowAddress(y);
                for (int x = 0; x < width_; ++x) out[x * 4 + 3] = src[x * 4 + 3];
            }
            img->hasAnyAlpha();
            return img;
        }
        // Alpha bytes all 0: an icon made without an alpha channel; its mask decides.
    }
    if (useMask) {
        bool any = false;
        for (int y = 0; y < height_; ++y) {
            const uint8_t* m = getMaskRow(y);
            uint8_t* out = img->getRowAddress(y);
            for (int x = 0; x < width_; ++x) {
                bool transparent = (m[x >> 3] >> (7 - (x & 7))) & 1;
                out[x * 4 + 3] = transparent ? 0 : 255;
                any |= transparent;
            }
        }
        img->setHasAlpha(any);
        return img;
    }
    img->makeOpaque();
    return img;
}

BufferedImageSet* IconImage::toImageSet()
{
    BufferedImage* img = toImage(0, nullptr);
    if (!img) return nullptr;
    BufferedImageSet* set = BufferedImageSet::create();
    if (!set) {
        img->release();
        return nullptr;
    }
    set->addFrame(img, bitCount_, 0, 0);
    return set;
}

// ---- from a 32-bit image -------------------------------------------------------------------

bool IconImage::fromImage(BufferedImage* image, int bitCount, bool keepTransparency, uint8_t r, uint8_t g, uint8_t b)
{
    encoded_.freeStorage();
    if (!image || !image->hasPixels() || !validBits(bitCount) || bitCount == 16) return false;
    BufferedImage* work = image;
    BufferedImage* made = nullptr;
    if (image->hasAlpha() && !(keepTransparency && bitCount == 32)) {
        made = image->copy();
        if (!made) return false;
        if (keepTransparency) made->thresholdAlpha(32);
        else made->flattenOnto(r, g, b);
        work = made;
    }
    int w = work->getWidth(), h = work->getHeight();
    bool transparency = work->hasAlpha();
    bool ok = create(w, h, bitCount);
    if (ok) {
        if (bitCount == 32) {
            for (int y = 0; y < h; ++y) std::memcpy(getRow(y), work->getRow(y), size_t(w) * 4);
        } else if (bitCount == 24) {
            for (int y = 0; y < h; ++y) {
                const uint32_t* src = work->getRow(y);
                uint8_t* out = getRow(y);
                for (int x = 0; x < w; ++x) {
                    out[x * 3] = uint8_t(src[x]);
                    out[x * 3 + 1] = uint8_t(src[x] >> 8);
                    out[x * 3 + 2] = uint8_t(src[x] >> 16);
                }
            }
        } else if (bitCount == 1) {
            RGBQUAD pal[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
            setPalette(pal, 2);
            for (int y = 0; y < h; ++y) {
                const uint32_t* src = work->getRow(y);
                uint8_t* out = getRow(y);
                for (int x = 0; x < w; ++x) {
                    uint32_t p = src[x];
                    uint32_t lum = ((p >> 16) & 255) * 299 + ((p >> 8) & 255) * 587 + (p & 255) * 114;
                    if (lum >= 128000 && (!transparency || (p >> 24) != 0)) out[x >> 3] |= uint8_t(0x80 >> (x & 7));
                }
            }
        } else {
            // 4 or 8 bits: the last palette entry is kept for transparent pixels.
            int colours = (1 << bitCount) - 1;
            BufferedImage* opaque = work->copy();
            auto* q = filters::reduction::Quantizer::create();
            ok = opaque && q;
            if (ok) {
                // Transparent pixels take the colour of an opaque one so they cost no
                // palette entry.
                uint32_t fillColour = 0;
                bool found = false;
                for (int y = 0; y < h && !found; ++y)
                    for (int x = 0; x < w; ++x)
                        if (!transparency || (opaque->getRow(y)[x] >> 24)) { fillColour = opaque->getRow(y)[x]; found = true; break; }
                if (transparency)
                    for (int y = 0; y < h; ++y)
                        for (int x = 0; x < w; ++x)
                            if ((opaque->getRow(y)[x] >> 24) == 0) opaque->getRow(y)[x] = fillColour;
                opaque->makeOpaque();
                ok = q->build(opaque, colours);
            }
            if (ok) {
                RGBQUAD pal[256] = {};
                const uint32_t* qp = q->getPalette();
                for (int i = 0; i < colours; ++i) pal[i] = RGBQUAD{uint8_t(qp[i]), uint8_t(qp[i] >> 8), uint8_t(qp[i] >> 16), 0};
                setPalette(pal, 1 << bitCount);
                std::vector<uint8_t> idx(static_cast<size_t>(w));
                for (int y = 0; y < h; ++y) {
                    q->mapRow(opaque->getRow(y), w, idx.data(), 8);
                    const uint32_t* src = work->getRow(y);
                    uint8_t* out = getRow(y);
                    for (int x = 0; x < w; ++x) {
                        uint8_t v = (transparency && (src[x] >> 24) == 0) ? uint8_t(colours) : idx[size_t(x)];
                        if (bitCount == 8) out[x] = v;
                        else out[x >> 1] |= uint8_t((x & 1) ? v : v << 4);
                    }
                }
            }
            if (q) q->release();
            if (opaque) opaque->release();
        }
    }
    if (ok && transparency) {
        for (int y = 0; y < h; ++y) {
            const uint32_t* src = work->getRow(y);
            uint8_t* m = getMaskRow(y);
            for (int x = 0; x < w; ++x)
                if ((src[x] >> 24) == 0) m[x >> 3] |= uint8_t(0x80 >> (x & 7));
        }
    }
    if (made) made->release();
    if (!ok) reset();
    return ok;
}

// ---- writing --------------------------------------------------------------------------------

bool IconImage::writeDib(io::IOutputStream* out)
{
    BITMAPINFOHEADER h{};
    h.biSize = sizeof(h);
    h.biWidth = width_;
    h.biHeight = height_ * 2;
    h.biPlanes = 1;
    h.biBitCount = WORD(bitCount_);
    h.biCompression = BI_RGB;
    h.biSizeImage = DWORD(int64_t(getStride()) * height_ + int64_t(maskStride_) * height_);
    h.biClrUsed = 0;
    if (!io::IOutputStream::writeFully(out, &h, sizeof(h))) return false;
    if (paletteEntries_ && !io::IOutputStream::writeFully(out, colour_->getPalette(), uint32_t(paletteEntries_) * 4))
        return false;
    return io::IOutputStream::writeFully(out, colour_->getBits(), uint32_t(getStride()) * uint32_t(height_)) &&
           io::IOutputStream::writeFully(out, mask_.items(), uint32_t(maskStride_) * uint32_t(height_));
}

bool IconImage::write(io::IOutputStream* out)
{
    if (!out || !colour_ || !colour_->getBits()) return false;
    if (width_ <= 255 && height_ <= 255) return writeDib(out);
    BufferedImage* pic = toImage(0, nullptr);
    if (!pic) return false;
    png::win::Png* png = png::win::Png::makeFromImage(pic, false, true, 255, 255, 255);
    bool ok = png && png->write(out);
    if (png) png->release();
    pic->release();
    return ok;
}

HICON IconImage::createHIcon()
{
    if (!colour_ || !colour_->getBits()) return nullptr;
    if (encoded_.count() == 0) {
        encoded_.rewind();
        if (!write(&encoded_)) {
            encoded_.freeStorage();
            return nullptr;
        }
    }
    HICON icon = CreateIconFromResourceEx(encoded_.items(), encoded_.count(), TRUE, 0x30000, width_, height_, 0);
    if (!icon && bitCount_ != 16) icon = CreateIconFromResource(encoded_.items(), encoded_.count(), TRUE, 0x30000);
    return icon;
}

}  // namespace s::image::ico::win
