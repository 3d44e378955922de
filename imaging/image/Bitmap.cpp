#include "imaging/image/Bitmap.h"

#include <cstring>
#include <atomic>
#include <mutex>

#include "imaging/filters/Quantizer.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"

namespace s::image::bmp::win {

using image::win::BufferedImage;
using image::win::BufferedImageSet;

namespace {

// Largest pixel memory a DIB section may have (sizes are kept in 32-bit fields).
constexpr int64_t kMaxDibBytes = 0x7FFFFFFF;

bool validBitCount(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

int64_t strideFor(int64_t bitCount, int64_t planes, int64_t width)
{
    return ((bitCount * planes * width + 31) / 8) & ~int64_t(3);
}

// BitBlt of w x h from one bitmap onto another through two memory DCs; the palette,
// when given, is set on the source DC first.
bool blitBitmaps(HBITMAP from, HBITMAP to, int w, int h, const RGBQUAD* palette, int paletteSize)
{
    if (!from || !to) return false;
    HDC srcDc = CreateCompatibleDC(nullptr);
    HDC dstDc = CreateCompatibleDC(nullptr);
    bool ok = false;
    if (srcDc && dstDc) {
        HGDIOBJ oldSrc = SelectObject(srcDc, from);
        HGDIOBJ oldDst = SelectObject(dstDc, to);
        if (palette && paletteSize > 0) SetDIBColorTable(srcDc, 0, UINT(paletteSize), palette);
        ok = BitBlt(dstDc, 0, 0, w, h, srcDc, 0, 0, SRCCOPY) != FALSE;
        GdiFlush();
        SelectObject(srcDc, oldSrc);
        SelectObject(dstDc, oldDst);
    }
    if (srcDc) DeleteDC(srcDc);
    if (dstDc) DeleteDC(dstDc);
    return ok;
}

// Sets the colour table of a DIB section.
void setSectionPalette(HBITMAP section, const RGBQUAD* palette, int count)
{
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return;
    HGDIOBJ old = SelectObject(dc, section);
    SetDIBColorTable(dc, 0, UINT(count), palette);
    SelectObject(dc, old);
    DeleteDC(dc);
}

// Memory of released 32-bit sections, kept for the next section of the same size.
// Fresh memory costs a page fault per page the first time it is written; a viewer and a
// filter chain make pictures of one size again and again, so a few recently released
// sections are handed out again, cleared, instead of being returned to the system.
class SectionRecycler {
public:
    static SectionRecycler& instance()
    {
        static SectionRecycler* recycler = new SectionRecycler;  // never destroyed
        return *recycler;
    }

    // Takes a kept section of exactly this layout, cleared to 0 as a new one would be
    // unless the caller writes every pixel itself.
    HBITMAP take(LONG width, LONG height, bool cleared, uint8_t** bits)
    {
        Entry found{};
        {
            std::lock_guard<std::mutex> lock(mutex_);
            for (int i = 0; i < count_; ++i) {
                if (entries_[i].width != width || entries_[i].height != height) continue;
                found = entries_[i];
                entries_[i] = entries_[--count_];
                bytes_ -= found.bytes;
                break;
            }
        }
        if (!found.section) return nullptr;
        if (cleared) std::memset(found.bits, 0, found.bytes);
        *bits = found.bits;
        return found.section;
    }

    // Keeps the section for reuse; false when it is not worth keeping or there is no room
    // (the caller deletes it then).
    bool offer(HBITMAP section, uint8_t* bits, LONG width, LONG height, size_t bytes)
    {
        if (!enabled_ || bytes < kMinBytes || bytes > kMaxBytes) return false;
        HBITMAP evicted = nullptr;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            // The oldest goes first when the new one needs its room.
            while (count_ > 0 && (count_ == kEntries || bytes_ + bytes > kMaxBytes)) {
                if (evicted) DeleteObject(evicted);
                evicted = entries_[0].section;
                bytes_ -= entries_[0].bytes;
                for (int i = 1; i < count_; ++i) entries_[i - 1] = entries_[i];
                --count_;
            }
            entries_[count_++] = Entry{section, bits, width, height, bytes};
            bytes_ += bytes;
        }
        if (evicted) DeleteObject(evicted);
        return true;
    }

    void trim()
    {
        for (;;) {
            HBITMAP section = nullptr;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                if (count_ == 0) return;
                section = entries_[--count_].section;
                bytes_ -= entries_[count_].bytes;
            }
            DeleteObject(section);
        }
    }

    void setEnabled(bool on)
    {
        enabled_ = on;
        if (!on) trim();
    }

private:
    struct Entry {
        HBITMAP section;
        uint8_t* bits;
        LONG width, height;
        size_t bytes;
    };
    // Small sections are cheap to make; the cap keeps an idle viewer's memory low.
    static constexpr size_t kMinBytes = 256 * 1024;
    static constexpr size_t kMaxBytes = size_t(160) * 1024 * 1024;
    static constexpr int kEntries = 4;

    std::mutex mutex_;
    Entry entries_[kEntries]{};
    int count_ = 0;
    size_t bytes_ = 0;
    std::atomic<bool> enabled_{true};
};

bool recyclable(const BITMAPINFOHEADER& h)
{
    return h.biBitCount == 32 && h.biCompression == BI_RGB && h.biPlanes == 1 && h.biClrUsed == 0;
}

}  // namespace

void setSectionRecycling(bool on) { SectionRecycler::instance().setEnabled(on); }
void trimSectionRecycling() { SectionRecycler::instance().trim(); }

Bitmap::Bitmap() { reset(); }

Bitmap::~Bitmap() { deleteSection(); }

void Bitmap::reset()
{
    deleteSection();
    std::memset(&info_, 0, sizeof(info_));
    info_.header.biSize = sizeof(BITMAPINFOHEADER);
    info_.header.biPlanes = 1;
    info_.header.biBitCount = 32;
    info_.header.biCompression = BI_RGB;
    stride_ = 0;
    paletteEntries_ = 0;
    paletteBytes_ = 0;
    colourKey_ = -1;
    std::memset(&fileHeader_, 0, sizeof(fileHeader_));
    fileHeader_.bfType = 0x4D42;  // "BM"
    fileHeader_.bfOffBits = 54;
    fileHeader_.bfSize = 54;
}

void Bitmap::deleteSection()
{
    // The header may already describe the next section: the layout kept at creation counts.
    if (section_ && !(recycledBytes_ != 0 && bits_ &&
                      SectionRecycler::instance().offer(section_, bits_, recycledWidth_, recycledHeight_,
                                                        recycledBytes_)))
        DeleteObject(section_);
    recycledBytes_ = 0;
    section_ = nullptr;
    bits_ = nullptr;
}

void Bitmap::updateLayout()
{
    const BITMAPINFOHEADER& h = info_.header;
    int64_t stride = strideFor(h.biBitCount, h.biPlanes, h.biWidth);
    stride_ = (stride > 0 && stride <= kMaxDibBytes) ? int32_t(stride) : 0;
    int entries;
    if (h.biClrUsed != 0) {
        entries = int(h.biClrUsed > 256 ? 256 : h.biClrUsed);
        if (h.biBitCount >= 16) entries += 12;
    } else if (h.biCompression == BI_BITFIELDS) {
        entries = 12;
    } else if (h.biBitCount == 1) {
        entries = 2;
    } else if (h.biBitCount == 4) {
        entries = 16;
    } else if (h.biBitCount == 8) {
        entries = 256;
    } else {
        entries = 0;
    }
    // The palette storage holds 256 entries; a header asking for more reads no further.
    if (entries > 256) entries = 256;
    paletteEntries_ = entries;
    paletteBytes_ = entries * 4;
}

void Bitmap::rebuildFileHeader()
{
    fileHeader_.bfType = 0x4D42;
    fileHeader_.bfReserved1 = 0;
    fileHeader_.bfReserved2 = 0;
    fileHeader_.bfOffBits = DWORD(54 + paletteBytes_);
    int64_t rows = info_.header.biHeight < 0 ? -int64_t(info_.header.biHeight) : info_.header.biHeight;
    fileHeader_.bfSize = DWORD(rows * stride_ + paletteBytes_ + 54);
}

bool Bitmap::createSection(bool cleared)
{
    deleteSection();
    BITMAPINFOHEADER& h = info_.header;
    int64_t rows = h.biHeight < 0 ? -int64_t(h.biHeight) : int64_t(h.biHeight);
    int64_t stride = strideFor(h.biBitCount, h.biPlanes, h.biWidth);
    bool sane = h.biWidth > 0 && rows > 0 && h.biPlanes == 1 && validBitCount(h.biBitCount) &&
                (h.biCompression == BI_RGB || h.biCompression == BI_BITFIELDS) && stride > 0 &&
                stride <= kMaxDibBytes && rows <= kMaxDibBytes / stride;
    const bool recycle = sane && recyclable(h);
    if (recycle) {
        uint8_t* bits = nullptr;
        if (HBITMAP kept = SectionRecycler::instance().take(h.biWidth, h.biHeight, cleared, &bits)) {
            section_ = kept;
            bits_ = bits;
        }
    }
    if (sane && !section_) {
        void* bits = nullptr;
        section_ = CreateDIBSection(nullptr, bitmapInfo(), DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<uint8_t*>(bits);
    }
    if (section_ && bits_) {
        updateLayout();
        if (recycle) {
            recycledWidth_ = h.biWidth;
            recycledHeight_ = h.biHeight;
            recycledBytes_ = size_t(rows) * size_t(stride);
        }
        return true;
    }
    deleteSection();
    // Nothing could be made: an empty picture that nobody writes into.
    h.biWidth = 0;
    h.biHeight = 0;
    h.biSizeImage = 0;
    updateLayout();
    stride_ = 0;
    return false;
}

bool Bitmap::create(int width, int height, int bitCount) { return create(width, height, bitCount, true); }

bool Bitmap::create(int width, int height, int bitCount, bool cleared)
{
    BITMAPINFOHEADER& h = info_.header;
    int previousEntries = paletteEntries_;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = WORD(bitCount);
    h.biCompression = BI_RGB;
    int64_t pixels = int64_t(width) * int64_t(height);
    int64_t bytes = 0;
    switch (bitCount) {
    case 1: bytes = (pixels + 7) / 8; break;
    case 4: bytes = (pixels + 1) / 2; break;
    case 8: bytes = pixels; break;
    case 16: bytes = pixels * 2; break;
    case 24: bytes = pixels * 3; break;
    case 32: bytes = pixels * 4; break;
    default: break;
    }
    h.biSizeImage = (bytes >= 0 && bytes <= kMaxDibBytes) ? DWORD(bytes) : 0;
    h.biXPelsPerMeter = 0;
    h.biYPelsPerMeter = 0;
    h.biClrUsed = bitCount <= 8 && bitCount > 0 ? DWORD(1u << bitCount) : 0;
    h.biClrImportant = h.biClrUsed;
    if (previousEntries != 0) std::memset(info_.palette, 0, sizeof(info_.palette));
    updateLayout();
    rebuildFileHeader();
    bool ok = createSection(cleared);
    if (!ok) rebuildFileHeader();
    return ok;
}

uint8_t* Bitmap::getRow(int y)
{
    if (!bits_) return nullptr;
    if (info_.header.biHeight < 0) return bits_ + size_t(y) * size_t(stride_);
    return bits_ + size_t(info_.header.biHeight - 1 - y) * size_t(stride_);
}

bool Bitmap::hasAlphaChannel() const
{
    return info_.header.biBitCount == 32 && info_.header.biCompression != BI_BITFIELDS;
}

void Bitmap::setColourKey(uint8_t r, uint8_t g, uint8_t b)
{
    colourKey_ = int32_t((uint32_t(r) << 16) | (uint32_t(g) << 8) | b);
}

bool Bitmap::blitTo(HBITMAP target)
{
    if (!section_) return false;
    int rows = info_.header.biHeight < 0 ? -info_.header.biHeight : info_.header.biHeight;
    return blitBitmaps(section_, target, info_.header.biWidth, rows, hasPalette() && info_.header.biBitCount <= 8 ? info_.palette : nullptr,
                       paletteEntries_);
}

bool Bitmap::fromHBitmap(HBITMAP bitmap)
{
    if (!bitmap) return false;
    BITMAP bm{};
    if (GetObjectW(bitmap, sizeof(bm), &bm) == 0) return false;
    int bpp = bm.bmBitsPixel == 2 ? 4 : bm.bmBitsPixel;
    if (!create(bm.bmWidth, bm.bmHeight, bpp)) return false;
    // GDI hands the rows over bottom-up in this bitmap's own format, whatever the
    // source's orientation, with the colour table of a DIB section or the palette of a
    // device-dependent bitmap's DC.
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return false;
    int rows = GetDIBits(dc, bitmap, 0, UINT(bm.bmHeight), bits_, bitmapInfo(), DIB_RGB_COLORS);
    DeleteDC(dc);
    updateLayout();
    if (hasPalette() && bpp <= 8) setSectionPalette(section_, info_.palette, paletteEntries_);
    return rows == bm.bmHeight;
}

namespace {

bool drawIconOn(HBITMAP section, HICON icon, int w, int h)
{
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return false;
    HGDIOBJ old = SelectObject(dc, section);
    bool ok = DrawIconEx(dc, 0, 0, icon, w, h, 0, nullptr, DI_NORMAL) != FALSE;
    GdiFlush();
    SelectObject(dc, old);
    DeleteDC(dc);
    return ok;
}

}  // namespace

bool Bitmap::fromHIcon(HICON icon)
{
    if (!icon) return false;
    ICONINFO ii{};
    if (!GetIconInfo(icon, &ii)) return false;
    BITMAP bm{};
    int w = 0, h = 0;
    if (ii.hbmColor && GetObjectW(ii.hbmColor, sizeof(bm), &bm)) {
        w = bm.bmWidth;
        h = bm.bmHeight;
    } else if (ii.hbmMask && GetObjectW(ii.hbmMask, sizeof(bm), &bm)) {
        // A monochrome icon's mask holds the AND and XOR halves one above the other.
        w = bm.bmWidth;
        h = bm.bmHeight / 2;
    }
    if (ii.hbmColor) DeleteObject(ii.hbmColor);
    if (ii.hbmMask) DeleteObject(ii.hbmMask);
    if (w < 1) w = 16;
    if (h < 1) h = 16;

    if (!create(w, h, 32)) return false;
    auto* px = reinterpret_cast<uint32_t*>(bits_);
    size_t count = size_t(w) * size_t(h);
    for (size_t i = 0; i < count; ++i) px[i] = 0x00FFFFFF;
    drawIconOn(section_, icon, w, h);
    for (size_t i = 0; i < count; ++i)
        if (px[i] & 0xFF000000) return true;

    // No alpha channel: draw over a key colour that toImage turns transparent.
    if (!create(w, h, 24)) return false;
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc) {
        HGDIOBJ old = SelectObject(dc, section_);
        RECT rc{0, 0, w, h};
        HBRUSH brush = CreateSolidBrush(RGB(254, 253, 252));
        FillRect(dc, &rc, brush);
        DeleteObject(brush);
        GdiFlush();
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    setColourKey(254, 253, 252);
    drawIconOn(section_, icon, w, h);
    return true;
}

bool Bitmap::fromImage(BufferedImage* image, int bitCount, bool keepTransparency, uint8_t r, uint8_t g, uint8_t b)
{
    if (!image || !image->hasPixels()) return false;
    BufferedImage* work = image;
    BufferedImage* made = nullptr;
    if (image->hasAlpha()) {
        if (keepTransparency && bitCount == 32) {
            image->recolorTransparent(r, g, b);
        } else {
            made = BufferedImage::createSized(image->getWidth(), image->getHeight());
            if (!made->hasPixels()) {
                made->release();
                return false;
            }
            made->fill(255, r, g, b);
            made->paste(0, 0, image->getWidth(), image->getHeight(), image, 0, 0, false);
            work = made;
        }
    }
    int w = work->getWidth();
    int h = work->getHeight();
    bool ok = create(w, h, bitCount);
    if (ok) {
        if (bitCount == 32) {
            for (int y = 0; y < h; ++y) std::memcpy(getRow(y), work->getRow(y), size_t(w) * 4);
        } else if (bitCount == 24) {
            ok = blitBitmaps(work->getHBitmap(), section_, w, h, nullptr, 0);
        } else if (bitCount == 4 || bitCount == 8) {
            ok = fillIndexed(work, bitCount);
        }
    }
    if (made) made->release();
    return ok;
}

bool Bitmap::fillIndexed(BufferedImage* image, int bitCount)
{
    // The picture counts as opaque here (transparency was flattened or is not wanted).
    BufferedImage* opaque = image->copy();
    if (!opaque) return false;
    opaque->makeOpaque();
    auto* q = filters::reduction::Quantizer::create();
    bool ok = q && q->build(opaque, 1 << bitCount);
    if (ok) {
        const uint32_t* pal = q->getPalette();
        for (int i = 0; i < 256; ++i)
            info_.palette[i] = RGBQUAD{uint8_t(pal[i]), uint8_t(pal[i] >> 8), uint8_t(pal[i] >> 16), 0};
        setSectionPalette(section_, info_.palette, paletteEntries_);
        for (int y = 0; y < opaque->getHeight(); ++y) q->mapRow(opaque->getRow(y), opaque->getWidth(), getRow(y), bitCount);
    }
    if (q) q->release();
    opaque->release();
    return ok;
}

Bitmap* Bitmap::makeFromImage(BufferedImage* image, int bitCount, bool keepTransparency, uint8_t r, uint8_t g, uint8_t b)
{
    Bitmap* bmp = create();
    if (bmp) bmp->fromImage(image, bitCount, keepTransparency, r, g, b);
    return bmp;
}

BufferedImage* Bitmap::toImage(int /*frame*/, BufferedImage* dst)
{
    if (!bits_) return nullptr;
    int w = info_.header.biWidth;
    int h = info_.header.biHeight < 0 ? -info_.header.biHeight : info_.header.biHeight;
    BufferedImage* img = BufferedImage::target(dst, w, h);
    if (!img) return nullptr;
    blitTo(img->getHBitmap());
    if (hasAlphaChannel()) {
        bool anyAlpha = false;
        for (int y = 0; y < h; ++y) {
            const uint8_t* src = getRow(y);
            uint8_t* out = img->getRowAddress(y);
            for (int x = 0; x < w; ++x) {
                uint8_t a = src[x * 4 + 3];
                out[x * 4 + 3] = a;
                anyAlpha |= a != 0;
            }
        }
        if (anyAlpha) {
            img->hasAnyAlpha();
            return img;
        }
        img->makeOpaque();
    } else if (hasColourKey()) {
        img->applyColorKey(uint8_t(colourKey_ >> 16), uint8_t(colourKey_ >> 8), uint8_t(colourKey_));
    } else {
        img->makeOpaque();
    }
    return img;
}

BufferedImageSet* Bitmap::toImageSet()
{
    if (!bits_) return nullptr;
    BufferedImage* img = toImage(0, nullptr);
    if (!img) return nullptr;
    BufferedImageSet* set = BufferedImageSet::create();
    set->addFrame(img, getBitCount(), 0, 0);
    return set;
}

bool Bitmap::findFrame(int, int, int, int* index) const
{
    if (index) *index = 0;
    return true;
}

bool Bitmap::findBestFrameByDepth(int, int, int, int* index) const
{
    if (index) *index = 0;
    return true;
}

bool Bitmap::findBestFrameBySize(int, int, int, int* index) const
{
    if (index) *index = 0;
    return true;
}

}  // namespace s::image::bmp::win
