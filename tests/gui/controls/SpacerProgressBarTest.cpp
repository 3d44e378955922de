// Spacers and progress bars in a real window: the room a spacer claims across rows and
// columns, hidden spacers, and a progress bar that takes its range and position from
// before its window existed.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "gui/controls/ControlTestSupport.h"
#include "gui/controls/ProgressBar.h"
#include "gui/controls/Spacer.h"

namespace {

namespace LayoutKind = s::gui::LayoutKind;
namespace SpacerOrientation = s::gui::SpacerOrientation;
using controltest::ControlTest;
using s::gui::win::Box;
using s::gui::win::ProgressBar;
using s::gui::win::Spacer;

using SpacerTest = ControlTest;
using ProgressBarTest = ControlTest;

TEST(SpacerAlone, FixedSpacersTakeTheirSizeAlongTheirAxis) {
    Spacer* v = Spacer::createFixed(SpacerOrientation::kVertical, 8);
    EXPECT_EQ(v->getOrientation(), SpacerOrientation::kVertical);
    EXPECT_EQ(v->getPreferredWidth(), 1);
    EXPECT_EQ(v->getPreferredHeight(), 8);
    v->release();

    Spacer* h = Spacer::createFixed(SpacerOrientation::kHorizontal, 20);
    EXPECT_EQ(h->getPreferredWidth(), 20);
    EXPECT_EQ(h->getPreferredHeight(), 1);
    h->setVertical();  // the hints swap with the orientation
    EXPECT_EQ(h->getPreferredWidth(), 1);
    EXPECT_EQ(h->getPreferredHeight(), 20);
    h->release();
}

TEST_F(SpacerTest, ASpacerClaimsNothingAcrossItsRowOrColumn) {
    // panel is a column: a horizontal spacer there has no height.
    Spacer* across = Spacer::createFixed(SpacerOrientation::kHorizontal, 20);
    panel->addChild(across);
    EXPECT_EQ(across->getMinHeight(), 0);
    EXPECT_EQ(across->getPreferredHeight(), 0);
    EXPECT_EQ(across->getPreferredWidth(), 20);

    Box* row = Box::createSized(LayoutKind::kRow, 150, 40, 0, 0, 0);
    panel->addChild(row);
    Spacer* along = Spacer::createFixed(SpacerOrientation::kHorizontal, 20);
    Spacer* upright = Spacer::createFixed(SpacerOrientation::kVertical, 30);
    row->addChild(along);
    row->addChild(upright);
    EXPECT_EQ(along->getPreferredWidth(), 20);
    EXPECT_EQ(upright->getPreferredWidth(), 0);
    EXPECT_EQ(upright->getMinWidth(), 0);
    EXPECT_EQ(upright->getPreferredHeight(), 30);
    EXPECT_EQ(row->getLayoutSizes().prefWidth, 20);
}

TEST_F(SpacerTest, AHiddenSpacerStaysHidden) {
    Spacer* s = Spacer::createFixed(SpacerOrientation::kVertical, 10);
    panel->addChild(s);
    ASSERT_NE(s->m_hWnd, nullptr);
    EXPECT_TRUE(IsWindowVisible(s->m_hWnd));
    s->setVisible(false, true);
    panel->doLayout();
    EXPECT_FALSE(IsWindowVisible(s->m_hWnd));
}

TEST_F(ProgressBarTest, TheRangeSetBeforeAttachmentIsShownAtOnce) {
    ProgressBar* bar = ProgressBar::create();
    bar->setRange(10, 250);
    bar->setPosition(100);
    bar->setFixedWidth(150);
    bar->setFixedHeight(12);
    panel->addChild(bar);
    ASSERT_NE(bar->m_hWnd, nullptr);
    PBRANGE range{};
    SendMessageW(bar->m_hWnd, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 10);
    EXPECT_EQ(range.iHigh, 250);
    EXPECT_EQ(SendMessageW(bar->m_hWnd, PBM_GETPOS, 0, 0), 100);

    bar->setPosition(200);
    EXPECT_EQ(SendMessageW(bar->m_hWnd, PBM_GETPOS, 0, 0), 200);
    bar->setRange(0, 1000);
    SendMessageW(bar->m_hWnd, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iHigh, 1000);

    RECT r;
    GetClientRect(bar->m_hWnd, &r);
    EXPECT_EQ(r.right, 150);
    EXPECT_EQ(r.bottom, 12);
}

TEST(ProgressBarAlone, AFixedSizeWinsOverAPercentage) {
    ProgressBar* bar = ProgressBar::create();
    bar->setFixedWidth(90);
    bar->setWidthPercent(50);
    EXPECT_EQ(bar->getPreferredWidth(), 90);
    bar->release();
}

}  // namespace
