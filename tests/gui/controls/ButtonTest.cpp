// Push buttons in a real window: sizes measured by the platform button, the size-hint
// rule, hidden buttons that stay hidden through layouts, the own enabled flag, library
// painting over the parent's pixels, presses, clicks and double clicks made with
// SendInput, toggle mode, the default style and the colour-swatch caption.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "gui/controls/Button.h"
#include "gui/controls/ControlTestSupport.h"
#include "platform/lang/Localizer.h"

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

// A panel painter: red, and green from x = 35 on.
class TwoColourPainter : public windowtest::SolidFrameDrawer {
public:
    void paint(HDC dc, int32_t l, int32_t t, int32_t r, int32_t b) override {
        fillWith(dc, RECT{l, t, r, b}, RGB(255, 0, 0));
        fillWith(dc, RECT{35, t, r, b}, RGB(0, 255, 0));
    }
    static void fillWith(HDC dc, const RECT& rc, COLORREF c) {
        HBRUSH brush = CreateSolidBrush(c);
        FillRect(dc, &rc, brush);
        DeleteObject(brush);
    }
};

TEST_F(ButtonTest, ATransparentDrawnButtonShowsTheBoxUnderIt) {
    s::gui::win::Box* box = s::gui::win::Box::createSized(s::gui::LayoutKind::kColumn, 120, 60, 0, 0, 0);
    box->setBackgroundColor(0, 0, 0, false);
    TwoColourPainter painter;
    box->setPainter(&painter, false);
    box->setMargins(10, 0, 5, 0);
    panel->addChild(box);
    RecordingButtonDrawer drawer;  // paints nothing of its own
    Button* b = Button::createWithText(L"Glass", -1, -1);
    b->setDrawer(&drawer, false);
    b->setFixedWidth(50);
    b->setFixedHeight(30);
    box->addChild(b);
    ASSERT_TRUE(b->isTransparent());
    ASSERT_TRUE(b->isLibraryPainted());
    RedrawWindow(box->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);

    // The button sits at (10, 5) in the box: its x 25 is the box's 35.
    EXPECT_EQ(controltest::pixelAt(b->m_hWnd, 20, 15), RGB(255, 0, 0));
    EXPECT_EQ(controltest::pixelAt(b->m_hWnd, 30, 15), RGB(0, 255, 0));
    EXPECT_GT(drawer.faces, 0);
    EXPECT_EQ(drawer.lastCaption, L"Glass");

    // Opaque, it shows its own colour under the face.
    b->setBackgroundColor(0, 0, 255, true);
    EXPECT_EQ(controltest::pixelAt(b->m_hWnd, 20, 15), RGB(0, 0, 255));
    box->removeChild(b, false);
    box->setPainter(nullptr, false);
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

TEST_F(ButtonTest, AClickIsOnePressAndOneAction) {
    addButton(L"Above");
    Button* b = addButton(L"Click me");
    Recorder presses, actions, toggles;
    b->addPressListener(&presses);
    b->addActionListener(&actions);
    b->addToggleListener(&toggles);

    controltest::clickAt(controltest::centreOf(b->m_hWnd));
    ASSERT_TRUE(waitFor([&] { return actions.count.load() == 1; }));
    EXPECT_EQ(presses.count.load(), 1);
    EXPECT_EQ(presses.codes[0], ButtonEvent::kPress);
    EXPECT_EQ(actions.codes[0], ButtonEvent::kAction);
    EXPECT_EQ(toggles.count.load(), 1);  // told also outside toggle mode
    EXPECT_FALSE(b->isToggled());
    EXPECT_FALSE(b->isPressed());
}

TEST_F(ButtonTest, ADoubleClickIsTwoPressesAndTwoActions) {
    Button* b = addButton(L"Twice");
    Recorder presses, actions;
    b->addPressListener(&presses);
    b->addActionListener(&actions);

    const POINT c = controltest::centreOf(b->m_hWnd);
    controltest::clickAt(c);
    controltest::clickAt(c);
    ASSERT_TRUE(waitFor([&] { return actions.count.load() == 2; }));
    ASSERT_TRUE(waitFor([&] { return !b->isPressed(); }));
    EXPECT_EQ(presses.count.load(), 2);
    EXPECT_EQ(actions.count.load(), 2);
}

TEST_F(ButtonTest, HoldingAnAutoRepeatButtonPressesAgainAfterAPause) {
    addButton(L"Above");
    addButton(L"Above too");
    Button* b = addButton(L"Hold");
    b->setAutoRepeat(true);
    Recorder presses, actions;
    std::vector<ULONGLONG> times;
    presses.action = [&](int32_t) { times.push_back(GetTickCount64()); };
    b->addPressListener(&presses);
    b->addActionListener(&actions);

    controltest::pointerSettledAt(controltest::centreOf(b->m_hWnd));
    controltest::leftButton(true);
    ASSERT_TRUE(waitFor([&] { return presses.count.load() >= 4; }));
    controltest::pointerSettledAt(controltest::centreOf(b->m_hWnd));  // released over the button
    controltest::leftButton(false);
    ASSERT_TRUE(waitFor([&] { return actions.count.load() == 1; }));
    const int after = presses.count.load();
    ASSERT_GE(times.size(), 4u);
    EXPECT_GE(times[1] - times[0], 450u);  // the first repeat waits half a second
    EXPECT_LT(times[3] - times[2], 400u);  // then they come quickly

    EXPECT_FALSE(b->isPressed());
    EXPECT_GE(after, 4);
}

TEST_F(ButtonTest, AToggleButtonThatIsNotReleasableStaysOnAndLetsThePointerThrough) {
    Button* b = addButton(L"Grid");
    b->setToggleMode(true, false, false, false);
    Recorder toggles;
    b->addToggleListener(&toggles);
    const POINT c = controltest::centreOf(b->m_hWnd);
    EXPECT_EQ(SendMessageW(b->m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(c.x, c.y)), HTCLIENT);

    SendMessageW(b->m_hWnd, BM_CLICK, 0, 0);
    EXPECT_TRUE(b->isToggled());
    SendMessageW(b->m_hWnd, BM_CLICK, 0, 0);
    EXPECT_TRUE(b->isToggled());  // not releasable
    EXPECT_EQ(toggles.count.load(), 2);
    EXPECT_EQ(SendMessageW(b->m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(c.x, c.y)), HTTRANSPARENT);

    b->setToggled(false);
    EXPECT_EQ(SendMessageW(b->m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(c.x, c.y)), HTCLIENT);
    b->setToggleMode(true, true, false, false);
    SendMessageW(b->m_hWnd, BM_CLICK, 0, 0);
    SendMessageW(b->m_hWnd, BM_CLICK, 0, 0);
    EXPECT_FALSE(b->isToggled());  // releasable: on, then off

    // Disabled (its own flag), it passes the pointer through and does not toggle.
    b->setEnabled(false);
    EXPECT_EQ(SendMessageW(b->m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(c.x, c.y)), HTTRANSPARENT);
}

TEST_F(ButtonTest, ADrawnToggledButtonIsPaintedAtRestAndInvertedWhenAsked) {
    RecordingButtonDrawer drawer;
    Button* b = Button::createWithText(L"Pin", -1, -1);
    b->setDrawer(&drawer, false);
    panel->addChild(b);
    b->setToggleMode(true, false, true, false);
    SendMessageW(b->m_hWnd, BM_CLICK, 0, 0);
    ASSERT_TRUE(b->isToggled());
    RedrawWindow(b->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(drawer.lastState, 0);
    EXPECT_FALSE(drawer.lastToggled);  // shown inverted
    EXPECT_TRUE(drawer.lastFace);      // the flat flag is handed on as it is
    b->setFlat(false);
    EXPECT_FALSE(drawer.lastFace);
    panel->removeChild(b, false);
}

TEST_F(ButtonTest, TheDefaultStyleIsSetOnTheButtonsWindow) {
    Button* b = addButton(L"OK");
    b->setDefaultStyle();
    EXPECT_TRUE(b->isDefaultStyle());
    EXPECT_EQ(GetWindowLongW(b->m_hWnd, GWL_STYLE) & 0x0F, BS_DEFPUSHBUTTON);
    b->clearDefaultStyle();
    EXPECT_FALSE(b->isDefaultStyle());
    EXPECT_EQ(GetWindowLongW(b->m_hWnd, GWL_STYLE) & 0x0F, BS_PUSHBUTTON);

    Button* early = Button::createWithText(L"Early", -1, -1);
    early->setDefaultStyle();
    panel->addChild(early);
    EXPECT_EQ(GetWindowLongW(early->m_hWnd, GWL_STYLE) & 0x0F, BS_DEFPUSHBUTTON);
}

const wchar_t* const kPack =
    L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    L"<lang><LANGUAGES>"
    L"<entry tagName=\"eng\" engName=\"English\" trueName=\"English\"></entry>"
    L"<entry tagName=\"deu\" engName=\"German\" trueName=\"Deutsch\"></entry>"
    L"</LANGUAGES><entries>"
    L"<entry id=\"400330\"><eng>Close</eng><deu>Schlie\xDF"
    L"en</deu></entry>"
    L"</entries></lang>\n";

TEST_F(ButtonTest, ATextIdFollowsTheWindowsLanguage) {
    s::lang::Localizer* localizer = s::lang::Localizer::loadXmlText(kPack);
    localizer->setLanguage(L"English");
    window->setLocalizer(localizer);
    const uint32_t listenersBefore = localizer->getListenerCount();

    Button* b = Button::createWithTextId(400330, -1, -1);
    EXPECT_STREQ(b->getText(), L"");  // no language pack before attachment
    panel->addChild(b);
    wchar_t caption[32];
    GetWindowTextW(b->m_hWnd, caption, 32);
    EXPECT_STREQ(caption, L"Close");
    const int32_t englishWidth = b->getPreferredWidth();

    localizer->setLanguage(L"German");
    GetWindowTextW(b->m_hWnd, caption, 32);
    EXPECT_STREQ(caption,
                 L"Schlie\xDF"
                 L"en");
    EXPECT_GT(b->getPreferredWidth(), englishWidth);

    // Taken out and released, it no longer listens.
    panel->removeChild(b, false);
    EXPECT_EQ(localizer->getListenerCount(), listenersBefore);
    localizer->setLanguage(L"English");
    window->setLocalizer(nullptr);
    localizer->release();
}

TEST_F(ButtonTest, DraggingTheResizerGripResizesTheWindow) {
    Button* grip = Button::createWithText(L"#Resizer", -1, -1);
    grip->setFixedWidth(16);
    grip->setFixedHeight(16);
    panel->addChild(grip);
    RECT before;
    GetWindowRect(hwnd(), &before);

    const POINT start = controltest::centreOf(grip->m_hWnd);
    controltest::pointerTo(start);
    controltest::leftButton(true);
    ASSERT_TRUE(waitFor([&] { return grip->isPressed(); }));
    controltest::pointerTo(POINT{start.x + 30, start.y + 20});
    controltest::leftButton(false);
    ASSERT_TRUE(waitFor([&] { return !grip->isPressed(); }));

    RECT after;
    GetWindowRect(hwnd(), &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right - after.left, before.right - before.left + 30);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top + 20);
}

TEST_F(ButtonTest, TheWheelOverTheButtonIsSwallowedAndElsewhereGoesToTheWindow) {
    Button* b = addButton(L"Wheel");
    Recorder wheel;
    window->addWheelListener(&wheel);
    const POINT inside = controltest::centreOf(b->m_hWnd);
    RECT r;
    GetWindowRect(b->m_hWnd, &r);
    SendMessageW(b->m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(inside.x, inside.y));
    EXPECT_EQ(wheel.count.load(), 0);
    SendMessageW(b->m_hWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(r.right + 50, inside.y));
    EXPECT_EQ(wheel.count.load(), 1);
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
