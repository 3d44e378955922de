// The picture view in a real window: what it paints (picture, colour, grid, frame), the
// frame's share of the size, a set swapped from another thread while the view paints and
// exports, the frame clock of an animation, pausing from another thread, and exports of
// a filtered, zoomed picture.
#include <windows.h>

#include <gtest/gtest.h>
#include <winspool.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "foundation/thread/Pool.h"
#include "gui/box/Box.h"
#include "gui/controls/Image.h"
#include "gui/drawer/DefaultDrawers.h"
#include "gui/window/WindowTestSupport.h"
#include "imaging/codec/EncodedImage.h"
#include "imaging/filters/ColorFilters.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"
#include "imaging/settings/EncodeSetting.h"
#include "platform/system/Screen.h"
#include "support/PaperPrinter.h"

namespace {

namespace LayoutKind = s::gui::LayoutKind;
using s::gui::win::Box;
using s::gui::win::Image;
using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using windowtest::waitFor;

// The picture drawer the skins install, in small: a black frame of the screen scale per
// side, then the picture (through its filters) copied, or blended into the canvas.
class TestImageDrawer : public s::gui::drawer::image::IBasic, public s::thread::IPoolable {
    S_POOLED(TestImageDrawer, L"test_ImageDrawer")
public:
    static inline std::atomic<int> releasedFramesPainted{0};
    void reset() override {}
    void paint(HDC dc, BufferedImage* canvas, int32_t left, int32_t top, int32_t right, int32_t bottom,
               s::image::IBufferedImage* picture, bool stretch, bool framed, bool blendAlpha) override {
        if (left >= right || top >= bottom || !picture) return;
        // A frame given back to its pool has no pixels left.
        auto* given = dynamic_cast<BufferedImage*>(picture);
        if (!given || !given->hasPixels() || given->getWidth() == 0) ++releasedFramesPainted;
        int32_t x = left, y = top, w = right - left, h = bottom - top;
        if (framed) {
            const int32_t s = s::system::getScreenScale();
            HBRUSH black = CreateSolidBrush(0);
            const RECT edges[] = {{left, top, right, top + s},
                                  {left, bottom - s, right, bottom},
                                  {left, top, left + s, bottom},
                                  {right - s, top, right, bottom}};
            for (const RECT& e : edges) FillRect(dc, &e, black);
            DeleteObject(black);
            x += s;
            y += s;
            w -= 2 * s;
            h -= 2 * s;
        }
        if (w <= 0 || h <= 0) return;
        s::image::IBufferedImage* shown = picture->hasFilters() ? picture->getFiltered() : picture;
        auto* img = dynamic_cast<BufferedImage*>(shown);
        if (blendAlpha && shown->hasAlpha() && canvas && img) {
            GdiFlush();
            canvas->paste(x, y, w, h, img, 0, 0, stretch);
        } else {
            shown->draw(dc, x, y, w, h, stretch);
        }
    }
};

BufferedImage* solid(int w, int h, uint8_t r, uint8_t g, uint8_t b) {
    BufferedImage* img = BufferedImage::createSized(w, h);
    img->fill(255, r, g, b);
    return img;
}

// A picture whose every pixel differs, so that a shifted or scaled copy shows.
BufferedImage* pattern(int w, int h) {
    BufferedImage* img = BufferedImage::createSized(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img->getRow(y)[x] =
                0xFF000000u | uint32_t((x * 7) & 0xFF) << 16 | uint32_t((y * 5) & 0xFF) << 8 | uint32_t((x + y) & 0xFF);
    return img;
}

// An animated set of solid frames with the given delays, frame i coloured (i * 80, 0, 0).
BufferedImageSet* animation(const std::vector<int>& delays, int size = 20) {
    BufferedImageSet* set = BufferedImageSet::create();
    for (size_t i = 0; i < delays.size(); ++i)
        set->addFrame(solid(size, size, uint8_t(i * 80), 0, 0), 32, delays[i], 0);
    set->setAnimation(true, 0);
    return set;
}

bool samePixels(BufferedImage* a, BufferedImage* b) {
    if (!a || !b || a->getWidth() != b->getWidth() || a->getHeight() != b->getHeight()) return false;
    for (int y = 0; y < a->getHeight(); ++y)
        for (int x = 0; x < a->getWidth(); ++x)
            if ((a->getRow(y)[x] & 0xFFFFFF) != (b->getRow(y)[x] & 0xFFFFFF)) return false;
    return true;
}

class ImageTest : public windowtest::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        s::gui::drawer::DefaultDrawerFactories f = s::gui::drawer::defaultDrawerFactories();
        saved = f;
        f.image = []() -> s::gui::drawer::IImage* { return TestImageDrawer::create(); };
        s::gui::drawer::setDefaultDrawerFactories(f);
        window->setBounds(150, 150, 500, 400);
        window->setVisible(true, true);
        panel = Box::createSized(LayoutKind::kPile, 400, 300, 0, 0, 0);
        window->addChild(panel);
        ASSERT_NE(panel->m_hWnd, nullptr);
        panel->setSizeClamped(1000, 1000);
    }
    void TearDown() override {
        s::system::setScreenScaleOverride(0);
        WindowTest::TearDown();
        s::gui::drawer::setDefaultDrawerFactories(saved);
    }
    // A view of a fixed outer size in the panel.
    Image* addView(int32_t w, int32_t h) {
        Image* view = Image::create();
        view->setFixedWidth(w);
        view->setFixedHeight(h);
        panel->addChild(view);
        EXPECT_NE(view->m_hWnd, nullptr);
        view->setSizeClamped(w, h);
        return view;
    }
    // The view's client pixels as they are on screen, after it painted everything.
    BufferedImage* screenshot(Image* view) {
        RedrawWindow(view->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return readBack(view);
    }
    // The view's client pixels as they are on screen now.
    BufferedImage* readBack(Image* view) { return grab(view->m_hWnd); }
    // A window's client pixels as they are on screen now.
    static BufferedImage* grab(HWND hwnd) {
        RECT rc;
        GetClientRect(hwnd, &rc);
        BufferedImage* out = BufferedImage::createSized(rc.right, rc.bottom);
        HDC mem = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(mem, out->getHBitmap());
        HDC dc = GetDC(hwnd);
        BitBlt(mem, 0, 0, rc.right, rc.bottom, dc, 0, 0, SRCCOPY);
        ReleaseDC(hwnd, dc);
        SelectObject(mem, old);
        DeleteDC(mem);
        GdiFlush();
        return out;
    }
    static uint32_t rgb(BufferedImage* img, int x, int y) { return img->getRow(y)[x] & 0xFFFFFF; }

    s::gui::drawer::DefaultDrawerFactories saved;
    Box* panel = nullptr;
};

TEST_F(ImageTest, PaintsThePictureOverItsBackgroundColour) {
    Image* view = addView(100, 80);
    view->setBackgroundColor(0, 0, 255, false);
    view->setImage(solid(50, 40, 255, 0, 0), true, false, true, false, -1, -1);
    BufferedImage* shot = screenshot(view);
    EXPECT_EQ(rgb(shot, 10, 10), 0xFF0000u);
    EXPECT_EQ(rgb(shot, 49, 39), 0xFF0000u);
    EXPECT_EQ(rgb(shot, 50, 10), 0x0000FFu);
    EXPECT_EQ(rgb(shot, 70, 60), 0x0000FFu);
    shot->release();
}

TEST_F(ImageTest, ATransparentViewShowsItsParentsPixelsAroundThePicture) {
    panel->setBackgroundColor(255, 0, 0, false);
    Image* view = addView(100, 80);
    view->setOrigin(30, 20);
    ASSERT_TRUE(view->isTransparent());
    view->setImage(solid(40, 30, 0, 255, 0), true, false, true, false, -1, -1);
    RedrawWindow(panel->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    BufferedImage* shot = screenshot(view);
    EXPECT_EQ(rgb(shot, 10, 10), 0x00FF00u);
    EXPECT_EQ(rgb(shot, 70, 50), 0xFF0000u);
    shot->release();
}

TEST_F(ImageTest, APartPaintedAloneKeepsTheGridWhereTheWholeHasIt) {
    Image* view = addView(30, 20);
    view->setBackgroundColor(0, 0, 0, false);
    BufferedImage* black = screenshot(view);
    EXPECT_EQ(rgb(black, 20, 15), 0u);
    black->release();
    view->setTransparencyGrid(false);
    view->repaintRect(7, 3, 10, 10);  // from this thread: marked, painted by the window's
    UpdateWindow(view->m_hWnd);
    BufferedImage* shot = readBack(view);
    struct Px {
        int x, y;
        uint32_t want;
    };
    const Px table[] = {{7, 3, 0xCCCCCC},   {11, 3, 0xFFFFFF},  {7, 6, 0xFFFFFF},
                        {16, 12, 0xCCCCCC}, {20, 15, 0x000000}, {2, 2, 0x000000}};
    for (const Px& p : table) EXPECT_EQ(rgb(shot, p.x, p.y), p.want) << p.x << "," << p.y;
    shot->release();
}

TEST_F(ImageTest, APictureLargerThanTheViewIsCopiedStraightFromItsPixels) {
    Image* view = addView(120, 90);
    BufferedImage* pic = pattern(300, 200);
    BufferedImage* ref = pic->copy();
    view->setImage(pic, true, false, true, false, -1, -1);
    const uint32_t before = view->getDirectPaintCount();
    BufferedImage* shot = screenshot(view);
    EXPECT_GT(view->getDirectPaintCount(), before);
    for (int y = 0; y < 90; y += 7)
        for (int x = 0; x < 120; x += 11) ASSERT_EQ(rgb(shot, x, y), rgb(ref, x, y)) << x << "," << y;
    shot->release();
    ref->release();
}

TEST_F(ImageTest, AViewLargerThanItsParentPaintsThePartInSight) {
    Image* view = addView(900, 700);
    BufferedImage* pic = pattern(900, 700);
    BufferedImage* ref = pic->copy();
    view->setImage(pic, true, false, true, false, -1, -1);
    // Panned as a scroll box does: the view moved up and left inside the 400 x 300 panel.
    view->setOrigin(-250, -180);
    // The panel first, then its child, as the window system paints them.
    RedrawWindow(panel->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    auto partInSight = [&](bool report) {
        BufferedImage* seen = grab(panel->m_hWnd);
        bool same = true;
        for (int y = 0; y < 300 && same; y += 13)
            for (int x = 0; x < 400 && same; x += 17) {
                same = rgb(seen, x, y) == rgb(ref, x + 250, y + 180);
                if (!same && report) ADD_FAILURE() << "differs at " << x << "," << y;
            }
        seen->release();
        return same;
    };
    // The child's own paint may come a moment after its panel's.
    if (!waitFor([&] { return partInSight(false); })) partInSight(true);
    ref->release();
}

TEST_F(ImageTest, TransparencyGridOfTwelveBySeven) {
    Image* view = addView(12, 7);
    view->setTransparencyGrid(true);
    EXPECT_TRUE(view->isTransparent());
    BufferedImage* shot = screenshot(view);
    struct Px {
        int x, y;
        uint32_t want;
    };
    const Px table[] = {{0, 0, 0xFFFFFF}, {4, 4, 0xFFFFFF}, {5, 0, 0xCCCCCC}, {10, 0, 0xFFFFFF}, {11, 6, 0xCCCCCC},
                        {0, 5, 0xCCCCCC}, {5, 5, 0xFFFFFF}, {9, 6, 0xFFFFFF}, {10, 5, 0xCCCCCC}};
    for (const Px& p : table) EXPECT_EQ(rgb(shot, p.x, p.y), p.want) << p.x << "," << p.y;
    shot->release();
    // setTransparent turns the grid off again.
    view->setTransparent(true, false);
    EXPECT_FALSE(view->showsTransparencyGrid());
}

TEST(ImageFrame, TheFrameTakesTwiceTheBorderWidthOnEachAxis) {
    for (int scale : {1, 2}) {
        s::system::setScreenScaleOverride(scale);
        SCOPED_TRACE(scale);
        Image* view = Image::create();
        view->setFramed(true);
        EXPECT_EQ(view->getBorderWidth(), scale);
        // The picture's fixed size is its inner size: the frame comes on top.
        view->setImage(pattern(300, 300), true, true, false, false, 100, 100);
        EXPECT_EQ(view->getPreferredWidth(), 100 + 2 * scale);
        view->setSizeClamped(1000, 1000);
        EXPECT_EQ(view->getWidth(), 100 + 2 * scale);
        EXPECT_EQ(view->getInnerWidth(), 100);
        EXPECT_EQ(view->getInnerHeight(), 100);
        BufferedImage* copy = view->copyShown(true, nullptr);
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->getWidth(), 100);
        EXPECT_EQ(copy->getHeight(), 100);
        copy->release();
        view->release();
    }
    // At scale 2, fixed 104 x 104 given directly: inner 100 x 100.
    s::system::setScreenScaleOverride(2);
    Image* view = Image::create();
    view->setFixedWidth(104);
    view->setFixedHeight(104);
    view->setFramed(true);
    view->setImage(pattern(300, 300), true, true, false, false, -1, -1);
    view->setSizeClamped(1000, 1000);
    EXPECT_EQ(view->getInnerWidth(), 100);
    EXPECT_EQ(view->getPreferredInnerHeight(), 100);
    BufferedImage* copy = view->copyShown(true, nullptr);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->getWidth(), 100);
    EXPECT_EQ(copy->getHeight(), 100);
    copy->release();
    view->release();
    s::system::setScreenScaleOverride(0);
}

TEST_F(ImageTest, AFramedViewPaintsItsFrameRoundThePicture) {
    Image* view = addView(60, 60);
    view->setFramed(true);
    view->setImage(pattern(300, 300), true, false, false, false, -1, -1);
    BufferedImage* shot = screenshot(view);
    const int s = s::system::getScreenScale();
    EXPECT_EQ(rgb(shot, 0, 0), 0u);
    EXPECT_EQ(rgb(shot, s - 1, 30), 0u);
    EXPECT_EQ(rgb(shot, 59, 30), 0u);
    EXPECT_NE(rgb(shot, 30, 30), 0u);
    shot->release();
}

TEST_F(ImageTest, FreezingAnswersWhetherTheFlagChanged) {
    Image* view = addView(40, 40);
    EXPECT_TRUE(view->setFrozen(true));
    EXPECT_FALSE(view->setFrozen(true));
    // While frozen the window is not moved; thawing applies the last geometry.
    view->setBounds(5, 6, 30, 20);
    RECT r;
    GetClientRect(view->m_hWnd, &r);
    EXPECT_EQ(r.right, 40);
    EXPECT_TRUE(view->setFrozen(false));
    GetClientRect(view->m_hWnd, &r);
    EXPECT_EQ(r.right, 30);
    EXPECT_EQ(r.bottom, 20);
}

TEST(ImageFactories, FixedSizeTakesThePictureOver) {
    BufferedImage* pic = solid(30, 20, 1, 2, 3);
    Image* view = Image::createFixedSize(-1, 120, pic);
    EXPECT_EQ(view->getPreferredHeight(), 120);
    EXPECT_EQ(view->getImageSet()->getFrame(0), pic);
    EXPECT_TRUE(view->isStretched());
    EXPECT_TRUE(view->keepsRatio());
    EXPECT_TRUE(view->isBlended());
    view->setWidthPercent(50);
    view->setFixedWidth(70);
    EXPECT_EQ(view->getPreferredWidth(), 70);
    view->setBackground(0x12, 0x34, 0x56);
    EXPECT_EQ(view->getStoredBackground(), 0x123456u);
    view->release();
    // Back from its pool: the defaults.
    Image* fresh = Image::create();
    EXPECT_EQ(fresh->getImageSet(), nullptr);
    EXPECT_TRUE(fresh->isTransparent());
    EXPECT_EQ(fresh->getPreferredHeight(), 0);
    EXPECT_FALSE(fresh->isStretched());
    EXPECT_TRUE(fresh->keepsRatio());
    EXPECT_EQ(fresh->copyShown(false, nullptr), nullptr);
    fresh->release();
}

TEST_F(ImageTest, AMultiFrameSetThatIsNotAnimatedShowsItsMainFrameWithoutATimer) {
    Image* view = addView(64, 64);
    BufferedImageSet* set = BufferedImageSet::create();
    set->addFrame(solid(16, 16, 255, 0, 0), 32, 100, 0);
    set->addFrame(solid(48, 48, 0, 255, 0), 32, 100, 0);
    set->addFrame(solid(32, 32, 0, 0, 255), 32, 100, 0);
    set->setAnimation(false, 0);
    ASSERT_EQ(set->getMainIndex(), 1);
    view->setImageSet(set, true, false, true, false, -1, -1);
    EXPECT_EQ(view->getFrameIndex(), 1);
    view->startAnimation();
    EXPECT_FALSE(view->isTimerRunning());
    BufferedImage* shot = screenshot(view);
    EXPECT_EQ(rgb(shot, 40, 40), 0x00FF00u);
    shot->release();
    // One frame, animated or not: no timer either.
    BufferedImageSet* one = animation({50});
    view->setImageSet(one, true, false, true, false, -1, -1);
    view->startAnimation();
    EXPECT_FALSE(view->isTimerRunning());
}

TEST_F(ImageTest, EachFrameStaysForItsOwnDelay) {
    Image* view = addView(20, 20);
    view->setImageSet(animation({100, 200, 300}), true, false, true, false, -1, -1);
    view->startAnimation();
    ASSERT_TRUE(view->isTimerRunning());
    // Watch the index for three loops, noting when each frame starts.
    std::vector<std::vector<ULONGLONG>> dwell(3);
    int32_t index = view->getFrameIndex();
    ULONGLONG since = GetTickCount64();
    bool first = true;
    const ULONGLONG end = since + 3 * 600 + 400;
    while (GetTickCount64() < end) {
        const int32_t now = view->getFrameIndex();
        if (now != index) {
            const ULONGLONG t = GetTickCount64();
            if (!first) dwell[size_t(index)].push_back(t - since);
            first = false;
            index = now;
            since = t;
        }
        Sleep(1);
    }
    view->stopAnimation(true);
    EXPECT_FALSE(view->isTimerRunning());
    EXPECT_EQ(view->getFrameIndex(), 0);
    const int want[] = {100, 200, 300};
    for (int k = 0; k < 3; ++k) {
        ASSERT_GE(dwell[size_t(k)].size(), 2u) << "frame " << k;
        std::vector<ULONGLONG> d = dwell[size_t(k)];
        std::sort(d.begin(), d.end());
        const int median = int(d[d.size() / 2]);
        EXPECT_NEAR(median, want[k], 25) << "frame " << k;
    }
}

TEST_F(ImageTest, ALongFrameCostsNoTimerTicksWhileItStays) {
    Image* view = addView(20, 20);
    view->setImageSet(animation({250, 250, 250}), true, false, true, false, -1, -1);
    const uint32_t ticksBefore = view->getTimerTickCount();
    view->startAnimation();
    // Four frame changes at 250 ms: a timer ticking every 25 ms would tick 40 times.
    int32_t index = view->getFrameIndex();
    int changes = 0;
    ASSERT_TRUE(waitFor(
        [&] {
            const int32_t now = view->getFrameIndex();
            if (now != index) ++changes;
            index = now;
            return changes >= 4;
        },
        10000));
    const uint32_t ticks = view->getTimerTickCount() - ticksBefore;
    view->stopAnimation(true);
    EXPECT_GE(ticks, 4u);
    EXPECT_LE(ticks, 8u);
}

TEST_F(ImageTest, PausingFromAnotherThreadHoldsTheFrameUntilResumed) {
    Image* view = addView(20, 20);
    view->setImageSet(animation({30, 30, 30, 30}), true, false, true, false, -1, -1);
    view->startAnimation();
    int32_t held = -1;
    std::thread([&] {
        view->pause(false);
        held = view->getFrameIndex();
    }).join();
    EXPECT_TRUE(view->isPaused());
    // Ten frame times pass without a change.
    EXPECT_FALSE(waitFor([&] { return view->getFrameIndex() != held; }, 300));
    std::thread([&] { view->resume(false); }).join();
    EXPECT_TRUE(waitFor([&] { return view->getFrameIndex() != held; }, 2000));
    // Stopping from another thread kills the timer on the window's thread.
    std::thread([&] { view->stopAnimation(false); }).join();
    EXPECT_FALSE(view->isTimerRunning());
}

TEST_F(ImageTest, ASetSwappedFromAnotherThreadIsNeverReadAfterItsRelease) {
    Image* view = addView(80, 60);
    view->setImage(pattern(64, 48), true, false, true, false, -1, -1);
    // Warm up pools and buffers, then count the process's GUI objects.
    for (int i = 0; i < 20; ++i) {
        view->setImage(pattern(64, 48), true, false, true, false, -1, -1);
        UpdateWindow(view->m_hWnd);
        BufferedImage* c = view->copyShown(false, nullptr);
        if (c) c->release();
    }
    RedrawWindow(view->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const DWORD userBefore = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);

    std::atomic<bool> done{false};
    std::atomic<int> copies{0}, emptyCopies{0};
    TestImageDrawer::releasedFramesPainted = 0;
    std::thread worker([&] {
        for (int i = 0; i < 5000; ++i) {
            if (i % 50 == 0) {
                view->setImageSet(animation({25, 25, 25}, 32), true, false, true, false, -1, -1);
                view->startAnimation();
            } else {
                view->setImage(solid(64, 48, uint8_t(i), uint8_t(i >> 8), 7), true, false, true, false, -1, -1);
            }
        }
        done = true;
    });
    // Meanwhile the window repaints and this thread exports what is shown.
    BufferedImage* into = BufferedImage::createSized(8, 8);
    while (!done) {
        InvalidateRect(view->m_hWnd, nullptr, FALSE);
        if (BufferedImage* c = view->copyShown(false, into)) {
            ++copies;
            // Every shown frame is 64 x 48 or 32 x 32: anything else was read after its release.
            if (c->getWidth() != 64 && c->getWidth() != 32) ++emptyCopies;
        }
    }
    worker.join();
    into->release();
    view->stopAnimation(false);
    view->setImage(pattern(64, 48), true, false, true, false, -1, -1);
    RedrawWindow(view->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(copies.load(), 0);
    EXPECT_EQ(emptyCopies.load(), 0);
    EXPECT_EQ(TestImageDrawer::releasedFramesPainted.load(), 0);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), userBefore);
}

TEST_F(ImageTest, ExportsOfAFilteredZoomedPictureMatchTheFilterChain) {
    Image* view = addView(150, 100);
    BufferedImage* pic = pattern(300, 200);
    BufferedImage* ref = pic->copy();
    auto* level = s::image::filters::colors::Level::create();
    level->level = 30;
    auto* refLevel = s::image::filters::colors::Level::create();
    refLevel->level = 30;
    pic->addFilter(level);
    ref->addFilter(refLevel);
    view->setImage(pic, true, true, false, false, -1, -1);
    ASSERT_TRUE(view->frameHasFilters(0));
    // The chain's own result, fitted to the inner size.
    BufferedImage* want = ref->applyFilters()->fitScale(150, 100, false)->copy();

    BufferedImage* copied = view->copyShown(true, nullptr);
    ASSERT_NE(copied, nullptr);
    EXPECT_TRUE(samePixels(copied, want));

    auto* png = s::image::png::EncodeSetting::create();
    s::image::IEncodedImage* encoded = view->exportShown(png, true, false, nullptr);
    ASSERT_NE(encoded, nullptr);
    BufferedImage* decoded = encoded->toImage(0, nullptr);
    EXPECT_TRUE(samePixels(decoded, want));
    // An extra filter runs for the export only and is handed back.
    auto* extra = s::image::filters::colors::Level::create();
    extra->level = 70;
    s::image::IEncodedImage* withExtra = view->exportShown(png, true, false, extra);
    ASSERT_NE(withExtra, nullptr);
    BufferedImage* extraDecoded = withExtra->toImage(0, nullptr);
    EXPECT_FALSE(samePixels(extraDecoded, want));
    EXPECT_EQ(view->getFrameFilters(0)->count(), 1u);
    BufferedImage* after = view->copyShown(true, nullptr);
    EXPECT_TRUE(samePixels(after, want));
    // With nothing shown: no export.
    view->setImageSet(nullptr, true, false, true, false, -1, -1);
    EXPECT_EQ(view->exportShown(png, true, false, nullptr), nullptr);
    EXPECT_EQ(view->copyShown(true, nullptr), nullptr);
    for (BufferedImage* i : {want, copied, decoded, extraDecoded, after, ref}) i->release();
    extra->release();
    dynamic_cast<s::thread::IPoolable*>(encoded)->release();
    dynamic_cast<s::thread::IPoolable*>(withExtra)->release();
    png->release();
}

// Frame 0: red left half, clear right half; frame 1: clear left, green right; both keep
// what they leave (disposal 1), so the coalesced frame 1 is red and green.
BufferedImageSet* halves() {
    BufferedImageSet* set = BufferedImageSet::create();
    BufferedImage* a = BufferedImage::createSized(40, 20);
    BufferedImage* b = BufferedImage::createSized(40, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) {
            a->getRow(y)[x] = x < 20 ? 0xFFFF0000u : 0x00000000u;
            b->getRow(y)[x] = x < 20 ? 0x00000000u : 0xFF00FF00u;
        }
    a->setHasAlpha(true);
    b->setHasAlpha(true);
    set->addFrame(a, 32, 60, 1);
    set->addFrame(b, 32, 60, 1);
    set->setAnimation(true, 0);
    return set;
}

TEST_F(ImageTest, AtTheWrapTheFirstFrameIsDrawnOverAFreshBackground) {
    Image* view = addView(40, 20);
    view->setBackgroundColor(0, 0, 255, false);
    view->setImageSet(halves(), true, false, true, true, -1, -1);
    view->startAnimation();
    // Wait for frame 1, then for the wrap back to frame 0, and hold it there.
    ASSERT_TRUE(waitFor([&] { return view->getFrameIndex() == 1; }));
    ASSERT_TRUE(waitFor([&] { return view->getFrameIndex() == 0; }));
    view->pause(false);
    BufferedImage* shot = screenshot(view);
    EXPECT_EQ(rgb(shot, 5, 10), 0xFF0000u);
    EXPECT_EQ(rgb(shot, 30, 10), 0x0000FFu);  // the clear half shows the background, not frame 1's green
    shot->release();
    view->resume(false);
    ASSERT_TRUE(waitFor([&] { return view->getFrameIndex() == 1; }));
    view->pause(false);
    shot = screenshot(view);
    EXPECT_EQ(rgb(shot, 5, 10), 0xFF0000u);
    EXPECT_EQ(rgb(shot, 30, 10), 0x00FF00u);
    shot->release();
    view->stopAnimation(true);
}

TEST_F(ImageTest, ShowingTheShownSetAgainKeepsItAlive) {
    Image* view = addView(40, 40);
    view->setImageSet(animation({30, 30}, 40), true, false, true, false, -1, -1);
    for (int i = 0; i < 3; ++i) {
        view->setImageSet(view->getImageSet(), true, false, true, false, -1, -1);
        ASSERT_EQ(view->getFrameCount(), 2);
        BufferedImage* shot = screenshot(view);
        EXPECT_EQ(rgb(shot, 20, 20), 0u);  // frame 0 of the animation: black
        shot->release();
    }
    BufferedImage* still = solid(40, 40, 0, 0, 200);
    view->setImage(still, true, false, true, false, -1, -1);
    view->setImageSet(view->getImageSet(), true, false, true, false, -1, -1);
    EXPECT_EQ(view->getImageSet()->getFrame(0), still);
    EXPECT_TRUE(still->hasPixels());
}

TEST_F(ImageTest, OnlyADraggableViewTakesTheMouseAndMovesWithIt) {
    Image* view = addView(60, 40);
    view->setImage(solid(60, 40, 9, 9, 9), true, false, true, false, -1, -1);
    RECT wr;
    GetWindowRect(view->m_hWnd, &wr);
    const LPARAM inside = MAKELPARAM(wr.left + 10, wr.top + 10);
    // Not draggable: the mouse passes through to the window below.
    EXPECT_EQ(SendMessageW(view->m_hWnd, WM_NCHITTEST, 0, inside), HTTRANSPARENT);
    SendMessageW(view->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_NE(GetCapture(), view->m_hWnd);
    view->setDraggable(true);
    EXPECT_EQ(SendMessageW(view->m_hWnd, WM_NCHITTEST, 0, inside), HTCLIENT);
    // A press and a move of (12, 7) from where the pointer is moves the view by as much.
    POINT cursor;
    GetCursorPos(&cursor);
    const int32_t x0 = view->getOriginX(), y0 = view->getOriginY();
    SendMessageW(view->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    const LPARAM moved = MAKELPARAM(cursor.x - wr.left + 12, cursor.y - wr.top + 7);
    SendMessageW(view->m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, moved);
    SendMessageW(view->m_hWnd, WM_LBUTTONUP, 0, moved);
    EXPECT_EQ(view->getOriginX() - x0, 12);
    EXPECT_EQ(view->getOriginY() - y0, 7);
    RECT after;
    GetWindowRect(view->m_hWnd, &after);
    EXPECT_EQ(after.left - wr.left, 12);
}

TEST_F(ImageTest, AnAnimationIsExportedWholeAndItsFramesKeepTheirFilters) {
    Image* view = addView(30, 30);
    view->setImageSet(animation({40, 40, 40}, 60), true, true, false, false, -1, -1);
    auto* level = s::image::filters::colors::Level::create();
    level->level = 30;
    view->addFrameFilter(1, level);
    auto* gif = s::image::gif::EncodeSetting::create();
    for (bool sharpen : {false, true}) {
        s::image::IEncodedImage* out = view->exportShown(gif, true, sharpen, nullptr);
        ASSERT_NE(out, nullptr);
        EXPECT_EQ(out->getFrameCount(), 3);
        EXPECT_EQ(out->getWidth(), 30);  // fitted to the inner size
        dynamic_cast<s::thread::IPoolable*>(out)->release();
        // The shown frames keep exactly their own filters.
        EXPECT_EQ(view->getFrameFilters(0)->count(), 0u);
        ASSERT_EQ(view->getFrameFilters(1)->count(), 1u);
        EXPECT_EQ(view->getFrameFilter(1, 0), level);
    }
    gif->release();
}

// A picture of w x h: the top half red, the bottom half blue (turned clockwise, the blue
// half comes to the left).
BufferedImage* redOverBlue(int w, int h) {
    BufferedImage* img = BufferedImage::createSized(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img->getRow(y)[x] = y < h / 2 ? 0xFFFF0000u : 0xFF0000FFu;
    return img;
}

TEST_F(ImageTest, PrintsAtItsOwnOrTheViewsSizeTurnedAndFittedAsAsked) {
    // A 120 x 80 picture stretched into a 60 x 40 view; the stand-in page shares the
    // screen's resolution, so a picture not fitted lands on it pixel for pixel.
    Image* view = addView(60, 40);
    view->setImage(redOverBlue(120, 80), true, true, true, false, -1, -1);
    struct Case {
        const char* what;
        bool viewSize, autoRotate, paperMaximum;
        int x, y;  // a point that shows the choice
        uint32_t colour;
    } cases[] = {
        {"own size: the blue half ends at 119", false, false, false, 115, 75, 0x0000FFu},
        {"own size: nothing right of it", false, false, false, 125, 75, 0xFFFFFFu},
        {"view size: the blue half ends at 59", true, false, false, 55, 35, 0x0000FFu},
        {"view size: nothing right of it", true, false, false, 65, 35, 0xFFFFFFu},
        {"paper maximum: fitted, red far past the picture", false, false, true, 290, 20, 0xFF0000u},
        {"paper maximum and auto-rotate: turned, blue on the left", true, true, true, 20, 20, 0x0000FFu},
    };
    for (const Case& c : cases) {
        testsupport::MessageLog messages;
        testsupport::PaperBackend paper;
        view->setPrintBackend(&paper);
        view->printShown(c.viewSize, c.autoRotate, false, c.paperMaximum);
        EXPECT_EQ(paper.calls, (std::vector<std::wstring>{L"startDoc Glimmer", L"startPage", L"endPage", L"endDoc"}))
            << c.what;
        EXPECT_EQ(paper.pixel(c.x, c.y), c.colour) << c.what;
        EXPECT_TRUE(messages.texts.empty()) << c.what;
        view->setPrintBackend(nullptr);
    }
    // The shown picture is left as it was.
    BufferedImage* shown = view->copyShown(false, nullptr);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->getWidth(), 120);
    EXPECT_FALSE(shown->hasFilters());
    shown->release();
}

TEST_F(ImageTest, PrintingWithoutAPrinterSaysSoAndLeavesNothingBehind) {
    DWORD needed = 0, count = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
    if (needed > 0) GTEST_SKIP() << "this machine has a printer";
    Image* view = addView(60, 40);
    testsupport::MessageLog messages;
    view->printShown(true, true, true, true);  // nothing shown: nothing to print, nothing said
    EXPECT_TRUE(messages.texts.empty());
    view->setImage(redOverBlue(120, 80), true, true, true, false, -1, -1);
    // One print first, so that caches are made before counting; then pictures kept in
    // the pool, so that a copy not given back shows as one fewer there.
    view->printShown(true, true, true, true);
    std::vector<BufferedImage*> spare;
    for (int i = 0; i < 12; ++i) spare.push_back(BufferedImage::create());
    for (BufferedImage* s : spare) s->release();
    const uint32_t pooled = BufferedImage::pooler()->pooledCount();
    ASSERT_GE(pooled, 12u);
    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    for (int i = 0; i < 8; ++i) view->printShown(i % 2 == 0, i % 4 < 2, i % 3 == 0, i % 2 == 1);
    EXPECT_EQ(messages.texts, std::vector<std::wstring>(9, s::image::kNoPrinterText));
    // Every copy made for printing went back to its pool.
    EXPECT_EQ(BufferedImage::pooler()->pooledCount(), pooled);
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore);
    EXPECT_TRUE(view->hasImage());
}

}  // namespace
