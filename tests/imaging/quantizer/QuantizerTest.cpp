#include <gtest/gtest.h>

#include <random>
#include <set>
#include <vector>

#include "imaging/filters/Quantizer.h"
#include "imaging/image/BufferedImage.h"

using s::image::filters::reduction::Quantizer;
using s::image::win::BufferedImage;

namespace {

BufferedImage* picture(int w, int h, const std::vector<uint32_t>& colours, uint32_t seed) {
    BufferedImage* img = BufferedImage::createSized(w, h);
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img->getRow(y)[x] = colours[rng() % colours.size()];
    return img;
}

std::vector<uint32_t> randomColours(size_t n, uint32_t seed) {
    std::mt19937 rng(seed);
    std::set<uint32_t> s;
    while (s.size() < n) s.insert(0xFF000000u | (rng() & 0xFFFFFF));
    return std::vector<uint32_t>(s.begin(), s.end());
}

// The nearest entry by a plain search of the whole palette (ties keep the earlier one).
int bruteNearest(const Quantizer* q, uint32_t p) {
    int best = 200000, index = 0;
    for (int i = 0; i < q->getColourCount(); ++i) {
        uint32_t c = q->getPalette()[i];
        int dr = int((p >> 16) & 255) - int((c >> 16) & 255), dg = int((p >> 8) & 255) - int((c >> 8) & 255),
            db = int(p & 255) - int(c & 255);
        int d = dr * dr + dg * dg + db * db;
        if (d < best) {
            best = d;
            index = i;
        }
    }
    return index;
}

}  // namespace

TEST(Quantizer, KeepsUpTo256ColoursExactly) {
    for (size_t count : {1u, 10u, 200u, 256u}) {
        SCOPED_TRACE(count);
        std::vector<uint32_t> colours = randomColours(count, uint32_t(count));
        BufferedImage* img = picture(64, 48, colours, 5);
        Quantizer* q = Quantizer::create();
        ASSERT_TRUE(q->build(img, count == 256 ? 256 : 255));
        EXPECT_EQ(q->getColourCount(), int(count));
        std::set<uint32_t> pal;
        for (int i = 0; i < q->getColourCount(); ++i) pal.insert(q->getPalette()[i] | 0xFF000000u);
        EXPECT_EQ(pal, std::set<uint32_t>(colours.begin(), colours.end()));
        std::vector<uint8_t> out(64);
        for (int y = 0; y < 48; ++y) {
            q->mapRow(img->getRow(y), 64, out.data(), 8);
            for (int x = 0; x < 64; ++x)
                ASSERT_EQ(q->getPalette()[out[size_t(x)]] | 0xFF000000u, img->getRow(y)[x]);
        }
        q->release();
        img->release();
    }
}

TEST(Quantizer, ManyColoursReduceToTheCountAskedFor) {
    std::vector<uint32_t> colours = randomColours(1000, 9);
    BufferedImage* img = picture(100, 100, colours, 1);
    for (int n : {15, 7, 1, 100, 255}) {
        SCOPED_TRACE(n);
        Quantizer* q = Quantizer::create();
        ASSERT_TRUE(q->build(img, n));
        EXPECT_EQ(q->getColourCount(), n);
        EXPECT_EQ(q->getPaletteSize(), n);
        // The search through the cell cache gives the plain search's answer, and 4-bit
        // output packs two indices a byte.
        std::vector<uint8_t> out(100), packed(50);
        for (int y = 0; y < 100; ++y) {
            q->mapRow(img->getRow(y), 100, out.data(), 8);
            for (int x = 0; x < 100; ++x) ASSERT_EQ(out[size_t(x)], bruteNearest(q, img->getRow(y)[x]));
            if (n <= 15) {
                q->mapRow(img->getRow(y), 100, packed.data(), 4);
                for (int x = 0; x < 100; ++x) ASSERT_EQ((packed[size_t(x / 2)] >> (x % 2 ? 0 : 4)) & 15, out[size_t(x)]);
            }
        }
        q->release();
    }
    // Every colour of a smooth range against the cell cache.
    Quantizer* q = Quantizer::create();
    ASSERT_TRUE(q->build(img, 64));
    std::vector<uint32_t> sweep;
    for (uint32_t v = 0; v < (1u << 24); v += 4099) sweep.push_back(0xFF000000u | v);
    std::vector<uint8_t> out(sweep.size());
    q->mapRow(sweep.data(), int(sweep.size()), out.data(), 8);
    for (size_t i = 0; i < sweep.size(); ++i) ASSERT_EQ(out[i], bruteNearest(q, sweep[i])) << std::hex << sweep[i];
    q->release();
    img->release();
}

TEST(Quantizer, PooledQuantizerHoldsOnlyThisPicturesColours) {
    std::vector<uint32_t> many = randomColours(300, 2);
    BufferedImage* first = picture(40, 40, many, 3);
    Quantizer* q = Quantizer::create();
    ASSERT_TRUE(q->build(first, 255));
    q->release();
    first->release();

    std::vector<uint32_t> three = {0xFF102030u, 0xFFFFFFFFu, 0xFF000000u};
    BufferedImage* second = picture(20, 10, three, 4);
    second->getRow(0)[0] = 0x00123456u;  // transparent: not a colour of the picture
    second->setHasAlpha(true);
    Quantizer* again = Quantizer::create();
    ASSERT_TRUE(again->build(second, 255));
    EXPECT_EQ(again->getColourCount(), 3);
    for (int i = 3; i < 256; ++i) ASSERT_EQ(again->getPalette()[i], 0u) << i;
    std::vector<uint8_t> out(20);
    for (int y = 0; y < 10; ++y) {
        again->mapRow(second->getRow(y), 20, out.data(), 8);
        for (int x = 0; x < 20; ++x) {
            if (x == 0 && y == 0)
                EXPECT_EQ(out[0], 255);
            else
                ASSERT_EQ(again->getPalette()[out[size_t(x)]] | 0xFF000000u, second->getRow(y)[x]);
        }
    }
    again->release();
    second->release();
}

TEST(Quantizer, TransparentOrEmptyPictures) {
    BufferedImage* clear = BufferedImage::createSized(8, 8);
    clear->fill(0, 1, 2, 3);
    Quantizer* q = Quantizer::create();
    ASSERT_TRUE(q->build(clear, 16));
    EXPECT_EQ(q->getColourCount(), 0);
    std::vector<uint8_t> out(8);
    q->mapRow(clear->getRow(0), 8, out.data(), 8);
    for (uint8_t v : out) EXPECT_EQ(v, 16);
    EXPECT_FALSE(q->build(nullptr, 16));
    EXPECT_FALSE(q->build(clear, 0));
    q->release();
    clear->release();
}
