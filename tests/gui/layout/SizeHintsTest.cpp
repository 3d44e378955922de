// Size reports of one axis: the controls' hints (the last of percent and fixed wins),
// clamping, and the panels' sizes from layout, margins, collapse and hints.
#include <gtest/gtest.h>

#include "gui/layout/SizeHints.h"

namespace {

using namespace s::gui::layout;

TEST(SizeHints, TheLastOfPercentAndFixedWins) {
    SizeHint h;
    h.setFixed(50);
    h.setPercent(30);
    EXPECT_EQ(controlPreferredSize(h, 20, 40, 200), 60);
    EXPECT_EQ(controlMinSize(h, 20), 20);
    h.setFixed(50);
    EXPECT_EQ(h.percent, -1);
    EXPECT_EQ(controlPreferredSize(h, 20, 40, 200), 50);
    EXPECT_EQ(controlMinSize(h, 20), 50);
}

TEST(SizeHints, ControlPreferredSize) {
    struct Case {
        int32_t percent, fixed, min, pref, parent, want;
    };
    const Case cases[] = {
        {-1, -1, 20, 40, 200, 40},   // measured
        {-1, -1, 50, 40, 200, 50},   // the minimum when larger
        {50, -1, 20, 40, 201, 100},  // percent truncates
        {-1, 0, 20, 40, 200, 0},     // a fixed 0 is a size
        {0, -1, 20, 40, 200, 0},
    };
    for (const Case& c : cases) {
        SizeHint h{c.percent, c.fixed};
        EXPECT_EQ(controlPreferredSize(h, c.min, c.pref, c.parent), c.want) << c.percent << " " << c.fixed;
    }
}

TEST(SizeHints, ClampToHints) {
    EXPECT_EQ(clampToHints(100, 10, 40), 40);
    EXPECT_EQ(clampToHints(5, 10, 40), 10);
    EXPECT_EQ(clampToHints(25, 10, 40), 25);
    EXPECT_EQ(clampToHints(25, 30, 20), 30);  // crossing hints: the minimum wins
}

TEST(SizeHints, PanelSizes) {
    struct Case {
        const char* name;
        PanelAxis axis;
        int32_t parent;
        int32_t min, minInner, pref, prefInner;
    };
    const Case cases[] = {
        {"from the layout with margins", {{}, 3, 5, false, -1, 20, 60}, 200, 28, 20, 68, 60},
        {"a lower bound raises the minimum", {{}, 3, 5, false, 40, 20, 60}, 200, 40, 32, 68, 60},
        {"collapse reports no minimum", {{}, 3, 5, true, 40, 20, 60}, 200, 0, 0, 68, 60},
        {"fixed", {{-1, 90}, 3, 5, false, -1, 20, 60}, 200, 90, 82, 90, 82},
        {"percent rounds half away from zero", {{50, -1}, 3, 5, false, -1, 20, 60}, 201, 28, 20, 101, 93},
        {"margins larger than a fixed size", {{-1, 4}, 3, 5, false, -1, 0, 0}, 100, 4, 0, 4, 0},
        {"a layout preferred below its minimum", {{}, 0, 0, false, -1, 30, 10}, 100, 30, 30, 30, 30},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(panelMinSize(c.axis), c.min) << c.name;
        EXPECT_EQ(panelMinInnerSize(c.axis), c.minInner) << c.name;
        EXPECT_EQ(panelPreferredSize(c.axis, c.parent), c.pref) << c.name;
        EXPECT_EQ(panelPreferredInnerSize(c.axis, c.parent), c.prefInner) << c.name;
    }
    PanelAxis a;
    a.marginStart = 6;
    a.marginEnd = 4;
    EXPECT_EQ(panelInnerSize(a, 100), 90);
    EXPECT_EQ(panelInnerSize(a, 7), 0);
}

}  // namespace
