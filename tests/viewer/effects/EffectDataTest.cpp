#include "viewer/effects/EffectData.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "foundation/col/Array.h"
#include "foundation/str/StrBuffer.h"
#include "imaging/filters/ColorFilters.h"
#include "imaging/filters/Geometry.h"
#include "imaging/filters/Scale.h"
#include "imaging/filters/Sharpness.h"
#include "imaging/filters/ShearRotation.h"
#include "imaging/filters/Watermark.h"
#include "imaging/image/BufferedImage.h"
#include "platform/xmlstore/MappedData.h"
#include "viewer/ViewerTestSupport.h"

using s::col::_array::ArrayP;
using s::image::filters::IFilter;
using s::image::gui::dialogs::imageview::EffectData;
using s::image::gui::dialogs::imageview::kMaxStoredFilters;
using viewertest::RegistryStore;
namespace flt = s::image::filters;

namespace {

// A set from the pool, released when the test ends.
struct Set {
    EffectData* d = EffectData::create();
    ~Set() { d->release(); }
    EffectData* operator->() { return d; }
};

// The chain's filter names in order.
std::vector<std::wstring> namesOf(ArrayP* chain) {
    std::vector<std::wstring> out;
    for (uint32_t i = 0; i < chain->count(); ++i) out.push_back(chain->at<IFilter>(i)->getFilterName());
    return out;
}

std::vector<std::wstring> chainOf(EffectData* set) {
    ArrayP* chain = set->buildChain();
    std::vector<std::wstring> names = namesOf(chain);
    chain->release();
    return names;
}

TEST(EffectDataTest, ChainSkipsFiltersTheSetLeavesOff) {
    struct Case {
        const char* what;
        void (*setUp)(EffectData*);
        std::vector<std::wstring> expected;
    } cases[] = {
        {"level 50 is off", [](EffectData* d) { d->filterOrder.addText(L"Level"); }, {}},
        {"level 49 is on", [](EffectData* d) { d->filterOrder.addText(L"Level"), d->level = 49; }, {L"Level"}},
        {"cut bottom alone", [](EffectData* d) { d->filterOrder.addText(L"Cut"), d->cutBottom = 5; }, {L"Cut"}},
        {"no cut", [](EffectData* d) { d->filterOrder.addText(L"Cut"); }, {}},
        {"letter case ignored",
         [](EffectData* d) { d->filterOrder.addText(L"sHARPNESS"), d->sharpness = 10; },
         {L"Sharpness"}},
        {"unknown and empty names skipped",
         [](EffectData* d) { d->filterOrder.addText(L"Blur"), d->filterOrder.addText(L""); },
         {}},
        {"SCALE always", [](EffectData* d) { d->filterOrder.addText(L"SCALE"); }, {L"SCALE"}},
        {"watermark needs text",
         [](EffectData* d) {
             d->filterOrder.addText(L"Watermark");
             d->filterOrder.addText(L"Watermark");
             d->watermarkText->setText(L"(c)");
         },
         {L"Watermark", L"Watermark"}},
        {"order kept",
         [](EffectData* d) {
             for (const wchar_t* n :
                  {L"Alpha", L"Flip", L"HSV", L"Monotone", L"FeatherFrame", L"ShearRotation", L"Curve"})
                 d->filterOrder.addText(n);
             d->alpha = 50, d->flipVertical = true, d->saturation = -10, d->monochrome = 2, d->mistyFrame = 3;
             d->rotation = 90, d->curve = 20;
         },
         {L"Alpha", L"Flip", L"HSV", L"Monotone", L"FeatherFrame", L"ShearRotation", L"Curve"}},
    };
    for (const Case& c : cases) {
        Set set;
        c.setUp(set.d);
        EXPECT_EQ(chainOf(set.d), c.expected) << c.what;
    }
}

TEST(EffectDataTest, ChainFiltersCarryTheSetsValuesAndStayWithTheChain) {
    Set set;
    for (const wchar_t* n : {L"Sharpness", L"ShearRotation", L"HSV", L"Watermark"}) set->filterOrder.addText(n);
    set->sharpness = 40;
    set->rotation = -30;
    set->hue = 12, set->saturation = -5, set->brightness = 7;
    set->watermarkText->setText(L"Glimmer");
    set->watermarkFont->setText(L"DejaVu Sans");
    set->watermarkColor = 0x00332211;  // red 0x11, green 0x22, blue 0x33
    set->watermarkOutlineColor = 0x00010203;
    ArrayP* chain = set->buildChain();
    ASSERT_EQ(chain->count(), 4u);
    for (uint32_t i = 0; i < chain->count(); ++i) EXPECT_FALSE(chain->at<IFilter>(i)->isReleasedWithImage());
    EXPECT_EQ(chain->at<flt::sharpness::Sharpness>(0)->getLevel(), 40);
    EXPECT_DOUBLE_EQ(chain->at<flt::rotation::Shear>(1)->angle, -30.0);
    auto* hsv = chain->at<flt::colors::Hsv>(2);
    EXPECT_EQ(hsv->hueShift, 12);
    EXPECT_EQ(hsv->saturationShift, -5);
    EXPECT_EQ(hsv->valueShift, 7);
    auto* wm = chain->at<flt::watermark::Watermark>(3);
    EXPECT_EQ(wm->text, L"Glimmer");
    EXPECT_EQ(wm->fontFace, L"DejaVu Sans");
    EXPECT_EQ(wm->fontSize, 8);
    EXPECT_EQ(wm->textRed, 0x11);
    EXPECT_EQ(wm->textGreen, 0x22);
    EXPECT_EQ(wm->textBlue, 0x33);
    EXPECT_EQ(wm->outlineRed, 3);
    EXPECT_EQ(wm->outlineBlue, 1);
    chain->release();
}

TEST(EffectDataTest, ScaleFilterFollowsTheSizingFields) {
    struct Case {
        int32_t type;
        int32_t mode;
        bool canvas;
    } cases[] = {{0, 0, false}, {1, 0, false}, {2, 1, false}, {3, 2, false}, {4, 0, true}, {5, 1, true}};
    for (const Case& c : cases) {
        Set set;
        set->sizingType = c.type;
        set->widthInPixels = true, set->widthPixels = 640;
        set->heightInPixels = false, set->heightPercent = 0;  // raised to 1
        set->keepRatio = false;
        flt::scale::ScaleFilter* f = set->makeScaleFilter(nullptr);
        EXPECT_EQ(f->mode, c.mode) << c.type;
        EXPECT_EQ(f->canvas, c.canvas) << c.type;
        EXPECT_EQ(f->width, 640);
        EXPECT_TRUE(f->widthAbsolute);
        EXPECT_EQ(f->height, 1);
        EXPECT_FALSE(f->heightAbsolute);
        EXPECT_FALSE(f->keepRatio);
        EXPECT_EQ(f->kernel, 1);
        f->release();
    }
    // A given filter keeps its kernel and, for an unknown type, its mode and canvas.
    Set set;
    set->sizingType = 9;
    flt::scale::ScaleFilter* given = flt::scale::ScaleFilter::create();
    given->kernel = 3, given->mode = 2, given->canvas = true;
    EXPECT_EQ(set->makeScaleFilter(given), given);
    EXPECT_EQ(given->kernel, 3);
    EXPECT_EQ(given->mode, 2);
    EXPECT_TRUE(given->canvas);
    given->release();
}

TEST(EffectDataTest, MakersAnswerNullAndTouchNothingWhenTheFilterIsOff) {
    Set set;
    auto* cut = flt::cut::Cut::create();
    cut->left = 7;
    EXPECT_EQ(set->makeCutFilter(cut), nullptr);
    EXPECT_EQ(cut->left, 7);
    EXPECT_EQ(set->makeFlipFilter(nullptr), nullptr);
    EXPECT_EQ(set->makeHsvFilter(nullptr), nullptr);
    EXPECT_EQ(set->makeWatermarkFilter(nullptr), nullptr);
    set->cutTop = 4;
    EXPECT_EQ(set->makeCutFilter(cut), cut);
    EXPECT_EQ(cut->left, 0);
    EXPECT_EQ(cut->top, 4);
    cut->release();
}

void fillEveryField(EffectData* d) {
    d->name->setText(L"Holiday");
    for (const wchar_t* n : {L"SCALE", L"Sharpness", L"Watermark"}) d->filterOrder.addText(n);
    d->isCustom = true, d->sharpness = -20, d->rotationAdded = true, d->rotation = 45, d->sizingAdded = true;
    d->widthInPixels = false, d->heightInPixels = true, d->widthPixels = 800, d->heightPixels = 600;
    d->keepRatio = false, d->sizingType = 3, d->widthPercent = 50, d->heightPercent = 75;
    d->cutLeft = 1, d->cutRight = 2, d->cutTop = 3, d->cutBottom = 4, d->mistyFrame = 5;
    d->flipHorizontal = true, d->flipVertical = true, d->monochrome = 2, d->hue = -90, d->saturation = 30;
    d->brightness = -40, d->level = 60, d->curve = 70, d->alpha = 80;
    d->watermarkFont->setText(L"DejaVu Serif");
    d->watermarkText->setText(L"© me");
    d->watermarkSize = 24, d->watermarkColor = 0x00FEDCBA, d->watermarkOutline = false;
    d->watermarkOutlineColor = 0x00ABCDEF, d->watermarkBold = false, d->watermarkItalic = true;
    d->bgType = 3, d->bgCustomColor = 0x00102030;
}

TEST(EffectDataTest, SaveAndLoadRoundTripThroughTheRegistryWithTheStoredTypes) {
    RegistryStore reg;
    Set saved;
    fillEveryField(saved.d);
    saved->save(reg.store(), L"MainWindow\\Filter\\_0");
    const std::wstring section = L"MainWindow\\Filter\\_0";
    EXPECT_EQ(reg.typeOf(section, L"EffectNameStr"), DWORD(REG_SZ));
    EXPECT_EQ(reg.typeOf(section, L"NumOfFilters"), DWORD(REG_DWORD));
    EXPECT_EQ(reg.textOf(section, L"_2"), L"Watermark");
    EXPECT_EQ(reg.typeOf(section, L"IsCustomEffect"), DWORD(REG_DWORD));
    EXPECT_EQ(reg.typeOf(section, L"WaterMarkColor"), DWORD(REG_DWORD));
    EXPECT_EQ(reg.dwordOf(section, L"WaterMarkColor"), 0x00FEDCBAu);
    EXPECT_EQ(reg.typeOf(section, L"WaterMarkTextStr"), DWORD(REG_SZ));

    Set loaded;
    loaded->load(reg.store(), section.c_str());
    EXPECT_TRUE(loaded->sameValues(saved.d));
    EffectData* copy = loaded->copy();
    EXPECT_TRUE(copy->sameValues(saved.d));
    EXPECT_NE(copy->filterOrder.at(0), loaded->filterOrder.at(0));  // strings of its own
    copy->release();
}

TEST(EffectDataTest, SaveAndLoadRoundTripThroughTheXmlStore) {
    s::xml::MappedData* store = s::xml::MappedData::create();
    Set saved, loaded;
    fillEveryField(saved.d);
    saved->save(store, L"MainWindow\\Filter\\_3");
    loaded->load(store, L"MainWindow\\Filter\\_3");
    EXPECT_TRUE(loaded->sameValues(saved.d));
    store->release();
}

TEST(EffectDataTest, LoadOfAMissingSectionGivesTheDefaults) {
    RegistryStore reg;
    Set loaded;
    loaded->load(reg.store(), L"MainWindow\\Filter\\_9");
    EXPECT_STREQ(loaded->name->text(), L"Filter Name");
    EXPECT_EQ(loaded->filterOrder.count(), 0u);
    EXPECT_STREQ(loaded->watermarkFont->text(), L"MS Shell Dlg 2");
    EXPECT_EQ(loaded->level, 50);
    EXPECT_EQ(loaded->alpha, 100);
    EXPECT_EQ(loaded->watermarkOutlineColor, 0xFFFFFFu);
}

TEST(EffectDataTest, MissingFilterNameLoadsAsAnEmptyNameThatAddsNothing) {
    RegistryStore reg;
    const std::wstring section = L"S";
    reg.putDword(section, L"NumOfFilters", 3);
    reg.putText(section, L"_0", L"Curve");
    reg.putText(section, L"_2", L"Curve");
    reg.putDword(section, L"CurveValue", 30);
    Set loaded;
    loaded->load(reg.store(), section.c_str());
    ASSERT_EQ(loaded->filterOrder.count(), 3u);
    EXPECT_TRUE(loaded->filterOrder.at(1)->isEmpty());
    EXPECT_EQ(chainOf(loaded.d), (std::vector<std::wstring>{L"Curve", L"Curve"}));
}

// A damaged or hostile store: the load ends at once, keeps at most the capped number of
// names, and every value lies where a panel could have put it.
TEST(EffectDataTest, HostileStoredValuesNeitherHangNorBreakTheChain) {
    struct Case {
        const char* what;
        DWORD count;
        DWORD value;  // written to every int key
        uint32_t expectedNames;
    } cases[] = {
        {"huge count", 0x7FFFFFFF, 0x7FFFFFFF, uint32_t(kMaxStoredFilters)},
        {"negative count", 0xFFFFFFFF, 0x80000000, 0},
        {"count just above the cap", DWORD(kMaxStoredFilters + 1), 0xFFFFFFFF, uint32_t(kMaxStoredFilters)},
    };
    const wchar_t* intKeys[] = {L"SharpnessValue", L"RotationValue",   L"StretchHPixelValue", L"StretchVPixelValue",
                                L"StretchHValue",  L"StretchVValue",   L"CutLeftValue",       L"CutRightValue",
                                L"CutTopValue",    L"CutBottomValue",  L"FeatherFrameValue",  L"MonotoneValue",
                                L"HueValue",       L"SaturationValue", L"BrightnessValue",    L"LevelValue",
                                L"CurveValue",     L"AlphaValue",      L"WaterMarkSize",      L"BgType",
                                L"SizingType"};
    for (const Case& c : cases) {
        RegistryStore reg;
        const std::wstring section = L"Filter\\_0";
        reg.putDword(section, L"NumOfFilters", c.count);
        for (const wchar_t* k : intKeys) reg.putDword(section, k, c.value);
        const wchar_t* all[] = {L"Sharpness", L"ShearRotation", L"SCALE", L"Cut",   L"Flip",  L"FeatherFrame",
                                L"Monotone",  L"HSV",           L"Level", L"Curve", L"Alpha", L"Watermark"};
        for (int i = 0; i < kMaxStoredFilters + 1; ++i)
            reg.putText(section, (L"_" + std::to_wstring(i)).c_str(), all[i % 12]);
        reg.putText(section, L"WaterMarkTextStr", L"x");

        Set loaded;
        const auto start = std::chrono::steady_clock::now();
        loaded->load(reg.store(), section.c_str());
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << c.what;
        EXPECT_EQ(loaded->filterOrder.count(), c.expectedNames) << c.what;
        EXPECT_GE(loaded->sharpness, -100);
        EXPECT_LE(loaded->sharpness, 100);
        EXPECT_GE(loaded->rotation, -180);
        EXPECT_LE(loaded->rotation, 180);
        EXPECT_GE(loaded->widthPixels, 1);
        EXPECT_LE(loaded->widthPixels, 32767);
        EXPECT_LE(loaded->cutLeft, 100);
        EXPECT_GE(loaded->cutLeft, 0);
        EXPECT_LE(loaded->mistyFrame, 25);
        EXPECT_LE(loaded->monochrome, 3);
        EXPECT_GE(loaded->level, 0);
        EXPECT_LE(loaded->alpha, 100);
        EXPECT_GE(loaded->watermarkSize, 1);
        EXPECT_LE(loaded->bgType, 5);

        // The chain runs over a small picture without failing.
        ArrayP* chain = loaded->buildChain();
        s::image::win::BufferedImage* img = s::image::win::BufferedImage::createSized(8, 8);
        for (uint32_t i = 0; i < chain->count(); ++i) {
            IFilter* f = chain->at<IFilter>(i);
            if (f->getFilterName() == flt::scale::ScaleFilter::NAME) continue;  // sizes are checked above
            s::image::win::BufferedImage* out = f->apply(img, nullptr);
            if (out) out->release();
        }
        img->release();
        chain->release();
    }
}

TEST(EffectDataTest, HostileCountsInTheXmlStoreAreCappedToo) {
    struct Case {
        const wchar_t* count;
        int64_t expected;  // -1: any number up to the cap
    } cases[] = {{L"4000000000", -1}, {L"2147483647", kMaxStoredFilters}, {L"-7", 0}, {L"lots", 0}};
    for (const Case& c : cases) {
        s::xml::MappedData* store = s::xml::MappedData::create();
        store->setString(L"Filter\\_0", L"NumOfFilters", c.count);
        Set loaded;
        loaded->load(store, L"Filter\\_0");
        EXPECT_LE(loaded->filterOrder.count(), uint32_t(kMaxStoredFilters));
        if (c.expected >= 0) EXPECT_EQ(int64_t(loaded->filterOrder.count()), c.expected);
        store->release();
    }
}

TEST(EffectDataTest, ValuesOfTheWrongTypeReadAsTheSetsOwn) {
    RegistryStore reg;
    const std::wstring section = L"Filter\\_0";
    reg.putText(section, L"NumOfFilters", L"1000000000");
    reg.putText(section, L"SharpnessValue", L"50");
    reg.putDword(section, L"EffectNameStr", 7);
    reg.putDword(section, L"_0", 7);
    const unsigned char junk[3] = {1, 2, 3};
    reg.putBinary(section, L"LevelValue", junk, 3);
    Set loaded;
    loaded->load(reg.store(), section.c_str());
    EXPECT_EQ(loaded->filterOrder.count(), 0u);
    EXPECT_EQ(loaded->sharpness, 0);
    EXPECT_EQ(loaded->level, 50);
    EXPECT_STREQ(loaded->name->text(), L"Filter Name");
}

TEST(EffectDataTest, BuiltInSets) {
    EffectData* sets[] = {EffectData::makeMaxSharpness(L"Max Sharpness"),
                          EffectData::makeClearPhoto(L"Clear Photo"),
                          EffectData::makeCartoonReader(L"Cartoon Reader", 1000, 700),
                          EffectData::makeGrayscale(L"Grayscale"),
                          EffectData::makeBoxSharpen(L"Box (250 x 250) + Sharpen"),
                          EffectData::makeBoxFillSharpen(L"Box Fill (250 x 250) + Sharpen")};
    const std::vector<std::wstring> chains[] = {
        {L"Sharpness"}, {L"Sharpness", L"Curve"}, {L"SCALE", L"Sharpness", L"Curve"},
        {L"Monotone"},  {L"SCALE", L"Sharpness"}, {L"SCALE", L"Sharpness"}};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(chainOf(sets[i]), chains[i]) << i;
    EXPECT_EQ(sets[2]->widthPixels, 1000);
    EXPECT_EQ(sets[2]->heightPixels, 700);
    EXPECT_EQ(sets[2]->bgType, 0);
    EXPECT_EQ(sets[4]->sizingType, 1);
    EXPECT_EQ(sets[5]->sizingType, 4);
    EXPECT_EQ(sets[5]->widthPixels, 250);
    EXPECT_EQ(sets[0]->bgType, 4);
    for (EffectData* s : sets) s->release();
}

}  // namespace
