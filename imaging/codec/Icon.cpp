#include "imaging/codec/Icon.h"

#include "imaging/codec/CodecImage.h"
#include "imaging/codec/CodecStream.h"
#include "imaging/codec/IconArchive.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"
#include "imaging/settings/EncodeSetting.h"

namespace s::image::ico::win {

using image::win::BufferedImage;
using image::win::BufferedImageSet;

Icon::Icon() { images_.setDestroyer(IconImage::pooler()); }

Icon::~Icon() { images_.freeStorage(); }

void Icon::reset() { images_.freeStorage(); }

IconImage* Icon::imageAt(int i) const
{
    return i >= 0 && uint32_t(i) < images_.count() ? images_.at<IconImage>(uint32_t(i)) : nullptr;
}

IIconImage* Icon::getImage(int i) const { return imageAt(i); }

void Icon::add(IIconImage* image)
{
    auto* img = dynamic_cast<IconImage*>(image);
    if (img) images_.push(img);
}

int Icon::getWidth() const { return images_.count() ? imageAt(0)->getWidth() : 0; }
int Icon::getHeight() const { return images_.count() ? imageAt(0)->getHeight() : 0; }

BufferedImage* Icon::toImage(int frame, BufferedImage* dst)
{
    IconImage* img = imageAt(frame);
    return img ? img->toImage(0, dst) : nullptr;
}

BufferedImageSet* Icon::toImageSet()
{
    if (images_.count() == 0) return nullptr;
    BufferedImageSet* set = BufferedImageSet::create();
    if (!set) return nullptr;
    for (uint32_t i = 0; i < images_.count(); ++i) {
        BufferedImage* img = imageAt(int(i))->toImage(0, nullptr);
        if (img) set->addFrame(img, imageAt(int(i))->getBitCount(), 0, 0);
    }
    if (set->getFrameCount() == 0) {
        set->release();
        return nullptr;
    }
    return set;
}

bool Icon::read(io::IInputStream* in)
{
    images_.freeStorage();
    auto* archive = archive::icon::Archive::create();
    if (!archive) return false;
    const uint64_t fileBytes = in ? image::bytesLeft(in) : 0;
    if (archive->openStream(in)) {
        int32_t best = 0;
        if (archive->findBestEntry(32, 32, &best)) {
            // The best entry first, then the others; entries that point at the same
            // bytes are one image, decoded once. Decoding stops before the images
            // held would pass the memory a file of this size may take.
            uint64_t pixels = 0;
            const uint32_t n = archive->getEntryCount();
            for (uint32_t k = 0; k <= n; ++k) {
                const uint32_t i = k == 0 ? uint32_t(best) : k - 1;
                if (k > 0 && int32_t(i) == best) continue;
                const archive::icon::Entry* e = archive->entry(i);
                bool seen = false;
                for (uint32_t j = 0; j < k && !seen; ++j) {
                    const uint32_t earlier = j == 0 ? uint32_t(best) : j - 1;
                    if (j > 0 && int32_t(earlier) == best) continue;
                    const archive::icon::Entry* o = archive->entry(earlier);
                    seen = o->imageOffset == e->imageOffset && o->bytesInRes == e->bytesInRes;
                }
                if (seen) continue;
                IconImage* img = archive->decodeEntry(i);
                if (!img) continue;
                pixels += uint64_t(img->getWidth()) * uint64_t(img->getHeight());
                if (!pictureFits(pixels, 1, 8, fileBytes)) {
                    img->release();
                    break;
                }
                images_.push(img);
            }
        }
    }
    archive->release();
    return images_.count() != 0;
}

bool Icon::write(io::IOutputStream* out)
{
    if (!out || images_.count() == 0) return false;
    auto* archive = archive::icon::Archive::create();
    if (!archive) return false;
    bool ok = true;
    for (uint32_t i = 0; ok && i < images_.count(); ++i) {
        auto* e = archive::icon::Entry::create();
        ok = e && e->fromIconImage(imageAt(int(i)));
        if (e && !ok) e->release();
        if (ok) archive->addEntry(e);
    }
    ok = ok && archive->write(out);
    archive->release();
    return ok;
}

namespace {

// An ico setting that repeats the sizes and depths of the held images.
ico::EncodeSetting* settingLike(const Icon* icon)
{
    auto* s = ico::EncodeSetting::create();
    if (!s) return nullptr;
    s->keepTransparency = true;
    s->keepRatio = false;
    for (int i = 0; i < icon->getFrameCount(); ++i) {
        IconImage* img = icon->imageAt(i);
        s->frameSpecs.push(int32_t(uint32_t(img->getWidth()) << 16 | uint32_t(img->getBitCount())));
    }
    return s;
}

}  // namespace

IEncodedImage* Icon::newEncoderFor(BufferedImage* image)
{
    if (!image) return nullptr;
    ico::EncodeSetting* s = settingLike(this);
    if (!s) return nullptr;
    IEncodedImage* codec = nullptr;
    if (s->frameSpecs.count() == 0) {
        // Nothing held to copy: the usual sizes at 32 bits.
        for (int size : {16, 32, 48, 256}) s->sizes.push(size);
        s->depths.push(32);
        codec = s->makeEncoder(image);
    } else {
        // One copy of the picture per held image, each made at that image's size and depth.
        BufferedImageSet* set = BufferedImageSet::create();
        if (set) {
            for (uint32_t i = 0; i < s->frameSpecs.count(); ++i) {
                BufferedImage* copy = image->copy();
                if (copy) set->addFrame(copy, 32, 0, 0);
            }
            codec = s->makeEncoderForSet(set);
            set->release();
        }
    }
    s->release();
    return codec;
}

IEncodedImage* Icon::newEncoderForSet(BufferedImageSet* set)
{
    if (!set || set->getFrameCount() == 0) return nullptr;
    ico::EncodeSetting* s = settingLike(this);
    if (!s) return nullptr;
    IEncodedImage* codec = nullptr;
    if (s->frameSpecs.count() == uint32_t(set->getFrameCount())) codec = s->makeEncoderForSet(set);
    s->release();
    if (!codec) codec = newEncoderFor(set->getMainFrame());
    return codec;
}

Icon* Icon::makeWindowIcons(BufferedImage* image)
{
    if (!image) return nullptr;
    auto* s = ico::EncodeSetting::create();
    if (!s) return nullptr;
    s->keepTransparency = true;
    s->keepRatio = true;
    s->backRed = s->backGreen = s->backBlue = 255;
    s->sizes.push(16);
    s->sizes.push(32);
    s->depths.push(32);
    IEncodedImage* codec = s->makeEncoder(image);
    s->release();
    return static_cast<Icon*>(codec);
}

// ---- frame lookups ----------------------------------------------------------------------------

bool Icon::findFrame(int w, int h, int depth, int* index) const
{
    for (uint32_t i = 0; i < images_.count(); ++i) {
        IconImage* img = imageAt(int(i));
        if (img->getWidth() == w && img->getHeight() == h && img->getBitCount() == depth) {
            if (index) *index = int(i);
            return true;
        }
    }
    return false;
}

bool Icon::findBest(int w, int h, int depth, int* index, bool depthFirst) const
{
    if (images_.count() == 0) return false;
    if (findFrame(w, h, depth, index)) return true;
    int64_t bestArea = INT64_MAX;
    int bestGap = 1 << 30;
    int best = 0;
    for (uint32_t i = 0; i < images_.count(); ++i) {
        IconImage* img = imageAt(int(i));
        int64_t area = int64_t(w) * h - int64_t(img->getWidth()) * img->getHeight();
        if (area < 0) area = -area;
        int gap = depth - img->getBitCount();
        if (gap < 0) gap = -gap;
        bool better = depthFirst ? (gap < bestGap || (gap == bestGap && area < bestArea))
                                 : (area < bestArea || (area == bestArea && gap < bestGap));
        if (better) {
            bestArea = area;
            bestGap = gap;
            best = int(i);
        }
    }
    if (index) *index = best;
    return true;
}

bool Icon::findBestFrameByDepth(int w, int h, int depth, int* index) const { return findBest(w, h, depth, index, true); }
bool Icon::findBestFrameBySize(int w, int h, int depth, int* index) const { return findBest(w, h, depth, index, false); }

}  // namespace s::image::ico::win
