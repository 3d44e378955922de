// An empty control that only takes room in a layout (see ISpacer.h). A horizontal spacer
// takes width, a vertical one height; placed across a row or a column it claims nothing
// on the other axis, so it never widens a row by its height or a column by its width.
//
//   column->addChild(Spacer::createFixed(SpacerOrientation::kVertical, 8));   // an 8-pixel gap
#pragma once

#include "gui/controls/Control.h"
#include "gui/controls/ISpacer.h"

namespace s::gui::win {

class Spacer : public Control<ISpacer, CWnd> {
    S_POOLED(Spacer, L"s_gui_win_Spacer")
public:
    Spacer() { reset(); }
    ~Spacer() override { reset(); }
    void reset() override;

    // A spacer of the orientation and the size along it; another orientation value only
    // makes a spacer of 1 x 1.
    static Spacer* createFixed(int32_t orientation, int32_t size);

    // IComponent
    int32_t getMinWidth() override;
    int32_t getMinHeight() override;
    int32_t getPreferredWidth() override;
    int32_t getPreferredHeight() override;
    void setVisible(bool visible, bool deep) override;

    // ISpacer
    void setHorizontal() override;
    void setVertical() override;
    void setWidthPercent(int32_t percent) override { widthHint_.setPercent(percent); }
    void setHeightPercent(int32_t percent) override { heightHint_.setPercent(percent); }
    void setFixedWidth(int32_t w) override { widthHint_.fixed = w; }
    void setFixedHeight(int32_t h) override { heightHint_.fixed = h; }
    bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;
    void postHandle(LRESULT*, UINT, WPARAM, LPARAM) override {}

    int32_t getOrientation() const { return orientation_; }

protected:
    bool createWindow(CWnd* parentWnd) override { return control::createGeneric(this, parentWnd, 0); }

private:
    // The parent is a Box laid out as the given kind.
    bool inBoxOfKind(int32_t kind);
    void swapHints();
    void paint();

    int32_t orientation_ = SpacerOrientation::kHorizontal;
};

}  // namespace s::gui::win
