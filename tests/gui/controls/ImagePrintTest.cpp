// What the picture view prints for each of the user's choices: the picture at its own
// size or at the view's, and then, on an A4 page at 600 dpi (room 767 x 1122 screen
// pixels), whether it is turned and fitted.
#include <gtest/gtest.h>

#include "gui/controls/ImagePrint.h"

namespace {

using s::gui::imageview::planShownPrint;

TEST(ImagePrint, SizeAndPlanForEachChoice) {
    const s::image::PageGeometry a4 = s::image::pageGeometry(210, 297, 600, 600, 96, 96);
    struct Case {
        const char* what;
        int32_t picW, picH, viewW, viewH;
        bool viewSize, autoRotate, sharpen, paperMaximum;
        int32_t w, h;
        bool fit, turn;
    } cases[] = {
        {"own size, fits the page", 600, 400, 300, 200, false, false, false, false, 600, 400, false, false},
        {"own size, too wide: fitted, not turned", 1200, 800, 600, 400, false, false, false, false, 1200, 800, true,
         false},
        {"own size, too wide, auto-rotate: turned first", 1200, 800, 600, 400, false, true, false, false, 1200, 800,
         true, true},
        {"view size of the same picture fits as it is", 1200, 800, 600, 400, true, true, false, false, 600, 400, false,
         false},
        {"view size, paper maximum: fitted", 1200, 800, 600, 400, true, false, false, true, 600, 400, true, false},
        {"view size, paper maximum, auto-rotate: turned", 1200, 800, 600, 400, true, true, true, true, 600, 400, true,
         true},
        {"a view larger than the picture prints the view's size", 100, 50, 700, 350, true, false, false, false, 700,
         350, false, false},
        {"high picture, auto-rotate: never turned", 800, 1200, 600, 400, false, true, false, true, 800, 1200, true,
         false},
        {"an empty view prints the picture's own size", 1200, 800, 0, 0, true, false, false, false, 1200, 800, true,
         false},
    };
    for (const Case& c : cases) {
        const auto p =
            planShownPrint(c.picW, c.picH, c.viewW, c.viewH, c.viewSize, c.autoRotate, c.sharpen, c.paperMaximum);
        EXPECT_EQ(p.width, c.w) << c.what;
        EXPECT_EQ(p.height, c.h) << c.what;
        EXPECT_EQ(p.options.turnLandscape, c.autoRotate) << c.what;
        EXPECT_EQ(p.options.sharpen, c.sharpen) << c.what;
        EXPECT_EQ(p.options.fitToPage, c.paperMaximum) << c.what;
        const s::image::PrintPlan plan = s::image::planPrint(a4, p.width, p.height, p.options);
        EXPECT_EQ(plan.fit, c.fit) << c.what;
        EXPECT_EQ(plan.turn, c.turn) << c.what;
    }
}

}  // namespace
