// Push buttons in a real window: sizes measured by the platform button, the size-hint
// rule, hidden buttons that stay hidden through layouts, the own enabled flag, library
// painting over the parent's pixels, presses, clicks and double clicks made with
// SendInput, toggle mode, the default style and the colour-swatch caption.
#include <windows.h>

#include <gtest/gtest.h>

#include "gui/controls/Button.h"
#include "gui/controls/ControlTestSupport.h"

namespace {

namespace ButtonEvent = s::gui::ButtonEvent;
using controltest::ControlTest;
using controltest::Recorder;
using controltest::RecordingButtonDrawer;
using controltest::waitFor;
using s::gui::win::Button;

class ButtonTest : public ControlTest {
protected:
    Button* addButton(const wchar_t* text) {
        Button* b = Button::createWithText(text, -1, -1);
        panel->addChild(b);
        return b;
    }
};

TEST_F(ButtonTest, MeasuresItsCaptionWithThePlatformsIdealSize) {
    Button* b = addButton(L"Open the picture");
    ASSERT_NE(b->m_hWnd, nullptr);
    SIZE ideal{0, 0};
    SendMessageW(b->m_hWnd, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal));
    EXPECT_GT(ideal.cx, 20);
    EXPECT_EQ(b->getPreferredWidth(), ideal.cx);
    EXPECT_EQ(b->getMinWidth(), ideal.cx);
    EXPECT_EQ(b->getPreferredHeight(), ideal.cy);

    // A longer caption measures wider, and the panel lays the button out at that width.
    const int32_t before = b->getPreferredWidth();
    b->setText(L"Open the picture in a new window");
    EXPECT_GT(b->getPreferredWidth(), before);
    RECT r;
    GetClientRect(b->m_hWnd, &r);
    EXPECT_EQ(r.right, b->getPreferredWidth());
    wchar_t caption[64];
    GetWindowTextW(b->m_hWnd, caption, 64);
    EXPECT_STREQ(caption, L"Open the picture in a new window");
}

TEST_F(ButtonTest, ThePercentOrFixedSizeSetLastWins) {
    Button* b = addButton(L"OK");
    b->setFixedWidth(50);
    b->setWidthPercent(30);
    EXPECT_EQ(b->getPreferredWidth(), 60);  // 30 % of the panel's 200

    b->setHeightPercent(50);
    b->setFixedHeight(21);
    EXPECT_EQ(b->getPreferredHeight(), 21);
    EXPECT_EQ(b->getMinHeight(), 21);

    b->setWidthPercent(50);
    panel->setFixedWidth(201, false);
    panel->setSizeClamped(1000, 1000);
    EXPECT_EQ(b->getPreferredWidth(), 100);  // truncated
}

TEST_F(ButtonTest, AHiddenButtonStaysHiddenThroughLayouts) {
    Button* a = addButton(L"One");
    Button* b = addButton(L"Two");
    b->setVisible(false, true);
    EXPECT_FALSE(IsWindowVisible(b->m_hWnd));

    panel->doLayout();
    b->setBounds(10, 40, 60, 20);
    b->endUpdate();
    EXPECT_FALSE(IsWindowVisible(b->m_hWnd));
    EXPECT_TRUE(IsWindowVisible(a->m_hWnd));
    EXPECT_FALSE(b->isVisible());

    b->setVisible(true, true);
    panel->doLayout();
    EXPECT_TRUE(IsWindowVisible(b->m_hWnd));
}

TEST_F(ButtonTest, TheEnabledFlagSetBeforeAttachmentDisablesTheWindow) {
    Button* b = Button::createWithText(L"Later", -1, -1);
    b->setEnabledFlag(false);
    EXPECT_FALSE(b->isEnabled());
    panel->addChild(b);
    ASSERT_NE(b->m_hWnd, nullptr);
    EXPECT_FALSE(b->isEnabled());
    EXPECT_FALSE(IsWindowEnabled(b->m_hWnd));

    b->setEnabled(true);
    EXPECT_TRUE(b->isEnabled());
    EXPECT_TRUE(IsWindowEnabled(b->m_hWnd));
}

TEST_F(ButtonTest, GeometryWaitsForTheEndOfADeferredUpdate) {
    Button* b = addButton(L"Wait");
    b->beginUpdate();
    b->setBounds(30, 40, 70, 25);
    RECT r;
    GetWindowRect(b->m_hWnd, &r);
    MapWindowPoints(nullptr, panel->m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_NE(r.left, 30);
    b->endUpdate();
    GetWindowRect(b->m_hWnd, &r);
    MapWindowPoints(nullptr, panel->m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right - r.left, 70);
}

TEST_F(ButtonTest, ATransparentDrawnButtonShowsTheBoxUnderIt) {
    s::gui::win::Box* red = s::gui::win::Box::createSized(s::gui::LayoutKind::kColumn, 120, 60, 0, 0, 0);
    red->setBackgroundColor(255, 0, 0, false);
    panel->addChild(red);
    RecordingButtonDrawer drawer;  // paints nothing of its own
    Button* b = Button::createWithText(L"Glass", -1, -1);
    b->setDrawer(&drawer, false);
    b->setFixedWidth(50);
    b->setFixedHeight(30);
    red->addChild(b);
    ASSERT_TRUE(b->isTransparent());
    ASSERT_TRUE(b->isLibraryPainted());
    RedrawWindow(red->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);

    EXPECT_EQ(controltest::pixelAt(b->m_hWnd, 25, 15), RGB(255, 0, 0));
    EXPECT_GT(drawer.faces, 0);
    EXPECT_EQ(drawer.lastCaption, L"Glass");

    // Opaque, it shows its own colour under the face.
    b->setBackgroundColor(0, 0, 255, true);
    EXPECT_EQ(controltest::pixelAt(b->m_hWnd, 25, 15), RGB(0, 0, 255));
    red->removeChild(b, false);
}

TEST_F(ButtonTest, AResizerWithoutDrawerPaintsItsGrip) {
    Button* b = Button::createWithText(L"#Resizer", -1, -1);
    b->setFixedWidth(20);
    b->setFixedHeight(20);
    b->setBackgroundColor(0, 0, 255, false);
    panel->addChild(b);
    ASSERT_TRUE(b->isLibraryPainted());
    EXPECT_EQ(controltest::pixelAt(b->m_hWnd, 16, 8), RGB(0xB8, 0xB5, 0xA1));  // dot at (W-4, H-12)
    EXPECT_EQ(controltest::pixelAt(b->m_hWnd, 18, 10), RGB(255, 255, 255));    // its white shadow
    EXPECT_EQ(controltest::pixelAt(b->m_hWnd, 2, 2), RGB(0, 0, 255));

    // A longer caption starting the same way is an ordinary, platform-painted caption.
    Button* other = addButton(L"#Resizer2");
    EXPECT_FALSE(other->isLibraryPainted());
}

TEST_F(ButtonTest, TheColourSwatchCaptionIsTheColourrefInHex) {
    struct Case {
        int r, g, b;
        const wchar_t* caption;
    };
    for (const Case& c : {Case{255, 255, 255, L"#Color-00ffffff"}, Case{0, 0, 0, L"#Color-00000000"},
                          Case{0x12, 0x34, 0xAB, L"#Color-00ab3412"}}) {
        Button* b = Button::create();
        b->setColorSwatch(c.r, c.g, c.b);
        EXPECT_STREQ(b->getText(), c.caption);
        b->release();
    }
}

}  // namespace
