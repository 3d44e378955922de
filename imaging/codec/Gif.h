// The GIF codec: GIF87a/89a files with all their frames, per-frame transparency, delays,
// disposal codes, frame positions and the loop count; animated or still GIFs written
// with a local colour table per frame. Frames are kept as 8-bit DIBs.
#pragma once

#include <windows.h>

#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/col/Array.h"
#include "foundation/thread/Pool.h"
#include "imaging/codec/EncodedImage.h"
#include "imaging/codec/GifLzw.h"
#include "imaging/image/Image.h"

namespace s::image { class CodecInput; }
namespace s::image::bmp::win { class Bitmap; }

namespace s::image::gif {

class IGif {
public:
    virtual ~IGif() = default;
    // Drops all frames and makes one empty frame of that size and depth.
    virtual bool create(int width, int height, int bitCount) = 0;
    virtual bool fromHBitmap(HBITMAP bitmap) = 0;
    // The first frame's operations of these names.
    virtual bool blitTo(HBITMAP target) = 0;
    virtual int getBitCount() const = 0;
    virtual int getStride() const = 0;
    virtual bool hasAlphaChannel() const = 0;
    virtual bool hasPalette() const = 0;
    virtual int getPaletteSize() const = 0;
    virtual int getPaletteBytes() const = 0;
    // Some frame has a transparent index.
    virtual bool hasTransparency() const = 0;
    // Appends the image as a frame quantized to (1 << bitCount) - 1 colours. With
    // keepTransparency, pixels of alpha below the threshold become the transparent index
    // (the colour count); without it the image is flattened onto R, G, B.
    virtual bool addFrame(image::win::BufferedImage* image, int bitCount, bool keepTransparency, uint8_t r, uint8_t g,
                          uint8_t b, int alphaThreshold) = 0;
    // All frames of the set (composed as they play) or, for a still set, its main frame.
    virtual bool fromImageSet(image::win::BufferedImageSet* set, int bitCount, bool keepTransparency, uint8_t r,
                              uint8_t g, uint8_t b) = 0;
};

}  // namespace s::image::gif

namespace s::image::gif::win {

class Gif : public base::IObject, public thread::IPoolable, public IImage, public IEncodedImage, public IGif {
    S_POOLED(Gif, L"s_image_gif_win_Gif")
public:
    Gif();
    ~Gif() override;
    Gif(const Gif&) = delete;
    Gif& operator=(const Gif&) = delete;

    void reset() override;

    // A pooled Gif holding the image as its one frame (alpha threshold 96); the caller
    // releases it. Null when the frame could not be made.
    static Gif* fromImage(image::win::BufferedImage* image, int bitCount, bool keepTransparency, uint8_t r,
                          uint8_t g, uint8_t b);

    // IImage / IEncodedImage
    int getWidth() const override;
    int getHeight() const override;
    const wchar_t* getExtension() const override { return L".gif"; }
    // Frame i alone at its own size; pixels of the transparent index get alpha 0.
    image::win::BufferedImage* toImage(int frame, image::win::BufferedImage* dst) override;
    // Frame 0 on a canvas of the logical screen (transparent around it), the later frames
    // at their own size with their positions, to be composed by the set's coalesce.
    image::win::BufferedImageSet* toImageSet() override;
    bool write(io::IOutputStream* out) override;
    bool read(io::IInputStream* in) override;
    bool hasSeveralImages() const override { return frames_.count() != 0; }
    int getFrameCount() const override { return int(frames_.count()); }
    IEncodedImage* newEncoderForSet(image::win::BufferedImageSet* set) override;
    IEncodedImage* newEncoderFor(image::win::BufferedImage* image) override;
    bool findFrame(int w, int h, int depth, int* index) const override;
    bool findBestFrameByDepth(int w, int h, int depth, int* index) const override;
    bool findBestFrameBySize(int w, int h, int depth, int* index) const override;

    // IGif
    bool create(int width, int height, int bitCount) override;
    bool fromHBitmap(HBITMAP bitmap) override;
    bool blitTo(HBITMAP target) override;
    int getBitCount() const override;
    int getStride() const override;
    bool hasAlphaChannel() const override;
    bool hasPalette() const override;
    int getPaletteSize() const override;
    int getPaletteBytes() const override;
    bool hasTransparency() const override;
    bool addFrame(image::win::BufferedImage* image, int bitCount, bool keepTransparency, uint8_t r, uint8_t g,
                  uint8_t b, int alphaThreshold) override;
    bool fromImageSet(image::win::BufferedImageSet* set, int bitCount, bool keepTransparency, uint8_t r,
                      uint8_t g, uint8_t b) override;

    // Per-frame values: transparent index (-1 none), delay in ms, disposal code, position.
    bmp::win::Bitmap* getFrame(int i) const { return frames_.at<bmp::win::Bitmap>(uint32_t(i)); }
    int getTransparentIndex(int i) const { return transparent_.get(uint32_t(i)); }
    int getDelay(int i) const { return delays_.get(uint32_t(i)); }
    int getDisposal(int i) const { return disposals_.get(uint32_t(i)); }
    int getFrameLeft(int i) const { return lefts_.get(uint32_t(i)); }
    int getFrameTop(int i) const { return tops_.get(uint32_t(i)); }
    void setDelay(int i, int ms) { delays_[uint32_t(i)] = ms; }
    void setDisposal(int i, int code) { disposals_[uint32_t(i)] = code; }
    uint16_t getLoopCount() const { return loopCount_; }
    void setLoopCount(uint16_t loops) { loopCount_ = loops; }
    // The logical screen read from the file (0 x 0 for a GIF made here).
    int getScreenWidth() const { return screenWidth_; }
    int getScreenHeight() const { return screenHeight_; }

private:
    void dropFrames();
    bool appendFrame(bmp::win::Bitmap* frame, int colours, int transparent, int delay, int disposal, int left,
                     int top);
    // One image after its separator; false when the data is unusable (reading stops).
    bool readImage(CodecInput& in, const uint8_t* globalTable, int globalColours, int transparent, int delay,
                   int disposal);
    bool findBest(int w, int h, int depth, int* index, bool depthFirst) const;
    bool expandFrame(int i, image::win::BufferedImage* img, int left, int top);
    void expandFrameClipped(int i, image::win::BufferedImage* img, int left, int top);

    GifLzw lzw_;
    col::_array::ArrayU08 data_;     // LZW data of the image being read
    col::_array::ArrayU08 indices_;  // its decoded indices
    int lastTableBits_ = 8;
    bool interlaced_ = false;
    col::_array::ArrayP frames_;
    col::_array::ArrayS32 transparent_;
    col::_array::ArrayS32 delays_;
    col::_array::ArrayS32 disposals_;
    col::_array::ArrayS32 lefts_;
    col::_array::ArrayS32 tops_;
    col::_array::ArrayS32 colours_;  // palette entries of each frame
    uint16_t loopCount_ = 1;
    int screenWidth_ = 0, screenHeight_ = 0;
    uint64_t fileBytes_ = UINT64_MAX;  // of the file read (unknown: UINT64_MAX)
};

}  // namespace s::image::gif::win
