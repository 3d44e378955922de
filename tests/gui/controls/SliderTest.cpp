// Sliders in a real window: the program's setters raise no event while the user's
// presses, drags and keys do; a drawn slider takes the thumb drawn under a press at
// screen scales 1 and 2 and maps the pointer through the track bar's channel; keys
// move the stored (and drawn) position; the drawer is handed the slider's state.
#include "gui/controls/Slider.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/controls/SliderTestSupport.h"
#include "gui/window/WindowTestSupport.h"
#include "platform/system/Screen.h"

namespace {

using s::gui::win::Slider;
using windowtest::Recorder;
using windowtest::waitFor;

class SliderTest : public windowtest::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window->setBounds(200, 200, 400, 200);
        window->setVisible(true, true);
    }
    void TearDown() override {
        s::system::setScreenScaleOverride(0);
        WindowTest::TearDown();
    }
    // A slider 200 x 30 in the window, listened to.
    Slider* attach(Slider* s, bool drawn) {
        s->setFixedWidth(200);
        s->setFixedHeight(30);
        s->addChangeListener(&changes);
        if (drawn) s->setDrawer(&drawer, false);
        window->addChild(s);
        EXPECT_NE(s->m_hWnd, nullptr);
        window->validate();
        return s;
    }
    static LPARAM at(int32_t x) { return MAKELPARAM(x, 15); }
    static int32_t trackBarPosition(Slider* s) { return int32_t(SendMessageW(s->m_hWnd, TBM_GETPOS, 0, 0)); }

    Recorder changes;
    slidertest::RecordingSliderDrawer drawer;
};

TEST_F(SliderTest, TheWindowIsATrackBarWithTheStoredSettings) {
    Slider* s = attach(Slider::createRange(10, 60, 25, -1, -1), false);
    wchar_t cls[64] = {};
    GetClassNameW(s->m_hWnd, cls, 64);
    EXPECT_EQ(_wcsicmp(cls, TRACKBAR_CLASSW), 0) << cls;
    EXPECT_EQ(GetDlgCtrlID(s->m_hWnd), 1040);
    const LONG style = GetWindowLongW(s->m_hWnd, GWL_STYLE);
    EXPECT_TRUE(style & TBS_NOTICKS);
    EXPECT_FALSE(style & TBS_AUTOTICKS);
    EXPECT_EQ(SendMessageW(s->m_hWnd, TBM_GETRANGEMIN, 0, 0), 10);
    EXPECT_EQ(SendMessageW(s->m_hWnd, TBM_GETRANGEMAX, 0, 0), 60);
    EXPECT_EQ(trackBarPosition(s), 25);
    s->setShowTicks(true);
    EXPECT_TRUE(GetWindowLongW(s->m_hWnd, GWL_STYLE) & TBS_AUTOTICKS);
    EXPECT_FALSE(GetWindowLongW(s->m_hWnd, GWL_STYLE) & TBS_NOTICKS);
    s->setTicFrequency(5);
    EXPECT_EQ(SendMessageW(s->m_hWnd, TBM_GETPAGESIZE, 0, 0), 50);
    EXPECT_EQ(SendMessageW(s->m_hWnd, TBM_GETLINESIZE, 0, 0), 5);
}

TEST_F(SliderTest, TheProgramsSettersLimitAndRaiseNoEvent) {
    Slider* s = attach(Slider::createRange(0, 100, 0, -1, -1), true);
    struct Case {
        bool linked;
        int32_t upper, asked, stored;
    } cases[] = {{false, 0, 150, 100}, {false, 0, -5, 0}, {false, 0, 30, 30}, {true, 40, 60, 39}};
    for (const Case& c : cases) {
        s->setLinked(c.linked);
        s->setUpperPosition(c.upper);
        s->setPosition(c.asked);
        EXPECT_EQ(s->getPosition(), c.stored) << c.asked;
        EXPECT_EQ(trackBarPosition(s), c.stored) << c.asked;
    }
    s->setUpperPosition(10);
    EXPECT_EQ(s->getUpperPosition(), 40);  // not below the first + 1
    s->setRange(0, 20);
    EXPECT_EQ(s->getPosition(), 19);
    EXPECT_EQ(changes.count.load(), 0);
}

// Panels set their sliders back as a whole: a position the slider already shows marks
// nothing for painting, a new one is painted.
TEST_F(SliderTest, APositionAlreadyShownIsNotPaintedAgain) {
    Slider* s = Slider::createRange(0, 100, 30, -1, -1);
    s->setLinked(true);
    s->setUpperPosition(80);
    attach(s, true);
    auto settled = [&] { return waitFor([&] { return GetUpdateRect(s->m_hWnd, nullptr, FALSE) == FALSE; }); };
    ASSERT_TRUE(settled());
    drawer.paints = 0;
    s->setPosition(30);
    s->setUpperPosition(80);
    EXPECT_FALSE(GetUpdateRect(s->m_hWnd, nullptr, FALSE));
    EXPECT_EQ(drawer.paints.load(), 0);

    s->setPosition(45);
    ASSERT_TRUE(waitFor([&] { return drawer.paints > 0 && drawer.position == 45; }));
    ASSERT_TRUE(settled());
    drawer.paints = 0;
    s->setUpperPosition(60);
    ASSERT_TRUE(waitFor([&] { return drawer.paints > 0 && drawer.secondPosition == 60; }));
    EXPECT_EQ(trackBarPosition(s), 45);
    EXPECT_EQ(changes.count.load(), 0);
}

// A press on a drawn single-thumb slider takes the thumb to the value under the pointer
// by the channel, and the drag follows; each change is one code 0.
TEST_F(SliderTest, ADragFollowsThePointerThroughTheChannel) {
    for (int32_t scale : {1, 2}) {
        s::system::setScreenScaleOverride(scale);
        changes.codes.clear();
        changes.count = 0;
        Slider* s = attach(Slider::createRange(0, 100, 0, -1, -1), true);
        SendMessageW(s->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at(slidertest::channelX(s, 50)));
        EXPECT_TRUE(s->isDragging());
        EXPECT_EQ(s->getPosition(), 50) << "scale " << scale;
        SendMessageW(s->m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, at(slidertest::channelX(s, 75)));
        EXPECT_EQ(s->getPosition(), 75) << "scale " << scale;
        EXPECT_EQ(trackBarPosition(s), 75);
        SendMessageW(s->m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, at(slidertest::channelX(s, 75) + 500));
        EXPECT_EQ(s->getPosition(), 100);
        SendMessageW(s->m_hWnd, WM_LBUTTONUP, 0, at(slidertest::channelX(s, 100)));
        EXPECT_FALSE(s->isDragging());
        SendMessageW(s->m_hWnd, WM_MOUSEMOVE, 0, at(slidertest::channelX(s, 10)));
        EXPECT_EQ(s->getPosition(), 100);  // no drag after the release
        EXPECT_EQ(changes.codes, (std::vector<int32_t>{0, 0, 0})) << "scale " << scale;
        window->removeChild(s, true);
    }
}

// The drawn thumbs stand at (w - 10·s) × (position - minimum) / range, 10·s wide.
int32_t drawnThumbMiddle(int32_t width, int32_t scale, int32_t minimum, int32_t maximum, int32_t position) {
    const int32_t thumb = 10 * scale;
    return (width - thumb) * (position - minimum) / (maximum - minimum) + thumb / 2;
}

TEST_F(SliderTest, APressOnTheDrawnSecondThumbDragsItAtEveryScale) {
    for (int32_t scale : {1, 2}) {
        s::system::setScreenScaleOverride(scale);
        Slider* s = Slider::createRange(100, 200, 130, -1, -1);
        s->setLinked(true);
        s->setUpperPosition(160);
        attach(s, true);
        changes.count = 0;
        SendMessageW(s->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at(drawnThumbMiddle(200, scale, 100, 200, 160)));
        EXPECT_TRUE(s->isDragging()) << "scale " << scale;
        EXPECT_EQ(s->getDraggedThumb(), 1) << "scale " << scale;
        EXPECT_EQ(s->getPosition(), 130);
        SendMessageW(s->m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, at(slidertest::channelX(s, 110)));
        EXPECT_EQ(s->getUpperPosition(), 131) << "scale " << scale;  // stops above the first
        SendMessageW(s->m_hWnd, WM_LBUTTONUP, 0, at(slidertest::channelX(s, 110)));

        // A press between the thumbs is swallowed.
        const int32_t before = changes.count;
        SendMessageW(s->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at(190));
        EXPECT_FALSE(s->isDragging());
        EXPECT_EQ(changes.count.load(), before);
        EXPECT_EQ(s->getPosition(), 130);
        EXPECT_EQ(s->getUpperPosition(), 131);
        window->removeChild(s, true);
    }
}

TEST_F(SliderTest, TheFirstThumbDraggedPastTheSecondStopsBelowItWithOneEvent) {
    for (int32_t scale : {1, 2}) {
        s::system::setScreenScaleOverride(scale);
        Slider* s = Slider::createRange(0, 100, 30, -1, -1);
        s->setLinked(true);
        s->setUpperPosition(60);
        attach(s, true);
        SendMessageW(s->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at(drawnThumbMiddle(200, scale, 0, 100, 30)));
        ASSERT_TRUE(s->isDragging());
        ASSERT_EQ(s->getDraggedThumb(), 0);
        changes.count = 0;
        SendMessageW(s->m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, at(slidertest::channelX(s, 65)));
        SendMessageW(s->m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, at(slidertest::channelX(s, 70)));
        SendMessageW(s->m_hWnd, WM_LBUTTONUP, 0, at(slidertest::channelX(s, 70)));
        EXPECT_EQ(s->getPosition(), 59) << "scale " << scale;
        EXPECT_EQ(s->getUpperPosition(), 60);
        EXPECT_EQ(trackBarPosition(s), 59);
        EXPECT_EQ(changes.count.load(), 1) << "scale " << scale;
        window->removeChild(s, true);
    }
}

// Keys move the track bar a page (ten tic steps) at a time, up towards the maximum, and
// the new position is stored and told, drawn or not.
TEST_F(SliderTest, KeysMoveTheStoredPositionWithOneEvent) {
    for (bool drawn : {true, false}) {
        changes.codes.clear();
        changes.count = 0;
        Slider* s = attach(Slider::createRange(0, 100, 0, -1, -1), drawn);
        SetFocus(s->m_hWnd);
        SendMessageW(s->m_hWnd, WM_KEYDOWN, VK_UP, 0);
        EXPECT_EQ(s->getPosition(), 100) << (drawn ? "drawn" : "system");
        EXPECT_EQ(changes.codes, std::vector<int32_t>{0}) << (drawn ? "drawn" : "system");
        SendMessageW(s->m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
        EXPECT_EQ(s->getPosition(), 0);
        SendMessageW(s->m_hWnd, WM_KEYDOWN, VK_END, 0);
        EXPECT_EQ(s->getPosition(), 100);
        EXPECT_EQ(changes.count.load(), 3) << (drawn ? "drawn" : "system");
        if (drawn) {
            drawer.paints = 0;
            s->repaint();
            ASSERT_TRUE(waitFor([&] { return drawer.paints > 0; }));
            EXPECT_EQ(drawer.position, 100);  // the drawn position follows
        }
        window->removeChild(s, true);
    }
}

TEST_F(SliderTest, KeysKeepTheFirstThumbBelowTheSecond) {
    Slider* s = Slider::createRange(0, 100, 10, -1, -1);
    s->setLinked(true);
    s->setUpperPosition(50);
    attach(s, true);
    SendMessageW(s->m_hWnd, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(s->getPosition(), 49);
    EXPECT_EQ(trackBarPosition(s), 49);
    EXPECT_EQ(changes.count.load(), 1);
}

TEST_F(SliderTest, TheDrawerIsHandedTheSlidersState) {
    Slider* s = Slider::createRange(5, 95, 40, -1, -1);
    s->setLinked(true);
    s->setUpperPosition(70);
    s->setStep(20);
    s->setMark(3, 0x123456, 0x654321);
    attach(s, true);
    drawer.paints = 0;
    s->repaint();
    ASSERT_TRUE(waitFor([&] { return drawer.paints > 0; }));
    EXPECT_EQ(drawer.rect.right - drawer.rect.left, 200);
    EXPECT_EQ(drawer.rect.bottom - drawer.rect.top, 30);
    EXPECT_EQ(drawer.minimum, 5);
    EXPECT_EQ(drawer.maximum, 95);
    EXPECT_EQ(drawer.position, 40);
    EXPECT_TRUE(drawer.showFill);
    EXPECT_EQ(drawer.anchor, 20);
    EXPECT_TRUE(drawer.enabled);
    EXPECT_TRUE(drawer.twoThumbs);
    EXPECT_EQ(drawer.secondPosition, 70);
    EXPECT_EQ(drawer.bandStyle, 3);
    EXPECT_EQ(drawer.bandA, 0x123456);
    EXPECT_EQ(drawer.bandB, 0x654321);
    s->setEnabled(false);
    drawer.paints = 0;
    s->repaint();
    ASSERT_TRUE(waitFor([&] { return drawer.paints > 0; }));
    EXPECT_FALSE(drawer.enabled);
}

TEST_F(SliderTest, FactoriesAndResetGiveTheDocumentedDefaults) {
    Slider* p = Slider::createPercent(50.9, -1);
    EXPECT_EQ(p->getPosition(), 100);
    EXPECT_EQ(p->getMinimum(), 0);
    EXPECT_EQ(p->getMaximum(), 100);
    EXPECT_FALSE(p->isShowingTicks());
    EXPECT_FALSE(p->isShowingFill());
    EXPECT_EQ(p->getWidthHint().percent, 50);
    EXPECT_EQ(p->getHeightHint().percent, -1);
    p->setLinked(true);
    p->setDrawer(&drawer, false);
    p->reset();
    EXPECT_EQ(p->getPosition(), 0);
    EXPECT_FALSE(p->isLinked());
    EXPECT_EQ(p->getDrawer(), nullptr);
    EXPECT_TRUE(p->isShowingTicks());
    EXPECT_EQ(p->getTicFrequency(), 10);
    EXPECT_EQ(p->getBackgroundColor(), 0xFFFFFFu);
    EXPECT_TRUE(p->isTransparent());
    p->release();
}

TEST_F(SliderTest, TheSizeWithoutHintsIsFiftyByTwentyTimesTheScale) {
    for (int32_t scale : {1, 2}) {
        s::system::setScreenScaleOverride(scale);
        Slider* s = Slider::createRange(0, 10, 0, -1, -1);
        window->addChild(s);
        ASSERT_NE(s->m_hWnd, nullptr);
        EXPECT_EQ(s->getMinWidth(), 50 * scale);
        EXPECT_EQ(s->getMinHeight(), 20 * scale);
        EXPECT_EQ(s->getPreferredWidth(), 50 * scale);
        window->removeChild(s, true);
    }
}

// Without a drawer the track bar moves its own thumb; what it reports is stored and told.
TEST_F(SliderTest, TheSystemTrackBarsOwnDragIsReadBack) {
    Slider* s = attach(Slider::createRange(0, 100, 0, -1, -1), false);
    RECT thumb{};
    SendMessageW(s->m_hWnd, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const int32_t y = (thumb.top + thumb.bottom) / 2;
    SendMessageW(s->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM((thumb.left + thumb.right) / 2, y));
    SendMessageW(s->m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(slidertest::channelX(s, 60), y));
    SendMessageW(s->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(slidertest::channelX(s, 60), y));
    EXPECT_GT(trackBarPosition(s), 40);
    EXPECT_EQ(s->getPosition(), trackBarPosition(s));
    EXPECT_GE(changes.count.load(), 1);
    for (int32_t code : changes.codes) EXPECT_EQ(code, 0);
}

}  // namespace
