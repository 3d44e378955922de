// One filter set: a name, the order in which filters were added, the value of every
// filter panel, the watermark and the background. The viewer keeps its current set,
// the built-in sets and the user's saved sets as these, stores a set as one section of
// the settings store, and turns a set into the ordered filter chain a conversion runs.
//
//   EffectData* set = EffectData::create();
//   set->load(store, L"MainWindow\\Filter\\_0");
//   col::_array::ArrayP* chain = set->buildChain();   // release: disposes of the filters
#pragma once

#include <cstdint>
#include <initializer_list>

#include "foundation/base/Object.h"
#include "foundation/str/StrArray.h"
#include "foundation/thread/Pool.h"

namespace s::map {
class IMappedData;
}
namespace s::col::_array {
class ArrayP;
}
namespace s::str::strbuffer {
class StrBuffer;
}
namespace s::image::filters {
class IFilter;
}
namespace s::image::filters::scale {
class ScaleFilter;
}
namespace s::image::filters::cut {
class Cut;
}
namespace s::image::filters::flip {
class Flip;
}
namespace s::image::filters::colors {
class Hsv;
}
namespace s::image::filters::watermark {
class Watermark;
}

namespace s::image::gui::dialogs::imageview {

// The filter names a set's order holds.
namespace filtername {
constexpr const wchar_t* kSharpness = L"Sharpness";
constexpr const wchar_t* kShearRotation = L"ShearRotation";
constexpr const wchar_t* kScale = L"SCALE";
constexpr const wchar_t* kCut = L"Cut";
constexpr const wchar_t* kFlip = L"Flip";
constexpr const wchar_t* kFeatherFrame = L"FeatherFrame";
constexpr const wchar_t* kMonotone = L"Monotone";
constexpr const wchar_t* kHsv = L"HSV";
constexpr const wchar_t* kLevel = L"Level";
constexpr const wchar_t* kCurve = L"Curve";
constexpr const wchar_t* kAlpha = L"Alpha";
constexpr const wchar_t* kWatermark = L"Watermark";
}  // namespace filtername

// Most filter names one stored set may hold; a larger stored count is taken as this.
constexpr int32_t kMaxStoredFilters = 64;

class EffectData final : public base::IObject, public thread::IPoolable {
    S_POOLED(EffectData, L"s_image_gui_dialogs_imageview_EffectData")
public:
    EffectData();
    ~EffectData() override;
    EffectData(const EffectData&) = delete;
    EffectData& operator=(const EffectData&) = delete;

    void reset() override;

    // Writes every value into the section: name, count, "_0" .. "_n-1", then the values.
    void save(map::IMappedData* store, const wchar_t* section);
    // Reads every value of the section, the set's own value standing in for a missing
    // one; the stored filter names are appended to the order (load into a reset set).
    // A stored count below 0 reads as none, one above kMaxStoredFilters as that many.
    void load(map::IMappedData* store, const wchar_t* section);
    // A new set from the pool holding copies of everything.
    EffectData* copy() const;
    // A new pointer array of new filters in the order's order (the array disposes of them).
    col::_array::ArrayP* buildChain() const;

    // The filter of that name (letter case ignored) filled from the set: the given one of
    // its kind, else a new one from its pool; null (touching nothing) when the set leaves
    // that filter off or the name is none of the filter names.
    filters::IFilter* makeFilter(const wchar_t* filterName, filters::IFilter* filter) const;
    // Fill the given filter from the set, or a new one from its pool when none is given.
    // The Cut, Flip, HSV and watermark makers answer null (touching nothing) when the set
    // leaves that filter off.
    filters::scale::ScaleFilter* makeScaleFilter(filters::scale::ScaleFilter* filter) const;
    filters::cut::Cut* makeCutFilter(filters::cut::Cut* filter) const;
    filters::flip::Flip* makeFlipFilter(filters::flip::Flip* filter) const;
    filters::colors::Hsv* makeHsvFilter(filters::colors::Hsv* filter) const;
    filters::watermark::Watermark* makeWatermarkFilter(filters::watermark::Watermark* filter) const;

    // ---- built-in sets (each a new set named by its caller)
    static EffectData* makeMaxSharpness(const wchar_t* name);
    static EffectData* makeClearPhoto(const wchar_t* name);
    static EffectData* makeCartoonReader(const wchar_t* name, int32_t width, int32_t height);
    static EffectData* makeGrayscale(const wchar_t* name);
    static EffectData* makeBoxSharpen(const wchar_t* name);
    static EffectData* makeBoxFillSharpen(const wchar_t* name);

    // Field-by-field equality (names and texts exactly), for tests and change checks.
    bool sameValues(const EffectData* other) const;

    // ---- the record
    str::strbuffer::StrBuffer* name;
    str::strarray::StrArray filterOrder;
    bool isCustom = false;
    int32_t sharpness = 0;
    bool rotationAdded = false;
    int32_t rotation = 0;
    bool sizingAdded = false;
    bool widthInPixels = true;
    bool heightInPixels = true;
    int32_t widthPixels = 1;
    int32_t heightPixels = 1;
    bool keepRatio = true;
    int32_t sizingType = 0;
    int32_t widthPercent = 100;
    int32_t heightPercent = 100;
    int32_t cutLeft = 0, cutRight = 0, cutTop = 0, cutBottom = 0;
    int32_t mistyFrame = 0;
    bool flipHorizontal = false, flipVertical = false;
    int32_t monochrome = 0;
    int32_t hue = 0, saturation = 0, brightness = 0;
    int32_t level = 50;
    int32_t curve = 0;
    int32_t alpha = 100;
    str::strbuffer::StrBuffer* watermarkFont;
    str::strbuffer::StrBuffer* watermarkText;
    int32_t watermarkSize = 8;
    uint32_t watermarkColor = 0;
    bool watermarkOutline = true;
    uint32_t watermarkOutlineColor = 0xFFFFFF;
    bool watermarkBold = true, watermarkItalic = false;
    int32_t bgType = 0;
    int32_t bgCustomColor = 0xFFFFFF;

private:
    void resetValues();
    static EffectData* makeNamed(const wchar_t* name);
    void addFilters(std::initializer_list<const wchar_t*> names);
};

}  // namespace s::image::gui::dialogs::imageview
