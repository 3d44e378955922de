// Windows icons: one icon image (a DIB with its AND mask, or an embedded PNG) and the
// ICO file codec, a list of icon images.
#pragma once

#include <windows.h>

#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/col/Array.h"
#include "foundation/thread/Pool.h"
#include "imaging/codec/EncodedImage.h"
#include "imaging/image/Image.h"

namespace s::image::bmp::win { class Bitmap; }

namespace s::image::ico {

class IIconImage {
public:
    virtual ~IIconImage() = default;
    // Header, strides, colour DIB and a cleared mask for w x h at that bit count.
    virtual bool create(int width, int height, int bitCount) = 0;
    virtual bool blitTo(HBITMAP target) = 0;
    // A new icon handle the caller destroys; null when Windows refuses the image.
    virtual HICON createHIcon() = 0;
    virtual int getBitCount() const = 0;
    virtual bool is32Bit() const = 0;
    virtual bool hasPalette() const = 0;
    virtual int getPaletteSize() const = 0;
    virtual int getPaletteBytes() const = 0;
    // Colour row y counted from the top.
    virtual uint8_t* getRow(int y) = 0;
    virtual uint8_t* getBits() = 0;
    virtual int getStride() const = 0;
    // AND-mask row y counted from the top (a set bit is transparent).
    virtual uint8_t* getMaskRow(int y) = 0;
    virtual uint8_t* getMask() = 0;
    virtual int getMaskStride() const = 0;
    // Loads the image at the bit count (1, 4, 8, 24 or 32). Without keepTransparency the
    // picture is flattened onto R, G, B first; with it, alpha-0 pixels set their mask bit
    // (below 32 bits, pixels of alpha under 32 count as transparent).
    virtual bool fromImage(image::win::BufferedImage* image, int bitCount, bool keepTransparency,
                           uint8_t r, uint8_t g, uint8_t b) = 0;
};

class IIcon {
public:
    virtual ~IIcon() = default;
    // Appends the image; the icon owns it from then on.
    virtual void add(IIconImage* image) = 0;
    virtual IIconImage* getImage(int i) const = 0;
};

}  // namespace s::image::ico

namespace s::image::ico::win {

class IconImage : public base::IObject, public thread::IPoolable, public IImage, public IEncodedImage, public IIconImage {
    S_POOLED(IconImage, L"s_image_ico_win_IconImage")
public:
    IconImage();
    ~IconImage() override;
    IconImage(const IconImage&) = delete;
    IconImage& operator=(const IconImage&) = delete;
    void reset() override;

    // A pooled image loaded from the picture (fromImage); null when that failed.
    static IconImage* makeFromImage(image::win::BufferedImage* image, int bitCount, bool keepTransparency,
                                    uint8_t r, uint8_t g, uint8_t b);

    int getWidth() const override { return width_; }
    int getHeight() const override { return height_; }
    const wchar_t* getExtension() const override { return L".ico"; }
    image::win::BufferedImage* toImage(int frame, image::win::BufferedImage* dst) override;
    image::win::BufferedImageSet* toImageSet() override;
    // The image as stored inside an icon file: a DIB with doubled height and AND mask,
    // or a PNG when a side is above 255 pixels.
    bool write(io::IOutputStream* out) override;
    // Reads the rest of the stream as one icon image (DIB or PNG).
    bool read(io::IInputStream* in) override;
    bool hasSeveralImages() const override { return true; }
    int getFrameCount() const override { return 1; }
    IEncodedImage* newEncoderFor(image::win::BufferedImage*) override { return nullptr; }

    bool create(int width, int height, int bitCount) override;
    bool blitTo(HBITMAP target) override;
    HICON createHIcon() override;
    int getBitCount() const override { return bitCount_; }
    bool is32Bit() const override { return bitCount_ == 32; }
    bool hasPalette() const override { return paletteEntries_ != 0; }
    int getPaletteSize() const override { return paletteEntries_; }
    int getPaletteBytes() const override { return paletteEntries_ * 4; }
    uint8_t* getRow(int y) override;
    uint8_t* getBits() override;
    int getStride() const override;
    uint8_t* getMaskRow(int y) override;
    uint8_t* getMask() override { return mask_.count() ? mask_.items() : nullptr; }
    int getMaskStride() const override { return maskStride_; }
    bool fromImage(image::win::BufferedImage* image, int bitCount, bool keepTransparency,
                   uint8_t r, uint8_t g, uint8_t b) override;

    bmp::win::Bitmap* getBitmap() const { return colour_; }
    // Whether the image was read from (or will be written as) an embedded PNG.
    bool isPngStored() const { return width_ > 255 || height_ > 255; }

private:
    bool readDib(const uint8_t* data, uint64_t size);
    // Frees the pixels and mask (the encoded bytes stay).
    void dropPixels();
    bool writeDib(io::IOutputStream* out);
    void setPalette(const RGBQUAD* palette, int entries);

    bmp::win::Bitmap* colour_ = nullptr;
    col::_array::ArrayU08 encoded_;  // bytes handed to Windows for an icon handle
    col::_array::ArrayU08 mask_;
    int32_t width_ = 0, height_ = 0, bitCount_ = 0;
    int32_t paletteEntries_ = 0;
    int32_t maskStride_ = 0;
};

class Icon : public base::IObject, public thread::IPoolable, public IImage, public IEncodedImage, public IIcon {
    S_POOLED(Icon, L"s_image_ico_win_Icon")
public:
    Icon();
    ~Icon() override;
    Icon(const Icon&) = delete;
    Icon& operator=(const Icon&) = delete;
    void reset() override;

    // An icon with 16 x 16 and 32 x 32 32-bit images of the picture (ratio kept, centred
    // on transparency), for a window's small and big icons; null without a picture.
    static Icon* makeWindowIcons(image::win::BufferedImage* image);

    int getWidth() const override;
    int getHeight() const override;
    const wchar_t* getExtension() const override { return L".ico"; }
    image::win::BufferedImage* toImage(int frame, image::win::BufferedImage* dst) override;
    image::win::BufferedImageSet* toImageSet() override;
    bool write(io::IOutputStream* out) override;
    // Reads an ICO file: the image best for 32 x 32 first, then the others in directory
    // order. True when at least one image was decoded.
    bool read(io::IInputStream* in) override;
    bool hasSeveralImages() const override { return images_.count() > 1; }
    int getFrameCount() const override { return int(images_.count()); }
    IEncodedImage* newEncoderForSet(image::win::BufferedImageSet* set) override;
    IEncodedImage* newEncoderFor(image::win::BufferedImage* image) override;
    bool findFrame(int w, int h, int depth, int* index) const override;
    bool findBestFrameByDepth(int w, int h, int depth, int* index) const override;
    bool findBestFrameBySize(int w, int h, int depth, int* index) const override;

    void add(IIconImage* image) override;
    IIconImage* getImage(int i) const override;
    IconImage* imageAt(int i) const;

private:
    bool findBest(int w, int h, int depth, int* index, bool depthFirst) const;

    col::_array::ArrayP images_;
};

}  // namespace s::image::ico::win
