// The scroll model: the fit of one axis and the clamped step as tables, the model moving
// a content component through a target without a window, and the target window's own bar.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "gui/box/Box.h"
#include "gui/controls/ScrollInfo.h"
#include "gui/window/WindowTestSupport.h"
#include "support/FakeComponent.h"

namespace {

using s::gui::scrollbar::AxisState;
using s::gui::scrollbar::clampScrollDelta;
using s::gui::scrollbar::fitAxis;
using s::gui::scrollbar::win::ScrollInfo;

// Table rows are named by their place in the table.
template <class T>
std::string caseName(const ::testing::TestParamInfo<T>& info) {
    return "Row" + std::to_string(info.index);
}

struct FitCase {
    const char* name;
    AxisState old;
    int32_t view, content;
    bool centred;
    AxisState expected;
};

class FitAxisTable : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitAxisTable, GivesTheState) {
    const FitCase& c = GetParam();
    const AxisState s = fitAxis(c.old, c.view, c.content, c.centred);
    EXPECT_EQ(s.position, c.expected.position) << c.name;
    EXPECT_EQ(s.range, c.expected.range) << c.name;
    EXPECT_EQ(s.page, c.expected.page) << c.name;
    EXPECT_EQ(s.centre, c.expected.centre) << c.name;
    EXPECT_EQ(s.needed, c.expected.needed) << c.name;
}

// {position, range, page, centre, needed}
INSTANTIATE_TEST_SUITE_P(
    ScrollModel, FitAxisTable,
    ::testing::Values(
        FitCase{"tall content in a 400 view", {}, 400, 1000, false, {0, 1000, 400, 0, true}},
        FitCase{"view grows at 300: rescaled to 600, clamped",
                {300, 1000, 400, 0, true},
                800,
                1000,
                false,
                {200, 1000, 800, 0, true}},
        FitCase{
            "view shrinks at 300: rescaled", {300, 1000, 400, 0, true}, 200, 1000, false, {150, 1000, 200, 0, true}},
        FitCase{"content fits: all 0", {300, 1000, 400, 0, true}, 1000, 1000, false, {0, 0, 0, 0, false}},
        FitCase{"no content", {300, 1000, 400, 0, true}, 400, 0, false, {0, 0, 0, 0, false}},
        FitCase{
            "position with no page yet is kept", {300, 0, 0, 0, false}, 400, 1000, false, {300, 1000, 400, 0, true}},
        FitCase{
            "stale position beyond the end", {900, 1000, 400, 0, true}, 400, 1000, false, {600, 1000, 400, 0, true}},
        FitCase{"centred, first fit: the middle", {}, 400, 1000, true, {300, 1000, 400, 500, true}},
        FitCase{"centred, remembered centre", {0, 1000, 400, 450, true}, 400, 1000, true, {250, 1000, 400, 450, true}},
        FitCase{"centred, rounding half up", {0, 1001, 401, 501, true}, 401, 1001, true, {301, 1001, 401, 501, true}},
        FitCase{
            "centred near the end: clamped", {0, 1000, 400, 950, true}, 400, 1000, true, {600, 1000, 400, 950, true}},
        FitCase{"centred near the start: clamped", {0, 1000, 400, 50, true}, 400, 1000, true, {0, 1000, 400, 50, true}},
        FitCase{"centred after not needed: new middle",
                {0, 0, 0, 50, false},
                400,
                2000,
                true,
                {800, 2000, 400, 1000, true}},
        FitCase{"negative view counts as 0", {}, -5, 10, false, {0, 10, 0, 0, true}}),
    caseName<FitCase>);

struct StepCase {
    int32_t position, range, page, delta, expected;
};

class ClampTable : public ::testing::TestWithParam<StepCase> {};

TEST_P(ClampTable, KeepsThePositionInRange) {
    const StepCase& c = GetParam();
    EXPECT_EQ(clampScrollDelta(c.position, c.range, c.page, c.delta), c.expected);
}

INSTANTIATE_TEST_SUITE_P(ScrollModel, ClampTable,
                         ::testing::Values(StepCase{500, 1000, 400, 400, 100},  // a page step from 500
                                           StepCase{100, 1000, 400, -60, -60}, StepCase{10, 1000, 400, -60, -10},
                                           StepCase{0, 1000, 400, -60, 0}, StepCase{600, 1000, 400, 60, 0},
                                           StepCase{0, 300, 400, 50, 0},  // page covers range
                                           StepCase{0, 1000, 400, INT_MAX, 600},
                                           StepCase{600, 1000, 400, INT_MIN, -600}),
                         caseName<StepCase>);

// A content component that remembers where its origin was moved.
class Content : public testsupport::FakeComponent {
public:
    int32_t ox = 0, oy = 0;
    void moveOrigin(int32_t dx, int32_t dy) override { ox += dx, oy += dy; }
};

// A view without a window holding at most one content component.
class View : public testsupport::FakeComponent {
public:
    Content* content = nullptr;
    int32_t getChildCount() override { return content ? 1 : 0; }
    s::gui::IComponent* getChildAt(int32_t i) override { return i == 0 ? content : nullptr; }
};

class ScrollInfoModel : public ::testing::Test {
protected:
    void SetUp() override {
        info = ScrollInfo::create();
        info->setVertical();
        view.w = 300;
        view.h = 400;
        content.w = 200;
        content.h = 1000;
        view.content = &content;
        info->setEnabled(&view, true);  // unhides and fits
    }
    void TearDown() override { info->release(); }
    Content content;
    View view;
    ScrollInfo* info = nullptr;
};

TEST_F(ScrollInfoModel, EnablingFitsTheContentAndSteppingMovesIt) {
    EXPECT_TRUE(info->isShown());
    EXPECT_EQ(info->getPage(), 400);
    info->scrollBy(&view, 500);
    info->pageDown(&view);  // only 100 left
    EXPECT_EQ(info->getPosition(), 600);
    EXPECT_EQ(content.oy, -600);
    EXPECT_EQ(info->getOffset(), -600);
    info->lineUp(&view);
    EXPECT_EQ(info->getPosition(), 540);
    EXPECT_EQ(content.oy, -540);
    EXPECT_EQ(content.ox, 0);
}

TEST_F(ScrollInfoModel, ContentThatShrinksIsMovedBack) {
    info->scrollBy(&view, 300);
    content.h = 350;
    info->update(&view);
    EXPECT_FALSE(info->isNeeded());
    EXPECT_EQ(info->getPosition(), 0);
    EXPECT_EQ(content.oy, 0);
    EXPECT_EQ(info->getShownThickness(), 0);
}

TEST_F(ScrollInfoModel, HiddenOrNotNeededIgnoresSteps) {
    info->setHidden(&view, true);
    info->scrollBy(&view, 100);
    EXPECT_EQ(content.oy, 0);
    info->setHidden(&view, false);
    content.h = 100;
    info->update(&view);
    info->scrollBy(&view, 100);
    EXPECT_EQ(content.oy, 0);
}

TEST_F(ScrollInfoModel, ResetClearsHiddenAndCentredAndPutsTheContentBack) {
    info->setCentred(true);
    info->scrollBy(&view, 200);
    info->setHidden(&view, true);
    info->reset(&view);
    EXPECT_FALSE(info->isHidden());
    EXPECT_FALSE(info->isCentred());
    EXPECT_TRUE(info->isEnabled());
    EXPECT_EQ(content.oy, 0);
    EXPECT_EQ(info->getOffset(), 0);
    EXPECT_EQ(info->getPosition(), 0);

    content.h = 2000;  // the next large content shows the bar again
    info->update(&view);
    EXPECT_TRUE(info->isShown());
    EXPECT_EQ(info->getRange(), 2000);
}

TEST_F(ScrollInfoModel, DisablingPutsTheContentBackAndEnablingScrollsItAgain) {
    info->scrollBy(&view, 250);
    info->setEnabled(&view, false);
    EXPECT_EQ(content.oy, 0);
    EXPECT_EQ(info->getOffset(), -250);
    EXPECT_TRUE(info->isHidden());
    info->setEnabled(&view, true);
    EXPECT_EQ(content.oy, -250);
    EXPECT_EQ(info->getOffset(), -250);
    EXPECT_EQ(info->getPosition(), 250);
}

TEST_F(ScrollInfoModel, CentredFollowsTheSteps) {
    info->reset(&view);
    info->setCentred(true);
    info->update(&view);
    EXPECT_EQ(info->getCentre(), 500);
    EXPECT_EQ(info->getPosition(), 300);
    info->scrollBy(&view, 100);
    EXPECT_EQ(info->getCentre(), 600);
    view.h = 200;  // a smaller view keeps the same middle
    info->update(&view);
    EXPECT_EQ(info->getPosition(), 500);
    EXPECT_EQ(content.oy, -500);
}

TEST_F(ScrollInfoModel, AViewNotLaidOutYetChangesNothing) {
    info->scrollBy(&view, 100);
    view.h = 0;
    content.h = 5000;
    info->update(&view);
    EXPECT_EQ(info->getRange(), 1000);
    EXPECT_EQ(info->getPosition(), 100);
}

TEST_F(ScrollInfoModel, TheContentIsRemovedAndTheBarGoes) {
    info->scrollBy(&view, 100);
    view.content = nullptr;
    info->update(&view);
    EXPECT_FALSE(info->isNeeded());
    EXPECT_EQ(info->getPosition(), 0);
    EXPECT_EQ(info->getOffset(), 0);
}

TEST(ScrollInfoThickness, WithoutABarTheSystemSize) {
    ScrollInfo* info = ScrollInfo::create();
    info->setVertical();
    EXPECT_EQ(info->getThickness(), GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(info->getShownThickness(), 0);
    info->release();
}

}  // namespace

namespace {

// Without a bar object the model drives the target window's own scroll bar.
class ScrollInfoNativeBar : public windowtest::WindowTest {};

TEST_F(ScrollInfoNativeBar, TheTargetsOwnBarShowsStepsAndHides) {
    window->setBounds(300, 200, 400, 300);
    window->setVisible(true, true);
    auto* view = s::gui::win::Box::createSized(s::gui::LayoutKind::kColumn, 200, 150, 0, 0, 0);
    window->addChild(view);
    view->setSizeClamped(1000, 1000);
    auto* content = s::gui::win::Box::createSized(s::gui::LayoutKind::kColumn, 100, 1000, 0, 0, 0);
    view->addChild(content);
    ScrollInfo* info = ScrollInfo::create();
    info->setVertical();
    info->setEnabled(view, true);
    EXPECT_TRUE(GetWindowLongW(view->m_hWnd, GWL_STYLE) & WS_VSCROLL);
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(view->m_hWnd, SB_VERT, &si));
    EXPECT_EQ(si.nMax, 1000);
    EXPECT_EQ(int32_t(si.nPage), info->getPage());

    info->lineDown(view);
    EXPECT_EQ(GetScrollPos(view->m_hWnd, SB_VERT), 60);
    RECT r;
    GetWindowRect(content->m_hWnd, &r);
    MapWindowPoints(nullptr, view->m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.top, -60);

    info->setHidden(view, true);
    EXPECT_FALSE(GetWindowLongW(view->m_hWnd, GWL_STYLE) & WS_VSCROLL);
    info->release();
}

}  // namespace
