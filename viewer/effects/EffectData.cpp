#include "viewer/effects/EffectData.h"

#include <algorithm>
#include <cwchar>
#include <string>

#include "foundation/col/Array.h"
#include "foundation/str/StrBuffer.h"
#include "imaging/filters/ColorFilters.h"
#include "imaging/filters/Geometry.h"
#include "imaging/filters/Scale.h"
#include "imaging/filters/Sharpness.h"
#include "imaging/filters/ShearRotation.h"
#include "imaging/filters/Watermark.h"
#include "platform/map/IMappedData.h"

namespace s::image::gui::dialogs::imageview {

using str::strbuffer::StrBuffer;
namespace flt = s::image::filters;

namespace {

constexpr const wchar_t* kDefaultFont = L"MS Shell Dlg 2";
// Bounds of the loaded sizes: a target side in pixels, a stretch in percent, a text size.
constexpr int32_t kMaxPixels = 32767;
constexpr int32_t kMaxPercent = 1000;
constexpr int32_t kMaxPoints = 1000;

// Gives each filter of a chain back to its pool.
class FilterDisposer final : public base::IDestructor {
public:
    void destroy(void** holder) override {
        if (!holder || !*holder) return;
        static_cast<flt::IFilter*>(*holder)->release();
        *holder = nullptr;
    }
};

FilterDisposer& filterDisposer() {
    static FilterDisposer disposer;
    return disposer;
}

std::wstring indexKey(int32_t i) { return L"_" + std::to_wstring(i); }

int32_t clampInt(int32_t v, int32_t lo, int32_t hi) { return std::min(std::max(v, lo), hi); }

const wchar_t* textOf(StrBuffer* s) { return s && !s->isEmpty() ? s->text() : L""; }

}  // namespace

EffectData::EffectData()
    : name(StrBuffer::create()), watermarkFont(StrBuffer::create()), watermarkText(StrBuffer::create()) {
    resetValues();
}

EffectData::~EffectData() {
    name->release();
    watermarkFont->release();
    watermarkText->release();
}

void EffectData::reset() { resetValues(); }

void EffectData::resetValues() {
    name->clear();
    if (filterOrder.count()) filterOrder.clear();
    isCustom = false;
    sharpness = 0;
    rotationAdded = false;
    rotation = 0;
    sizingAdded = false;
    widthInPixels = heightInPixels = true;
    widthPixels = heightPixels = 1;
    keepRatio = true;
    sizingType = 0;
    widthPercent = heightPercent = 100;
    cutLeft = cutRight = cutTop = cutBottom = 0;
    mistyFrame = 0;
    flipHorizontal = flipVertical = false;
    monochrome = 0;
    hue = saturation = brightness = 0;
    level = 50;
    curve = 0;
    alpha = 100;
    watermarkFont->setText(kDefaultFont);
    watermarkText->clear();
    watermarkSize = 8;
    watermarkColor = 0;
    watermarkOutline = true;
    watermarkOutlineColor = 0xFFFFFF;
    watermarkBold = true;
    watermarkItalic = false;
    bgType = 0;
    bgCustomColor = 0xFFFFFF;
}

void EffectData::save(map::IMappedData* store, const wchar_t* section) {
    if (!store || !section) return;
    store->setString(section, L"EffectNameStr", textOf(name));
    const int32_t n = int32_t(filterOrder.count());
    store->setInt(section, L"NumOfFilters", n);
    for (int32_t i = 0; i < n; ++i) store->setString(section, indexKey(i).c_str(), textOf(filterOrder.at(uint32_t(i))));
    store->setBool(section, L"IsCustomEffect", isCustom);
    store->setInt(section, L"SharpnessValue", sharpness);
    store->setBool(section, L"RotationFilterAdded", rotationAdded);
    store->setInt(section, L"RotationValue", rotation);
    store->setBool(section, L"SizingFilterAdded", sizingAdded);
    store->setBool(section, L"SizingWidthDominant", widthInPixels);
    store->setBool(section, L"SizingHeightDominant", heightInPixels);
    store->setInt(section, L"StretchHPixelValue", widthPixels);
    store->setInt(section, L"StretchVPixelValue", heightPixels);
    store->setBool(section, L"SizingKeepRatio", keepRatio);
    store->setInt(section, L"SizingType", sizingType);
    store->setInt(section, L"StretchHValue", widthPercent);
    store->setInt(section, L"StretchVValue", heightPercent);
    store->setInt(section, L"CutLeftValue", cutLeft);
    store->setInt(section, L"CutRightValue", cutRight);
    store->setInt(section, L"CutTopValue", cutTop);
    store->setInt(section, L"CutBottomValue", cutBottom);
    store->setInt(section, L"FeatherFrameValue", mistyFrame);
    store->setBool(section, L"FlipHorizontal", flipHorizontal);
    store->setBool(section, L"FlipVertical", flipVertical);
    store->setInt(section, L"MonotoneValue", monochrome);
    store->setInt(section, L"HueValue", hue);
    store->setInt(section, L"SaturationValue", saturation);
    store->setInt(section, L"BrightnessValue", brightness);
    store->setInt(section, L"LevelValue", level);
    store->setInt(section, L"CurveValue", curve);
    store->setInt(section, L"AlphaValue", alpha);
    store->setString(section, L"WaterMarkFont", textOf(watermarkFont));
    store->setString(section, L"WaterMarkTextStr", textOf(watermarkText));
    store->setInt(section, L"WaterMarkSize", watermarkSize);
    store->setU32(section, L"WaterMarkColor", watermarkColor);
    store->setBool(section, L"WaterMarkWithOutline", watermarkOutline);
    store->setU32(section, L"WaterMarkOutlineColor", watermarkOutlineColor);
    store->setBool(section, L"WaterMarkBold", watermarkBold);
    store->setBool(section, L"WaterMarkItalic", watermarkItalic);
    store->setInt(section, L"BgType", bgType);
    store->setInt(section, L"BgCustomColor", bgCustomColor);
}

void EffectData::load(map::IMappedData* store, const wchar_t* section) {
    if (!store || !section) return;
    name->setText(store->getString(section, L"EffectNameStr", L"Filter Name"));
    // The count decides how many names are read: a corrupt one must not make the load
    // read (and append) billions of entries.
    const int32_t n = clampInt(store->getInt(section, L"NumOfFilters", 0), 0, kMaxStoredFilters);
    for (int32_t i = 0; i < n; ++i) {
        const wchar_t* filter = store->getString(section, indexKey(i).c_str(), L"");
        filterOrder.addText(filter ? filter : L"");
    }
    // Values outside the range a panel can set are brought into it, so that no filter
    // of the chain is asked for a picture of billions of pixels or an absurd angle.
    isCustom = store->getBool(section, L"IsCustomEffect", isCustom);
    sharpness = clampInt(store->getInt(section, L"SharpnessValue", sharpness), -100, 100);
    rotationAdded = store->getBool(section, L"RotationFilterAdded", rotationAdded);
    rotation = clampInt(store->getInt(section, L"RotationValue", rotation), -180, 180);
    sizingAdded = store->getBool(section, L"SizingFilterAdded", sizingAdded);
    widthInPixels = store->getBool(section, L"SizingWidthDominant", widthInPixels);
    heightInPixels = store->getBool(section, L"SizingHeightDominant", heightInPixels);
    widthPixels = clampInt(store->getInt(section, L"StretchHPixelValue", widthPixels), 1, kMaxPixels);
    heightPixels = clampInt(store->getInt(section, L"StretchVPixelValue", heightPixels), 1, kMaxPixels);
    keepRatio = store->getBool(section, L"SizingKeepRatio", keepRatio);
    sizingType = store->getInt(section, L"SizingType", sizingType);
    widthPercent = clampInt(store->getInt(section, L"StretchHValue", widthPercent), 0, kMaxPercent);
    heightPercent = clampInt(store->getInt(section, L"StretchVValue", heightPercent), 0, kMaxPercent);
    cutLeft = clampInt(store->getInt(section, L"CutLeftValue", cutLeft), 0, 100);
    cutRight = clampInt(store->getInt(section, L"CutRightValue", cutRight), 0, 100);
    cutTop = clampInt(store->getInt(section, L"CutTopValue", cutTop), 0, 100);
    cutBottom = clampInt(store->getInt(section, L"CutBottomValue", cutBottom), 0, 100);
    mistyFrame = clampInt(store->getInt(section, L"FeatherFrameValue", mistyFrame), 0, 25);
    flipHorizontal = store->getBool(section, L"FlipHorizontal", flipHorizontal);
    flipVertical = store->getBool(section, L"FlipVertical", flipVertical);
    monochrome = clampInt(store->getInt(section, L"MonotoneValue", monochrome), 0, 3);
    hue = clampInt(store->getInt(section, L"HueValue", hue), -180, 180);
    saturation = clampInt(store->getInt(section, L"SaturationValue", saturation), -100, 100);
    brightness = clampInt(store->getInt(section, L"BrightnessValue", brightness), -100, 100);
    level = clampInt(store->getInt(section, L"LevelValue", level), 0, 100);
    curve = clampInt(store->getInt(section, L"CurveValue", curve), 0, 100);
    alpha = clampInt(store->getInt(section, L"AlphaValue", alpha), 0, 100);
    watermarkFont->setText(store->getString(section, L"WaterMarkFont", kDefaultFont));
    watermarkText->setText(store->getString(section, L"WaterMarkTextStr", L""));
    watermarkSize = clampInt(store->getInt(section, L"WaterMarkSize", watermarkSize), 1, kMaxPoints);
    watermarkColor = store->getU32(section, L"WaterMarkColor", watermarkColor) & 0xFFFFFFu;
    watermarkOutline = store->getBool(section, L"WaterMarkWithOutline", watermarkOutline);
    watermarkOutlineColor = store->getU32(section, L"WaterMarkOutlineColor", watermarkOutlineColor) & 0xFFFFFFu;
    watermarkBold = store->getBool(section, L"WaterMarkBold", watermarkBold);
    watermarkItalic = store->getBool(section, L"WaterMarkItalic", watermarkItalic);
    bgType = clampInt(store->getInt(section, L"BgType", bgType), 0, 5);
    bgCustomColor = store->getInt(section, L"BgCustomColor", bgCustomColor) & 0xFFFFFF;
}

EffectData* EffectData::copy() const {
    EffectData* c = create();
    c->name->setText(textOf(name));
    for (uint32_t i = 0; i < filterOrder.count(); ++i) c->filterOrder.addText(textOf(filterOrder.at(i)));
    c->isCustom = isCustom;
    c->sharpness = sharpness;
    c->rotationAdded = rotationAdded;
    c->rotation = rotation;
    c->sizingAdded = sizingAdded;
    c->widthInPixels = widthInPixels;
    c->heightInPixels = heightInPixels;
    c->widthPixels = widthPixels;
    c->heightPixels = heightPixels;
    c->keepRatio = keepRatio;
    c->sizingType = sizingType;
    c->widthPercent = widthPercent;
    c->heightPercent = heightPercent;
    c->cutLeft = cutLeft;
    c->cutRight = cutRight;
    c->cutTop = cutTop;
    c->cutBottom = cutBottom;
    c->mistyFrame = mistyFrame;
    c->flipHorizontal = flipHorizontal;
    c->flipVertical = flipVertical;
    c->monochrome = monochrome;
    c->hue = hue;
    c->saturation = saturation;
    c->brightness = brightness;
    c->level = level;
    c->curve = curve;
    c->alpha = alpha;
    c->watermarkFont->setText(textOf(watermarkFont));
    c->watermarkText->setText(textOf(watermarkText));
    c->watermarkSize = watermarkSize;
    c->watermarkColor = watermarkColor;
    c->watermarkOutline = watermarkOutline;
    c->watermarkOutlineColor = watermarkOutlineColor;
    c->watermarkBold = watermarkBold;
    c->watermarkItalic = watermarkItalic;
    c->bgType = bgType;
    c->bgCustomColor = bgCustomColor;
    return c;
}

bool EffectData::sameValues(const EffectData* o) const {
    if (!o || filterOrder.count() != o->filterOrder.count()) return false;
    for (uint32_t i = 0; i < filterOrder.count(); ++i)
        if (wcscmp(textOf(filterOrder.at(i)), textOf(o->filterOrder.at(i))) != 0) return false;
    return wcscmp(textOf(name), textOf(o->name)) == 0 && isCustom == o->isCustom && sharpness == o->sharpness &&
           rotationAdded == o->rotationAdded && rotation == o->rotation && sizingAdded == o->sizingAdded &&
           widthInPixels == o->widthInPixels && heightInPixels == o->heightInPixels && widthPixels == o->widthPixels &&
           heightPixels == o->heightPixels && keepRatio == o->keepRatio && sizingType == o->sizingType &&
           widthPercent == o->widthPercent && heightPercent == o->heightPercent && cutLeft == o->cutLeft &&
           cutRight == o->cutRight && cutTop == o->cutTop && cutBottom == o->cutBottom && mistyFrame == o->mistyFrame &&
           flipHorizontal == o->flipHorizontal && flipVertical == o->flipVertical && monochrome == o->monochrome &&
           hue == o->hue && saturation == o->saturation && brightness == o->brightness && level == o->level &&
           curve == o->curve && alpha == o->alpha && wcscmp(textOf(watermarkFont), textOf(o->watermarkFont)) == 0 &&
           wcscmp(textOf(watermarkText), textOf(o->watermarkText)) == 0 && watermarkSize == o->watermarkSize &&
           watermarkColor == o->watermarkColor && watermarkOutline == o->watermarkOutline &&
           watermarkOutlineColor == o->watermarkOutlineColor && watermarkBold == o->watermarkBold &&
           watermarkItalic == o->watermarkItalic && bgType == o->bgType && bgCustomColor == o->bgCustomColor;
}

// ---- the chain

col::_array::ArrayP* EffectData::buildChain() const {
    col::_array::ArrayP* chain = col::_array::ArrayP::create();
    chain->setDestroyer(&filterDisposer());
    for (uint32_t i = 0; i < filterOrder.count(); ++i) {
        StrBuffer* n = filterOrder.at(i);
        flt::IFilter* f = n && !n->isEmpty() ? makeFilter(n->text(), nullptr) : nullptr;
        if (f) chain->push(f);
    }
    // The chain's owner disposes of the filters: a picture that drops one must not.
    for (uint32_t i = 0; i < chain->count(); ++i) chain->at<flt::IFilter>(i)->setReleasedWithImage(false);
    return chain;
}

flt::IFilter* EffectData::makeFilter(const wchar_t* filterName, flt::IFilter* filter) const {
    if (!filterName) return nullptr;
    auto is = [filterName](const wchar_t* name) { return _wcsicmp(filterName, name) == 0; };
    if (is(filtername::kScale)) return makeScaleFilter(dynamic_cast<flt::scale::ScaleFilter*>(filter));
    if (is(filtername::kCut)) return makeCutFilter(dynamic_cast<flt::cut::Cut*>(filter));
    if (is(filtername::kFlip)) return makeFlipFilter(dynamic_cast<flt::flip::Flip*>(filter));
    if (is(filtername::kHsv)) return makeHsvFilter(dynamic_cast<flt::colors::Hsv*>(filter));
    if (is(filtername::kWatermark)) return makeWatermarkFilter(dynamic_cast<flt::watermark::Watermark*>(filter));
    if (is(filtername::kSharpness)) {
        if (sharpness == 0) return nullptr;
        auto* s = dynamic_cast<flt::sharpness::Sharpness*>(filter);
        if (!s) s = flt::sharpness::Sharpness::create();
        s->setLevel(sharpness);
        return s;
    }
    if (is(filtername::kShearRotation)) {
        if (rotation == 0) return nullptr;
        auto* s = dynamic_cast<flt::rotation::Shear*>(filter);
        if (!s) s = flt::rotation::Shear::create();
        s->angle = double(rotation);
        return s;
    }
    if (is(filtername::kFeatherFrame)) {
        if (mistyFrame == 0) return nullptr;
        auto* frame = dynamic_cast<flt::feather::Frame*>(filter);
        if (!frame) frame = flt::feather::Frame::create();
        frame->width = mistyFrame;
        return frame;
    }
    if (is(filtername::kMonotone)) {
        if (monochrome == 0) return nullptr;
        auto* m = dynamic_cast<flt::monotone::Monotone*>(filter);
        if (!m) m = flt::monotone::Monotone::create();
        m->mode = monochrome;
        return m;
    }
    if (is(filtername::kLevel)) {
        if (level == 50) return nullptr;
        auto* l = dynamic_cast<flt::colors::Level*>(filter);
        if (!l) l = flt::colors::Level::create();
        l->level = level;
        return l;
    }
    if (is(filtername::kCurve)) {
        if (curve == 0) return nullptr;
        auto* c = dynamic_cast<flt::colors::Curve*>(filter);
        if (!c) c = flt::colors::Curve::create();
        c->strength = curve;
        return c;
    }
    if (is(filtername::kAlpha)) {
        if (alpha == 100) return nullptr;
        auto* a = dynamic_cast<flt::colors::Alpha*>(filter);
        if (!a) a = flt::colors::Alpha::create();
        a->opacity = alpha;
        return a;
    }
    return nullptr;
}

flt::scale::ScaleFilter* EffectData::makeScaleFilter(flt::scale::ScaleFilter* filter) const {
    const int32_t w = widthInPixels ? widthPixels : std::max(widthPercent, 1);
    const int32_t h = heightInPixels ? heightPixels : std::max(heightPercent, 1);
    if (!filter) {
        filter = flt::scale::ScaleFilter::create();
        filter->widthAbsolute = filter->heightAbsolute = false;
        filter->kernel = 1;
    }
    filter->keepRatio = keepRatio;
    filter->width = w;
    filter->height = h;
    switch (sizingType) {
        case 0:
        case 1: filter->mode = 0, filter->canvas = false; break;
        case 2: filter->mode = 1, filter->canvas = false; break;
        case 3: filter->mode = 2, filter->canvas = false; break;
        case 4: filter->mode = 0, filter->canvas = true; break;
        case 5: filter->mode = 1, filter->canvas = true; break;
        default: break;
    }
    filter->widthAbsolute = widthInPixels;
    filter->heightAbsolute = heightInPixels;
    return filter;
}

flt::cut::Cut* EffectData::makeCutFilter(flt::cut::Cut* filter) const {
    if (cutLeft == 0 && cutRight == 0 && cutTop == 0 && cutBottom == 0) return nullptr;
    if (!filter) filter = flt::cut::Cut::create();
    filter->set(cutLeft, cutRight, cutTop, cutBottom);
    return filter;
}

flt::flip::Flip* EffectData::makeFlipFilter(flt::flip::Flip* filter) const {
    if (!flipHorizontal && !flipVertical) return nullptr;
    if (!filter) filter = flt::flip::Flip::create();
    filter->horizontal = flipHorizontal;
    filter->vertical = flipVertical;
    return filter;
}

flt::colors::Hsv* EffectData::makeHsvFilter(flt::colors::Hsv* filter) const {
    if (hue == 0 && saturation == 0 && brightness == 0) return nullptr;
    if (!filter) filter = flt::colors::Hsv::create();
    filter->set(hue, saturation, brightness);
    return filter;
}

flt::watermark::Watermark* EffectData::makeWatermarkFilter(flt::watermark::Watermark* filter) const {
    if (watermarkText->isEmpty()) return nullptr;
    if (!filter) filter = flt::watermark::Watermark::create();
    filter->text = textOf(watermarkText);
    filter->fontFace = textOf(watermarkFont);
    filter->fontSize = watermarkSize;
    filter->textRed = int32_t(watermarkColor & 0xFF);
    filter->textGreen = int32_t((watermarkColor >> 8) & 0xFF);
    filter->textBlue = int32_t((watermarkColor >> 16) & 0xFF);
    filter->outline = watermarkOutline;
    filter->outlineRed = int32_t(watermarkOutlineColor & 0xFF);
    filter->outlineGreen = int32_t((watermarkOutlineColor >> 8) & 0xFF);
    filter->outlineBlue = int32_t((watermarkOutlineColor >> 16) & 0xFF);
    filter->bold = watermarkBold;
    filter->italic = watermarkItalic;
    return filter;
}

// ---- built-in sets

EffectData* EffectData::makeNamed(const wchar_t* text) {
    EffectData* set = create();
    set->name->setText(text ? text : L"");
    return set;
}

void EffectData::addFilters(std::initializer_list<const wchar_t*> names) {
    for (const wchar_t* n : names) filterOrder.addText(n);
}

EffectData* EffectData::makeMaxSharpness(const wchar_t* text) {
    EffectData* set = makeNamed(text);
    set->addFilters({filtername::kSharpness});
    set->sharpness = 100;
    set->bgType = 4;
    return set;
}

EffectData* EffectData::makeClearPhoto(const wchar_t* text) {
    EffectData* set = makeNamed(text);
    set->addFilters({filtername::kSharpness, filtername::kCurve});
    set->sharpness = 80;
    set->curve = 100;
    set->bgType = 4;
    return set;
}

EffectData* EffectData::makeCartoonReader(const wchar_t* text, int32_t width, int32_t height) {
    EffectData* set = makeNamed(text);
    set->addFilters({filtername::kScale, filtername::kSharpness, filtername::kCurve});
    set->sizingAdded = set->widthInPixels = set->heightInPixels = true;
    set->widthPixels = width;
    set->heightPixels = height;
    set->keepRatio = true;
    set->sizingType = 1;
    set->sharpness = 70;
    set->curve = 100;
    set->bgType = 0;
    return set;
}

EffectData* EffectData::makeGrayscale(const wchar_t* text) {
    EffectData* set = makeNamed(text);
    set->addFilters({filtername::kMonotone});
    set->monochrome = 1;
    set->bgType = 4;
    return set;
}

EffectData* EffectData::makeBoxSharpen(const wchar_t* text) {
    EffectData* set = makeNamed(text);
    set->addFilters({filtername::kScale, filtername::kSharpness});
    set->sizingAdded = set->widthInPixels = set->heightInPixels = true;
    set->widthPixels = set->heightPixels = 250;
    set->keepRatio = true;
    set->sizingType = 1;
    set->sharpness = 80;
    set->bgType = 4;
    return set;
}

EffectData* EffectData::makeBoxFillSharpen(const wchar_t* text) {
    EffectData* set = makeBoxSharpen(text);
    set->sizingType = 4;
    return set;
}

}  // namespace s::image::gui::dialogs::imageview
