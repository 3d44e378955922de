// The progress control (see IProgressBar.h) on the platform progress bar. The range and
// position are kept and given to the window whenever it exists; its size comes from its
// size hints only (a fixed size wins over a percentage).
//
//   ProgressBar* bar = ProgressBar::create();
//   bar->setFixedHeight(12);
//   bar->setRange(0, 250);
//   column->addChild(bar);
//   bar->setPosition(100);
#pragma once

#include "framework/controls/ProgressCtrl.h"
#include "gui/controls/Control.h"
#include "gui/controls/IProgressBar.h"

namespace s::gui::win {

class ProgressBar : public Control<IProgressBar, CProgressCtrl> {
    S_POOLED(ProgressBar, L"s_gui_win_ProgressBar")
public:
    static constexpr UINT kControlId = 1007;

    ProgressBar() { reset(); }
    ~ProgressBar() override { reset(); }
    void reset() override;

    // IProgressBar: the hint setters store their field only.
    void setWidthPercent(int32_t percent) override { widthHint_.percent = percent; }
    void setHeightPercent(int32_t percent) override { heightHint_.percent = percent; }
    void setFixedWidth(int32_t w) override { widthHint_.fixed = w; }
    void setFixedHeight(int32_t h) override { heightHint_.fixed = h; }
    void setRange(int32_t minimum, int32_t maximum) override;
    // The bar's position (the component's is setPosition(x, y)).
    void setPosition(int32_t position) override;
    using Control::setPosition;
    bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;
    void postHandle(LRESULT*, UINT, WPARAM, LPARAM) override {}

    int32_t getMinimum() const { return minimum_; }
    int32_t getMaximum() const { return maximum_; }
    int32_t getBarPosition() const { return position_; }

protected:
    bool createWindow(CWnd* parentWnd) override;

private:
    int32_t minimum_ = 0, maximum_ = 100, position_ = 0;
};

}  // namespace s::gui::win
