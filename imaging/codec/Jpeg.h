// The JPEG codec over libjpeg. Reading keeps the file's bytes and checks its headers;
// the pixels are decoded when they are asked for, straight into the image that wants
// them (toImage), or into the codec's own 32-bit DIB for the DIB operations and for
// writing. The library writes and reads the DIB's blue-green-red-alpha layout directly;
// the file's own depth, reported for the image set, is 24 bits.
#pragma once

#include <windows.h>

#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/thread/Pool.h"
#include "imaging/codec/EncodedImage.h"
#include "imaging/image/Image.h"

namespace s::image::bmp::win { class Bitmap; }

namespace s::image::jpg {

class IJpeg {
public:
    virtual ~IJpeg() = default;
    // Makes the held DIB at w x h (opaque black).
    virtual bool create(int width, int height) = 0;
    virtual bool fromHBitmap(HBITMAP bitmap) = 0;
    virtual bool blitTo(HBITMAP target) = 0;
    virtual int getBitCount() const = 0;
    virtual int getStride() const = 0;
    virtual bool hasAlphaChannel() const = 0;
    virtual bool hasPalette() const = 0;
    virtual int getPaletteSize() const = 0;
    virtual int getPaletteBytes() const = 0;
    virtual uint8_t* getRow(int y) = 0;
    virtual uint8_t* getBits() = 0;
    // 0 to 100; used by write.
    virtual void setQuality(int quality) = 0;
    // Loads the image, flattened onto the background R, G, B where it is transparent.
    virtual bool fromImage(win::BufferedImage* image, int quality, uint8_t r, uint8_t g, uint8_t b) = 0;
};

}  // namespace s::image::jpg

namespace s::image::jpg::win {

class Jpeg : public base::IObject, public thread::IPoolable, public IImage, public IEncodedImage, public IJpeg {
    S_POOLED(Jpeg, L"s_image_jpg_win_Jpeg")
public:
    static constexpr int kDefaultQuality = 75;

    Jpeg();
    ~Jpeg() override;
    Jpeg(const Jpeg&) = delete;
    Jpeg& operator=(const Jpeg&) = delete;

    void reset() override;

    // A pooled Jpeg loaded from the image (IJpeg::fromImage); null when that failed.
    static Jpeg* makeFromImage(image::win::BufferedImage* image, int quality, uint8_t r, uint8_t g, uint8_t b);

    // IImage / IEncodedImage
    int getWidth() const override;
    int getHeight() const override;
    const wchar_t* getExtension() const override { return L".jpg"; }
    image::win::BufferedImage* toImage(int frame, image::win::BufferedImage* dst) override;
    image::win::BufferedImageSet* toImageSet() override;
    bool write(io::IOutputStream* out) override;
    bool read(io::IInputStream* in) override;
    bool hasSeveralImages() const override { return false; }
    int getFrameCount() const override { return 1; }
    IEncodedImage* newEncoderFor(image::win::BufferedImage* image) override;

    // IJpeg
    bool create(int width, int height) override;
    bool fromHBitmap(HBITMAP bitmap) override;
    bool blitTo(HBITMAP target) override;
    int getBitCount() const override { return 32; }
    int getStride() const override;
    bool hasAlphaChannel() const override { return false; }
    bool hasPalette() const override { return false; }
    int getPaletteSize() const override { return 0; }
    int getPaletteBytes() const override { return 0; }
    uint8_t* getRow(int y) override;
    uint8_t* getBits() override;
    void setQuality(int quality) override;
    bool fromImage(image::win::BufferedImage* image, int quality, uint8_t r, uint8_t g, uint8_t b) override;

    int getQuality() const { return quality_; }
    // A quick smaller copy of a picture read from a file: decoded at 1/2, 1/4 or 1/8 of
    // its size (the library skips the finer detail), the smallest of those still at
    // least minWidth x minHeight. Null when no reduction keeps that size (or nothing was
    // read); the held file is kept, so toImage still gives the full picture.
    image::win::BufferedImage* toReducedImage(int minWidth, int minHeight);
    // The divisor toReducedImage would use (1: none).
    int reductionFor(int minWidth, int minHeight) const;
    // The held DIB, decoded first when only the file's bytes are held.
    bmp::win::Bitmap* getBitmap();

private:
    // Decodes the held bytes into the DIB (once); false when they do not decode.
    bool materialize();
    void dropEncoded();

    int quality_ = kDefaultQuality;
    bmp::win::Bitmap* bitmap_;
    // The file's bytes, kept from read until the pixels are decoded into the DIB.
    uint8_t* data_ = nullptr;
    size_t dataSize_ = 0;
    size_t dataCapacity_ = 0;
    bool encoded_ = false;
    int width_ = 0;
    int height_ = 0;
};

// Encodes the image (flattened onto R, G, B where it is transparent) without copying it.
bool writeImage(io::IOutputStream* out, image::win::BufferedImage* image, int quality, uint8_t r, uint8_t g,
                uint8_t b);

}  // namespace s::image::jpg::win
