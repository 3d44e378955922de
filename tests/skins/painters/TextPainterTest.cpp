#include <gtest/gtest.h>

#include <set>

#include "gui/fonts/Font.h"
#include "skins/drawers/TextDrawer.h"
#include "skins/painters/TextPainter.h"
#include "support/PixelCanvas.h"

using s::gui::win::Font;
using testsupport::kSentinel;
using testsupport::PixelCanvas;

namespace {

// A non-antialiased test face, so pixels are either the sentinel or a pass colour.
struct TestFont {
    Font* f = Font::create();
    explicit TestFont(int effect = 0, COLORREF colour = RGB(200, 0, 0)) {
        f->setFace(testsupport::kTestFace);
        f->setHeight(-16);
        f->setClearType(false);
        f->setColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
        f->setColor2(0, 0, 255);
        f->setColor3(0, 128, 0);
        f->setTextEffect(effect);
    }
    ~TestFont() { f->release(); }
};

struct TextDrawer {
    s::gui::drawer::text::win::Basic* d = s::gui::drawer::text::win::Basic::create();
    ~TextDrawer() { d->release(); }
};

const RECT kBox{10, 10, 150, 40};

std::set<COLORREF> coloursIn(const PixelCanvas& c) {
    std::set<COLORREF> out;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) out.insert(c.at(x, y));
    return out;
}

}  // namespace

TEST(TextPainter, EachEffectIsTheOverlayOfPlainRenderingsAtItsOffsets) {
    TextDrawer t;
    for (int effect = 1; effect <= 7; ++effect) {
        SCOPED_TRACE(effect);
        TestFont font(effect);
        PixelCanvas painted(170, 60);
        t.d->paint(painted.dc(), kBox.left, kBox.top, kBox.right, kBox.bottom, L"Hello, world", font.f);

        s::skins::text::EffectPass passes[9];
        const int n =
            s::skins::text::effectPasses(effect, font.f->getColor(), font.f->getColor2(), font.f->getColor3(), passes);
        ASSERT_GT(n, 1);
        PixelCanvas expected(170, 60);
        TestFont plain(0);
        for (int i = 0; i < n; ++i) {
            plain.f->setColor(GetRValue(passes[i].colour), GetGValue(passes[i].colour), GetBValue(passes[i].colour));
            t.d->paint(expected.dc(), kBox.left + passes[i].dx, kBox.top + passes[i].dy, kBox.right + passes[i].dx,
                       kBox.bottom + passes[i].dy, L"Hello, world", plain.f);
        }
        EXPECT_TRUE(painted.samePixels(expected));
        // Every changed pixel lies in the box grown by the offsets.
        const RECT r = painted.changedBounds();
        EXPECT_GE(r.left, kBox.left);
        EXPECT_GE(r.top, kBox.top - 1);
        EXPECT_LE(r.right, kBox.right + 2);
        EXPECT_LE(r.bottom, kBox.bottom + 2);
        EXPECT_GT(painted.countChanged(), 20);
    }
}

TEST(TextPainter, PassesOfTheEffectsByHand) {
    s::skins::text::EffectPass p[9];
    ASSERT_EQ(s::skins::text::effectPasses(1, 0x11, 0x22, 0x33, p), 9);
    EXPECT_EQ(p[0].dx, 0);
    EXPECT_EQ(p[0].dy, -1);
    EXPECT_EQ(p[0].colour, 0x22u);
    EXPECT_EQ(p[8].dx, 1);
    EXPECT_EQ(p[8].colour, 0x11u);
    ASSERT_EQ(s::skins::text::effectPasses(7, 0x11, 0x22, 0x33, p), 9);
    EXPECT_EQ(p[3].colour, 0x33u);
    ASSERT_EQ(s::skins::text::effectPasses(4, 0x11, 0, 0, p), 3);
    EXPECT_EQ(p[1].dy, 2);
    EXPECT_EQ(p[1].colour, 0u);
    EXPECT_EQ(s::skins::text::effectPasses(8, 0x11, 0, 0, p), 0);
    EXPECT_EQ(s::skins::text::effectPasses(-1, 0x11, 0, 0, p), 0);
}

TEST(TextPainter, ShadowIsLightUnderBlackTextAndGreyOtherwise) {
    TextDrawer t;
    TestFont black(2, RGB(0, 0, 0));
    PixelCanvas a(170, 60);
    t.d->paint(a.dc(), kBox.left, kBox.top, kBox.right, kBox.bottom, L"Shadow", black.f);
    EXPECT_EQ(coloursIn(a), (std::set<COLORREF>{kSentinel, RGB(0, 0, 0), 0xEEEEEE}));
    TestFont red(2, RGB(200, 0, 0));
    PixelCanvas b(170, 60);
    t.d->paint(b.dc(), kBox.left, kBox.top, kBox.right, kBox.bottom, L"Shadow", red.f);
    EXPECT_EQ(coloursIn(b), (std::set<COLORREF>{kSentinel, RGB(200, 0, 0), 0x777777}));
}

TEST(TextPainter, NothingForEmptyOrInvertedBoxesAndTheDcIsLeftAsFound) {
    TextDrawer t;
    TestFont font(1);
    PixelCanvas c(170, 60);
    SetTextColor(c.dc(), RGB(1, 2, 3));
    SetBkMode(c.dc(), OPAQUE);
    const auto before = testsupport::captureDcState(c.dc());
    t.d->paint(c.dc(), 10, 10, 10, 40, L"Text", font.f);
    t.d->paint(c.dc(), 10, 40, 100, 10, L"Text", font.f);
    EXPECT_EQ(c.countChanged(), 0);
    t.d->paint(c.dc(), 10, 10, 150, 40, L"Text", font.f);
    EXPECT_GT(c.countChanged(), 0);
    int32_t w, h, a, b, cc, d;
    t.d->measureInRect(c.dc(), 0, 0, 100, 100, L"Text", font.f, &w, &h);
    t.d->measure(c.dc(), L"Text", font.f, &a, &b, &cc, &d);
    EXPECT_TRUE(testsupport::captureDcState(c.dc()) == before);
}

TEST(TextPainter, TextFlagDrawsOneCentredLineWhateverTheFontSays) {
    TextDrawer t;
    TestFont font;
    font.f->setWordWrap(true);
    const wchar_t* text = L"one two three four five six seven eight nine ten";
    PixelCanvas wrapped(200, 120);
    t.d->paint(wrapped.dc(), 0, 0, 120, 120, text, font.f);
    t.d->setTextFlag(true);
    PixelCanvas single(200, 120);
    t.d->paint(single.dc(), 0, 0, 120, 120, text, font.f);
    const RECT w = wrapped.changedBounds();
    const RECT s = single.changedBounds();
    EXPECT_GT(w.bottom - w.top, 40);  // several lines from the top
    EXPECT_LT(w.top, 6);
    EXPECT_LT(s.bottom - s.top, 20);  // one line ...
    EXPECT_GT(s.top, 45);             // ... in the middle
    EXPECT_LE(s.right, 120);
}

TEST(TextPainter, MeasuredSizesGrowWithTheEffect) {
    TextDrawer t;
    PixelCanvas c(10, 10);
    TestFont plain(0);
    int32_t w0, h0;
    EXPECT_EQ(t.d->measureInRect(c.dc(), 0, 0, 300, 100, L"Measure me", plain.f, &w0, &h0), h0);
    ASSERT_GT(w0, 20);
    struct Case {
        int effect, dw, dh;
    };
    for (Case k : {Case{1, 2, 1}, Case{2, 1, 1}, Case{3, 2, 1}, Case{4, 0, 1}, Case{6, 0, 1}, Case{7, 2, 1}}) {
        TestFont f(k.effect);
        int32_t w, h;
        t.d->measureInRect(c.dc(), 0, 0, 300, 100, L"Measure me", f.f, &w, &h);
        EXPECT_EQ(w, w0 + k.dw) << k.effect;
        EXPECT_EQ(h, h0 + k.dh) << k.effect;
        int32_t a, b, cc, d;
        t.d->measure(c.dc(), L"Measure me", f.f, &a, &b, &cc, &d);
        EXPECT_EQ(a, w0 + k.dw);
        EXPECT_EQ(cc, w0 + k.dw);
        EXPECT_EQ(b, h0 + k.dh);
        EXPECT_EQ(d, h0 + k.dh);
    }
}

TEST(TextPainter, MeasuringAWrappingFontGivesTheWidestWord) {
    TextDrawer t;
    PixelCanvas c(10, 10);
    TestFont f;
    int32_t wordW, wordH, allW, allH;
    t.d->measureInRect(c.dc(), 0, 0, 1000, 100, L"extraordinarily", f.f, &wordW, &wordH);
    t.d->measureInRect(c.dc(), 0, 0, 1000, 100, L"a extraordinarily b", f.f, &allW, &allH);
    f.f->setWordWrap(true);
    int32_t a, b, cc, d;
    t.d->measure(c.dc(), L"a extraordinarily b", f.f, &a, &b, &cc, &d);
    EXPECT_EQ(a, wordW);
    EXPECT_EQ(cc, allW);
    EXPECT_EQ(b, allH);
    EXPECT_EQ(d, 0);
    // With end ellipsis and no wrap, the first output is 1.
    f.f->setWordWrap(false);
    f.f->setEndEllipsis(true);
    t.d->measure(c.dc(), L"a extraordinarily b", f.f, &a, &b, &cc, &d);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(cc, allW);
}

TEST(TextPainter, AmpersandsAreShownAsTheyAre) {
    TextDrawer t;
    PixelCanvas c(10, 10);
    TestFont f;
    int32_t one, two, h;
    t.d->measureInRect(c.dc(), 0, 0, 300, 100, L"A&B", f.f, &one, &h);
    t.d->measureInRect(c.dc(), 0, 0, 300, 100, L"AB", f.f, &two, &h);
    EXPECT_GT(one, two);
}
