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

namespace {

// A component that keeps its editable state, as a text field does.
class EditableFake : public FakeComponent {
public:
    bool editableState = false;
    int edits = 0;
    bool isEditable() override { return editableState; }
    void setEditable(bool editable) override {
        editableState = editable;
        ++edits;
    }
};

}  // namespace

TEST(Enablers, EditablerAndUnEditablerSwitchTheEditableStateOfTheirTargetsOnly) {
    using s::gui::events::Editabler;
    using s::gui::events::UnEditabler;
    FakeComponent radio, other;
    EditableFake first, second;
    Editabler* unlock = Editabler::create();
    UnEditabler* lock = UnEditabler::create();
    EXPECT_STREQ(unlock->getClassName(), L"s_gui_events_Editabler");
    EXPECT_STREQ(lock->getClassName(), L"s_gui_events_UnEditabler");
    unlock->setSource(&radio);
    lock->setSource(&radio);
    unlock->addComponent(&first);
    unlock->addComponent(&second);
    lock->addComponent(&second);

    unlock->onEvent(s::gui::asObject(&other), 0);  // another source: nothing
    EXPECT_EQ(first.edits + second.edits, 0);

    unlock->onEvent(s::gui::asObject(&radio), 7);
    EXPECT_TRUE(first.editableState);
    EXPECT_TRUE(second.editableState);
    EXPECT_TRUE(first.enabledState);  // the enabled state is not touched

    first.enabledState = false;
    lock->onEvent(s::gui::asObject(&radio), 0);
    EXPECT_TRUE(first.editableState);
    EXPECT_FALSE(second.editableState);
    EXPECT_FALSE(first.enabledState);
    EXPECT_TRUE(second.enabledState);

    unlock->release();
    lock->release();
    // Pooled objects come back reset.
    UnEditabler* again = UnEditabler::create();
    EXPECT_EQ(again->getSource(), nullptr);
    EXPECT_EQ(again->componentCount(), 0u);
    again->release();
}
