#include <gtest/gtest.h>

#include "skins/painters/CounterHistory.h"

using namespace s::gui::drawer::counter;

namespace {

TEST(CounterHistory, RingSlotsWrapBackwards) {
    struct Case {
        uint32_t capacity, next, j, slot;
    } cases[] = {
        {8, 5, 0, 4}, {8, 5, 4, 0}, {8, 5, 5, 7}, {8, 5, 7, 5}, {8, 5, 8, 4},
        {8, 0, 0, 7}, {1, 0, 0, 0}, {1, 0, 3, 0}, {0, 0, 0, 0}, {8, 13, 0, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ringSlot(c.capacity, c.next, c.j), c.slot) << c.capacity << " " << c.next << " " << c.j;
}

TEST(CounterHistory, VisibleColumns) {
    struct Case {
        uint32_t count;
        int32_t width, columns;
    } cases[] = {{0, 10, 0}, {1, 10, 0}, {2, 10, 1}, {11, 10, 10}, {50, 10, 10}, {5, 0, 0}, {5, -3, 0}};
    for (const Case& c : cases) EXPECT_EQ(visibleColumns(c.count, c.width), c.columns) << c.count << " " << c.width;
}

TEST(CounterHistory, AutoMaximumReadsOnlyTheVisibleValues) {
    // Newest first: slots 3, 2, 1, 0, 5, 4.
    int64_t ring[6] = {40, 30, 20, 10, 900, 50};
    EXPECT_EQ(autoMaximum(ring, 6, 6, 4, 3, 0), 30);  // 10, 20, 30
    EXPECT_EQ(autoMaximum(ring, 6, 6, 4, 3, 35), 35);
    EXPECT_EQ(autoMaximum(ring, 6, 6, 4, 100, 0), 50);  // count - 1 = 5 values: not the oldest, 900
    EXPECT_EQ(autoMaximum(ring, 6, 1, 4, 100, 7), 7);
    EXPECT_EQ(autoMaximum(nullptr, 6, 6, 4, 100, 7), 7);
}

TEST(CounterHistory, ScaledHeights) {
    struct Case {
        int64_t value, minimum, maximum;
        int32_t extent;
        bool rounded;
        int32_t height;
    } cases[] = {
        {50, 0, 100, 20, false, 10},  {59, 0, 100, 20, false, 11}, {59, 0, 100, 20, true, 12},
        {0, 0, 100, 20, false, 0},    {1, 0, 100, 20, false, 0},   {100, 0, 100, 20, false, 20},
        {500, 0, 100, 20, false, 20}, {-5, 0, 100, 20, false, 0},  {7, 7, 7, 20, false, 0},
        {7, 9, 3, 20, false, 0},      {50, 0, 100, 0, false, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(scaledHeight(c.value, c.minimum, c.maximum, c.extent, c.rounded), c.height)
            << c.value << " in " << c.minimum << ".." << c.maximum;
}

}  // namespace
