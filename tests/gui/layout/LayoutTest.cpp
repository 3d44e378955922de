// The four layouts over fake children: placement, sizing and the reported content sizes
// for rows, columns, flows and piles with gaps, alignments, hidden children, percent and
// fixed hints; and children that ignore the size they are asked to take.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "gui/layout/LayoutManagers.h"
#include "gui/layout/Layouts.h"
#include "gui/layout/SizeHints.h"

namespace s::gui::layout {
void PrintTo(const LayoutSizes& s, std::ostream* os) {
    *os << "min " << s.minWidth << "x" << s.minHeight << ", pref " << s.prefWidth << "x" << s.prefHeight;
}
}  // namespace s::gui::layout

namespace {

using namespace s::gui;
using namespace s::gui::layout;

// A child with measured minimum and preferred sizes and size hints, clamped as every
// control clamps. One that ignores its size keeps the size it started with, as a label
// keeps its wrapped width and a radio button its measured size.
class FakeChild final : public LayoutChild {
public:
    FakeChild(int32_t minW, int32_t minH, int32_t prefW, int32_t prefH)
        : minW_(minW), minH_(minH), prefW_(prefW), prefH_(prefH) {}

    bool visible = true;
    bool ignoresSize = false;
    SizeHint wHint, hHint;
    int32_t parentInnerW = 0, parentInnerH = 0;
    int32_t x = -1, y = -1, w = 0, h = 0;
    int sizeCalls = 0;

    bool isVisible() override { return visible; }
    int32_t getMinWidth() override { return controlMinSize(wHint, minW_); }
    int32_t getMinHeight() override { return controlMinSize(hHint, minH_); }
    int32_t getPreferredWidth() override { return controlPreferredSize(wHint, minW_, prefW_, parentInnerW); }
    int32_t getPreferredHeight() override { return controlPreferredSize(hHint, minH_, prefH_, parentInnerH); }
    int32_t getWidth() override { return w; }
    int32_t getHeight() override { return h; }
    void setSizeClamped(int32_t aw, int32_t ah) override {
        ++sizeCalls;
        if (ignoresSize) return;
        w = clampToHints(aw, getMinWidth(), getPreferredWidth());
        h = clampToHints(ah, getMinHeight(), getPreferredHeight());
    }
    void setPosition(int32_t px, int32_t py) override {
        x = px;
        y = py;
    }

private:
    int32_t minW_, minH_, prefW_, prefH_;
};

// A child that keeps the size w x h whatever it is asked.
FakeChild stubbornChild(int32_t minW, int32_t minH, int32_t prefW, int32_t prefH, int32_t w, int32_t h) {
    FakeChild c(minW, minH, prefW, prefH);
    c.ignoresSize = true;
    c.w = w;
    c.h = h;
    return c;
}

struct ChildSpec {
    int32_t minW, minH, prefW, prefH;
    bool visible = true;
    SizeHint wHint = {};
};

struct Rect {
    int32_t x, y, w, h;
    bool operator==(const Rect&) const = default;
};

struct Case {
    const char* name;
    int32_t kind;
    int32_t innerW, innerH;
    LayoutParams params;
    std::vector<ChildSpec> children;
    std::vector<Rect> want;
    LayoutSizes sizes;
};

void PrintTo(const Rect& r, std::ostream* os) { *os << "(" << r.x << ", " << r.y << ", " << r.w << ", " << r.h << ")"; }

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

constexpr int32_t kRow = LayoutKind::kRow, kColumn = LayoutKind::kColumn, kFlow = LayoutKind::kFlow,
                  kPile = LayoutKind::kPile;
constexpr int32_t kStart = Align::kStart, kCentre = Align::kCentre, kEnd = Align::kEnd;
constexpr Rect kUntouched = {-1, -1, 0, 0};

// clang-format off
const Case kCases[] = {
    // Columns.
    {"column: a gap follows only a child at least 1 high", kColumn, 100, 100, {kStart, kStart, 0, 5},
     {{20, 10, 20, 10}, {20, 0, 20, 0}, {20, 10, 20, 10}},
     {{0, 0, 20, 10}, {0, 15, 20, 0}, {0, 15, 20, 10}}, {20, 25, 20, 25}},
    {"column: free height shared by what each child lacks", kColumn, 30, 100, {},
     {{10, 20, 10, 60}, {10, 20, 10, 60}},
     {{0, 0, 10, 50}, {0, 50, 10, 50}}, {10, 40, 10, 120}},
    {"column: the rounding leftover goes to the first child", kColumn, 10, 100, {},
     {{10, 0, 10, 100}, {10, 0, 10, 100}, {10, 0, 10, 100}},
     {{0, 0, 10, 34}, {0, 34, 10, 33}, {0, 67, 10, 33}}, {10, 0, 10, 300}},
    {"column: room beyond every preferred height, bottom", kColumn, 20, 100, {kStart, kEnd, 0, 0},
     {{10, 10, 10, 20}, {10, 10, 10, 20}},
     {{0, 60, 10, 20}, {0, 80, 10, 20}}, {10, 20, 10, 40}},
    {"column: room beyond every preferred height, middle", kColumn, 20, 100, {kStart, kCentre, 0, 0},
     {{10, 10, 10, 20}, {10, 10, 10, 20}},
     {{0, 30, 10, 20}, {0, 50, 10, 20}}, {10, 20, 10, 40}},
    {"column: a narrow child centred", kColumn, 100, 40, {kCentre, kStart, 0, 0},
     {{20, 10, 40, 10}},
     {{30, 0, 40, 10}}, {20, 10, 40, 10}},
    {"column: right alignment", kColumn, 100, 40, {kEnd, kStart, 0, 0},
     {{20, 10, 40, 10}},
     {{60, 0, 40, 10}}, {20, 10, 40, 10}},
    {"column: the widest minimum sets the column width", kColumn, 50, 50, {},
     {{80, 10, 100, 10}, {10, 10, 10, 10}},
     {{0, 0, 80, 10}, {0, 10, 10, 10}}, {80, 20, 100, 20}},
    {"column: hidden children take their space", kColumn, 20, 100, {kStart, kStart, 0, 5},
     {{10, 10, 10, 10}, {10, 10, 10, 10, false}, {10, 10, 10, 10}},
     {{0, 0, 10, 10}, {0, 15, 10, 10}, {0, 30, 10, 10}}, {10, 40, 10, 40}},
    {"column: a child in percent of the width", kColumn, 200, 50, {},
     {{10, 10, 20, 10, true, {30, -1}}},
     {{0, 0, 60, 10}}, {10, 10, 60, 10}},
    {"column: no children", kColumn, 100, 100, {}, {}, {}, {0, 0, 0, 0}},

    // Rows.
    {"row: free width shared, the rounding leftover to the first", kRow, 100, 20, {},
     {{0, 10, 100, 10}, {0, 10, 100, 10}, {0, 10, 100, 10}},
     {{0, 0, 34, 10}, {34, 0, 33, 10}, {67, 0, 33, 10}}, {0, 10, 300, 10}},
    {"row: right and middle, a hidden child with its gaps", kRow, 100, 30, {kEnd, kCentre, 4, 0},
     {{20, 10, 20, 10}, {10, 10, 10, 10, false}, {20, 20, 20, 20}},
     {{42, 10, 20, 10}, {66, 10, 10, 10}, {80, 5, 20, 20}}, {58, 20, 58, 20}},
    {"row: squeezed below the minimum, every child at its minimum", kRow, 30, 10, {},
     {{20, 10, 40, 10}, {20, 10, 40, 10}},
     {{0, 0, 20, 10}, {20, 0, 20, 10}}, {40, 10, 80, 10}},
    {"row: room for every preferred width, centred", kRow, 200, 10, {kCentre, kStart, 0, 0},
     {{10, 10, 50, 10}, {10, 10, 30, 10}},
     {{60, 0, 50, 10}, {110, 0, 30, 10}}, {20, 10, 80, 10}},
    {"row: a fixed width beside a stretching child", kRow, 200, 20, {},
     {{10, 10, 100, 10, true, {-1, 50}}, {0, 10, 300, 10}},
     {{0, 0, 50, 10}, {50, 0, 150, 10}}, {50, 10, 350, 10}},
    {"row: children take the row height up to their preferred height", kRow, 40, 30, {},
     {{10, 10, 10, 20}, {10, 10, 10, 40}},
     {{0, 0, 10, 20}, {10, 0, 10, 30}}, {20, 10, 20, 40}},
    {"row: no children", kRow, 100, 100, {}, {}, {}, {0, 0, 0, 0}},

    // Flows.
    {"flow: right alignment ends each row at the row width", kFlow, 100, 50, {kEnd, kStart, 0, 0},
     {{30, 10, 30, 10}, {20, 10, 20, 10}},
     {{50, 0, 30, 10}, {80, 0, 20, 10}}, {30, 10, 50, 10}},
    {"flow: wrapping with both gaps", kFlow, 50, 100, {kStart, kStart, 5, 3},
     {{20, 10, 20, 10}, {20, 10, 20, 10}, {20, 10, 20, 10}},
     {{0, 0, 20, 10}, {25, 0, 20, 10}, {0, 13, 20, 10}}, {20, 23, 70, 23}},
    {"flow: a hidden child takes no gap", kFlow, 100, 20, {kStart, kStart, 5, 0},
     {{20, 10, 20, 10}, {10, 10, 10, 10, false}, {20, 10, 20, 10}},
     {{0, 0, 20, 10}, {20, 0, 10, 10}, {35, 0, 20, 10}}, {20, 10, 55, 10}},
    {"flow: free height grows the rows below their preferred height", kFlow, 40, 50, {},
     {{40, 10, 40, 30}, {40, 10, 40, 10}},
     {{0, 0, 40, 30}, {0, 30, 40, 10}}, {40, 20, 80, 40}},
    {"flow: centred rows, middle", kFlow, 100, 40, {kCentre, kCentre, 0, 0},
     {{30, 10, 30, 10}},
     {{35, 15, 30, 10}}, {30, 10, 30, 10}},
    {"flow: no children", kFlow, 100, 100, {}, {}, {}, {0, 0, 0, 0}},

    // Piles.
    {"pile: bottom and centre", kPile, 100, 100, {kCentre, kEnd, 0, 0},
     {{20, 40, 20, 40}},
     {{40, 60, 20, 40}}, {20, 40, 20, 40}},
    {"pile: each visible child grows to its preferred size; hidden ones stay", kPile, 50, 50, {},
     {{10, 10, 30, 30}, {10, 10, 10, 10, false}},
     {{0, 0, 30, 30}, kUntouched}, {10, 10, 30, 30}},
    {"pile: the largest minimum sets the area", kPile, 10, 10, {kEnd, kEnd, 0, 0},
     {{40, 20, 40, 20}, {10, 10, 10, 10}},
     {{0, 0, 40, 20}, {30, 10, 10, 10}}, {40, 20, 40, 20}},
    {"pile: no children", kPile, 100, 100, {}, {}, {}, {0, 0, 0, 0}},
};
// clang-format on

class LayoutCases : public ::testing::TestWithParam<Case> {};

TEST_P(LayoutCases, PlacesSizesAndReports) {
    const Case& c = GetParam();
    std::vector<FakeChild> fakes;
    fakes.reserve(c.children.size());
    for (const ChildSpec& s : c.children) {
        FakeChild& f = fakes.emplace_back(s.minW, s.minH, s.prefW, s.prefH);
        f.visible = s.visible;
        f.wHint = s.wHint;
        f.parentInnerW = c.innerW;
        f.parentInnerH = c.innerH;
    }
    std::vector<LayoutChild*> children;
    for (FakeChild& f : fakes) children.push_back(&f);

    const LayoutSizes sizes = layoutByKind(c.kind, children, c.innerW, c.innerH, c.params);

    EXPECT_EQ(sizes, c.sizes);
    ASSERT_EQ(fakes.size(), c.want.size());
    for (size_t i = 0; i < fakes.size(); ++i) {
        EXPECT_EQ((Rect{fakes[i].x, fakes[i].y, fakes[i].w, fakes[i].h}), c.want[i]) << "child " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, LayoutCases, ::testing::ValuesIn(kCases), [](const auto& info) {
    std::string name;
    for (const char* p = info.param.name; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return name;
});

// Children that ignore the asked size: the leftover pass must end when a walk grows
// nothing, and what such a child does not take aligns the block.
TEST(LayoutIgnoredSize, ColumnReturnsAndAlignsWhatIsLeft) {
    FakeChild stubborn = stubbornChild(10, 10, 30, 40, 30, 10);
    std::vector<LayoutChild*> children{&stubborn};

    const LayoutSizes sizes = layoutColumn(children, 50, 30, {kStart, kEnd, 0, 0});

    EXPECT_EQ(sizes, (LayoutSizes{10, 10, 30, 40}));
    EXPECT_EQ(stubborn.h, 10);
    EXPECT_EQ(stubborn.y, 20);  // the 20 pixels it would not take put it at the bottom
    EXPECT_LT(stubborn.sizeCalls, 10);
}

TEST(LayoutIgnoredSize, ColumnStillGrowsTheOtherChildren) {
    FakeChild stubborn = stubbornChild(10, 10, 30, 40, 30, 10);
    FakeChild normal(10, 10, 10, 40);
    std::vector<LayoutChild*> children{&stubborn, &normal};

    layoutColumn(children, 50, 50, {});

    EXPECT_EQ(normal.h, 40);  // its share (25) and then the stubborn child's unused 15
    EXPECT_EQ(normal.y, 10);
    EXPECT_LT(stubborn.sizeCalls + normal.sizeCalls, 20);
}

TEST(LayoutIgnoredSize, RowReturnsAndAlignsWhatIsLeft) {
    FakeChild stubborn = stubbornChild(10, 10, 60, 10, 30, 10);
    std::vector<LayoutChild*> children{&stubborn};

    const LayoutSizes sizes = layoutRow(children, 40, 10, {kEnd, kStart, 0, 0});

    EXPECT_EQ(sizes, (LayoutSizes{10, 10, 60, 10}));
    EXPECT_EQ(stubborn.w, 30);
    EXPECT_EQ(stubborn.x, 10);
    EXPECT_LT(stubborn.sizeCalls, 10);
}

TEST(LayoutIgnoredSize, FlowAndPileReturn) {
    FakeChild stubborn = stubbornChild(10, 10, 60, 60, 200, 10);  // wider than the flow itself
    FakeChild before(10, 10, 10, 10), after(10, 10, 10, 10);
    std::vector<LayoutChild*> children{&before, &stubborn, &after};

    layoutFlow(children, 50, 100, {});
    EXPECT_EQ(stubborn.x, 0);  // a row of its own
    EXPECT_EQ(stubborn.y, 10);
    EXPECT_EQ(after.y, 20);

    layoutPile(children, 50, 100, {});
    EXPECT_EQ(stubborn.h, 10);
}

TEST(LayoutKinds, AnUnknownKindLaysOutNothing) {
    FakeChild child(10, 10, 10, 10);
    std::vector<LayoutChild*> children{&child};
    EXPECT_EQ(layoutByKind(7, children, 100, 100, {}), LayoutSizes{});
    EXPECT_EQ(child.sizeCalls, 0);
    EXPECT_EQ(child.x, -1);
}

TEST(LayoutManagers, SharedInstancesAndClassNames) {
    EXPECT_EQ(Vertical::shared(), Vertical::shared());
    EXPECT_EQ(FlowH::shared(), FlowH::shared());
    EXPECT_EQ(Pile::shared(), Pile::shared());
    EXPECT_STREQ(Vertical::shared()->getClassName(), L"s_gui_layout_Vertical");
    EXPECT_STREQ(FlowH::shared()->getClassName(), L"s_gui_layout_FlowH");
    EXPECT_STREQ(Pile::shared()->getClassName(), L"s_gui_layout_Pile");

    // A pooled layout object goes back to its pool and is handed out again.
    Pile* p = Pile::create();
    ASSERT_NE(p, nullptr);
    EXPECT_NE(p, Pile::shared());
    p->release();
    EXPECT_EQ(Pile::create(), p);
    p->release();
}

}  // namespace
