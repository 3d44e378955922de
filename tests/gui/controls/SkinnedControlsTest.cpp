// Controls in a skinned window: attached, a button and a label take their drawers from
// the current skin, take the new skin's drawers when it changes, and stop listening to
// the skin registry once they are released.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "gui/controls/Button.h"
#include "gui/controls/ControlTestSupport.h"
#include "gui/controls/Label.h"
#include "gui/skin/ISkinner.h"
#include "support/TestSkins.h"

namespace {

namespace drawer = s::gui::drawer;
using controltest::ControlTest;
using controltest::DrawTextDrawer;
using controltest::RecordingButtonDrawer;
using s::gui::win::Button;
using s::gui::win::Label;

// A skin holding a button drawer and a text drawer; every other kind is absent.
class TwoDrawerSkin : public testsupport::StubSkin {
public:
    RecordingButtonDrawer button;
    DrawTextDrawer text;

    drawer::IButton* getButtonDrawer() override { return &button; }
    drawer::IText* getTextDrawer() override { return &text; }
};

using TwoSkinner = testsupport::TwoSkinner<TwoDrawerSkin>;

class SkinnedControlsTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        window->setSkinner(&skinner);
    }
    void TearDown() override {
        ControlTest::TearDown();  // the window and its controls go first
    }
    TwoSkinner skinner;
};

TEST_F(SkinnedControlsTest, ControlsTakeTheirDrawersFromTheCurrentSkin) {
    Button* b = Button::createWithText(L"Skinned", -1, -1);
    Label* l = Label::createWithText(L"Skinned too", false);
    panel->addChild(b);
    panel->addChild(l);
    EXPECT_EQ(b->getDrawer(), &skinner.skins[0].button);
    EXPECT_TRUE(b->isLibraryPainted());
    EXPECT_EQ(l->activeDrawer(), &skinner.skins[0].text);
    EXPECT_GT(skinner.skins[0].text.measures, 0);
    RedrawWindow(b->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(skinner.skins[0].button.faces, 0);

    skinner.selectSkin(1);
    EXPECT_EQ(b->getDrawer(), &skinner.skins[1].button);
    EXPECT_EQ(l->activeDrawer(), &skinner.skins[1].text);
    EXPECT_GT(skinner.skins[1].text.measures, 0);
}

TEST_F(SkinnedControlsTest, AReleasedControlNoLongerHearsSkinChanges) {
    Button* b = Button::createWithText(L"Gone soon", -1, -1);
    Label* l = Label::createWithText(L"Gone soon too", false);
    panel->addChild(b);
    panel->addChild(l);
    ASSERT_TRUE(skinner.listens(b));
    ASSERT_TRUE(skinner.listens(l));
    panel->removeChild(b, false);  // a released button is destroyed at once
    panel->removeChild(l, false);
    EXPECT_FALSE(skinner.listens(b));
    EXPECT_FALSE(skinner.listens(l));
    skinner.selectSkin(1);  // tells only the window
    EXPECT_EQ(skinner.listeners.size(), 1u);
}

}  // namespace
