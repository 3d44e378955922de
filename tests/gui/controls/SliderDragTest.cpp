// A drawn slider dragged with real pointer input: the press captures the pointer on the
// window's thread, the thumb follows the moves through the channel and the release
// ends the drag, at screen scales 1 and 2.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "gui/controls/ControlTestSupport.h"
#include "gui/controls/Slider.h"
#include "gui/controls/SliderTestSupport.h"
#include "platform/system/Screen.h"

namespace {

using s::gui::win::Slider;
using namespace controltest;

class SliderDragTest : public ControlTest {
protected:
    void TearDown() override {
        leftButton(false);
        s::system::setScreenScaleOverride(0);
        ControlTest::TearDown();
    }
    // The screen point of a client x on the slider's middle line.
    static POINT screenAt(Slider* s, int32_t x) {
        POINT p{x, 15};
        ClientToScreen(s->m_hWnd, &p);
        return p;
    }
    slidertest::RecordingSliderDrawer drawer;
    Recorder changes;
};

TEST_F(SliderDragTest, ARealDragMovesTheThumbItPressed) {
    for (int32_t scale : {1, 2}) {
        s::system::setScreenScaleOverride(scale);
        Slider* s = Slider::createRange(0, 100, 20, -1, -1);
        s->setLinked(true);
        s->setUpperPosition(50);
        s->setFixedWidth(200);
        s->setFixedHeight(30);
        s->setDrawer(&drawer, false);
        s->addChangeListener(&changes);
        panel->addChild(s);
        ASSERT_NE(s->m_hWnd, nullptr);
        changes.count = 0;

        // The middle of the drawn second thumb: (200 - 10·s) × 50 / 100 + 5·s.
        const int32_t thumb = 10 * scale;
        pointerTo(screenAt(s, (200 - thumb) * 50 / 100 + thumb / 2));
        leftButton(true);
        ASSERT_TRUE(waitFor([&] { return s->isDragging(); })) << "scale " << scale;
        EXPECT_EQ(s->getDraggedThumb(), 1);
        pointerTo(screenAt(s, slidertest::channelX(s, 80)));
        EXPECT_TRUE(waitFor([&] { return s->getUpperPosition() == 80; })) << s->getUpperPosition();
        pointerTo(screenAt(s, slidertest::channelX(s, 5)));
        EXPECT_TRUE(waitFor([&] { return s->getUpperPosition() == 21; })) << s->getUpperPosition();
        leftButton(false);
        EXPECT_TRUE(waitFor([&] { return !s->isDragging(); }));
        EXPECT_EQ(s->getPosition(), 20);
        EXPECT_GE(changes.count.load(), 2);

        panel->removeChild(s, true);
    }
}

}  // namespace
