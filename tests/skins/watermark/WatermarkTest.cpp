#include <gtest/gtest.h>

#include <algorithm>

#include "imaging/filters/Watermark.h"
#include "imaging/image/BufferedImage.h"
#include "skins/drawers/InstallDrawers.h"
#include "skins/watermark/WatermarkRenderer.h"
#include "support/PixelCanvas.h"

using s::image::filters::watermark::Watermark;
using s::image::win::BufferedImage;

namespace {

struct Installed {
    Installed() { s::skins::installDefaultDrawers(); }
};
const Installed installed;

BufferedImage* picture(int w, int h, uint32_t argb, bool alpha) {
    BufferedImage* p = BufferedImage::createSized(w, h);
    p->fill(uint8_t(argb >> 24), uint8_t(argb >> 16), uint8_t(argb >> 8), uint8_t(argb));
    p->setHasAlpha(alpha);
    return p;
}

struct Mark {
    Watermark* w = Watermark::create();
    explicit Mark(const wchar_t* text = L"Glimmer 2026") {
        w->text = text;
        w->fontFace = testsupport::kTestFace;
        w->fontSize = 14;
        w->textRed = 200;
    }
    ~Mark() { w->release(); }
    RECT box(int W, int H) {
        int32_t tw = 0, th = 0;
        EXPECT_TRUE(s::skins::watermark::textBox(*w, &tw, &th));
        const int x = w->position == Watermark::kBottomLeft ? 0 : W - tw;
        return RECT{x, H - th, x + tw, H};
    }
};

// Pixels that differ between two pictures of one size, as their bounds; counts them.
RECT changed(BufferedImage* a, BufferedImage* b, int* count) {
    RECT r{a->getWidth(), a->getHeight(), -1, -1};
    *count = 0;
    for (int y = 0; y < a->getHeight(); ++y)
        for (int x = 0; x < a->getWidth(); ++x)
            if (a->getRow(y)[x] != b->getRow(y)[x]) {
                ++*count;
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    return r;
}

bool inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool allOpaque(BufferedImage* p) {
    for (int y = 0; y < p->getHeight(); ++y)
        for (int x = 0; x < p->getWidth(); ++x)
            if ((p->getRow(y)[x] >> 24) != 255) return false;
    return true;
}

}  // namespace

TEST(Watermark, EmptyTextGivesAPlainCopy) {
    Mark m(L"");
    BufferedImage* src = picture(60, 40, 0x80102030, true);
    BufferedImage* out = m.w->apply(src, nullptr);
    ASSERT_NE(out, nullptr);
    int n;
    changed(src, out, &n);
    EXPECT_EQ(n, 0);
    EXPECT_TRUE(out->hasAlpha());
    out->release();
    src->release();
}

TEST(Watermark, OpaquePictureStaysOpaqueAndChangesOnlyInsideTheBox) {
    for (int position : {Watermark::kBottomRight, Watermark::kBottomLeft}) {
        for (bool transparent : {true, false}) {
            SCOPED_TRACE(testing::Message() << "position " << position << " transparent " << transparent);
            Mark m;
            m.w->position = position;
            m.w->transparentBackground = transparent;
            m.w->backGreen = 90;
            BufferedImage* src = picture(200, 100, 0xFF405060, false);
            BufferedImage* out = m.w->apply(src, nullptr);
            ASSERT_NE(out, nullptr);
            int n;
            const RECT r = changed(src, out, &n);
            const RECT box = m.box(200, 100);
            EXPECT_GT(n, 30);
            EXPECT_TRUE(inside(r, box)) << r.left << "," << r.top << " " << r.right << "," << r.bottom;
            EXPECT_TRUE(allOpaque(out));
            EXPECT_FALSE(out->hasAlpha());
            if (!transparent) {
                EXPECT_EQ(out->getRow(box.bottom - 1)[box.left], 0xFF005A00u);  // back colour
            }
            out->release();
            src->release();
        }
    }
}

TEST(Watermark, OtherPositionsDrawNothing) {
    for (int position : {0, 1, 2, 5}) {
        Mark m;
        m.w->position = position;
        for (uint32_t argb : {0xFF405060u, 0x80405060u}) {
            BufferedImage* src = picture(120, 60, argb, argb >> 24 != 255);
            BufferedImage* out = m.w->apply(src, nullptr);
            int n;
            changed(src, out, &n);
            EXPECT_EQ(n, 0) << position;
            out->release();
            src->release();
        }
    }
}

TEST(Watermark, AlphaPictureThroughALayerWithoutTheKeyColour) {
    struct Case {
        int r, g, b;
        uint32_t key;
    };
    // The key moves away from the text colour: 255,0,255 normally, 119,0,119 under
    // magenta text.
    for (Case k : {Case{200, 0, 0, 0xFF00FF}, Case{255, 0, 255, 0x770077}}) {
        Mark m;
        m.w->textRed = k.r;
        m.w->textGreen = k.g;
        m.w->textBlue = k.b;
        EXPECT_EQ(uint32_t(s::skins::watermark::keyLevel(RGB(k.r, k.g, k.b), 0xFFFFFF)), k.key & 0xFF);
        BufferedImage* src = picture(200, 100, 0x80102030, true);
        BufferedImage* out = m.w->apply(src, nullptr);
        ASSERT_NE(out, nullptr);
        int n;
        const RECT r = changed(src, out, &n);
        EXPECT_GT(n, 30);
        EXPECT_TRUE(inside(r, m.box(200, 100)));
        EXPECT_TRUE(out->hasAlpha());
        int keyPixels = 0, textPixels = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 200; ++x) {
                const uint32_t rgb = out->getRow(y)[x] & 0xFFFFFF;
                keyPixels += rgb == k.key;
                textPixels += rgb == (uint32_t(k.r) << 16 | uint32_t(k.g) << 8 | uint32_t(k.b));
            }
        EXPECT_EQ(keyPixels, 0);
        EXPECT_GT(textPixels, 0);
        out->release();
        src->release();
    }
}

TEST(Watermark, HalfOpacityBlendsIntoAnOpaquePicture) {
    Mark m;
    m.w->outline = false;
    m.w->opacity = 50;
    m.w->textRed = 255;
    BufferedImage* src = picture(200, 100, 0xFF000000, false);
    BufferedImage* out = m.w->apply(src, nullptr);
    int n;
    const RECT r = changed(src, out, &n);
    EXPECT_TRUE(inside(r, m.box(200, 100)));
    EXPECT_TRUE(allOpaque(out));
    int half = 0, full = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const uint32_t red = (out->getRow(y)[x] >> 16) & 0xFF;
            half += red > 100 && red < 160;
            full += red == 255;
        }
    EXPECT_GT(half, 0);
    EXPECT_EQ(full, 0);
    out->release();
    src->release();
}

TEST(Watermark, RunsInTheFilterChain) {
    BufferedImage* src = picture(150, 80, 0xFF203040, false);
    Watermark* w = Watermark::create();
    w->text = L"chain";
    w->fontFace = testsupport::kTestFace;
    w->fontSize = 12;
    src->addFilter(w);
    BufferedImage* shown = src->getFiltered();
    ASSERT_NE(shown, nullptr);
    int n;
    changed(src, shown, &n);
    EXPECT_GT(n, 0);
    src->release();  // the filter goes with the image
}

TEST(Watermark, WithoutARendererTheFilterCopies) {
    auto saved = s::image::filters::watermark::getRenderer();
    s::image::filters::watermark::setRenderer(nullptr);
    Mark m;
    BufferedImage* src = picture(60, 40, 0xFF405060, false);
    BufferedImage* out = m.w->apply(src, nullptr);
    int n;
    changed(src, out, &n);
    EXPECT_EQ(n, 0);
    out->release();
    src->release();
    s::image::filters::watermark::setRenderer(saved);
}
