#include <gtest/gtest.h>

#include "PainterTestSupport.h"
#include "skins/painters/ListRowPainting.h"

using namespace s::gui::drawer::listbox;
using s::gui::drawer::ListItemPaint;
using testsupport::kSentinel;
using testsupport::PixelCanvas;
using testsupport::ScaleOverride;

namespace {

constexpr COLORREF kBack = RGB(250, 250, 250);
constexpr COLORREF kThird = RGB(238, 238, 238);
constexpr COLORREF kSelection = RGB(40, 80, 160);

ListLook look() {
    ListLook l;
    l.background = kBack;
    l.third = kThird;
    l.selection = kSelection;
    return l;
}

ListItemPaint row(int32_t l, int32_t t, int32_t r, int32_t b) {
    ListItemPaint p;
    p.left = l;
    p.top = t;
    p.right = r;
    p.bottom = b;
    return p;
}

TEST(ListRow, LayoutLeftToRight) {
    for (int32_t s : {1, 2, 4}) {
        ListItemPaint p = row(0, 0, 300 * s, 20 * s);
        EXPECT_EQ(layoutRow(p, s).text.left, 4 * s) << s;  // nothing before the text
        p.indentLevel = 2;
        EXPECT_EQ(layoutRow(p, s).text.left, 34 * s) << s;
        p.indentLevel = 0;
        p.hasExpander = p.hasCheckBox = p.hasIcon = true;
        RowLayout lay = layoutRow(p, s);
        EXPECT_EQ(lay.expander.left, 4 * s);
        EXPECT_EQ(lay.expander.right - lay.expander.left, 13 * s);
        EXPECT_EQ(lay.checkBox.left, 19 * s);
        EXPECT_EQ(lay.checkBox.bottom - lay.checkBox.top, 15 * s);
        EXPECT_EQ(lay.icon.left, 37 * s);
        EXPECT_EQ(lay.text.left, 53 * s);
        EXPECT_EQ(lay.text.right, 296 * s);
    }
}

TEST(ListRow, HitTests) {
    struct Case {
        int32_t x, y;
        bool expander;
        int32_t indent, scale;
        bool check, exp;
    } cases[] = {
        {4, 1, false, 0, 1, true, true},   {18, 15, false, 0, 1, true, false}, {19, 5, false, 0, 1, false, false},
        {3, 5, false, 0, 1, false, false}, {20, 5, true, 0, 1, true, false},   {34, 5, true, 0, 1, true, false},
        {35, 5, true, 0, 1, false, false}, {10, 0, false, 0, 1, false, false}, {10, 16, false, 0, 1, false, false},
        {34, 5, false, 2, 1, true, true},  {8, 2, false, 0, 2, true, true},    {7, 2, false, 0, 2, false, false},
        {16, 63, false, 0, 4, true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hitCheckBox(c.x, c.y, c.expander, c.indent, c.scale), c.check) << c.x << "," << c.y;
        EXPECT_EQ(hitExpander(c.x, c.y, c.indent, c.scale), c.exp) << c.x << "," << c.y;
    }
}

TEST(ListRow, ProgressValues) {
    EXPECT_EQ(progressOf(2500).thousandths, 500);
    EXPECT_EQ(progressOf(2500).colour, RGB(0xAA, 0xAA, 0xAA));
    EXPECT_EQ(progressOf(4250).thousandths, 250);
    EXPECT_EQ(progressOf(4250).colour, RGB(255, 0, 0));
    EXPECT_EQ(progressOf(750).thousandths, 750);
    EXPECT_EQ(progressOf(750).colour, COLORREF(0x40C486));
}

TEST(ListRow, BackgroundSelectionAndCheckBox) {
    paintertest::TestFont font(12);
    for (int32_t s : {1, 2, 4}) {
        ScaleOverride scale(s);
        PixelCanvas c(200 * s, 20 * s);
        ListItemPaint p = row(0, 0, 200 * s, 20 * s);
        p.alternate = true;
        p.selected = true;
        p.fullRowSelection = false;
        p.text = L"Row";
        p.hasCheckBox = true;
        p.checkState = 3;
        int32_t h = paintRow(c.dc(), look(), &p);
        EXPECT_GT(h, 0);
        EXPECT_EQ(p.textLeft, 22 * s);
        // Alternate fill, a black check box framing the row's fill, the square mark in it,
        // the selection behind the text only.
        EXPECT_EQ(testsupport::checkPixels(c, {{1, 1, kThird},
                                               {4 * s, 10 * s, RGB(0, 0, 0)},
                                               {6 * s, (5 * s) / 2 + 1 + 2 * s, kThird},
                                               {4 * s + 7 * s, 10 * s, RGB(0, 0, 0)},
                                               {22 * s, 1, kSelection},
                                               {199 * s, 1, kThird}}),
                  "")
            << "scale " << s;
    }
}

TEST(ListRow, ProgressBarFillsItsShare) {
    ScaleOverride scale(1);
    PixelCanvas c(104, 20);
    ListItemPaint p = row(0, 0, 104, 20);
    p.text = L"";
    p.progressLook = true;
    p.stateValue = 2500;
    paintRow(c.dc(), look(), &p);
    // Inside (2, 3) to (102, 17): half grey, half white.
    EXPECT_EQ(testsupport::checkPixels(c, {{1, 2, RGB(0xF0, 0xF0, 0xF0)},
                                           {2, 10, RGB(0xAA, 0xAA, 0xAA)},
                                           {51, 10, RGB(0xAA, 0xAA, 0xAA)},
                                           {52, 10, RGB(255, 255, 255)},
                                           {101, 10, RGB(255, 255, 255)}}),
              "");
}

TEST(ListRow, EmptyRectangleLeavesEverythingAlone) {
    EXPECT_TRUE(paintertest::leavesEmptyRectsAlone([&](HDC dc, int l, int t, int r, int b) {
        ListItemPaint p = row(l, t, r, b);
        p.text = L"Row";
        p.textLeft = -7;
        EXPECT_EQ(paintRow(dc, look(), &p), 0);
        EXPECT_EQ(p.textLeft, -7);
    }));
}

}  // namespace
