#include "imaging/image/BufferedImageSet.h"

#include <algorithm>
#include <cstdlib>

#include "imaging/image/BufferedImage.h"

namespace s::image::win {

namespace {

// Gives a frame back to the image pool.
class FrameReleaser : public base::IDestructor {
public:
    void destroy(void** holder) override
    {
        if (holder && *holder) {
            static_cast<BufferedImage*>(*holder)->release();
            *holder = nullptr;
        }
    }
    static FrameReleaser* instance()
    {
        static FrameReleaser* shared = new FrameReleaser();
        return shared;
    }
};

}  // namespace

BufferedImageSet::BufferedImageSet()
{
    frames_.setDestroyer(FrameReleaser::instance());
}

BufferedImageSet::~BufferedImageSet()
{
    reset();
}

BufferedImageSet* BufferedImageSet::fromImage(BufferedImage* image)
{
    BufferedImageSet* set = create();
    if (set) set->addFrame(image, 32, 0, 0);
    return set;
}

void BufferedImageSet::addFrame(BufferedImage* image, int depth, int delayMs, int disposal)
{
    addFrameAt(image, depth, delayMs, disposal, 0, 0);
}

void BufferedImageSet::addFrameAt(BufferedImage* image, int depth, int delayMs, int disposal, int left, int top)
{
    if (!image) return;
    int64_t area = int64_t(image->getWidth()) * image->getHeight();
    int64_t mainArea = int64_t(mainWidth_) * mainHeight_;
    if (area > mainArea || (area == mainArea && mainDepth_ < depth)) {
        mainWidth_ = image->getWidth();
        mainHeight_ = image->getHeight();
        mainDepth_ = depth;
        mainIndex_ = int(frames_.count());
    }
    frames_.push(image);
    depths_.push(depth);
    delays_.push(delayMs);
    disposals_.push(disposal);
    lefts_.push(left);
    tops_.push(top);
}

void BufferedImageSet::updateMainSize()
{
    mainWidth_ = 0;
    mainHeight_ = 0;
    for (uint32_t i = 0; i < frames_.count(); ++i) {
        BufferedImage* f = frames_.at<BufferedImage>(i);
        if (f->hasFilters()) {
            BufferedImage* filtered = f->getFiltered();
            if (filtered) f = filtered;
        }
        if (int64_t(f->getWidth()) * f->getHeight() > int64_t(mainWidth_) * mainHeight_) {
            mainWidth_ = f->getWidth();
            mainHeight_ = f->getHeight();
        }
    }
}

void BufferedImageSet::setAnimation(bool animated, uint16_t loopCount)
{
    animated_ = animated;
    loopCount_ = loopCount;
}

int BufferedImageSet::getDelay(int i) const
{
    return i >= 0 && uint32_t(i) < delays_.count() ? delays_.get(uint32_t(i)) : 1000;
}

int BufferedImageSet::getDisposal(int i) const
{
    return i >= 0 && uint32_t(i) < disposals_.count() ? disposals_.get(uint32_t(i)) : 1000;
}

int BufferedImageSet::getDepth(int i) const
{
    return i >= 0 && uint32_t(i) < depths_.count() ? depths_.get(uint32_t(i)) : 0;
}

int BufferedImageSet::getFrameLeft(int i) const
{
    return i >= 0 && uint32_t(i) < lefts_.count() ? lefts_.get(uint32_t(i)) : 0;
}

int BufferedImageSet::getFrameTop(int i) const
{
    return i >= 0 && uint32_t(i) < tops_.count() ? tops_.get(uint32_t(i)) : 0;
}

void BufferedImageSet::addLike(BufferedImageSet* to, int i, BufferedImage* image) const
{
    to->addFrameAt(image, depths_.get(uint32_t(i)), delays_.get(uint32_t(i)), disposals_.get(uint32_t(i)),
                   lefts_.get(uint32_t(i)), tops_.get(uint32_t(i)));
}

BufferedImageSet* BufferedImageSet::copy()
{
    BufferedImageSet* set = create();
    for (int i = 0; i < getFrameCount(); ++i) addLike(set, i, getFrame(i)->copy());
    set->setAnimation(animated_, loopCount_);
    return set;
}

BufferedImageSet* BufferedImageSet::scaledCopy(int w, int h, bool keepRatio)
{
    BufferedImageSet* set = create();
    for (int i = 0; i < getFrameCount(); ++i) {
        BufferedImage* scaled = getFrame(i)->fitScale(w, h, keepRatio);
        addLike(set, i, scaled ? scaled->copy() : nullptr);
    }
    set->setAnimation(animated_, loopCount_);
    return set;
}

BufferedImageSet* BufferedImageSet::filteredCopy()
{
    BufferedImageSet* set = create();
    for (int i = 0; i < getFrameCount(); ++i) {
        BufferedImage* f = getFrame(i);
        BufferedImage* from = f->hasFilters() ? f->applyFilters() : f;
        addLike(set, i, from ? from->copy() : nullptr);
    }
    set->setAnimation(animated_, loopCount_);
    return set;
}

BufferedImageSet* BufferedImageSet::coalesce()
{
    BufferedImageSet* set = create();
    const int n = getFrameCount();
    if (n == 0) {
        set->setAnimation(true, loopCount_);
        return set;
    }
    // The canvas is frame 0's extent; later frames are clipped to it.
    BufferedImage* first = getFrame(0);
    const int cw = getFrameLeft(0) + first->getWidth();
    const int ch = getFrameTop(0) + first->getHeight();

    BufferedImage* previous = nullptr;  // the picture composed for frame i - 1
    BufferedImage* beforePrevious = nullptr;  // what frame i - 1 was drawn over
    for (int i = 0; i < n; ++i) {
        BufferedImage* frame = getFrame(i);
        int left = getFrameLeft(i), top = getFrameTop(i);
        BufferedImage* base = nullptr;  // what frame i is drawn over (owned here)
        if (i == 0) {
            if (left == 0 && top == 0) {
                BufferedImage* result = frame->copy();
                if (!result) break;
                set->addFrameAt(result, getDepth(i), getDelay(i), getDisposal(i), 0, 0);
                previous = result;
                continue;
            }
            base = BufferedImage::createSized(cw, ch);
            if (base) base->fill(0, 0, 0, 0);
        } else {
            int disposal = getDisposal(i - 1);
            if (disposal == 3) {
                if (beforePrevious) {
                    base = beforePrevious->copy();
                } else {
                    base = BufferedImage::createSized(cw, ch);
                    if (base) base->fill(0, 0, 0, 0);
                }
            } else {
                base = previous->copy();
                if (base && disposal == 2) {
                    // Clear frame i - 1's area to the (transparent) background.
                    BufferedImage* pf = getFrame(i - 1);
                    int x0 = std::max(0, getFrameLeft(i - 1)), y0 = std::max(0, getFrameTop(i - 1));
                    int x1 = std::min(base->getWidth(), getFrameLeft(i - 1) + pf->getWidth());
                    int y1 = std::min(base->getHeight(), getFrameTop(i - 1) + pf->getHeight());
                    for (int y = y0; y < y1; ++y) std::fill(base->getRow(y) + x0, base->getRow(y) + std::max(x0, x1), 0u);
                    if (x1 > x0 && y1 > y0) base->setHasAlpha(true);
                }
            }
        }
        if (!base || (base->getWidth() > 0 && !base->hasPixels())) {
            if (base) base->release();
            break;
        }
        if (beforePrevious) beforePrevious->release();
        beforePrevious = base->copy();
        base->paste(left, top, std::min(base->getWidth(), frame->getWidth()), std::min(base->getHeight(), frame->getHeight()),
                    frame, 0, 0, false);
        set->addFrameAt(base, getDepth(i), getDelay(i), i == 0 ? getDisposal(i) : 2, 0, 0);
        previous = base;
    }
    if (beforePrevious) beforePrevious->release();
    set->setAnimation(true, loopCount_);
    return set;
}

BufferedImage* BufferedImageSet::getMainFrame() const
{
    return frames_.count() ? getFrame(mainIndex_) : nullptr;
}

bool BufferedImageSet::findFrame(int w, int h, int depth, int* index) const
{
    for (int i = 0; i < getFrameCount(); ++i) {
        BufferedImage* f = getFrame(i);
        if (f->getWidth() == w && f->getHeight() == h && depths_.get(uint32_t(i)) == depth) {
            if (index) *index = i;
            return true;
        }
    }
    if (index) *index = 0;
    return false;
}

bool BufferedImageSet::findBest(int w, int h, int depth, int* index, bool depthFirst) const
{
    if (findFrame(w, h, depth, index)) return true;
    const int n = getFrameCount();
    if (n == 0) {
        if (index) *index = 0;
        return false;
    }
    const int64_t area = int64_t(w) * h;
    int best = 0;
    int64_t bestDepth = 0, bestArea = 0;
    for (int i = 0; i < n; ++i) {
        BufferedImage* f = getFrame(i);
        int64_t dd = std::llabs(int64_t(depth) - depths_.get(uint32_t(i)));
        int64_t da = std::llabs(area - int64_t(f->getWidth()) * f->getHeight());
        int64_t k1 = depthFirst ? dd : da, k2 = depthFirst ? da : dd;
        int64_t b1 = depthFirst ? bestDepth : bestArea, b2 = depthFirst ? bestArea : bestDepth;
        if (i == 0 || k1 < b1 || (k1 == b1 && k2 < b2)) {
            best = i;
            bestDepth = dd;
            bestArea = da;
        }
    }
    if (index) *index = best;
    return true;
}

bool BufferedImageSet::findBestFrameByDepth(int w, int h, int depth, int* index) const
{
    return findBest(w, h, depth, index, true);
}

bool BufferedImageSet::findBestFrameBySize(int w, int h, int depth, int* index) const
{
    return findBest(w, h, depth, index, false);
}

void BufferedImageSet::forgetFrames()
{
    frames_.clear();
    depths_.clear();
    delays_.clear();
    disposals_.clear();
    lefts_.clear();
    tops_.clear();
}

void BufferedImageSet::clear()
{
    animated_ = false;
    mainWidth_ = mainHeight_ = mainDepth_ = mainIndex_ = 0;
    if (frames_.count()) {
        forgetFrames();
    }
}

void BufferedImageSet::reset()
{
    animated_ = false;
    loopCount_ = 1;
    mainWidth_ = mainHeight_ = mainDepth_ = mainIndex_ = 0;
    if (frames_.count()) {
        for (uint32_t i = 0; i < frames_.count(); ++i) {
            auto* f = frames_.at<BufferedImage>(i);
            if (f) f->release();
        }
        forgetFrames();
    }
}

}  // namespace s::image::win
