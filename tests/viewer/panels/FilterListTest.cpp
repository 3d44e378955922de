// The filter list of the shown picture: each filter added to every frame of an animated
// picture with its name kept in the set's order, removed from every frame by identity,
// a filter that is not listed left alone, and the list's filters kept out of the
// frames' hands (a picture that drops them does not give them back to their pools).
#include "viewer/panels/FilterList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/col/Array.h"
#include "foundation/str/StrArray.h"
#include "foundation/str/StrBuffer.h"
#include "gui/controls/Image.h"
#include "imaging/filters/ColorFilters.h"
#include "imaging/filters/Geometry.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"

namespace {

using s::image::gui::dialogs::imageview::FilterList;
using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
namespace flt = s::image::filters;

class FilterListTest : public ::testing::Test {
protected:
    void SetUp() override {
        view = s::gui::win::Image::create();
        BufferedImageSet* set = BufferedImageSet::create();
        for (int i = 0; i < 3; ++i) {
            BufferedImage* frame = BufferedImage::createSized(8, 6);
            frame->fill(255, uint8_t(40 * i), 90, 200);
            set->addFrame(frame, 32, 100, 0);
        }
        set->setAnimation(true, 0);
        view->setImageSet(set, true, false, false, false, -1, -1);
    }
    void TearDown() override {
        for (int32_t i = 0; i < view->getFrameCount(); ++i) view->clearFrameFilters(i);
        list.clear();
        view->release();
    }
    std::vector<std::wstring> names() {
        std::vector<std::wstring> out;
        for (uint32_t i = 0; i < order.count(); ++i) out.push_back(order.at(i)->text());
        return out;
    }
    // The filters of frame i, by identity.
    std::vector<flt::IFilter*> frameFilters(int32_t i) {
        std::vector<flt::IFilter*> out;
        s::col::_array::ArrayP* filters = view->getFrameFilters(i);
        for (uint32_t j = 0; filters && j < filters->count(); ++j) out.push_back(filters->at<flt::IFilter>(j));
        return out;
    }

    s::str::strarray::StrArray order;
    FilterList list{&order};
    s::gui::win::Image* view = nullptr;
};

TEST_F(FilterListTest, AddAndRemoveReachEveryFrameAndKeepTheNamesInStep) {
    auto* level = flt::colors::Level::create();
    level->level = 30;
    auto* flip = flt::flip::Flip::create();
    flip->horizontal = true;
    auto* alpha = flt::colors::Alpha::create();
    alpha->opacity = 40;
    list.add(level, view);
    list.add(flip, view);
    list.add(alpha, view);
    EXPECT_FALSE(level->isReleasedWithImage());
    EXPECT_EQ(names(), (std::vector<std::wstring>{L"Level", L"Flip", L"Alpha"}));
    EXPECT_EQ(list.find(L"Flip"), flip);
    EXPECT_EQ(list.find(L"Curve"), nullptr);
    for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(frameFilters(i), (std::vector<flt::IFilter*>{level, flip, alpha}));

    list.remove(flip, view);
    EXPECT_EQ(names(), (std::vector<std::wstring>{L"Level", L"Alpha"}));
    for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(frameFilters(i), (std::vector<flt::IFilter*>{level, alpha}));

    // Not in the list: nothing changes, and the filter stays its owner's.
    auto* stranger = flt::colors::Curve::create();
    list.remove(stranger, view);
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(names(), (std::vector<std::wstring>{L"Level", L"Alpha"}));
    stranger->release();

    // Frames applying their filters give the listed filters back to nobody.
    for (int32_t i = 0; i < 3; ++i) ASSERT_NE(view->applyFrameFilters(i), nullptr);
    for (int32_t i = 0; i < 3; ++i) view->clearFrameFilters(i);
    EXPECT_EQ(level->level, 30);
    EXPECT_EQ(alpha->opacity, 40);
}

TEST_F(FilterListTest, AttachAllPutsTheListOnAFreshPictureInOrder) {
    auto* level = flt::colors::Level::create();
    level->level = 70;
    auto* curve = flt::colors::Curve::create();
    curve->strength = 20;
    list.add(level, nullptr);  // no picture: the list only
    list.add(curve, nullptr);
    for (int32_t i = 0; i < 3; ++i) EXPECT_TRUE(frameFilters(i).empty());
    list.attachAll(view);
    for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(frameFilters(i), (std::vector<flt::IFilter*>{level, curve}));
    for (int32_t i = 0; i < 3; ++i) view->clearFrameFilters(i);
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(order.count(), 0u);
}

}  // namespace
