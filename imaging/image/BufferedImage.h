// The one picture type: 32-bit pixels (0xAARRGGBB, straight alpha, 255 opaque) in a
// bottom-up DIB section, a logical size inside a larger capacity, a cached scaled copy
// for display and an attached filter chain with its cached result.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "foundation/base/Object.h"
#include "foundation/col/Array.h"
#include "foundation/thread/Pool.h"
#include "imaging/image/Image.h"

namespace s::io { class IOutputStream; }
namespace s::image::filters { class IFilter; }
namespace s::image::bmp::win { class Bitmap; }
namespace s::image::win { class BufferedImage; }

namespace s::image {

// Everything a buffered image offers beyond its size and rows. Operations that make a
// picture take a destination or null: with null they return a new pooled image that the
// caller releases. Images returned by fitScale and getFiltered stay owned by the image.
class IBufferedImage : public IImage, public IImageBuffer {
public:
    virtual HBITMAP getHBitmap() const = 0;
    // Sets the logical size (clamped to the capacity, so an image without pixels stays
    // 0 x 0); returns the row bytes (width * 4).
    virtual int setSize(int w, int h) = 0;
    // Grows the storage to exactly w x h when it is smaller on either axis, keeping the
    // logical rows and size. False when the new DIB could not be made: the image is then
    // left empty (0 x 0, no pixels).
    virtual bool resizeStorage(int w, int h) = 0;
    // A fresh DIB of exactly w x h (capacity = logical size). Returns the row bytes;
    // 0 when the DIB could not be made (the image is then 0 x 0 with no pixels).
    virtual int allocate(int w, int h) = 0;
    // A new pooled image allocated at w x h (0 x 0 when that failed).
    virtual win::BufferedImage* newImage(int w, int h) const = 0;
    virtual int getRowBytes() const = 0;
    virtual int getCapacityWidth() const = 0;
    virtual int getCapacityHeight() const = 0;
    // Row y counted from the top, as bytes (getRow gives the same row as pixels).
    virtual uint8_t* getRowAddress(int y) = 0;
    // First byte of the DIB's memory (its bottom row); null when there are no pixels.
    virtual uint8_t* getBits() = 0;
    virtual uint32_t* getPixels() = 0;
    virtual bool hasAlpha() const = 0;
    virtual void setHasAlpha(bool flag) = 0;
    virtual win::BufferedImage* getScaledCache() const = 0;
    // Releases the previous cache.
    virtual void setScaledCache(win::BufferedImage* image) = 0;
    // Blits the picture (fitScale'd to w x h when stretch is set) to (x, y) of dc.
    virtual void draw(HDC dc, int x, int y, int w, int h, bool stretch) = 0;
    virtual void drawAtOrigin(HDC dc, int w, int h, bool stretch) = 0;
    // Copies (or blends, when the source has alpha) source from (sx, sy) to (x, y);
    // with fit the source is first fitScale'd to w x h.
    virtual void paste(int x, int y, int w, int h, win::BufferedImage* source, int sx, int sy, bool fit) = 0;
    // This image (same size), else its scaled cache at the target size.
    virtual win::BufferedImage* fitScale(int w, int h, bool keepRatio) = 0;
    // The logical picture and the has-alpha flag into dst (its DIB kept when it has the
    // room, else replaced by one of exactly this size) or into a new image.
    virtual win::BufferedImage* copy(win::BufferedImage* dst = nullptr) = 0;
    virtual win::BufferedImage* rotateRight(win::BufferedImage* dst = nullptr) = 0;
    virtual win::BufferedImage* rotate180(win::BufferedImage* dst = nullptr) = 0;
    virtual win::BufferedImage* rotateLeft(win::BufferedImage* dst = nullptr) = 0;
    virtual win::BufferedImage* flipHorizontal(win::BufferedImage* dst = nullptr) = 0;
    virtual win::BufferedImage* flipVertical(win::BufferedImage* dst = nullptr) = 0;

    // The filter chain.
    virtual bool hasFilters() const = 0;
    // First filter whose name is that very pointer (names are static strings).
    virtual bool findFilter(const wchar_t* name, int* index) const = 0;
    virtual col::_array::ArrayP* getFilters() = 0;
    virtual filters::IFilter* getFilter(int i) const = 0;
    virtual void addFilter(filters::IFilter* filter) = 0;
    virtual void insertFilter(int index, filters::IFilter* filter) = 0;
    // Gives the filter back to its pool when it is released with the image.
    virtual void removeFilter(int i) = 0;
    virtual void clearFilters() = 0;
    // Empties the chain without releasing any filter.
    virtual void detachFilters() = 0;
    // Runs the chain afresh; the result (or null) stays owned by this image. The previous
    // result's image (same object, same DIB when it has the room) takes the new result.
    virtual win::BufferedImage* applyFilters() = 0;
    // The cached chain result, running the chain only when there is none.
    virtual win::BufferedImage* getFiltered() = 0;
};

}  // namespace s::image

namespace s::image::win {

class BufferedImage : public base::IObject, public thread::IPoolable, public IBufferedImage {
    S_POOLED(BufferedImage, L"s_image_win_BufferedImage")
public:
    BufferedImage();
    ~BufferedImage() override;
    BufferedImage(const BufferedImage&) = delete;
    BufferedImage& operator=(const BufferedImage&) = delete;

    // A pooled image allocated at w x h (check hasPixels: a DIB that cannot be made
    // leaves it empty).
    // cleared false: the pixels are undefined, for callers that write every one of them.
    static BufferedImage* createSized(int w, int h, bool cleared = true);

    void reset() override;

    // IImage / IImageBuffer
    int getWidth() const override { return width_; }
    int getHeight() const override { return height_; }
    uint32_t* getRow(int y) override { return reinterpret_cast<uint32_t*>(getRowAddress(y)); }
    int getStride() const override { return stride_; }

    // IBufferedImage
    HBITMAP getHBitmap() const override;
    int setSize(int w, int h) override;
    bool resizeStorage(int w, int h) override;
    int allocate(int w, int h) override;
    int allocate(int w, int h, bool cleared);
    BufferedImage* newImage(int w, int h) const override;
    int getRowBytes() const override { return rowBytes_; }
    int getCapacityWidth() const override { return capacityWidth_; }
    int getCapacityHeight() const override { return capacityHeight_; }
    uint8_t* getRowAddress(int y) override { return bits_ + size_t(capacityHeight_ - 1 - y) * size_t(stride_); }
    uint8_t* getBits() override { return bits_; }
    uint32_t* getPixels() override { return reinterpret_cast<uint32_t*>(bits_); }
    bool hasAlpha() const override { return hasAlphaFlag_; }
    void setHasAlpha(bool flag) override { hasAlphaFlag_ = flag; }
    BufferedImage* getScaledCache() const override { return scaledCache_; }
    void setScaledCache(BufferedImage* image) override;
    void draw(HDC dc, int x, int y, int w, int h, bool stretch) override;
    void drawAtOrigin(HDC dc, int w, int h, bool stretch) override { draw(dc, 0, 0, w, h, stretch); }
    void paste(int x, int y, int w, int h, BufferedImage* source, int sx, int sy, bool fit) override;
    BufferedImage* fitScale(int w, int h, bool keepRatio) override;
    BufferedImage* copy(BufferedImage* dst = nullptr) override;
    BufferedImage* rotateRight(BufferedImage* dst = nullptr) override;
    BufferedImage* rotate180(BufferedImage* dst = nullptr) override;
    BufferedImage* rotateLeft(BufferedImage* dst = nullptr) override;
    BufferedImage* flipHorizontal(BufferedImage* dst = nullptr) override;
    BufferedImage* flipVertical(BufferedImage* dst = nullptr) override;

    bool hasFilters() const override { return filters_.count() != 0; }
    bool findFilter(const wchar_t* name, int* index) const override;
    col::_array::ArrayP* getFilters() override { return &filters_; }
    filters::IFilter* getFilter(int i) const override { return static_cast<filters::IFilter*>(filters_.get(uint32_t(i))); }
    void addFilter(filters::IFilter* filter) override;
    void insertFilter(int index, filters::IFilter* filter) override;
    void removeFilter(int i) override;
    void clearFilters() override;
    void detachFilters() override;
    BufferedImage* applyFilters() override;
    BufferedImage* getFiltered() override;

    // Pixels exist (a DIB was made). An image without them is 0 x 0.
    bool hasPixels() const { return bits_ != nullptr; }
    bmp::win::Bitmap* getBitmap() const { return bitmap_; }

    // Grows the storage (by 1.2 per axis from the current capacity) so that w x h fits;
    // the logical size is unchanged. False when the DIB could not be made.
    bool reserve(int w, int h);
    // Empties the logical size and makes room for w x h, then sets that size.
    // False (image left 0 x 0) when the storage could not be made.
    bool prepare(int w, int h);

    // Pixel operations on the logical area ("flag" is the has-alpha flag).
    bool hasAnyAlpha();                       // flag = some pixel below 0xFF000000
    void makeOpaque();                        // alpha 255 everywhere, flag cleared
    void fillRgb(uint8_t r, uint8_t g, uint8_t b);            // colour only, alpha kept
    void fill(uint8_t a, uint8_t r, uint8_t g, uint8_t b);    // flag = a != 255
    void applyColorKey(uint8_t r, uint8_t g, uint8_t b);      // key colour -> alpha 0, others 255
    void recolorTransparent(uint8_t r, uint8_t g, uint8_t b); // alpha-0 pixels get this colour
    void setOpaqueAlpha(uint8_t a);           // alpha 254/255 -> a
    void maskEqualPixels(BufferedImage* other);  // same colour as other -> alpha 0
    void thresholdAlpha(uint8_t t);           // alpha < t -> 0, else 255
    void flattenOnto(uint8_t r, uint8_t g, uint8_t b);        // blend over an opaque background

    // Encoding into the picture formats. Declared here, each defined beside its codec.
    bool writeBmp(io::IOutputStream* out, int bpp, bool keepTransparency, uint8_t r, uint8_t g, uint8_t b);
    bool writeBmpFile(const wchar_t* path, int bpp, bool keepTransparency, uint8_t r, uint8_t g, uint8_t b);
    bool writeGif(io::IOutputStream* out, int bpp, bool keepTransparency, uint8_t r, uint8_t g, uint8_t b);
    bool writeGifFile(const wchar_t* path, int bpp, bool keepTransparency, uint8_t r, uint8_t g, uint8_t b);
    bool writeJpeg(io::IOutputStream* out, int quality, uint8_t r, uint8_t g, uint8_t b);
    bool writeJpegFile(const wchar_t* path, int quality, uint8_t r, uint8_t g, uint8_t b);
    bool writePng(io::IOutputStream* out, bool interlace, bool keepTransparency, uint8_t r, uint8_t g, uint8_t b);
    bool writePngFile(const wchar_t* path, bool interlace, bool keepTransparency, uint8_t r, uint8_t g, uint8_t b);

    // A destination for a picture of w x h: dst emptied, grown (reserve, or exactly to
    // w x h when short) and sized, or a new pooled image. Null when the pixels could not
    // be made (a new image is released, a given one is left 0 x 0).
    static BufferedImage* target(BufferedImage* dst, int w, int h, bool exact = false, bool cleared = true);

private:
    void releaseBitmap();
    void dropFilteredCache();
    // A turn or flip into this very image: made in a new image, then copied back (the
    // rows would otherwise be overwritten while they are still read).
    BufferedImage* throughNewImage(BufferedImage* (BufferedImage::*turn)(BufferedImage*));
    // The logical rows, top first (for the turns).
    std::vector<const uint32_t*> rowPointers();
    // Writes this picture turned a quarter (clockwise or not) into out, already h x w.
    void turnInto(BufferedImage* out, bool clockwise);

    bmp::win::Bitmap* bitmap_ = nullptr;
    uint8_t* bits_ = nullptr;
    int32_t width_ = 0, height_ = 0;
    int32_t pixelCount_ = 0, byteCount_ = 0, rowBytes_ = 0;
    int32_t capacityWidth_ = 0, capacityHeight_ = 0;
    int32_t capacityPixels_ = 0, capacityBytes_ = 0;
    int32_t stride_ = 0;
    BufferedImage* scaledCache_ = nullptr;
    bool hasAlphaFlag_ = false;
    col::_array::ArrayP filters_;
    BufferedImage* filteredCache_ = nullptr;
};

}  // namespace s::image::win
