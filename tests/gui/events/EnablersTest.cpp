#include <gtest/gtest.h>

#include "gui/events/Enablers.h"
#include "support/FakeComponent.h"

using s::gui::events::Disabler;
using s::gui::events::Enabler;
using testsupport::FakeComponent;

TEST(Enablers, SwitchTheListedComponentsOnEventsFromTheWatchedSourceOnly) {
    FakeComponent a, b, c, other;
    Enabler* on = Enabler::create();
    on->setSource(&a);
    on->addComponent(&b);
    on->addComponent(&c);
    b.enabledState = c.enabledState = false;
    on->onEvent(s::gui::asObject(&other), 3);  // another source
    EXPECT_FALSE(b.enabledState);
    EXPECT_EQ(b.switches, 0);
    on->onEvent(s::gui::asObject(&a), 42);  // any code
    EXPECT_TRUE(b.enabledState);
    EXPECT_TRUE(c.enabledState);

    Disabler* off = Disabler::create();
    off->setSource(&a);
    off->addComponent(&c);
    off->onEvent(s::gui::asObject(&a), 0);
    EXPECT_FALSE(c.enabledState);
    EXPECT_TRUE(b.enabledState);
    EXPECT_STREQ(on->getClassName(), L"s_gui_events_Enabler");
    EXPECT_STREQ(off->getClassName(), L"s_gui_events_Disabler");
    on->release();
    off->release();
}

TEST(Enablers, ResetForgetsTheSourceAndTheList) {
    FakeComponent a, b;
    Enabler* on = Enabler::create();
    on->setSource(&a);
    on->addComponent(&b);
    on->release();
    Enabler* again = Enabler::create();
    EXPECT_EQ(again->getSource(), nullptr);
    EXPECT_EQ(again->componentCount(), 0u);
    b.enabledState = false;
    again->onEvent(s::gui::asObject(&a), 0);  // no source: nothing
    EXPECT_FALSE(b.enabledState);
    again->release();
}
