// The skins' drawers painting through their own colours and sub-drawers, on memory DCs
// at every scale.
#include <gtest/gtest.h>

#include "PainterTestSupport.h"
#include "foundation/str/StrArray.h"
#include "gui/fonts/Font.h"
#include "skins/drawers/CheckBoxDrawer.h"
#include "skins/drawers/ListDrawers.h"
#include "skins/drawers/MenuDrawers.h"
#include "skins/drawers/ScrollBarDrawer.h"
#include "skins/drawers/SliderDrawer.h"

namespace drawer = s::gui::drawer;
using testsupport::kSentinel;
using testsupport::PixelCanvas;
using testsupport::ScaleOverride;

namespace {

constexpr COLORREF kInk = RGB(0, 0, 160);

// A pooled font on the test face, without smoothing, in the ink colour.
struct TestIFont {
    s::gui::win::Font* font = s::gui::win::Font::create();
    explicit TestIFont(int height = 12, COLORREF colour = kInk) {
        font->setFace(testsupport::kTestFace);
        font->setClearType(false);
        font->setHeight(-height);
        font->setColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
    }
    ~TestIFont() { font->release(); }
    s::gui::IFont* get() const { return font; }
};

template <class D>
struct Pooled {
    D* d = D::create();
    ~Pooled() { d->release(); }
    D* operator->() const { return d; }
};

// Tints of the border painter: the channel times the factor, truncated, at most 255.
COLORREF tint(COLORREF c, int percent) {
    auto ch = [&](int v) { return std::min(255, v * percent / 100); };
    return RGB(ch(GetRValue(c)), ch(GetGValue(c)), ch(GetBValue(c)));
}

// ---- check box

TEST(CheckBoxDrawer, BoxStatesAtEveryScale) {
    Pooled<drawer::checkbox::win::Thin> box;
    box->setColorB(200, 0, 0);
    const COLORREF frame = RGB(200, 0, 0), white = RGB(255, 255, 255), black = RGB(0, 0, 0);
    for (int s : {1, 2, 4}) {
        ScaleOverride scale(s);
        int e = 13 * s;
        for (bool checked : {false, true}) {
            PixelCanvas c(e + 40, e + 10);
            box->paint(c.dc(), 0, 0, e + 40, e + 10, e, checked, nullptr, nullptr);
            EXPECT_EQ(testsupport::checkPixels(c, {{0, 0, frame},
                                                   {e - 1, e - 1, frame},
                                                   {2 * s - 1, e / 2, frame},
                                                   {2 * s, 2 * s, white},
                                                   {e - 2 * s - 1, e - 2 * s - 1, white},
                                                   {e, 0, kSentinel},
                                                   {0, e, kSentinel}}),
                      "")
                << "scale " << s << " checked " << checked;
            int blacks = paintertest::countColour(c, black, RECT{2 * s, 2 * s, e - 2 * s, e - 2 * s}).inside;
            if (checked)
                EXPECT_GT(blacks, 4) << "scale " << s;
            else
                EXPECT_EQ(blacks, 0) << "scale " << s;
        }
    }
}

TEST(CheckBoxDrawer, CaptionBesideTheBoxAndMeasuredWider) {
    Pooled<drawer::checkbox::win::Thin> box;
    TestIFont font(14);
    PixelCanvas c(120, 30);
    box->paint(c.dc(), 0, 0, 120, 30, 18, false, L"Check", font.get());
    paintertest::ColourCount n = paintertest::countColour(c, kInk, RECT{18 + 3, 0, 120, 30});
    EXPECT_GT(n.inside, 10);
    EXPECT_EQ(n.outside, 0);

    int32_t a = 0, b = 0, cc = 0, d = 0, ta = 0, tb = 0, tc = 0, td = 0;
    box->measure(c.dc(), L"Check", font.get(), &a, &b, &cc, &d);
    box->caption->measure(c.dc(), L"Check", font.get(), &ta, &tb, &tc, &td);
    EXPECT_EQ(b, tb);
    EXPECT_EQ(a, ta + tb + tb / 6);
    EXPECT_EQ(cc, tc + tb + tb / 6);
    EXPECT_EQ(d, td);
}

TEST(CheckBoxDrawer, EmptyRectangleLeavesEverythingAlone) {
    Pooled<drawer::checkbox::win::Thin> box;
    TestIFont font;
    EXPECT_TRUE(paintertest::leavesEmptyRectsAlone(
        [&](HDC dc, int l, int t, int r, int b) { box->paint(dc, l, t, r, b, 13, true, L"Caption", font.get()); }));
}

// ---- radio button

bool within(COLORREF a, COLORREF b, int tolerance = 32) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

TEST(RadioButtonDrawer, MarkScaledDownAndCentred) {
    Pooled<drawer::radiobutton::win::Thin> radio;
    radio->setColorA(0, 0, 0);
    radio->setColorB(0, 200, 0);
    const COLORREF fill = RGB(255, 255, 255), scratchColour = RGB(255, 0, 255);
    for (int s : {1, 2, 4}) {  // the mark is 13 pixels at every scale
        ScaleOverride scale(s);
        for (bool selected : {false, true}) {
            PixelCanvas scratch(52, 52, scratchColour);
            PixelCanvas c(80, 30);
            // h = 30: the mark's top at 15 - 6 = 9.
            radio->paint(c.dc(), scratch.dc(), 0, 0, 80, 30, selected, nullptr, nullptr, fill);
            EXPECT_EQ(c.changedBounds().left, 0);
            EXPECT_EQ(c.changedBounds().top, 9);
            EXPECT_EQ(c.changedBounds().right, 13);
            EXPECT_EQ(c.changedBounds().bottom, 22);
            EXPECT_TRUE(within(c.at(0, 9), scratchColour)) << std::hex << c.at(0, 9);        // outside the ring
            EXPECT_TRUE(within(c.at(0, 15), RGB(0, 0, 0), 100)) << std::hex << c.at(0, 15);  // the ring
            COLORREF centre = c.at(6, 15);
            if (selected)
                EXPECT_TRUE(within(centre, RGB(0, 200, 0))) << std::hex << centre;
            else
                EXPECT_TRUE(within(centre, fill)) << std::hex << centre;
        }
    }
}

TEST(RadioButtonDrawer, CaptionAfterTheRowHeight) {
    Pooled<drawer::radiobutton::win::Thin> radio;
    radio->setTextColor1(0, 0, 160);
    TestIFont font(14);
    PixelCanvas scratch(52, 52);
    PixelCanvas c(120, 24);
    testsupport::DcState before = testsupport::captureDcState(c.dc());
    radio->paint(c.dc(), scratch.dc(), 0, 0, 120, 24, true, L"Radio", font.get(), RGB(255, 255, 255));
    paintertest::ColourCount n = paintertest::countColour(c, kInk, RECT{24 + 4, 0, 120, 24});
    EXPECT_GT(n.inside, 10);
    EXPECT_EQ(n.outside, 0);
    EXPECT_TRUE(testsupport::captureDcState(c.dc()) == before);
    EXPECT_EQ(GetStretchBltMode(c.dc()), BLACKONWHITE);
}

TEST(RadioButtonDrawer, EmptyRectangleLeavesEverythingAlone) {
    Pooled<drawer::radiobutton::win::Thin> radio;
    PixelCanvas scratch(52, 52);
    EXPECT_TRUE(paintertest::leavesEmptyRectsAlone([&](HDC dc, int l, int t, int r, int b) {
        radio->paint(dc, scratch.dc(), l, t, r, b, true, L"x", nullptr, RGB(255, 255, 255));
    }));
}

// ---- slider

TEST(SliderDrawer, TrackFrameAndBothThumbs) {
    Pooled<drawer::slider::win::Thin> slider;
    slider->setColorB(70, 90, 110);
    const COLORREF thumb = RGB(70, 90, 110);
    for (int s : {1, 2, 4}) {
        ScaleOverride scale(s);
        int w = 100 + 10 * s, H = 20;
        PixelCanvas c(w, H);
        // 0..100: thumb 1 at 20, thumb 2 at 70, one pixel a step.
        slider->paint(c.dc(), 0, 0, w, H, 0, 100, 20, false, 0, true, true, 70, 0, 0, 0);
        int k = s == 1 ? 1 : 2;  // the rounded styles' line thickness
        EXPECT_EQ(
            testsupport::checkPixels(c, {{65, 0, thumb},  // the flat track frame, between the thumbs
                                         {65, H - 1, thumb},
                                         {20, H / 2, tint(thumb, 105)},  // thumb 1: left edge raised, right edge shaded
                                         {20 + 10 * s - 1, H / 2, tint(thumb, 70)},
                                         {20 + 10 * s - k - 1, H / 2, kSentinel},
                                         {70, H / 2, tint(thumb, 105)},  // thumb 2
                                         {70 + 10 * s - 1, H / 2, tint(thumb, 70)},
                                         {65, H / 2, kSentinel}}),
            "")
            << "scale " << s;
    }
}

TEST(SliderDrawer, ThumbEndsAtTheRightEdgeAtTheMaximum) {
    Pooled<drawer::slider::win::Thin> slider;
    for (int s : {1, 2, 4}) {
        ScaleOverride scale(s);
        PixelCanvas c(300, 20);
        slider->paint(c.dc(), 0, 0, 250, 20, 1, 200, 200, false, 1, true, false, 0, 0, 0, 0);
        EXPECT_EQ(c.at(249, 10), tint(RGB(120, 120, 120), 70)) << "scale " << s;
        EXPECT_EQ(c.at(250, 10), kSentinel);
    }
}

TEST(SliderDrawer, DisabledDrawsAllInTheDisabledColour) {
    Pooled<drawer::slider::win::Thin> slider;
    slider->setColorA(200, 0, 0);
    slider->setColorB(0, 200, 0);
    slider->setColorC(90, 90, 90);
    ScaleOverride scale(1);
    PixelCanvas c(110, 20);
    slider->paint(c.dc(), 0, 0, 110, 20, 0, 100, 50, true, 0, false, false, 0, 0, 0, 0);
    EXPECT_EQ(testsupport::checkPixels(
                  c, {{30, 0, RGB(90, 90, 90)}, {30, 10, RGB(90, 90, 90)}, {50, 10, tint(RGB(90, 90, 90), 105)}}),
              "");
}

// ---- scroll bar

TEST(ScrollBarDrawer, ArrowsThumbTrackAndSizeBox) {
    Pooled<drawer::scrollbar::win::Thin> bar;
    bar->setColorA(0, 0, 200);
    bar->setColorB(230, 230, 230);
    const COLORREF line = RGB(0, 0, 200), track = RGB(230, 230, 230);
    for (int s : {1, 2, 4}) {
        ScaleOverride scale(s);
        int k = 15 * s, L = 20 * k;
        PixelCanvas c(k, L);
        // Size box on: the bar ends at L - k. Page 1 of 10 from 0: the thumb at the top.
        bar->paint(c.dc(), 0, 0, k, L, false, 10, 1, 0, 0, 0, 0, true, false, 0, 0, 0);
        const RECT* parts = bar->parts;
        int thumbEnd = parts[drawer::scrollbar::win::Thin::kThumb].bottom;
        EXPECT_EQ(parts[drawer::scrollbar::win::Thin::kThumb].top, k);
        EXPECT_EQ(testsupport::checkPixels(c, {{k / 2, thumbEnd + 5, track},       // the track inside the frame
                                               {0, thumbEnd + 5, tint(line, 90)},  // the pressed frame's left edge
                                               {k / 2, L - k / 2, kSentinel},      // the size box is left alone
                                               {k / 2, L - k, kSentinel}}),
                  "")
            << "scale " << s;
        // Glyphs in the line colour in both arrows and on the thumb.
        EXPECT_GT(paintertest::countColour(c, line, RECT{2 * s, 2 * s, k - 2 * s, k - 2 * s}).inside, 3);
        EXPECT_GT(paintertest::countColour(c, line, RECT{2 * s, L - 2 * k + 2 * s, k - 2 * s, L - k - 2 * s}).inside,
                  3);
        EXPECT_GT(paintertest::countColour(c, line, RECT{2 * s, k + 2 * s, k - 2 * s, thumbEnd - 2 * s}).inside, 3);
        // The same layout answers the hit test.
        EXPECT_EQ(bar->hitTest(k / 2, k + 1, 0, 0, k, L, false, 10, 1, 0, true), 2);
        EXPECT_EQ(bar->hitTest(k / 2, L - k / 2, 0, 0, k, L, false, 10, 1, 0, true), -1);
        EXPECT_EQ(bar->hitTest(k / 2, L - k - 1, 0, 0, k, L, false, 10, 1, 0, true), 4);
    }
}

TEST(ScrollBarDrawer, SmallArrowsOnlyOnAThumbLongerThanTwiceItsThickness) {
    Pooled<drawer::scrollbar::win::Thin> bar;
    bar->setColorA(0, 0, 200);
    ScaleOverride scale(1);
    // Track 150 of range 150: the thumb is as long as the page, at the top of the track.
    for (int page : {30, 31}) {
        PixelCanvas c(15, 180);
        bar->paint(c.dc(), 0, 0, 15, 180, false, 150, page, 0, 0, 0, 0, false, false, 0, 0, 0);
        const RECT& thumb = bar->parts[drawer::scrollbar::win::Thin::kThumb];
        ASSERT_EQ(thumb.bottom - thumb.top, page);
        RECT top{2, thumb.top + 2, 13, thumb.top + 13}, bottom{2, thumb.bottom - 13, 13, thumb.bottom - 2};
        int marks = paintertest::countColour(c, RGB(0, 0, 200), top).inside +
                    paintertest::countColour(c, RGB(0, 0, 200), bottom).inside;
        if (page == 30)
            EXPECT_EQ(marks, 0);
        else
            EXPECT_GT(marks, 6);
    }
}

TEST(ScrollBarDrawer, OwnTrackColourAndDragLimits) {
    Pooled<drawer::scrollbar::win::Thin> bar;
    ScaleOverride scale(1);
    PixelCanvas c(200, 15);
    bar->paint(c.dc(), 0, 0, 200, 15, true, 100, 10, 50, 0, 0, 0, false, true, 10, 20, 30);
    EXPECT_EQ(c.at(20, 7), RGB(10, 20, 30));
    EXPECT_EQ(bar->positionForDrag(-500, 50, 0, 0, 200, 15, true, 100, 10, false), 0);
    EXPECT_EQ(bar->positionForDrag(500, 50, 0, 0, 200, 15, true, 100, 10, false), 90);
}

TEST(ScrollBarDrawer, EmptyRectangleLeavesEverythingAlone) {
    Pooled<drawer::scrollbar::win::Thin> bar;
    EXPECT_TRUE(paintertest::leavesEmptyRectsAlone([&](HDC dc, int l, int t, int r, int b) {
        bar->paint(dc, l, t, r, b, false, 100, 10, 5, 1, 2, 1, true, false, 0, 0, 0);
    }));
}

// ---- combo box and menu bar

TEST(ComboDrawer, DividerArrowAndText) {
    Pooled<drawer::combo::win::Thin> combo;
    combo->setFrameColor(200, 0, 0);
    const COLORREF frame = RGB(200, 0, 0);
    TestIFont font(12);
    for (int s : {1, 2, 4}) {
        ScaleOverride scale(s);
        int W = 150, H = 12 * s + 12;
        for (int state : {0, 1, 2}) {
            PixelCanvas c(W, H);
            combo->paint(c.dc(), 0, 0, W, H, state, L"Item", font.get(), true);
            int shift = state == 1 ? -1 : state == 2 ? 1 : 0;
            int ax = W - (15 - shift) * s, top = (1 + shift) * s, bottom = H - (1 - shift) * s;
            EXPECT_EQ(c.at(ax + s, (top + bottom) / 2), frame) << "scale " << s << " state " << state;
            EXPECT_GT(paintertest::countColour(c, frame, RECT{ax + 3 * s, top, ax + 13 * s, bottom}).inside, 3);
            paintertest::ColourCount text = paintertest::countColour(c, kInk, RECT{(4 + shift) * s, 0, ax, H});
            EXPECT_GT(text.inside, 5);
            EXPECT_EQ(text.outside, 0);
        }
    }
}

TEST(ComboDrawer, WithoutTextOnlyFaceDividerAndArrow) {
    Pooled<drawer::combo::win::Thin> combo;
    TestIFont font(12);
    PixelCanvas c(100, 20);
    combo->paint(c.dc(), 0, 0, 100, 20, 0, nullptr, font.get(), true);
    EXPECT_EQ(paintertest::countColour(c, kInk, RECT{0, 0, 100, 20}).inside, 0);
    EXPECT_EQ(c.at(100 - 15 + 1, 10), RGB(0, 0, 0));  // the divider, in the default frame colour
}

struct MenuFixture : ::testing::Test {
    Pooled<drawer::menu::win::Basic> menu;
    TestIFont font{12};
    TestIFont hotFont{12, RGB(255, 255, 255)};
    s::str::strarray::StrArray* items = s::str::strarray::StrArray::create();
    RECT rects[3] = {};
    const COLORREF highlight = RGB(0, 120, 0);
    void SetUp() override {
        items->addText(L"File");
        items->addText(L"Edit");
        items->addText(L"Help");
        menu->setHighlightColor(0, 120, 0);
        PixelCanvas measureCanvas(10, 10);
        int32_t a, b, c, d;
        menu->measure(measureCanvas.dc(), items, rects, font.get(), &a, &b, &c, &d, 6, 3, false);
    }
    void TearDown() override { items->release(); }
    void paint(PixelCanvas& c, int hot, bool pressed = false) {
        menu->paint(c.dc(), 0, 0, c.width(), c.height(), items, rects, font.get(), hotFont.get(), 6, 3, hot, pressed,
                    false, false, false);
    }
};

TEST_F(MenuFixture, MeasureLaysTheEntriesOutInARow) {
    EXPECT_EQ(rects[0].left, 0);
    EXPECT_EQ(rects[1].left, rects[0].right);
    EXPECT_EQ(rects[2].left, rects[1].right);
    EXPECT_EQ(rects[0].bottom, rects[2].bottom);
    EXPECT_GT(rects[0].right, 12);
}

TEST_F(MenuFixture, NormalAndHotEntries) {
    PixelCanvas c(rects[2].right + 10, rects[0].bottom);
    paint(c, 1);
    EXPECT_EQ(testsupport::checkPixels(c, {{rects[0].left, 0, kSentinel},
                                           {rects[1].left, 0, highlight},
                                           {rects[1].right - 1, rects[1].bottom - 1, highlight},
                                           {rects[2].left, 0, kSentinel}}),
              "");
    EXPECT_GT(paintertest::countColour(c, kInk, rects[0]).inside, 5);  // normal: the font's colour
    EXPECT_EQ(paintertest::countColour(c, kInk, rects[1]).inside, 0);  // hot: the hot font's
    EXPECT_GT(paintertest::countColour(c, RGB(255, 255, 255), rects[1]).inside, 5);
}

TEST_F(MenuFixture, LastEntryNeverGetsTheHotBackground) {
    PixelCanvas c(rects[2].right + 10, rects[0].bottom);
    paint(c, 2);
    EXPECT_EQ(c.at(rects[2].left, 0), kSentinel);
    EXPECT_GT(paintertest::countColour(c, kInk, rects[2]).inside, 5);
}

TEST_F(MenuFixture, PressShiftMovesTheHotText) {
    menu->setFlagA(false);
    menu->setFlagB(true);
    PixelCanvas up(rects[2].right, rects[0].bottom), down(rects[2].right, rects[0].bottom);
    paint(up, 0, false);
    paint(down, 0, true);
    // The first entry's text only: the other entries do not move.
    auto inkBounds = [&](const PixelCanvas& c) {
        RECT r{c.width(), c.height(), 0, 0};
        for (int y = 0; y < c.height(); ++y)
            for (int x = rects[0].left; x < rects[0].right; ++x)
                if (c.at(x, y) == kInk) {
                    r.left = std::min<LONG>(r.left, x);
                    r.top = std::min<LONG>(r.top, y);
                }
        return r;
    };
    RECT a = inkBounds(up), b = inkBounds(down);
    EXPECT_EQ(b.left - a.left, 2);
    EXPECT_EQ(b.top - a.top, 2);
}

TEST_F(MenuFixture, LastEntryAtTheRightAsALink) {
    const int W = rects[2].right + 40;
    PixelCanvas c(W, rects[0].bottom);
    menu->paint(c.dc(), 0, 0, W, c.height(), items, rects, font.get(), hotFont.get(), 6, 3, 2, false, false, true,
                true);
    RECT moved = rects[2];
    OffsetRect(&moved, W - rects[2].right, 0);
    paintertest::ColourCount link = paintertest::countColour(c, RGB(0, 0, 204), moved);
    EXPECT_GT(link.inside, 5);
    EXPECT_EQ(link.outside, 0);
    EXPECT_EQ(paintertest::countColour(c, kInk, rects[2]).inside, 0);
    // The font is given back as it was.
    EXPECT_EQ(font.get()->getColor(), kInk);
    EXPECT_FALSE(font.get()->isUnderline());
}

TEST_F(MenuFixture, LinkLookLeavesTheFontsOwnChoicesAlone) {
    // A font that has chosen nothing itself still takes a skin's colours after a link paint.
    s::gui::win::FontDescription d = font.font->description();
    for (bool& chosen : d.explicitFlags) chosen = false;
    s::gui::win::Font* plain = s::gui::win::Font::createFrom(d);
    PixelCanvas c(rects[2].right + 10, rects[0].bottom);
    menu->paint(c.dc(), 0, 0, c.width(), c.height(), items, rects, plain, nullptr, 6, 3, 2, false, false, false, true);
    EXPECT_GT(paintertest::countColour(c, RGB(0, 0, 204), rects[2]).inside, 5);
    EXPECT_FALSE(plain->hasExplicitProperties());
    plain->release();
}

TEST(ListBoxDrawer, LinkLookLeavesTheFontAlone) {
    Pooled<drawer::listbox::win::Basic> list;
    TestIFont font(12);
    PixelCanvas c(120, 20);
    drawer::ListItemPaint row;
    row.right = 120;
    row.bottom = 20;
    row.text = L"Link";
    row.font = font.get();
    row.linkLook = true;
    HFONT before = font.get()->getHandle();
    EXPECT_GT(list->paintItem(c.dc(), &row), 0);
    EXPECT_FALSE(font.get()->isUnderline());
    EXPECT_EQ(font.get()->getHandle(), before);
    EXPECT_GT(paintertest::countColour(c, kInk, RECT{0, 0, 120, 20}).inside, 5);
}

TEST_F(MenuFixture, ButtonModeDrawsTheFirstEntryAsACombo) {
    PixelCanvas c(100, 24);
    menu->paint(c.dc(), 0, 0, 100, 24, items, rects, font.get(), nullptr, 6, 3, 0, false, true, false, false);
    EXPECT_GT(paintertest::countColour(c, kInk, RECT{0, 0, 100, 24}).inside, 5);
    s::str::strarray::StrArray* none = s::str::strarray::StrArray::create();
    PixelCanvas empty(100, 24);
    menu->paint(empty.dc(), 0, 0, 100, 24, none, rects, font.get(), nullptr, 6, 3, 0, false, true, false, false);
    EXPECT_EQ(empty.countChanged(), 0);
    none->release();
}

// ---- list header and status bar

TEST(ListHeaderDrawer, BackgroundAndCell) {
    Pooled<drawer::listheader::win::Thin> header;
    header->setColorB(10, 20, 30);
    TestIFont font(12);
    for (int s : {1, 2, 4}) {
        ScaleOverride scale(s);
        PixelCanvas c(120, 22 * s);
        header->paintBackground(c.dc(), 0, 0, 120, 22 * s, false, 0, 0, 0);
        EXPECT_EQ(c.at(60, 10), RGB(10, 20, 30));
        header->paintBackground(c.dc(), 0, 0, 60, 22 * s, true, 1, 2, 3);
        EXPECT_EQ(c.at(10, 10), RGB(1, 2, 3));
        header->paintCell(c.dc(), 0, 0, 60, 22 * s, 0, L"Name", font.get());
        EXPECT_GT(paintertest::countColour(c, kInk, RECT{0, 0, 60, 22 * s}).inside, 5);
        EXPECT_EQ(c.at(90, 10), RGB(10, 20, 30));
    }
}

TEST(StatusBarDrawer, PaintsNothingAndIsThirteenHigh) {
    Pooled<drawer::statusbar::win::Thin> status;
    status->setColor(1, 2, 3);
    PixelCanvas c(50, 20);
    status->paint(c.dc(), 0, 0, 50, 20);
    EXPECT_EQ(c.countChanged(), 0);
    EXPECT_EQ(status->getHeight(), 13);
}

}  // namespace
