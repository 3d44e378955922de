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

#include "foundation/base/Object.h"
#include "foundation/thread/Pool.h"
#include "framework/window/Wnd.h"
#include "gui/component/IContainer.h"
#include "gui/controls/IScrollBar.h"
#include "gui/layout/SizeHints.h"

namespace s::gui::drawer {
class ISkinner;
}

namespace s::gui::scrollbar::win {
class ScrollInfo;
}

namespace s::gui::win {

// Where a child window is and whether it must be moved: the geometry every scroll part
// keeps, placed with SWP_SHOWWINDOW only while the part wants to be seen.
struct ChildPlacement {
    int32_t x = 0, y = 0, originX = 0, originY = 0, width = 0, height = 0;
    bool deferred = false, dirty = false;
    // Moves the window to (x + originX, y + originY) at the size, or marks the geometry
    // dirty while updates are deferred or there is no window.
    void place(HWND hwnd, bool visible, UINT flags);
    // Applies a deferred move.
    void flush(HWND hwnd, bool visible);
    // Top-left corner in screen coordinates.
    static POINT screenOrigin(HWND hwnd, const ChildPlacement& p);
};

// Where hidden parts wait, far outside their parent's client area.
inline constexpr int32_t kParkX = -10000;
inline constexpr int32_t kParkY = 10000;

class ScrollBar : public IScrollBar, public base::IObject, public thread::IPoolable, public CWnd {
    S_POOLED(ScrollBar, L"s_gui_win_ScrollBar")
public:
    ScrollBar();
    ~ScrollBar() override;
    ScrollBar(const ScrollBar&) = delete;
    ScrollBar& operator=(const ScrollBar&) = delete;
    void reset() override;

    // Timer ids: the first repeat after 500 ms, then every 100 ms.
    static constexpr UINT_PTR kFirstRepeatTimer = 1;
    static constexpr UINT_PTR kRepeatTimer = 2;

    // IEventListener: the target's layouts refit the model; a skin change brings the new
    // skin's scroll bar drawer.
    void onEvent(base::IObject* source, int32_t code) override;

    // IComponent
    int32_t getX() override { return geo_.x; }
    void setX(int32_t x) override { setPosition(x, geo_.y); }
    int32_t getY() override { return geo_.y; }
    void setY(int32_t y) override { setPosition(geo_.x, y); }
    int32_t getScreenX() override;
    int32_t getScreenY() override;
    bool containsScreenPoint(int32_t x, int32_t y) override;
    int32_t getWidth() override { return visible_ ? geo_.width : 0; }
    void setWidth(int32_t w) override { setSize(w, geo_.height); }
    int32_t getHeight() override { return visible_ ? geo_.height : 0; }
    void setHeight(int32_t h) override { setSize(geo_.width, h); }
    int32_t getInnerWidth() override { return getWidth(); }
    void setInnerWidth(int32_t w) override { setWidth(w); }
    int32_t getInnerHeight() override { return getHeight(); }
    void setInnerHeight(int32_t h) override { setHeight(h); }
    void setPosition(int32_t x, int32_t y) override;
    void setSize(int32_t w, int32_t h) override;
    void setBounds(int32_t x, int32_t y, int32_t w, int32_t h) override;
    void setOrigin(int32_t originX, int32_t originY) override;
    void moveOrigin(int32_t dx, int32_t dy) override { setOrigin(geo_.originX + dx, geo_.originY + dy); }
    int32_t getMinWidth() override { return visible_ ? layout::controlMinSize(widthHint_, 0) : 0; }
    int32_t getMinHeight() override { return visible_ ? layout::controlMinSize(heightHint_, 0) : 0; }
    int32_t getMinInnerWidth() override { return getMinWidth(); }
    int32_t getMinInnerHeight() override { return getMinHeight(); }
    int32_t getPreferredWidth() override;
    int32_t getPreferredHeight() override;
    int32_t getPreferredInnerWidth() override { return getPreferredWidth(); }
    int32_t getPreferredInnerHeight() override { return getPreferredHeight(); }
    bool isVisible() override { return visible_ && m_hWnd; }
    // Showing is refused while the model is not shown; hiding parks the bar.
    void setVisible(bool visible, bool deep) override;
    bool isEnabled() override { return !m_hWnd || ::IsWindowEnabled(m_hWnd); }
    void setEnabled(bool enabled) override;
    bool isEditable() override { return false; }
    void setEditable(bool) override {}
    void centreInParent() override {}
    void centreHorizontally() override {}
    void centreVertically() override {}
    uint32_t getBackgroundColor() override { return background_; }
    bool isTransparent() override { return transparent_; }
    void setTransparent(bool transparent, bool redraw) override;
    void setBackgroundWhite(bool redraw) override { setBackgroundColor(255, 255, 255, redraw); }
    void setBackgroundSystem(bool redraw) override;
    void setBackgroundBlack(bool redraw) override { setBackgroundColor(0, 0, 0, redraw); }
    void setBackgroundLight(bool redraw) override;
    void setBackgroundColor(int32_t r, int32_t g, int32_t b, bool redraw) override;
    IWindow* getWindow() override { return window_; }
    IContainer* getParent() override { return parent_; }
    void setParent(IContainer* container) override;
    void addChild(IComponent*) override {}
    void removeChild(IComponent*, bool) override {}
    void removeAllChildren(bool) override {}
    bool isContainer() override { return false; }
    void repaintRect(int32_t x, int32_t y, int32_t w, int32_t h) override;
    void repaint() override;
    void setSizeClamped(int32_t w, int32_t h) override;
    void validate() override {}
    int32_t getChildCount() override { return 0; }
    IComponent* getChildAt(int32_t) override { return nullptr; }
    col::_array::ArrayP* getChildren() override { return nullptr; }
    // A control keeps no buffer: the parent's, with the bar's offset.
    ::s::image::win::BufferedImage* getBackBuffer(int32_t* x, int32_t* y) override;
    bool isUpdateDeferred() override { return geo_.deferred; }
    void beginUpdate() override { geo_.deferred = true; }
    void endUpdate() override;

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

    // CWnd: the hook, the default procedure, then the post hook.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The drawer that paints: the custom one, else the default (null when none exists).
    drawer::IScrollBar* currentDrawer() const;
    IComponent* getTarget() const { return target_; }
    IComponent* getPeer() const { return peer_; }
    // 0 idle, 1 hot, 2 pressed; the part the state belongs to (-1 none).
    int32_t getVisualState() const { return visualState_; }
    int32_t getActivePart() const { return activePart_; }
    bool isDraggingThumb() const { return thumbDragging_; }

private:
    layout::SizeHint& thicknessHint() { return isHorizontal() ? heightHint_ : widthHint_; }
    layout::SizeHint& lengthHint() { return isHorizontal() ? widthHint_ : heightHint_; }
    int32_t parentInnerWidth() { return parent_ ? parent_->getInnerWidth() : 0; }
    int32_t parentInnerHeight() { return parent_ ? parent_->getInnerHeight() : 0; }
    // The default drawer's width: 15 x the screen scale unless a default drawer says else.
    int32_t defaultThickness() const;
    bool createHandle(CWnd* parentWnd);
    void detachSkinner();
    void paint();
    // The part under a point given in client coordinates (-1 none).
    int32_t partAt(int32_t clientX, int32_t clientY);
    // One step for a part: arrows a line, the track a page.
    void stepFor(int32_t part);
    void setVisualState(int32_t part, int32_t state);
    void stopPress();
    void repaintPeer();

    ChildPlacement geo_;
    IWindow* window_ = nullptr;
    IContainer* parent_ = nullptr;
    drawer::ISkinner* skinner_ = nullptr;
    layout::SizeHint widthHint_, heightHint_;
    uint32_t background_ = 0;
    bool transparent_ = false;
    bool visible_ = false;
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
