// The holder of one GDI DIB section of any bit depth, with its file header, info header
// and palette. Every BufferedImage keeps its 32-bit pixels in one; codecs keep decoded
// pixels in one. It is also the BMP codec: the file and packed-DIB reading and writing
// live beside the other codecs (imaging/codec/).
#pragma once

#include <windows.h>

#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/thread/Pool.h"
#include "imaging/codec/EncodedImage.h"
#include "imaging/image/Image.h"

namespace s::io { class IInputStream; class IOutputStream; }
namespace s::image::win { class BufferedImage; class BufferedImageSet; }

namespace s::image::bmp {

class IBitmap {
public:
    virtual ~IBitmap() = default;
    // Sets up the header for w x h at that bit count and makes the DIB section.
    // False when it cannot be made (hostile or huge size, bad bit count): the bitmap is
    // then 0 x 0 with no bits.
    virtual bool create(int width, int height, int bitCount) = 0;
    virtual bool fromHBitmap(HBITMAP bitmap) = 0;
    virtual bool fromHIcon(HICON icon) = 0;
    // BitBlt of the whole bitmap onto the given one (palette set on the DC first).
    virtual bool blitTo(HBITMAP target) = 0;
    virtual int getBitCount() const = 0;
    virtual int getStride() const = 0;
    virtual bool hasAlphaChannel() const = 0;
    virtual bool hasPalette() const = 0;
    virtual int getPaletteSize() const = 0;
    virtual int getPaletteBytes() const = 0;
    virtual RGBQUAD* getPalette() = 0;
    // Row y counted from the top.
    virtual uint8_t* getRow(int y) = 0;
    // First stored byte (the bottom row); null when there is no DIB section.
    virtual uint8_t* getBits() = 0;
    virtual bool hasColourKey() const = 0;
    virtual void setColourKey(uint8_t r, uint8_t g, uint8_t b) = 0;
    // Loads a 32-bit image at the given bit count (32, 24; 4 and 8 through the colour
    // quantizer). Transparent pixels are flattened onto R, G, B unless kept (32 bits).
    virtual bool fromImage(image::win::BufferedImage* image, int bitCount, bool keepTransparency,
                           uint8_t r, uint8_t g, uint8_t b) = 0;
};

}  // namespace s::image::bmp

namespace s::image::bmp::win {

// Released plain 32-bit sections of 256 KB and more keep their memory for the next section
// of the same size (up to 4 of them, 160 MB in all), handed out again cleared to 0; fresh
// memory costs a page fault per page on its first write. Off, or trimmed, the kept memory
// goes back to the system (leak checks trim first).
void setSectionRecycling(bool on);
void trimSectionRecycling();

class Bitmap : public base::IObject, public thread::IPoolable, public IBitmap, public IImage, public IEncodedImage {
    S_POOLED(Bitmap, L"s_image_bmp_win_Bitmap")
public:
    Bitmap();
    ~Bitmap() override;
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    void reset() override;

    // A pooled Bitmap loaded from the image (IBitmap::fromImage); the caller releases it.
    static Bitmap* makeFromImage(image::win::BufferedImage* image, int bitCount, bool keepTransparency,
                                 uint8_t r, uint8_t g, uint8_t b);

    // IImage: the header's size.
    int getWidth() const override { return int(info_.header.biWidth); }
    int getHeight() const override { return int(info_.header.biHeight); }

    // IBitmap
    bool create(int width, int height, int bitCount) override;
    // With cleared false, recycled memory keeps whatever it held: for callers that write
    // every pixel (fresh memory from the system is 0 either way).
    bool create(int width, int height, int bitCount, bool cleared);
    bool fromHBitmap(HBITMAP bitmap) override;
    bool fromHIcon(HICON icon) override;
    bool blitTo(HBITMAP target) override;
    int getBitCount() const override { return info_.header.biBitCount; }
    int getStride() const override { return stride_; }
    bool hasAlphaChannel() const override;
    bool hasPalette() const override { return paletteEntries_ != 0; }
    int getPaletteSize() const override { return paletteEntries_; }
    int getPaletteBytes() const override { return paletteBytes_; }
    RGBQUAD* getPalette() override { return info_.palette; }
    uint8_t* getRow(int y) override;
    uint8_t* getBits() override { return bits_; }
    bool hasColourKey() const override { return colourKey_ != -1; }
    void setColourKey(uint8_t r, uint8_t g, uint8_t b) override;
    bool fromImage(image::win::BufferedImage* image, int bitCount, bool keepTransparency,
                   uint8_t r, uint8_t g, uint8_t b) override;

    // Codec operations shared with the other formats.
    const wchar_t* getExtension() const { return L".bmp"; }
    bool hasSeveralImages() const { return false; }
    int getFrameCount() const { return 1; }
    // The picture as a 32-bit image (GDI converts every depth), with its alpha channel
    // or colour key applied; written into dst (grown) or a new pooled image. Null when
    // there is no picture or the image cannot be made.
    image::win::BufferedImage* toImage(int frame, image::win::BufferedImage* dst);
    // A new set with the one image at the bit count as its depth; null without a picture.
    image::win::BufferedImageSet* toImageSet();
    bool findFrame(int w, int h, int depth, int* index) const;
    bool findBestFrameByDepth(int w, int h, int depth, int* index) const;
    bool findBestFrameBySize(int w, int h, int depth, int* index) const;
    // BMP files and packed DIBs (imaging/codec/BmpCodec.cpp).
    bool read(io::IInputStream* in) override;
    bool write(io::IOutputStream* out) override;
    bool readDib(io::IInputStream* in);
    bool writeDib(io::IOutputStream* out);
    IEncodedImage* newEncoderFor(image::win::BufferedImage* image) override;

    HBITMAP getHBitmap() const { return section_; }

    // For the readers and writers: the headers as held, the palette entry count and
    // stride worked out from the info header, and the DIB section made from it.
    BITMAPFILEHEADER& fileHeader() { return fileHeader_; }
    BITMAPINFOHEADER& infoHeader() { return info_.header; }
    BITMAPINFO* bitmapInfo() { return reinterpret_cast<BITMAPINFO*>(&info_); }
    // Stride and palette counts from the info header.
    void updateLayout();
    // File header for the info header and palette: "BM", offset 54 + palette bytes.
    void rebuildFileHeader();
    // Deletes the old section and makes one from the info header as it stands.
    // False when it cannot be made: header size, stride and bits are then 0.
    bool createSection(bool cleared = true);
    void deleteSection();

private:
    // 4 or 8 bits: palette and indices from the colour quantizer (no dithering).
    bool fillIndexed(image::win::BufferedImage* image, int bitCount);

    HBITMAP section_ = nullptr;
    // The layout of a plain 32-bit section, whose memory is recycled when it goes.
    LONG recycledWidth_ = 0, recycledHeight_ = 0;
    size_t recycledBytes_ = 0;
    BITMAPFILEHEADER fileHeader_{};
    struct Info {
        BITMAPINFOHEADER header;
        RGBQUAD palette[256];
    } info_{};
    uint8_t* bits_ = nullptr;
    int32_t stride_ = 0;
    int32_t paletteEntries_ = 0;
    int32_t paletteBytes_ = 0;
    int32_t colourKey_ = -1;
};

}  // namespace s::image::bmp::win
