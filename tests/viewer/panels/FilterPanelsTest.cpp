// The number, geometry, flip and monochrome panels on a real window, driven through their
// own controls: the values they keep, the one filter per name they put on the picture,
// the shown pixels against the filter chain's own result, and what a new picture, a
// reset and a loaded set do to them.
#include "viewer/panels/FilterPanels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "viewer/panels/FilterPanelsTestSupport.h"

namespace filterpanelstest {
namespace {

using iv::NumericKind;

// ---- the number panels

enum class Act { kType, kStep, kReset, kSlide };

struct NumberCase {
    const char* name;
    NumericKind kind;
    int32_t start;  // set through the field first
    Act act;
    int32_t arg;            // step delta or slider position
    const wchar_t* typed;   // for kType
    int32_t expected;       // value afterwards
    const wchar_t* filter;  // the filter expected in the list afterwards, or null for none
};

const NumberCase kNumberCases[] = {
    {"typed sharpness beyond the range does nothing", NumericKind::kSharpness, 40, Act::kType, 0, L"250", 40,
     L"Sharpness"},
    {"sharpness +10 at 95 stops at 100", NumericKind::kSharpness, 95, Act::kStep, 10, nullptr, 100, L"Sharpness"},
    {"sharpness +2 at 99 clamps to 100", NumericKind::kSharpness, 99, Act::kStep, 2, nullptr, 100, L"Sharpness"},
    {"sharpness -10 at -95 stops at -100", NumericKind::kSharpness, -95, Act::kStep, -10, nullptr, -100, L"Sharpness"},
    {"sharpness slider 150 is 50", NumericKind::kSharpness, 0, Act::kSlide, 150, nullptr, 50, L"Sharpness"},
    {"rotation 170 + 30 wraps to -160", NumericKind::kRotate, 170, Act::kStep, 30, nullptr, -160, L"ShearRotation"},
    {"rotation -170 - 90 wraps to 100", NumericKind::kRotate, -170, Act::kStep, -90, nullptr, 100, L"ShearRotation"},
    {"typed rotation 250 wraps to -110", NumericKind::kRotate, 0, Act::kType, 0, L"250", -110, L"ShearRotation"},
    {"rotation slider 90 is -90", NumericKind::kRotate, 0, Act::kSlide, 90, nullptr, -90, L"ShearRotation"},
    {"misty frame +1 at 25 is ignored", NumericKind::kMisty, 25, Act::kStep, 1, nullptr, 25, L"FeatherFrame"},
    {"misty frame -1 at 1 is off", NumericKind::kMisty, 1, Act::kStep, -1, nullptr, 0, nullptr},
    {"hue +1 at 180 is ignored", NumericKind::kHue, 180, Act::kStep, 1, nullptr, 180, L"HSV"},
    {"hue +5 at 178 stops at 180", NumericKind::kHue, 178, Act::kStep, 5, nullptr, 180, L"HSV"},
    {"hue slider 0 is -180", NumericKind::kHue, 0, Act::kSlide, 0, nullptr, -180, L"HSV"},
    {"saturation -1 at -100 is ignored", NumericKind::kSaturation, -100, Act::kStep, -1, nullptr, -100, L"HSV"},
    {"brightness reset is off", NumericKind::kBrightness, 30, Act::kReset, 0, nullptr, 0, nullptr},
    {"level reset returns to 50 and drops the filter", NumericKind::kLevel, 20, Act::kReset, 0, nullptr, 50, nullptr},
    {"level typed 101 is ignored", NumericKind::kLevel, 60, Act::kType, 0, L"101", 60, L"Level"},
    {"curve -5 at 3 stops at 0 and drops the filter", NumericKind::kCurve, 3, Act::kStep, -5, nullptr, 0, nullptr},
    {"alpha slider 100 drops the filter", NumericKind::kAlpha, 40, Act::kSlide, 100, nullptr, 100, nullptr},
    {"alpha slider 60 keeps one filter", NumericKind::kAlpha, 40, Act::kSlide, 60, nullptr, 60, L"Alpha"},
    {"alpha text that is no number does nothing", NumericKind::kAlpha, 40, Act::kType, 0, L"4x", 40, L"Alpha"},
};

int32_t valueOf(const iv::EffectData* d, NumericKind kind) {
    switch (kind) {
        case NumericKind::kSharpness: return d->sharpness;
        case NumericKind::kHue: return d->hue;
        case NumericKind::kSaturation: return d->saturation;
        case NumericKind::kBrightness: return d->brightness;
        case NumericKind::kLevel: return d->level;
        case NumericKind::kCurve: return d->curve;
        case NumericKind::kAlpha: return d->alpha;
        case NumericKind::kRotate: return d->rotation;
        case NumericKind::kMisty: return d->mistyFrame;
        default: return 0;
    }
}

TEST_F(FilterPanelsTest, NumberPanelsKeepTheirRangesAndOneFilterPerName) {
    BufferedImage* picture = pattern(24, 16);
    openPicture(picture);
    for (const NumberCase& c : kNumberCases) {
        SCOPED_TRACE(c.name);
        runner->run([this] { panels->resetFilterPanels(false, false, true); });
        const iv::NumericPanel& p = panel(c.kind);
        type(p.field, std::to_wstring(c.start).c_str());
        ASSERT_EQ(valueOf(host.values, c.kind), c.start);
        switch (c.act) {
            case Act::kType: type(p.field, c.typed); break;
            case Act::kStep: click(step(c.kind, c.arg)); break;
            case Act::kReset: click(p.reset); break;
            case Act::kSlide: slide(p.slider, c.arg); break;
        }
        EXPECT_EQ(valueOf(host.values, c.kind), c.expected);
        const iv::NumberRule& rule = iv::numberRule(c.kind);
        EXPECT_EQ(p.slider->getPosition(), c.expected + rule.offset);
        if (c.act == Act::kStep || c.act == Act::kReset || c.act == Act::kSlide) {
            EXPECT_EQ(textOf(p.field), std::to_wstring(c.expected));
        }
        if (c.filter) {
            EXPECT_EQ(filterNames(), std::vector<std::wstring>{c.filter});
        } else {
            EXPECT_TRUE(filterNames().empty());
        }
        EXPECT_EQ(filterNames(), orderNames());
        EXPECT_EQ(difference(shownFrame(), chainResult(host.values, picture)), "");
    }
    picture->release();
}

TEST_F(FilterPanelsTest, HueSaturationAndBrightnessShareOneFilterThatGoesAtNeutral) {
    BufferedImage* picture = pattern(20, 20);
    openPicture(picture);
    type(panel(NumericKind::kHue).field, L"40");
    type(panel(NumericKind::kSaturation).field, L"-30");
    click(step(NumericKind::kBrightness, 5));
    EXPECT_EQ(filterNames(), std::vector<std::wstring>{L"HSV"});
    EXPECT_EQ(difference(shownFrame(), chainResult(host.values, picture)), "");
    click(panel(NumericKind::kHue).reset);
    click(panel(NumericKind::kSaturation).reset);
    EXPECT_EQ(filterNames(), std::vector<std::wstring>{L"HSV"});
    click(panel(NumericKind::kBrightness).reset);
    EXPECT_TRUE(filterNames().empty());
    EXPECT_TRUE(orderNames().empty());
    EXPECT_EQ(difference(shownFrame(), picture), "");
    picture->release();
}

// Many panels at once: the list keeps the order of first use, each name once, and the
// picture shows exactly what the set's own chain makes of it.
TEST_F(FilterPanelsTest, ShownPixelsEqualTheChainOfTheCurrentValues) {
    BufferedImage* picture = pattern(48, 32);
    openPicture(picture);
    type(panel(NumericKind::kSharpness).field, L"60");
    click(step(NumericKind::kRotate, 90));
    type(panel(NumericKind::kLevel).field, L"35");
    click(panels->flip().horizontal);
    click(panels->monochrome().sepia);
    type(panels->cutLeftRight().first, L"10");
    type(panels->cutTopBottom().second, L"25");
    type(panel(NumericKind::kMisty).field, L"3");
    type(panel(NumericKind::kCurve).field, L"40");
    type(panel(NumericKind::kSharpness).field, L"20");  // an update, not a second filter
    EXPECT_EQ(filterNames(), (std::vector<std::wstring>{L"Sharpness", L"ShearRotation", L"Level", L"Flip", L"Monotone",
                                                        L"Cut", L"FeatherFrame", L"Curve"}));
    EXPECT_EQ(filterNames(), orderNames());
    EXPECT_TRUE(host.values->flipHorizontal);
    EXPECT_EQ(host.values->monochrome, 2);
    EXPECT_EQ(host.values->cutLeft, 10);
    EXPECT_EQ(host.values->cutBottom, 25);
    EXPECT_TRUE(host.values->rotationAdded);
    BufferedImage* expected = chainResult(host.values, picture);
    EXPECT_EQ(difference(shownFrame(), expected), "");
    // The quarter turn and the cuts change the size: the size base follows the shown picture.
    int32_t w = 0, h = 0;
    panels->sizeBase(&w, &h);
    EXPECT_EQ(w, expected->getWidth());
    EXPECT_EQ(h, expected->getHeight());
    EXPECT_EQ(view->getImageWidth(), expected->getWidth());
    expected->release();
    picture->release();
}

TEST_F(FilterPanelsTest, FlipAndMonochromeButtonsSetTheirValues) {
    BufferedImage* picture = pattern(10, 8);
    openPicture(picture);
    click(panels->flip().vertical);
    EXPECT_TRUE(host.values->flipVertical);
    EXPECT_TRUE(panels->flip().vertical->isToggled());
    click(panels->flip().horizontal);
    click(panels->flip().vertical);
    EXPECT_TRUE(host.values->flipHorizontal);
    EXPECT_FALSE(host.values->flipVertical);
    EXPECT_EQ(filterNames(), std::vector<std::wstring>{L"Flip"});
    click(panels->flip().reset);
    EXPECT_FALSE(host.values->flipHorizontal);
    EXPECT_FALSE(panels->flip().horizontal->isToggled());
    EXPECT_TRUE(filterNames().empty());
    const std::pair<s::gui::win::Button*, int32_t> modes[] = {
        {panels->monochrome().grayscale, 1}, {panels->monochrome().desaturate, 3}, {panels->monochrome().sepia, 2}};
    for (const auto& [button, mode] : modes) {
        click(button);
        EXPECT_EQ(host.values->monochrome, mode);
        EXPECT_EQ(filterNames(), std::vector<std::wstring>{L"Monotone"});
        EXPECT_EQ(difference(shownFrame(), chainResult(host.values, picture)), "");
    }
    click(panels->monochrome().reset);
    EXPECT_EQ(host.values->monochrome, 0);
    EXPECT_TRUE(filterNames().empty());
    picture->release();
}

// The part of the picture in the middle of the view stays there when the picture turns.
TEST_F(FilterPanelsTest, RotationKeepsTheViewedPointOfThePicture) {
    BufferedImage* picture = pattern(40, 40);
    openPicture(picture);
    host.centreX = 0.75;  // right of the middle
    host.centreY = 0.5;
    click(step(NumericKind::kRotate, 90));  // a quarter turn clockwise: now below the middle
    EXPECT_NEAR(host.keptX, 0.5, 1e-9);
    EXPECT_NEAR(host.keptY, 0.75, 1e-9);
    host.centreX = 0.5;
    host.centreY = 0.75;
    click(step(NumericKind::kRotate, -90));  // and back
    EXPECT_NEAR(host.keptX, 0.75, 1e-9);
    EXPECT_NEAR(host.keptY, 0.5, 1e-9);
    EXPECT_FALSE(host.values->rotationAdded);
    EXPECT_TRUE(filterNames().empty());
    picture->release();
}

// ---- cut

TEST_F(FilterPanelsTest, CutSlidersStartWithTheWholeRangeBetweenTheirThumbs) {
    for (const iv::CutPanel* p : {&panels->cutLeftRight(), &panels->cutTopBottom()}) {
        EXPECT_EQ(p->slider->getPosition(), 0);
        EXPECT_EQ(p->slider->getUpperPosition(), 100);
        EXPECT_EQ(textOf(p->first), L"0");
        EXPECT_EQ(textOf(p->second), L"0");
    }
}

TEST_F(FilterPanelsTest, CutSlidersSetTheirPairAndEachResetButtonClearsItsOwn) {
    BufferedImage* picture = pattern(40, 40);
    openPicture(picture);
    host.fitWindowToImage = true;
    slide(panels->cutLeftRight().slider, 20);
    EXPECT_FALSE(host.fitWindowToImage);  // moving a cut slider leaves fit window to image
    slideSecond(panels->cutLeftRight().slider, 70);
    slide(panels->cutTopBottom().slider, 10);
    slideSecond(panels->cutTopBottom().slider, 95);
    EXPECT_EQ(host.values->cutLeft, 20);
    EXPECT_EQ(host.values->cutRight, 30);
    EXPECT_EQ(host.values->cutTop, 10);
    EXPECT_EQ(host.values->cutBottom, 5);
    EXPECT_EQ(textOf(panels->cutLeftRight().second), L"30");
    EXPECT_EQ(filterNames(), std::vector<std::wstring>{L"Cut"});
    EXPECT_EQ(difference(shownFrame(), chainResult(host.values, picture)), "");

    click(panels->cutTopBottom().reset);  // top and bottom only
    EXPECT_EQ(host.values->cutTop, 0);
    EXPECT_EQ(host.values->cutBottom, 0);
    EXPECT_EQ(host.values->cutLeft, 20);
    EXPECT_EQ(host.values->cutRight, 30);
    EXPECT_EQ(panels->cutTopBottom().slider->getPosition(), 0);
    EXPECT_EQ(panels->cutTopBottom().slider->getUpperPosition(), 100);
    EXPECT_EQ(textOf(panels->cutTopBottom().first), L"0");
    EXPECT_EQ(difference(shownFrame(), chainResult(host.values, picture)), "");

    type(panels->cutTopBottom().first, L"150");  // clamped
    EXPECT_EQ(host.values->cutTop, 100);
    click(panels->cutLeftRight().reset);  // all four
    EXPECT_EQ(host.values->cutTop, 0);
    EXPECT_EQ(host.values->cutLeft, 0);
    EXPECT_EQ(host.values->cutRight, 0);
    EXPECT_TRUE(filterNames().empty());
    EXPECT_EQ(view->getImageWidth(), 40);
    picture->release();
}

// ---- size and stretch

TEST_F(FilterPanelsTest, SizeFieldsKeepTheRatioAndTheResetDropsTheFilter) {
    BufferedImage* picture = pattern(80, 40);
    openPicture(picture);
    EXPECT_EQ(textOf(panels->size().width), L"80");
    EXPECT_EQ(textOf(panels->size().height), L"40");
    type(panels->size().width, L"40");
    EXPECT_EQ(host.values->widthPixels, 40);
    EXPECT_EQ(host.values->heightPixels, 20);
    EXPECT_EQ(textOf(panels->size().height), L"20");
    EXPECT_EQ(host.values->widthPercent, 50);
    EXPECT_EQ(textOf(panels->numeric(NumericKind::kStretchV).field), L"50");
    EXPECT_TRUE(host.values->sizingAdded);
    EXPECT_EQ(filterNames(), std::vector<std::wstring>{L"SCALE"});
    EXPECT_EQ(view->getImageWidth(), 40);
    EXPECT_EQ(difference(shownFrame(), chainResult(host.values, picture)), "");

    click(panels->size().reset);
    EXPECT_FALSE(host.values->sizingAdded);
    EXPECT_TRUE(filterNames().empty());
    EXPECT_EQ(view->getImageWidth(), 80);
    EXPECT_EQ(host.values->widthPercent, 100);

    click(panels->size().minus);  // 95 %, rounded down
    EXPECT_EQ(host.values->widthPixels, 76);
    EXPECT_EQ(host.values->heightPixels, 38);
    host.scale = 2.0;
    host.fitImageToWindow = true;
    click(panels->size().plus);  // 105 %, rounded up, at scale 1
    EXPECT_EQ(host.values->widthPixels, 80);
    EXPECT_EQ(host.scale, 1.0);
    EXPECT_FALSE(host.fitImageToWindow);
    picture->release();
}

TEST_F(FilterPanelsTest, StretchSliderAbove100ReachesTheSizeLimit) {
    BufferedImage* picture = pattern(100, 50);
    openPicture(picture);
    int32_t mw = 0, mh = 0;
    panels->sizeMax(&mw, &mh);
    EXPECT_EQ(mw, 2000);
    EXPECT_EQ(mh, 2000);
    const iv::NumericPanel& h = panels->numeric(NumericKind::kStretchH);
    slide(h.slider, 101);  // (2000 - 100) * 1 / 100 + 100
    EXPECT_EQ(host.values->widthPercent, 119);
    EXPECT_FALSE(host.values->keepRatio);
    EXPECT_EQ(view->getImageWidth(), 119);
    EXPECT_EQ(view->getImageHeight(), 50);
    slide(h.slider, 50);
    EXPECT_EQ(host.values->widthPercent, 50);
    EXPECT_EQ(textOf(h.field), L"50");
    type(h.field, L"5000");  // beyond the limit: lowered to 2000 pixels
    EXPECT_EQ(host.values->widthPercent, 2000);
    EXPECT_EQ(view->getImageWidth(), 2000);
    EXPECT_EQ(h.slider->getPosition(), 200);
    click(h.reset);
    EXPECT_EQ(host.values->widthPercent, 100);
    EXPECT_TRUE(filterNames().empty());
    picture->release();
}

TEST_F(FilterPanelsTest, StretchSliderWithoutAPictureReturnsTo100) {
    const iv::NumericPanel& v = panels->numeric(NumericKind::kStretchV);
    slide(v.slider, 150);
    EXPECT_EQ(v.slider->getPosition(), 100);
    EXPECT_EQ(host.values->heightPercent, 100);
    EXPECT_TRUE(filterNames().empty());
}

TEST_F(FilterPanelsTest, SizeTypeOtherThanExactKeepsTheRatio) {
    BufferedImage* picture = pattern(60, 30);
    openPicture(picture);
    click(panels->size().keepRatio);  // off for exact sizes
    EXPECT_FALSE(host.values->keepRatio);
    choose(panels->size().type, 1);  // "Box"
    EXPECT_EQ(host.values->sizingType, 1);
    EXPECT_TRUE(host.values->keepRatio);
    EXPECT_TRUE(panels->size().keepRatio->isToggled());
    click(panels->size().keepRatio);  // ignored for a box
    EXPECT_TRUE(host.values->keepRatio);
    EXPECT_TRUE(panels->size().keepRatio->isToggled());
    picture->release();
}

// ---- pictures, lock, reset, sets

TEST_F(FilterPanelsTest, NewPictureClearsThePanelsUnlessLocked) {
    BufferedImage* first = pattern(30, 20);
    BufferedImage* second = pattern(26, 18);
    openPicture(first);
    type(panel(NumericKind::kLevel).field, L"30");
    click(panels->flip().horizontal);
    runner->run([this] { panels->setLocked(true); });
    openPicture(second);
    EXPECT_EQ(filterNames(), (std::vector<std::wstring>{L"Level", L"Flip"}));
    EXPECT_EQ(host.values->level, 30);
    EXPECT_EQ(difference(shownFrame(), chainResult(host.values, second)), "");
    ASSERT_NE(shownFrame(), nullptr);
    EXPECT_NE(difference(shownFrame(), second), "");

    runner->run([this] { panels->setLocked(false); });
    openPicture(first);
    EXPECT_TRUE(filterNames().empty());
    EXPECT_TRUE(orderNames().empty());
    EXPECT_EQ(host.values->level, 50);
    EXPECT_FALSE(host.values->flipHorizontal);
    EXPECT_EQ(textOf(panel(NumericKind::kLevel).field), L"50");
    EXPECT_EQ(panel(NumericKind::kLevel).slider->getPosition(), 50);
    EXPECT_EQ(textOf(panel(NumericKind::kSharpness).field), L"");
    EXPECT_EQ(panel(NumericKind::kHue).slider->getPosition(), 180);
    EXPECT_EQ(difference(shownFrame(), first), "");
    first->release();
    second->release();
}

TEST_F(FilterPanelsTest, PanelChangeWithoutAPictureTellsTheController) {
    const int before = host.changes;
    type(panel(NumericKind::kCurve).field, L"20");
    EXPECT_EQ(host.changes, before + 1);
    EXPECT_EQ(filterNames(), std::vector<std::wstring>{L"Curve"});
    // The next picture opened with the lock off starts neutral; the controller applies the
    // pending set itself.
}

TEST_F(FilterPanelsTest, LoadedSetShowsItsValuesAndFilters) {
    BufferedImage* picture = pattern(40, 30);
    openPicture(picture);
    iv::EffectData* set = iv::EffectData::makeClearPhoto(L"Clear Photo");
    set->filterOrder.addText(L"HSV");
    set->filterOrder.addText(L"Cut");
    set->hue = 20;
    set->cutRight = 10;
    set->bgType = 2;
    runner->run([&] { panels->resetFilterPanels(false, false, true); });
    const int changesBefore = host.changes;
    runner->run([&] { panels->loadValues(set); });
    // Loading a set is no change of the current values: the selection stays on the set.
    EXPECT_EQ(host.changes, changesBefore);
    EXPECT_EQ(filterNames(), (std::vector<std::wstring>{L"Sharpness", L"Curve", L"HSV", L"Cut"}));
    EXPECT_EQ(textOf(panel(NumericKind::kSharpness).field), L"80");
    EXPECT_EQ(panel(NumericKind::kCurve).slider->getPosition(), 100);
    EXPECT_EQ(textOf(panels->cutLeftRight().second), L"10");
    EXPECT_EQ(panels->background().type->getSelectedItem()->getData(), 2);
    EXPECT_FALSE(panels->isLoadingFilterSet());
    EXPECT_EQ(difference(shownFrame(), chainResult(set, picture)), "");
    set->release();
    picture->release();
}

TEST_F(FilterPanelsTest, EveryChooserCommandHasItsPanelAndNoOther) {
    for (int32_t command : kCommands) EXPECT_NE(panels->panelFor(command), nullptr) << command;
    for (int32_t command : {3000, 4700, 4100, 4120, 4820, 0}) EXPECT_EQ(panels->panelFor(command), nullptr);
    EXPECT_EQ(panels->panelFor(4420), panels->numeric(NumericKind::kStretchH).box);
    EXPECT_EQ(panels->panelFor(4470), panels->cutTopBottom().box);
}

}  // namespace
}  // namespace filterpanelstest
