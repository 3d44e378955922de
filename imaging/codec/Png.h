// The PNG codec over libpng. The picture is kept in a 32-bit DIB with straight alpha;
// the library reads and writes the DIB's blue-green-red-alpha layout directly.
#pragma once

#include <windows.h>

#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/thread/Pool.h"
#include "imaging/codec/EncodedImage.h"
#include "imaging/image/Image.h"

namespace s::image::bmp::win { class Bitmap; }

namespace s::image::png {

class IPng {
public:
    virtual ~IPng() = default;
    // Makes the held DIB at w x h (transparent black).
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
    // Adam7 interlacing on writing.
    virtual void setInterlace(bool interlace) = 0;
    // Loads the image; without keepTransparency it is flattened onto R, G, B.
    virtual bool fromImage(win::BufferedImage* image, bool interlace, bool keepTransparency,
                           uint8_t r, uint8_t g, uint8_t b) = 0;
};

}  // namespace s::image::png

namespace s::image::png::win {

class Png : public base::IObject, public thread::IPoolable, public IImage, public IEncodedImage, public IPng {
    S_POOLED(Png, L"s_image_png_win_Png")
public:
    Png();
    ~Png() override;
    Png(const Png&) = delete;
    Png& operator=(const Png&) = delete;

    void reset() override;

    // A pooled Png loaded from the image (IPng::fromImage); null when that failed.
    static Png* makeFromImage(image::win::BufferedImage* image, bool interlace, bool keepTransparency,
                              uint8_t r, uint8_t g, uint8_t b);

    // IImage / IEncodedImage
    int getWidth() const override;
    int getHeight() const override;
    const wchar_t* getExtension() const override { return L".png"; }
    image::win::BufferedImage* toImage(int frame, image::win::BufferedImage* dst) override;
    image::win::BufferedImageSet* toImageSet() override;
    bool write(io::IOutputStream* out) override;
    bool read(io::IInputStream* in) override;
    bool hasSeveralImages() const override { return false; }
    int getFrameCount() const override { return 1; }
    IEncodedImage* newEncoderFor(image::win::BufferedImage* image) override;

    // IPng
    bool create(int width, int height) override;
    bool fromHBitmap(HBITMAP bitmap) override;
    bool blitTo(HBITMAP target) override;
    int getBitCount() const override;
    int getStride() const override;
    bool hasAlphaChannel() const override;
    bool hasPalette() const override { return false; }
    int getPaletteSize() const override { return 0; }
    int getPaletteBytes() const override { return 0; }
    uint8_t* getRow(int y) override;
    uint8_t* getBits() override;
    void setInterlace(bool interlace) override { interlace_ = interlace; }
    bool fromImage(image::win::BufferedImage* image, bool interlace, bool keepTransparency,
                   uint8_t r, uint8_t g, uint8_t b) override;

    bool isInterlaced() const { return interlace_; }
    // The held DIB; null when no picture is held.
    bmp::win::Bitmap* getBitmap() const;

private:
    bool interlace_ = false;
    // The DIB holds the picture (it may also be kept empty-handed for reuse).
    bool held_ = false;
    bmp::win::Bitmap* bitmap_;
};

}  // namespace s::image::png::win
