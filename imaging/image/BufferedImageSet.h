// The frames of one picture file: each a BufferedImage with its bit depth, delay,
// disposal code and placement, plus the animation flag and loop count. The main frame
// (the largest) stands for the picture wherever one image is wanted.
#pragma once

#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/col/Array.h"
#include "foundation/thread/Pool.h"
#include "imaging/image/Image.h"

namespace s::image::win { class BufferedImage; class BufferedImageSet; }

namespace s::image {

class IBufferedImageSet : public IImage {
public:
    virtual int getFrameCount() const = 0;
    // Appends a frame (the set owns it from now on); a null image is ignored.
    virtual void addFrame(win::BufferedImage* image, int depth, int delayMs, int disposal) = 0;
    virtual void updateMainSize() = 0;
    virtual bool isAnimated() const = 0;
    virtual uint16_t getLoopCount() const = 0;
    virtual void setAnimation(bool animated, uint16_t loopCount) = 0;
    // 1000 for an index out of range.
    virtual int getDelay(int i) const = 0;
    virtual int getDisposal(int i) const = 0;
    // New sets owned by the caller.
    virtual win::BufferedImageSet* copy() = 0;
    virtual win::BufferedImageSet* coalesce() = 0;
    virtual win::BufferedImageSet* scaledCopy(int w, int h, bool keepRatio) = 0;
    virtual win::BufferedImageSet* filteredCopy() = 0;
    virtual int getMainIndex() const = 0;
    virtual win::BufferedImage* getMainFrame() const = 0;
    virtual bool findFrame(int w, int h, int depth, int* index) const = 0;
    virtual bool findBestFrameByDepth(int w, int h, int depth, int* index) const = 0;
    virtual bool findBestFrameBySize(int w, int h, int depth, int* index) const = 0;
    // Forgets the frames without giving them back (their holder keeps them).
    virtual void clear() = 0;
    // Gives every frame back to the image pool; loop count 1.
    virtual void reset() = 0;
    // No bounds test.
    virtual win::BufferedImage* getFrame(int i) const = 0;
    virtual void addImage(win::BufferedImage* image) = 0;
};

}  // namespace s::image

namespace s::image::win {

class BufferedImageSet : public base::IObject, public thread::IPoolable, public IBufferedImageSet {
    S_POOLED(BufferedImageSet, L"s_image_win_BufferedImageSet")
public:
    BufferedImageSet();
    ~BufferedImageSet() override;
    BufferedImageSet(const BufferedImageSet&) = delete;
    BufferedImageSet& operator=(const BufferedImageSet&) = delete;

    // A new set holding that very image (not a copy) as its one frame (32, 0, 0).
    static BufferedImageSet* fromImage(BufferedImage* image);

    int getWidth() const override { return mainWidth_; }
    int getHeight() const override { return mainHeight_; }

    int getFrameCount() const override { return int(frames_.count()); }
    void addFrame(BufferedImage* image, int depth, int delayMs, int disposal) override;
    // addFrame with the frame's position on the animation's canvas (left, top).
    void addFrameAt(BufferedImage* image, int depth, int delayMs, int disposal, int left, int top);
    void updateMainSize() override;
    bool isAnimated() const override { return animated_; }
    uint16_t getLoopCount() const override { return loopCount_; }
    void setAnimation(bool animated, uint16_t loopCount) override;
    int getDelay(int i) const override;
    int getDisposal(int i) const override;
    int getDepth(int i) const;
    // Position of frame i on the canvas; 0 for an index out of range.
    int getFrameLeft(int i) const;
    int getFrameTop(int i) const;
    BufferedImageSet* copy() override;
    // Every frame made a full picture: frame i is drawn at its position over what the
    // disposal of frame i - 1 leaves (0, 1 keep; 2 clears that frame's area; 3 restores
    // the picture before it). The canvas is frame 0's extent.
    BufferedImageSet* coalesce() override;
    BufferedImageSet* scaledCopy(int w, int h, bool keepRatio) override;
    BufferedImageSet* filteredCopy() override;
    int getMainIndex() const override { return mainIndex_; }
    BufferedImage* getMainFrame() const override;
    bool findFrame(int w, int h, int depth, int* index) const override;
    bool findBestFrameByDepth(int w, int h, int depth, int* index) const override;
    bool findBestFrameBySize(int w, int h, int depth, int* index) const override;
    void clear() override;
    void reset() override;
    BufferedImage* getFrame(int i) const override { return frames_.at<BufferedImage>(uint32_t(i)); }
    void addImage(BufferedImage* image) override { addFrame(image, 32, 0, 0); }

private:
    // Empties the frame list and the value lists (releasing nothing).
    void forgetFrames();
    bool findBest(int w, int h, int depth, int* index, bool depthFirst) const;
    // A new set with the animation values of this one and frame i's values for each image.
    void addLike(BufferedImageSet* to, int i, BufferedImage* image) const;

    col::_array::ArrayP frames_;
    col::_array::ArrayS32 depths_;
    col::_array::ArrayS32 delays_;
    col::_array::ArrayS32 disposals_;
    col::_array::ArrayS32 lefts_;
    col::_array::ArrayS32 tops_;
    bool animated_ = false;
    uint16_t loopCount_ = 1;
    int32_t mainWidth_ = 0, mainHeight_ = 0;
    int32_t mainDepth_ = 0;
    int32_t mainIndex_ = 0;
};

}  // namespace s::image::win
