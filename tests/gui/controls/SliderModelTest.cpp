// The slider's numbers without a window: what the setters and the user's moves store,
// which moves count as a change, where a press lands on two drawn thumbs at each screen
// scale, and the value under a pointer on the channel.
#include "gui/controls/SliderModel.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using s::gui::win::SliderModel;

SliderModel twoThumbs(int32_t first, int32_t second, int32_t minimum = 0, int32_t maximum = 100) {
    SliderModel m;
    m.setRange(minimum, maximum);
    m.setTwoThumbs(true);
    m.setSecondPosition(second);
    m.setPosition(first);
    return m;
}

TEST(SliderModelTest, SettersLimitToTheRange) {
    struct Case {
        int32_t minimum, maximum, asked, stored;
    } cases[] = {
        {0, 100, 150, 100}, {0, 100, -5, 0}, {0, 100, 42, 42}, {10, 20, 0, 10},
        {-50, -10, 0, -10}, {5, 5, 9, 5},    {9, 3, 7, 9},  // an inverted range holds the minimum
    };
    for (const Case& c : cases) {
        SliderModel m;
        m.setRange(c.minimum, c.maximum);
        m.setPosition(c.asked);
        EXPECT_EQ(m.position(), c.stored) << c.minimum << ".." << c.maximum << " asked " << c.asked;
    }
}

TEST(SliderModelTest, LinkedThumbsKeepTheirOrder) {
    SliderModel m = twoThumbs(0, 40);
    m.setPosition(60);
    EXPECT_EQ(m.position(), 39);
    m.setSecondPosition(10);
    EXPECT_EQ(m.secondPosition(), 40);  // not below the first + 1
    m.setTwoThumbs(false);
    m.setPosition(60);
    EXPECT_EQ(m.position(), 60);
}

// Each row: thumb moved, the values it is moved to in turn, the stored positions after
// them, and how many moves counted as a change.
TEST(SliderModelTest, UserMovesChangeOnlyWhenTheValueDoes) {
    struct Case {
        int32_t thumb;
        std::vector<int32_t> moves;
        int32_t first, second, changes;
    } cases[] = {
        {0, {70}, 59, 60, 1},                                // the first stops below the second
        {0, {65, 70, 59}, 59, 60, 1},                        // pushing on at the stop changes nothing
        {1, {10}, 30, 31, 1},                                // the second stops above the first
        {1, {31, 20}, 30, 31, 1},     {0, {30}, 30, 60, 0},  // the same value is no change
        {1, {150}, 30, 100, 1},       {0, {-5, 0}, 0, 60, 1}, {0, {40, 45, 50}, 50, 60, 3},
    };
    for (const Case& c : cases) {
        SliderModel m = twoThumbs(30, 60);
        int32_t changes = 0;
        for (int32_t v : c.moves) changes += m.moveThumb(c.thumb, v) ? 1 : 0;
        EXPECT_EQ(m.position(), c.first) << "thumb " << c.thumb << " row of " << c.moves.size();
        EXPECT_EQ(m.secondPosition(), c.second) << "thumb " << c.thumb;
        EXPECT_EQ(changes, c.changes) << "thumb " << c.thumb;
    }
}

TEST(SliderModelTest, ASingleThumbAtTheTopTakesNoChangeFromAnOverlargeValue) {
    SliderModel m;
    m.setPosition(100);
    EXPECT_FALSE(m.moveFirst(150));
    EXPECT_EQ(m.position(), 100);
}

TEST(SliderModelTest, LinkedThumbsAtTheEdgesOfTheRangeStayInside) {
    SliderModel low = twoThumbs(0, 0);  // the second cannot sit on the first
    EXPECT_EQ(low.position(), 0);
    EXPECT_EQ(low.secondPosition(), 1);
    EXPECT_FALSE(low.moveFirst(50));
    SliderModel single = twoThumbs(0, 0, 0, 0);  // no room for two: both stay in the range
    EXPECT_EQ(single.position(), 0);
    EXPECT_EQ(single.secondPosition(), 0);
    EXPECT_FALSE(single.moveSecond(-3));
}

// A press in the middle of a drawn thumb takes that thumb at every scale: the thumbs are
// 10 x scale wide at (w - 10 x scale) x (position - minimum) / range.
TEST(SliderModelTest, APressOnADrawnThumbTakesThatThumbAtEveryScale) {
    const int32_t width = 200;
    for (int32_t scale : {1, 2, 4}) {
        const int32_t thumb = 10 * scale;
        SliderModel m = twoThumbs(30, 60);
        const int32_t x1 = (width - thumb) * 30 / 100, x2 = (width - thumb) * 60 / 100;
        EXPECT_EQ(m.thumbAt(x1 + thumb / 2, width, scale), 0) << "scale " << scale;
        EXPECT_EQ(m.thumbAt(x2 + thumb / 2, width, scale), 1) << "scale " << scale;
        EXPECT_EQ(m.thumbAt(x2 + thumb - 1, width, scale), 1) << "scale " << scale;
        EXPECT_EQ(m.thumbAt(x2 + thumb, width, scale), -1) << "scale " << scale;
        EXPECT_EQ(m.thumbAt((x1 + thumb + x2) / 2, width, scale), -1) << "scale " << scale;
    }
}

TEST(SliderModelTest, ThumbPlacesCountFromTheMinimum) {
    // 100..200 at 150 and 200: the first thumb in the middle, the second at the right end.
    SliderModel m = twoThumbs(150, 200, 100, 200);
    EXPECT_EQ(m.thumbAt(90 + 5, 190, 1), 0);
    EXPECT_EQ(m.thumbAt(185, 190, 1), 1);
    EXPECT_EQ(m.thumbAt(5, 190, 1), -1);
}

TEST(SliderModelTest, AnEmptyRangeDrawsAndHitsBothThumbsAtTheLeft) {
    SliderModel m;
    m.setRange(7, 7);
    m.setTwoThumbs(true);
    EXPECT_EQ(m.thumbAt(3, 100, 1), 0);
    EXPECT_EQ(m.thumbAt(50, 100, 1), -1);
    EXPECT_EQ(m.valueAt(50, 0, 100), 7);
}

TEST(SliderModelTest, ASingleThumbTakesEveryPress) {
    SliderModel m;
    EXPECT_EQ(m.thumbAt(190, 200, 2), 0);
}

TEST(SliderModelTest, TheValueUnderThePointerFollowsTheChannel) {
    struct Case {
        int32_t minimum, maximum, coordinate, left, right, value;
    } cases[] = {
        {0, 100, 8, 8, 108, 0},     {0, 100, 58, 8, 108, 50}, {0, 100, 108, 8, 108, 100},
        {0, 100, 300, 8, 108, 100}, {0, 100, -40, 8, 108, 0}, {10, 20, 58, 8, 108, 15},
        {0, 10, 12, 8, 108, 0},     {0, 10, 13, 8, 108, 1},  // rounded to the nearest
        {0, 100, 50, 40, 40, 0},    {5, 9, 50, 40, 40, 5},   // a channel of no width: the minimum
    };
    for (const Case& c : cases) {
        SliderModel m;
        m.setRange(c.minimum, c.maximum);
        EXPECT_EQ(m.valueAt(c.coordinate, c.left, c.right), c.value)
            << c.minimum << ".." << c.maximum << " at " << c.coordinate << " on " << c.left << "-" << c.right;
    }
}

}  // namespace
