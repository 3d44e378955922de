#include <gtest/gtest.h>

#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"

using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;

namespace {

BufferedImage* filled(int w, int h, uint32_t pixel, bool alpha = false)
{
    BufferedImage* img = BufferedImage::createSized(w, h);
    img->fill(uint8_t(pixel >> 24), uint8_t(pixel >> 16), uint8_t(pixel >> 8), uint8_t(pixel));
    img->setHasAlpha(alpha);
    return img;
}

}  // namespace

TEST(BufferedImageSet, MainFrameIsTheLargestThenTheDeepest)
{
    struct Frame { int w, h, depth; };
    struct Case { std::vector<Frame> frames; int main; } cases[] = {
        {{{32, 32, 8}, {32, 32, 32}}, 1},
        {{{32, 32, 32}, {32, 32, 8}}, 0},
        {{{48, 48, 8}, {16, 16, 32}}, 0},
        {{{16, 16, 32}, {48, 48, 4}, {48, 48, 4}}, 1},
    };
    for (const Case& c : cases) {
        BufferedImageSet* set = BufferedImageSet::create();
        for (const Frame& f : c.frames) set->addFrame(filled(f.w, f.h, 0xFF000000), f.depth, 10, 0);
        EXPECT_EQ(set->getMainIndex(), c.main);
        EXPECT_EQ(set->getWidth(), c.frames[size_t(c.main)].w);
        EXPECT_EQ(set->getMainFrame(), set->getFrame(c.main));
        set->release();
    }
}

TEST(BufferedImageSet, ValuesLookupsAndCopies)
{
    BufferedImageSet* set = BufferedImageSet::create();
    set->addFrame(nullptr, 32, 0, 0);  // ignored
    set->addFrame(filled(16, 16, 0xFF112233), 32, 70, 1);
    set->addFrame(filled(48, 48, 0xFF445566), 8, 80, 2);
    set->setAnimation(true, 3);
    EXPECT_EQ(set->getFrameCount(), 2);
    EXPECT_EQ(set->getDelay(1), 80);
    EXPECT_EQ(set->getDisposal(0), 1);
    EXPECT_EQ(set->getDelay(2), 1000);
    EXPECT_EQ(set->getDisposal(-1), 1000);

    int index = -1;
    EXPECT_TRUE(set->findFrame(48, 48, 8, &index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(set->findFrame(48, 48, 32, &index));
    EXPECT_EQ(index, 0);
    EXPECT_TRUE(set->findBestFrameByDepth(32, 32, 32, &index));
    EXPECT_EQ(index, 0);  // depth distance 0 wins
    EXPECT_TRUE(set->findBestFrameBySize(32, 32, 32, &index));
    EXPECT_EQ(index, 0);  // area distance 768 against 1280
    EXPECT_TRUE(set->findBestFrameBySize(40, 40, 32, &index));
    EXPECT_EQ(index, 1);

    BufferedImageSet* copy = set->copy();
    ASSERT_EQ(copy->getFrameCount(), 2);
    EXPECT_NE(copy->getFrame(0), set->getFrame(0));
    EXPECT_EQ(copy->getFrame(1)->getRow(47)[47], 0xFF445566u);
    EXPECT_EQ(copy->getDelay(0), 70);
    EXPECT_TRUE(copy->isAnimated());
    EXPECT_EQ(copy->getLoopCount(), 3);
    EXPECT_EQ(copy->getMainIndex(), 1);

    BufferedImageSet* scaled = set->scaledCopy(8, 8, false);
    ASSERT_EQ(scaled->getFrameCount(), 2);
    EXPECT_EQ(scaled->getFrame(1)->getWidth(), 8);
    EXPECT_EQ(scaled->getFrame(1)->getRow(3)[3], 0xFF445566u);
    EXPECT_EQ(scaled->getDisposal(1), 2);

    BufferedImageSet* empty = BufferedImageSet::create();
    EXPECT_FALSE(empty->findBestFrameByDepth(1, 1, 1, &index));
    EXPECT_EQ(empty->getMainFrame(), nullptr);

    // clear forgets the frames without releasing them; their holder keeps them.
    BufferedImage* kept = filled(2, 2, 0xFF000000);
    BufferedImageSet* holder = BufferedImageSet::fromImage(kept);
    holder->clear();
    EXPECT_EQ(holder->getFrameCount(), 0);
    EXPECT_EQ(kept->getWidth(), 2);
    kept->release();

    for (BufferedImageSet* s : {set, copy, scaled, empty, holder}) s->release();
}

namespace {

// A 4 x 4 canvas frame 0 (black), and a 2 x 2 frame 1 at (2, 2) half red; frame 2 is a
// 1 x 1 blue pixel at (0, 0). The disposal of frame 1 decides frame 2's background.
BufferedImageSet* threeFrames(int disposal0, int disposal1)
{
    BufferedImageSet* set = BufferedImageSet::create();
    set->addFrame(filled(4, 4, 0xFF000000), 32, 10, disposal0);
    set->addFrameAt(filled(2, 2, 0xFFFF0000), 32, 20, disposal1, 2, 2);
    set->addFrameAt(filled(1, 1, 0xFF0000FF), 32, 30, 0, 0, 0);
    set->setAnimation(true, 5);
    return set;
}

}  // namespace

TEST(BufferedImageSet, CoalesceComposesEachFrameOverWhatThePreviousDisposalLeaves)
{
    const uint32_t black = 0xFF000000, red = 0xFFFF0000, blue = 0xFF0000FF, clear = 0;
    struct Case { int disposal0, disposal1; uint32_t frame2At22, frame2At11; } cases[] = {
        {0, 0, red, black},    // keep: red stays under frame 2
        {1, 1, red, black},
        {1, 2, clear, black},  // frame 1's area cleared to the background
        {1, 3, black, black},  // restored to the picture before frame 1
    };
    for (const Case& c : cases) {
        BufferedImageSet* set = threeFrames(c.disposal0, c.disposal1);
        BufferedImageSet* out = set->coalesce();
        ASSERT_EQ(out->getFrameCount(), 3);
        EXPECT_TRUE(out->isAnimated());
        EXPECT_EQ(out->getLoopCount(), 5);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(out->getFrame(i)->getWidth(), 4);
            EXPECT_EQ(out->getFrame(i)->getHeight(), 4);
            EXPECT_EQ(out->getDelay(i), (i + 1) * 10);
        }
        EXPECT_EQ(out->getDisposal(0), c.disposal0);
        EXPECT_EQ(out->getDisposal(2), 2);
        // Frame 1 placed at its offset over frame 0.
        EXPECT_EQ(out->getFrame(1)->getRow(0)[0], black);
        EXPECT_EQ(out->getFrame(1)->getRow(2)[2], red);
        EXPECT_EQ(out->getFrame(1)->getRow(3)[3], red);
        EXPECT_EQ(out->getFrame(1)->getRow(1)[1], black);
        // Frame 2.
        BufferedImage* f2 = out->getFrame(2);
        EXPECT_EQ(f2->getRow(0)[0], blue);
        EXPECT_EQ(f2->getRow(2)[2], c.frame2At22) << c.disposal1;
        EXPECT_EQ(f2->getRow(3)[3], c.frame2At22) << c.disposal1;
        EXPECT_EQ(f2->getRow(1)[1], c.frame2At11);
        EXPECT_EQ(f2->hasAlpha(), c.frame2At22 == clear);
        // The source set is untouched.
        EXPECT_EQ(set->getFrame(0)->getRow(2)[2], black);
        out->release();
        set->release();
    }
}

TEST(BufferedImageSet, CoalesceBlendsAlphaFramesAndCutsLargerOnes)
{
    BufferedImageSet* set = BufferedImageSet::create();
    set->addFrame(filled(3, 2, 0xFF204060), 32, 0, 0);
    set->addFrame(filled(5, 5, 0x80FF0000, true), 32, 0, 1);
    set->addFrame(filled(3, 2, 0x00000000, true), 32, 0, 1);
    BufferedImageSet* out = set->coalesce();
    ASSERT_EQ(out->getFrameCount(), 3);
    EXPECT_EQ(out->getFrame(0)->getRow(0)[0], 0xFF204060u);
    EXPECT_EQ(out->getFrame(1)->getWidth(), 3);
    EXPECT_EQ(out->getFrame(1)->getHeight(), 2);
    EXPECT_EQ(out->getFrame(1)->getRow(1)[2], 0xFF8F2030u);
    EXPECT_EQ(out->getFrame(2)->getRow(1)[2], 0xFF8F2030u);  // transparent frame leaves it
    EXPECT_EQ(out->getDisposal(1), 2);
    out->release();
    set->release();
}
