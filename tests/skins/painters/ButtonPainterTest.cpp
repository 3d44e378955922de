#include <gtest/gtest.h>

#include <string>

#include "gui/fonts/Font.h"
#include "skins/drawers/ButtonDrawer.h"
#include "skins/painters/BorderPainter.h"
#include "skins/painters/PaintSupport.h"
#include "support/PixelCanvas.h"

using s::skins::border::tint;
using testsupport::checkPixels;
using testsupport::kSentinel;
using testsupport::PixelCanvas;
using testsupport::ScaleOverride;

namespace {

const COLORREF kLine = RGB(120, 120, 120);

struct Button {
    s::gui::drawer::button::win::Thin* d = s::gui::drawer::button::win::Thin::create();
    ~Button() { d->release(); }
};

struct TestFont {
    s::gui::win::Font* f = s::gui::win::Font::create();
    TestFont() {
        f->setFace(testsupport::kTestFace);
        f->setHeight(-12);
        f->setClearType(false);
        f->setColor(0, 0, 200);
    }
    ~TestFont() { f->release(); }
};

bool onlyColour(const PixelCanvas& c, COLORREF colour) {
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.at(x, y) != kSentinel && c.at(x, y) != colour) return false;
    return true;
}

}  // namespace

TEST(ButtonFace, BorderStateFollowsThePointerStateAndToggling) {
    ScaleOverride scale(1);
    struct Case {
        int state;
        bool toggled;
        int borderState;
    };
    // Face on: pointer state 0 -> lit border (1), 1 -> raised (0), 2 -> pressed (2);
    // toggled swaps 1 and 2.
    for (Case k : {Case{0, false, 1}, Case{1, false, 0}, Case{2, false, 2}, Case{1, true, 2}, Case{2, true, 0}}) {
        Button b;
        b.d->setCornerStyle(0);
        PixelCanvas face(30, 20), border(30, 20);
        b.d->paintFace(face.dc(), 0, 0, 30, 20, k.state, nullptr, true, nullptr, true, k.toggled, false);
        auto* plain = s::gui::drawer::border::win::Thin::create();
        if (k.toggled) s::skins::fillSolid(border.dc(), 1, 1, 28, 18, kLine);
        plain->paint(border.dc(), 0, 0, 30, 20, k.borderState, 0, 120, 120, 120);
        plain->release();
        EXPECT_TRUE(face.samePixels(border)) << "state " << k.state << " toggled " << k.toggled;
    }
}

TEST(ButtonFace, GlyphColoursByEnabledAndToggled) {
    ScaleOverride scale(1);
    Button b;
    b.d->setLineColor(10, 20, 30);
    b.d->setIdleLineColor(40, 50, 60);
    b.d->setToggledLineColor(70, 80, 90);
    TestFont font;
    struct Case {
        bool enabled, toggled;
        COLORREF glyph;
    };
    for (Case k : {Case{true, false, RGB(10, 20, 30)}, Case{false, false, RGB(40, 50, 60)},
                   Case{true, true, RGB(0, 0, 200)}, Case{false, true, RGB(0, 0, 200)}}) {
        PixelCanvas c(30, 30);
        // Face off and not resting: no border, only the glyph (and the toggled fill).
        b.d->paintFace(c.dc(), 0, 0, 30, 30, 0, L"#Stop", false, font.f, k.enabled, k.toggled, false);
        EXPECT_EQ(c.at(15, 15), k.glyph) << k.enabled << k.toggled;
    }
}

TEST(ButtonFace, PressShiftMovesTheGlyph) {
    for (int s : {1, 2}) {
        ScaleOverride scale(s);
        Button b;
        b.d->setPressShift(true);
        RECT bounds[3];
        for (int state = 0; state < 3; ++state) {
            PixelCanvas c(60, 60);
            b.d->paintFace(c.dc(), 0, 0, 60, 60, state, L"#Stop", false, nullptr, true, false, false);
            bounds[state] = c.changedBounds();
        }
        EXPECT_EQ(bounds[1].left, bounds[0].left - s);
        EXPECT_EQ(bounds[1].top, bounds[0].top - s);
        EXPECT_EQ(bounds[2].left, bounds[0].left + s);
        EXPECT_EQ(bounds[2].bottom, bounds[0].bottom + s);
    }
}

TEST(ButtonFace, UnknownGlyphNamesArePaintedAsText) {
    ScaleOverride scale(1);
    Button b;
    TestFont font;
    for (const wchar_t* caption : {L"#", L"#Nope", L"#Color-", L"#Color-xyz"}) {
        PixelCanvas glyph(60, 30);
        EXPECT_FALSE(b.d->paintGlyph(glyph.dc(), 0, 0, 60, 30, caption, 0, 0, 0));
        EXPECT_EQ(glyph.countChanged(), 0);
        PixelCanvas face(60, 30);
        b.d->paintFace(face.dc(), 0, 0, 60, 30, 0, caption, false, font.f, true, false, false);
        EXPECT_GT(face.countChanged(), 0) << "text drawn";
        EXPECT_TRUE(onlyColour(face, RGB(0, 0, 200)));
    }
    // Without a font an unknown caption draws nothing; without a caption only the face.
    PixelCanvas none(60, 30);
    b.d->paintFace(none.dc(), 0, 0, 60, 30, 0, L"plain", false, nullptr, true, false, false);
    b.d->paintFace(none.dc(), 0, 0, 60, 30, 0, nullptr, false, font.f, true, false, false);
    EXPECT_EQ(none.countChanged(), 0);
}

TEST(ButtonFace, NothingForEmptyRectanglesAndTheDcIsLeftAsFound) {
    Button b;
    TestFont font;
    PixelCanvas c(40, 40);
    const auto before = testsupport::captureDcState(c.dc());
    b.d->paintFace(c.dc(), 10, 10, 10, 30, 0, L"Text", true, font.f, true, true, false);
    b.d->paintFace(c.dc(), 10, 30, 30, 10, 0, L"Text", true, font.f, true, true, false);
    EXPECT_EQ(c.countChanged(), 0);
    b.d->paintFace(c.dc(), 0, 0, 40, 40, 1, L"Text", true, font.f, true, true, true);
    EXPECT_GT(c.countChanged(), 0);
    EXPECT_TRUE(testsupport::captureDcState(c.dc()) == before);
}

TEST(Glyphs, PixelsByHand) {
    ScaleOverride scale(1);
    Button b;
    const COLORREF c = RGB(255, 0, 0);
    struct Case {
        const wchar_t* name;
        std::initializer_list<testsupport::PixelCase> pixels;
    };
    // Rectangle (0, 0, 20, 20): L = T = 1, R = B = 19, Wd = Ht = 18, y80 = 15; one-pixel
    // inset iw = ih = 18, kx = ky = 1.
    const Case cases[] = {
        {L"#_",
         {{1, 15, c}, {18, 16, c}, {0, 15, kSentinel}, {19, 15, kSentinel}, {1, 14, kSentinel}, {1, 17, kSentinel}}},
        {L"#Stop", {{1, 1, c}, {18, 18, c}, {0, 0, kSentinel}, {19, 19, kSentinel}}},
        // d = 2, u = 16: bar (1, 9, 18, 2).
        {L"#Minus", {{1, 9, c}, {18, 10, c}, {1, 8, kSentinel}, {1, 11, kSentinel}, {0, 9, kSentinel}}},
        // Plus adds v = 8: (9, 1, 2, 18).
        {L"#Plus", {{9, 1, c}, {10, 18, c}, {8, 2, kSentinel}, {11, 2, kSentinel}, {1, 9, c}}},
        {L"#.", {{17, 15, c}, {18, 16, c}, {16, 15, kSentinel}}},
        // Swatch of blue (COLORREF 0x00ff0000 written as eight hex digits) in a black frame.
        {L"#Color-00ff0000",
         {{1, 1, RGB(0, 0, 0)},
          {2, 2, RGB(0, 0, 255)},
          {17, 17, RGB(0, 0, 255)},
          {18, 18, RGB(0, 0, 0)},
          {19, 19, kSentinel},
          {0, 0, kSentinel}}},
    };
    for (const Case& k : cases) {
        PixelCanvas canvas(22, 22);
        EXPECT_TRUE(b.d->paintGlyph(canvas.dc(), 0, 0, 20, 20, k.name, 255, 0, 0));
        EXPECT_EQ(checkPixels(canvas, k.pixels.begin(), k.pixels.size()), "") << std::wstring(k.name).c_str();
    }
}

TEST(Glyphs, SmallAndLargeFormsOfCheckSpeakerAndMute) {
    Button b;
    int counts[3][3];
    const wchar_t* names[3] = {L"#Check", L"#Speaker", L"#Mute"};
    const int scales[3] = {1, 2, 4};
    for (int si = 0; si < 3; ++si) {
        ScaleOverride scale(scales[si]);
        for (int g = 0; g < 3; ++g) {
            PixelCanvas c(30 * scales[si], 30 * scales[si]);
            ASSERT_TRUE(b.d->paintGlyph(c.dc(), 0, 0, 20 * scales[si], 20 * scales[si], names[g], 0, 0, 255));
            counts[si][g] = c.countChanged();
        }
    }
    // The one-pixel tick: two columns of 3 and five of 3.
    EXPECT_EQ(counts[0][0], 21);
    // The larger forms are the same at 2 and 4 for the speaker and the mute (unscaled
    // pixel sizes) and grow for the tick (scaled strokes).
    EXPECT_GT(counts[1][1], counts[0][1]);
    EXPECT_EQ(counts[1][1], counts[2][1]);
    EXPECT_EQ(counts[1][2], counts[2][2]);
    EXPECT_GT(counts[2][0], counts[1][0]);
}

TEST(Glyphs, EveryNameDrawsInItsColourAtEveryScale) {
    const wchar_t* names[] = {
        L"#_",         L"#Transform", L"#.",       L"#X",          L"#\u25A1",      L"#\u2199",     L"#Play",
        L"#Pause",     L"#Stop",      L"#Speaker", L"#Mute",       L"#Right",       L"#RightRight", L"#Left",
        L"#LeftLeft",  L"#Down",      L"#Up",      L"#ThumbLineV", L"#ThumbLineH",  L"#Minus",      L"#Plus",
        L"#PlusMinus", L"#Check",     L"#Next",    L"#Prev",       L"#Resizer",     L"#TreeClosed", L"#TreeOpen",
        L"#TurnRight", L"#TurnLeft",  L"#OnTop",   L"#FitWindow",  L"#FitToWindow", L"#Palm",       L"#KeepRatio"};
    Button b;
    for (int s : {1, 2, 4}) {
        ScaleOverride scale(s);
        for (const wchar_t* name : names) {
            PixelCanvas c(40 * s, 40 * s);
            const int x0 = 4 * s, y0 = 4 * s, x1 = x0 + 24 * s, y1 = y0 + 24 * s;
            ASSERT_TRUE(b.d->paintGlyph(c.dc(), x0, y0, x1, y1, name, 0, 128, 0)) << s;
            EXPECT_GT(c.countChanged(), 0) << s;
            EXPECT_TRUE(onlyColour(c, RGB(0, 128, 0))) << s;
            const RECT r = c.changedBounds();
            const int slack = std::wstring(name) == L"#Resizer" ? 2 * s : 0;
            EXPECT_GE(r.left, x0);
            EXPECT_GE(r.top, y0);
            EXPECT_LE(r.right, x1 + slack);
            EXPECT_LE(r.bottom, y1 + slack);
        }
    }
}
