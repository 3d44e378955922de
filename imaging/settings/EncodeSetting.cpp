#include "imaging/settings/EncodeSetting.h"

#include <cstring>

#include "imaging/codec/Gif.h"
#include "imaging/codec/Icon.h"
#include "imaging/codec/Jpeg.h"
#include "imaging/codec/Png.h"
#include "imaging/image/Bitmap.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"
#include "platform/map/IMappedData.h"

namespace s::image {

using image::win::BufferedImage;
using image::win::BufferedImageSet;

EncodeSettingBase::~EncodeSettingBase()
{
    if (section_) section_->release();
}

namespace {
const ConfigBoxHooks* configBoxHooks = nullptr;
}  // namespace

void setConfigBoxHooks(const ConfigBoxHooks* hooks) { configBoxHooks = hooks; }

::s::gui::IComponent* EncodeSettingBase::createConfigBox(::s::gui::IWindow* owner)
{
    if (!configBoxHooks) return nullptr;
    if (panel_) configBoxHooks->close(panel_);
    panel_ = nullptr;
    return configBoxHooks->open(this, owner, &panel_);
}

bool EncodeSettingBase::readConfigBox()
{
    // Without an open panel there is nothing to copy.
    if (!panel_ || !configBoxHooks) return true;
    configBoxHooks->fill(this, panel_);
    save();
    return true;
}

void EncodeSettingBase::closeConfigBox()
{
    if (panel_ && configBoxHooks) configBoxHooks->close(panel_);
    panel_ = nullptr;
}

void EncodeSettingBase::bind(const wchar_t* section, map::IMappedData* store)
{
    if (section_) section_->release();
    section_ = str::strbuffer::StrBuffer::fromString(section ? section : L"");
    store_ = store;
    load();
}

const wchar_t* EncodeSettingBase::valuePath()
{
    path_.clear();
    if (section_) path_.appendStr(section_);
    path_.appendChar(L'\\');
    path_.appendText(formatKey());
    return path_.text();
}

void EncodeSettingBase::clearBase()
{
    store_ = nullptr;
    if (section_) section_->release();
    section_ = nullptr;
    if (panel_ && configBoxHooks) configBoxHooks->close(panel_);
    panel_ = nullptr;
    backRed = backGreen = backBlue = 255;
}

void EncodeSettingBase::loadBack()
{
    const wchar_t* p = valuePath();
    backRed = store_->getInt(p, L"BgRed", 255);
    backGreen = store_->getInt(p, L"BgGreen", 255);
    backBlue = store_->getInt(p, L"BgBlue", 255);
}

void EncodeSettingBase::saveBack()
{
    const wchar_t* p = valuePath();
    store_->setInt(p, L"BgRed", backRed);
    store_->setInt(p, L"BgGreen", backGreen);
    store_->setInt(p, L"BgBlue", backBlue);
}

BufferedImage* EncodeSettingBase::source(BufferedImage* image)
{
    if (!image) return nullptr;
    if (image->hasFilters()) {
        BufferedImage* filtered = image->applyFilters();
        if (filtered) return filtered;
    }
    return image;
}

namespace {

BufferedImage* mainFrame(BufferedImageSet* set) { return set ? set->getMainFrame() : nullptr; }

}  // namespace

IEncodedImage* EncodeSettingBase::makeEncoderForSet(BufferedImageSet* set) { return makeEncoder(mainFrame(set)); }

void EncodeSettingBase::load()
{
    if (!store_) return;
    loadValues(valuePath());
    loadBack();
}

void EncodeSettingBase::save()
{
    if (!store_) return;
    saveValues(valuePath());
    saveBack();
}

}  // namespace s::image

// ---- JPEG -----------------------------------------------------------------------------------

namespace s::image::jpg {

void EncodeSetting::reset()
{
    clearBase();
    quality = 75;
}

IEncodedImage* EncodeSetting::makeEncoder(image::win::BufferedImage* image)
{
    image::win::BufferedImage* src = source(image);
    return src ? jpg::win::Jpeg::makeFromImage(src, quality, r(), g(), b()) : nullptr;
}

void EncodeSetting::loadValues(const wchar_t* p) { quality = store_->getInt(p, L"Quality", quality); }

void EncodeSetting::saveValues(const wchar_t* p) { store_->setInt(p, L"Quality", quality); }

}  // namespace s::image::jpg

// ---- PNG ------------------------------------------------------------------------------------

namespace s::image::png {

void EncodeSetting::reset()
{
    clearBase();
    keepTransparency = true;
    withInterlace = true;
}

IEncodedImage* EncodeSetting::makeEncoder(image::win::BufferedImage* image)
{
    image::win::BufferedImage* src = source(image);
    return src ? png::win::Png::makeFromImage(src, withInterlace, keepTransparency, r(), g(), b()) : nullptr;
}

void EncodeSetting::loadValues(const wchar_t* p)
{
    keepTransparency = store_->getBool(p, L"KeepTransparency", true);
    withInterlace = store_->getBool(p, L"WithInterlace", true);
}

void EncodeSetting::saveValues(const wchar_t* p)
{
    store_->setBool(p, L"KeepTransparency", keepTransparency);
    store_->setBool(p, L"WithInterlace", withInterlace);
}

}  // namespace s::image::png

// ---- GIF ------------------------------------------------------------------------------------

namespace s::image::gif {

void EncodeSetting::reset()
{
    clearBase();
    keepTransparency = true;
    withInterlace = true;
    bpp = 8;
}

IEncodedImage* EncodeSetting::makeEncoder(image::win::BufferedImage* image)
{
    image::win::BufferedImage* src = source(image);
    return src ? gif::win::Gif::fromImage(src, bpp, keepTransparency, r(), g(), b()) : nullptr;
}

IEncodedImage* EncodeSetting::makeEncoderForSet(image::win::BufferedImageSet* set)
{
    if (!set) return nullptr;
    if (set->getFrameCount() <= 1 || !set->isAnimated()) return makeEncoder(mainFrame(set));
    image::win::BufferedImageSet* f = set->filteredCopy();
    if (!f) return nullptr;
    gif::win::Gif* codec = gif::win::Gif::create();
    if (codec && !codec->fromImageSet(f, bpp, keepTransparency, r(), g(), b())) {
        codec->release();
        codec = nullptr;
    }
    f->release();
    return codec;
}

void EncodeSetting::loadValues(const wchar_t* p)
{
    keepTransparency = store_->getBool(p, L"KeepTransparency", true);
    withInterlace = store_->getBool(p, L"WithInterlace", true);
    bpp = store_->getInt(p, L"Bpp", 8);
}

void EncodeSetting::saveValues(const wchar_t* p)
{
    store_->setBool(p, L"KeepTransparency", keepTransparency);
    store_->setBool(p, L"WithInterlace", withInterlace);
    store_->setInt(p, L"Bpp", bpp);
}

}  // namespace s::image::gif

// ---- BMP ------------------------------------------------------------------------------------

namespace s::image::bmp {

void EncodeSetting::reset()
{
    clearBase();
    keepTransparency = true;
    bpp = 24;
}

IEncodedImage* EncodeSetting::makeEncoder(image::win::BufferedImage* image)
{
    image::win::BufferedImage* src = source(image);
    return src ? bmp::win::Bitmap::makeFromImage(src, bpp, keepTransparency, r(), g(), b()) : nullptr;
}

void EncodeSetting::loadValues(const wchar_t* p)
{
    keepTransparency = store_->getBool(p, L"KeepTransparency", true);
    bpp = store_->getInt(p, L"Bpp", 24);
}

void EncodeSetting::saveValues(const wchar_t* p)
{
    store_->setBool(p, L"KeepTransparency", keepTransparency);
    store_->setInt(p, L"Bpp", bpp);
}

}  // namespace s::image::bmp

// ---- ICO ------------------------------------------------------------------------------------

namespace s::image::ico {

namespace {

// The option panel offers 80, 128 and 256 as well; their keys are off when missing, so
// older stores load as before.
const int kSizeCount = 9;
const int kSizes[kSizeCount] = {16, 24, 32, 48, 64, 80, 96, 128, 256};
const wchar_t* const kSizeKeys[kSizeCount] = {L"Size016", L"Size024", L"Size032", L"Size048", L"Size064",
                                              L"Size080", L"Size096", L"Size128", L"Size256"};
const bool kSizeDefaults[kSizeCount] = {true, true, true, true, false, false, false, false, false};
const int kDepths[3] = {4, 8, 32};
const wchar_t* const kDepthKeys[3] = {L"Bpp04", L"Bpp08", L"Bpp32"};

// The picture fit into s x s; a picture that does not fill the square is centred on a
// transparent one. A new image the caller releases.
image::win::BufferedImage* squareOf(image::win::BufferedImage* src, int s, bool keepRatio)
{
    image::win::BufferedImage* scaled = src->fitScale(s, s, keepRatio);  // kept by src
    if (!scaled) return nullptr;
    int w = scaled->getWidth(), h = scaled->getHeight();
    if (w == s && h == s) return scaled->copy();
    image::win::BufferedImage* square = image::win::BufferedImage::createSized(s, s);
    if (!square || !square->hasPixels()) {
        if (square) square->release();
        return nullptr;
    }
    square->fill(0, 0, 0, 0);
    int ox = (s - w) / 2, oy = (s - h) / 2;
    bool opaque = !scaled->hasAlpha();
    for (int y = 0; y < h && y + oy < s; ++y) {
        const uint32_t* from = scaled->getRow(y);
        uint32_t* to = square->getRow(y + oy);
        for (int x = 0; x < w && x + ox < s; ++x) to[x + ox] = opaque ? (from[x] | 0xFF000000u) : from[x];
    }
    square->setHasAlpha(true);
    return square;
}

bool addImage(ico::win::Icon* icon, image::win::BufferedImage* square, int depth, bool keep, uint8_t r, uint8_t g, uint8_t b)
{
    ico::win::IconImage* img = ico::win::IconImage::makeFromImage(square, depth, keep, r, g, b);
    if (!img) return false;
    icon->add(img);
    return true;
}

}  // namespace

void EncodeSetting::reset()
{
    clearBase();
    keepTransparency = true;
    keepRatio = true;
    sizes.freeStorage();
    depths.freeStorage();
    frameSpecs.freeStorage();
}

IEncodedImage* EncodeSetting::makeEncoder(image::win::BufferedImage* image)
{
    image::win::BufferedImage* src = source(image);
    if (!src || sizes.count() == 0 || depths.count() == 0) return nullptr;
    ico::win::Icon* icon = ico::win::Icon::create();
    if (!icon) return nullptr;
    for (uint32_t i = 0; i < sizes.count(); ++i) {
        int s = sizes[i];
        if (s < 1) continue;
        image::win::BufferedImage* square = squareOf(src, s, keepRatio);
        if (!square) continue;
        if (s > 255) {
            addImage(icon, square, 32, keepTransparency, r(), g(), b());
        } else {
            for (uint32_t k = 0; k < depths.count(); ++k)
                addImage(icon, square, depths[k], keepTransparency, r(), g(), b());
        }
        square->release();
    }
    if (icon->getFrameCount() == 0) {
        icon->release();
        return nullptr;
    }
    return icon;
}

IEncodedImage* EncodeSetting::makeEncoderForSet(image::win::BufferedImageSet* set)
{
    if (!set) return nullptr;
    if (frameSpecs.count() == 0 || frameSpecs.count() != uint32_t(set->getFrameCount()))
        return makeEncoder(set->getMainFrame());
    ico::win::Icon* icon = ico::win::Icon::create();
    if (!icon) return nullptr;
    for (uint32_t i = 0; i < frameSpecs.count(); ++i) {
        int s = int(uint32_t(frameSpecs[i]) >> 16);
        int depth = frameSpecs[i] & 0xFFFF;
        image::win::BufferedImage* src = source(set->getFrame(int(i)));
        if (!src || s < 1) continue;
        image::win::BufferedImage* square = squareOf(src, s, keepRatio);
        if (!square) continue;
        addImage(icon, square, s > 255 ? 32 : depth, keepTransparency, r(), g(), b());
        square->release();
    }
    if (icon->getFrameCount() == 0) {
        icon->release();
        return nullptr;
    }
    return icon;
}

void EncodeSetting::load()
{
    if (!store_) return;
    const wchar_t* p = valuePath();
    keepTransparency = store_->getBool(p, L"KeepTransparency", true);
    keepRatio = store_->getBool(p, L"KeepRatio", true);
    loadBack();
    p = valuePath();
    sizes.clear();
    for (int i = 0; i < kSizeCount; ++i)
        if (store_->getBool(p, kSizeKeys[i], kSizeDefaults[i])) sizes.push(kSizes[i]);
    depths.clear();
    for (int i = 0; i < 3; ++i)
        if (store_->getBool(p, kDepthKeys[i], true)) depths.push(kDepths[i]);
}

void EncodeSetting::save()
{
    if (!store_) return;
    const wchar_t* p = valuePath();
    store_->setBool(p, L"KeepTransparency", keepTransparency);
    store_->setBool(p, L"KeepRatio", keepRatio);
    saveBack();
    p = valuePath();
    for (int i = 0; i < kSizeCount; ++i) {
        bool on = false;
        for (uint32_t k = 0; k < sizes.count(); ++k) on |= sizes[k] == kSizes[i];
        store_->setBool(p, kSizeKeys[i], on);
    }
    for (int i = 0; i < 3; ++i) {
        bool on = false;
        for (uint32_t k = 0; k < depths.count(); ++k) on |= depths[k] == kDepths[i];
        store_->setBool(p, kDepthKeys[i], on);
    }
}

}  // namespace s::image::ico
