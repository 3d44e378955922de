// A custom-drawn scroll bar (see IScrollBar.h): a child window of the generic window class
// that owns one scroll model, paints itself through a scroll bar drawer and turns
// clicks, held buttons and thumb drags into scroll steps of its target.
//
//   ScrollBar* bar = ScrollBar::create();
//   bar->setVertical();
//   bar->setThickness(-1);          // the default drawer's width, 15 x the screen scale
//   bar->setLengthPercent(100);
//   box->addChild(bar);
//   bar->setTarget(viewport);       // the viewport's first child scrolls
//
// The bar shows itself only while its model is shown (content larger than the view and
// not hidden); a hidden bar reports every size as 0 and waits parked outside its parent.
#pragma once

#include <windows.h>

#include "gui/controls/Control.h"
#include "gui/controls/IScrollBar.h"

namespace s::gui::scrollbar::win {
class ScrollInfo;
}

namespace s::gui::win {

class ScrollBar : public Control<IScrollBar, CWnd> {
    S_POOLED(ScrollBar, L"s_gui_win_ScrollBar")
public:
    ScrollBar();
    ~ScrollBar() override;
    void reset() override;

    // Timer ids: the first repeat after 500 ms, then every 100 ms.
    static constexpr UINT_PTR kFirstRepeatTimer = 1;
    static constexpr UINT_PTR kRepeatTimer = 2;

    // IEventListener: the target's layouts refit the model; a skin change brings the new
    // skin's scroll bar drawer.
    void onEvent(base::IObject* source, int32_t code) override;

    // IComponent: a hidden bar reports every size as 0.
    int32_t getWidth() override { return visible_ ? width_ : 0; }
    int32_t getHeight() override { return visible_ ? height_ : 0; }
    int32_t getInnerWidth() override { return getWidth(); }
    int32_t getInnerHeight() override { return getHeight(); }
    int32_t getMinWidth() override { return visible_ ? Control::getMinWidth() : 0; }
    int32_t getMinHeight() override { return visible_ ? Control::getMinHeight() : 0; }
    int32_t getPreferredWidth() override { return visible_ ? Control::getPreferredWidth() : 0; }
    int32_t getPreferredHeight() override { return visible_ ? Control::getPreferredHeight() : 0; }
    // Showing is refused while the model is not shown; hiding parks the bar. The parent
    // lays out again and the peer repaints.
    void setVisible(bool visible, bool deep) override;

    // IScrollBar
    void setWidthPercent(int32_t percent) override { widthHint_.percent = percent; }
    void setHeightPercent(int32_t percent) override { heightHint_.percent = percent; }
    void setFixedWidth(int32_t w) override { widthHint_.fixed = w; }
    void setFixedHeight(int32_t h) override { heightHint_.fixed = h; }
    int32_t getThickness() override;
    void setThickness(int32_t pixels) override;
    void setThicknessPercent(int32_t percent) override { thicknessHint().percent = percent; }
    int32_t getLength() override { return lengthHint().fixed; }
    void setLength(int32_t pixels) override { lengthHint().fixed = pixels; }
    void setLengthPercent(int32_t percent) override { lengthHint().percent = percent; }
    bool isHorizontal() override { return orientation_ == ScrollBarOrientation::kHorizontal; }
    bool isVertical() override { return orientation_ == ScrollBarOrientation::kVertical; }
    void setHorizontal() override { setOrientation(ScrollBarOrientation::kHorizontal); }
    void setVertical() override { setOrientation(ScrollBarOrientation::kVertical); }
    void setOrientation(int32_t orientation) override;
    void setDrawer(drawer::IScrollBar* drawer, bool owned) override;
    void setTarget(IComponent* target) override;
    void setPeer(IComponent* peer) override { peer_ = peer; }
    scrollbar::IScrollInfo* getScrollInfo() override;
    void scrollTarget(int32_t delta) override;
    void setColor(int32_t r, int32_t g, int32_t b) override;
    bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;
    void postHandle(LRESULT*, UINT, WPARAM, LPARAM) override {}

    // The drawer that paints: the custom one, else the default (null when none exists).
    drawer::IScrollBar* currentDrawer() const;
    IComponent* getTarget() const { return target_; }
    IComponent* getPeer() const { return peer_; }
    // 0 idle, 1 hot, 2 pressed; the part the state belongs to (-1 none).
    int32_t getVisualState() const { return visualState_; }
    int32_t getActivePart() const { return activePart_; }
    bool isDraggingThumb() const { return thumbDragging_; }

protected:
    bool createWindow(CWnd* parentWnd) override { return control::createGeneric(this, parentWnd, 0); }
    void attachServices() override;
    void detachServices() override;
    void paintContent(HDC dc, const RECT& rc) override;

private:
    layout::SizeHint& thicknessHint() { return isHorizontal() ? heightHint_ : widthHint_; }
    layout::SizeHint& lengthHint() { return isHorizontal() ? widthHint_ : heightHint_; }
    // The default drawer's width: 15 x the screen scale.
    int32_t defaultThickness();
    // The part under a point given in client coordinates (-1 none).
    int32_t partAt(int32_t clientX, int32_t clientY);
    // One step for a part: arrows a line, the track a page.
    void stepFor(int32_t part);
    void setVisualState(int32_t part, int32_t state);
    void stopPress();
    void repaintPeer();

    int32_t orientation_ = ScrollBarOrientation::kVertical;
    bool pressed_ = false;
    int32_t pressedPart_ = -1;
    int32_t activePart_ = -1;
    int32_t visualState_ = 0;
    bool thumbDragging_ = false;
    int32_t dragStart_ = 0;
    int32_t dragStartPosition_ = 0;
    drawer::IScrollBar* defaultDrawer_ = nullptr;
    drawer::IScrollBar* drawer_ = nullptr;
    bool drawerOwned_ = false;
    scrollbar::win::ScrollInfo* info_ = nullptr;
    IComponent* target_ = nullptr;
    IComponent* peer_ = nullptr;
    bool thicknessFixed_ = false;
    COLORREF color_ = 0xFFFFFF;
    bool colorSet_ = false;
};

}  // namespace s::gui::win
