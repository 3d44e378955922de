// A drawn slider dragged with real pointer input: the press captures the pointer on the
// window's thread, the thumb follows the moves through the channel and the release
// ends the drag, at screen scales 1 and 2.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "gui/controls/ControlTestSupport.h"
#include "gui/controls/Slider.h"
#include "gui/drawer/ISlider.h"
#include "platform/system/Screen.h"

namespace {

using s::gui::win::Slider;
using namespace controltest;

// A slider drawer that paints nothing.
class QuietSliderDrawer : public s::gui::drawer::ISlider {
public:
    const wchar_t* getClassName() const override { return L"test_QuietSliderDrawer"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void paint(HDC, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, bool, int32_t, bool, bool, int32_t,
               int32_t, int32_t, int32_t) override {}
    uint8_t getColorARed() const override { return 0; }
    uint8_t getColorAGreen() const override { return 0; }
    uint8_t getColorABlue() const override { return 0; }
    void setColorA(int, int, int) override {}
    void setColorB(int, int, int) override {}
    void setColorC(int, int, int) override {}
};

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
    static int32_t channelX(Slider* s, int32_t value) {
        RECT ch{};
        SendMessageW(s->m_hWnd, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&ch));
        return ch.left + (ch.right - ch.left) * (value - s->getMinimum()) / (s->getMaximum() - s->getMinimum());
    }
    QuietSliderDrawer drawer;
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
        pointerTo(screenAt(s, channelX(s, 80)));
        EXPECT_TRUE(waitFor([&] { return s->getUpperPosition() == 80; })) << s->getUpperPosition();
        pointerTo(screenAt(s, channelX(s, 5)));
        EXPECT_TRUE(waitFor([&] { return s->getUpperPosition() == 21; })) << s->getUpperPosition();
        leftButton(false);
        EXPECT_TRUE(waitFor([&] { return !s->isDragging(); }));
        EXPECT_EQ(s->getPosition(), 20);
        EXPECT_GE(changes.count.load(), 2);

        panel->removeChild(s, true);
    }
}

}  // namespace
