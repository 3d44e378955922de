// A container that shows content larger than itself (see IScrollBox.h). It holds one tree
// of boxes: an outer column whose first row holds the viewport and the vertical bar, and
// whose second row is the horizontal bar. Children added to the scroll box go into the
// viewport, and the bars move the viewport's first child by its origin.
//
//   ScrollBox* view = ScrollBox::createWithBars(100, 100);
//   window->addChild(view);
//   view->addChild(picture);        // any component; larger than the view, bars appear
//   view->setDragToPan(true);       // dragging pans, a click centres the clicked point
//   view->scrollBy(0, 120);         // relative, clamped by the bars' models
//
// The scroll box keeps its own back buffer, so transparent content paints over its
// background.
#pragma once

#include <windows.h>

#include "foundation/col/Array.h"
#include "framework/window/Wnd.h"
#include "gui/controls/IScrollBox.h"
#include "gui/controls/IScrollBar.h"
#include "gui/layout/Layouts.h"
#include "gui/layout/SizeHints.h"

namespace s::gui::win {

class Box;

// Where a child window is and whether it must be moved, placed with SWP_SHOWWINDOW only
// while the window wants to be seen.
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

class ScrollBox : public IScrollBox, public base::IObject, public thread::IPoolable, public CWnd {
    S_POOLED(ScrollBox, L"s_gui_win_ScrollBox")
public:
    ScrollBox();
    ~ScrollBox() override;
    ScrollBox(const ScrollBox&) = delete;
    ScrollBox& operator=(const ScrollBox&) = delete;
    void reset() override;

    // Pixels one wheel line scrolls.
    static constexpr int32_t kWheelLinePixels = 15;

    // Two bars of the default thickness, a viewport that centres small content, and the
    // boxes around them; percents below 0 are left unset.
    static ScrollBox* createWithBars(double widthPercent, double heightPercent);

    // IEventListener: the scroll box does nothing with the events it hears.
    void onEvent(base::IObject*, int32_t) override {}

    // IComponent
    int32_t getX() override { return geo_.x; }
    void setX(int32_t x) override { setPosition(x, geo_.y); }
    int32_t getY() override { return geo_.y; }
    void setY(int32_t y) override { setPosition(geo_.x, y); }
    int32_t getScreenX() override { return ChildPlacement::screenOrigin(m_hWnd, geo_).x; }
    int32_t getScreenY() override { return ChildPlacement::screenOrigin(m_hWnd, geo_).y; }
    bool containsScreenPoint(int32_t x, int32_t y) override;
    int32_t getWidth() override { return geo_.width; }
    void setWidth(int32_t w) override { setSize(w, geo_.height); }
    int32_t getHeight() override { return geo_.height; }
    void setHeight(int32_t h) override { setSize(geo_.width, h); }
    int32_t getInnerWidth() override { return layout::panelInnerSize(axisX(), geo_.width); }
    void setInnerWidth(int32_t w) override { setWidth(w); }
    int32_t getInnerHeight() override { return layout::panelInnerSize(axisY(), geo_.height); }
    void setInnerHeight(int32_t h) override { setHeight(h); }
    void setPosition(int32_t x, int32_t y) override;
    void setSize(int32_t w, int32_t h) override;
    void setBounds(int32_t x, int32_t y, int32_t w, int32_t h) override;
    void setOrigin(int32_t originX, int32_t originY) override;
    void moveOrigin(int32_t dx, int32_t dy) override { setOrigin(geo_.originX + dx, geo_.originY + dy); }
    int32_t getMinWidth() override { return layout::panelMinSize(axisX()); }
    int32_t getMinHeight() override { return layout::panelMinSize(axisY()); }
    int32_t getMinInnerWidth() override { return layout::panelMinInnerSize(axisX()); }
    int32_t getMinInnerHeight() override { return layout::panelMinInnerSize(axisY()); }
    int32_t getPreferredWidth() override { return layout::panelPreferredSize(axisX(), parentInnerWidth()); }
    int32_t getPreferredHeight() override { return layout::panelPreferredSize(axisY(), parentInnerHeight()); }
    int32_t getPreferredInnerWidth() override { return layout::panelPreferredInnerSize(axisX(), parentInnerWidth()); }
    int32_t getPreferredInnerHeight() override { return layout::panelPreferredInnerSize(axisY(), parentInnerHeight()); }
    bool isVisible() override { return visible_ && m_hWnd; }
    void setVisible(bool visible, bool deep) override;
    bool isEnabled() override { return !m_hWnd || ::IsWindowEnabled(m_hWnd); }
    void setEnabled(bool enabled) override;
    bool isEditable() override { return false; }
    void setEditable(bool) override {}
    void centreInParent() override;
    void centreHorizontally() override;
    void centreVertically() override;
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
    // Into the viewport (into the scroll box itself before the parts are set).
    void addChild(IComponent* child) override;
    void removeChild(IComponent* child, bool recursive) override;
    void removeAllChildren(bool recursive) override;
    bool isContainer() override { return true; }
    void repaintRect(int32_t x, int32_t y, int32_t w, int32_t h) override;
    void repaint() override;
    void setSizeClamped(int32_t w, int32_t h) override;
    void validate() override { doLayout(); }
    int32_t getChildCount() override { return int32_t(children_.count()); }
    IComponent* getChildAt(int32_t index) override;
    col::_array::ArrayP* getChildren() override { return &children_; }
    ::s::image::win::BufferedImage* getBackBuffer(int32_t* x, int32_t* y) override;
    bool isUpdateDeferred() override { return geo_.deferred; }
    void beginUpdate() override;
    void endUpdate() override;

    // IContainer: the pile, then the models refit (horizontal first).
    void doLayout() override;
    ILayoutManager* getLayout() override;
    void setLayout(ILayoutManager* layout) override;

    // IScrollBox
    void setWidthPercent(int32_t percent) override { widthHint_.setPercent(percent); }
    void setHeightPercent(int32_t percent) override { heightHint_.setPercent(percent); }
    void setFixedWidth(int32_t w) override { widthHint_.setFixed(w); }
    void setFixedHeight(int32_t h) override { heightHint_.setFixed(h); }
    IBox* getOuterBox() override;
    void setParts(IBox* outer, IBox* viewport, IScrollBar* verticalBar, IScrollBar* horizontalBar) override;
    IBox* getViewport() override;
    void setScrollingEnabled(bool on) override;
    bool isScrollingEnabled() override { return scrollingEnabled_; }
    void scrollBy(int32_t dx, int32_t dy) override;
    void setKeepCentre(bool on) override;
    int32_t getCentreX() override;
    int32_t getCentreY() override;
    void setCentre(int32_t x, int32_t y) override;
    void resetScroll() override;
    void setBarsHidden(bool hide) override;
    int32_t getVerticalBarThickness() override { return vbar_ ? vbar_->getThickness() : 0; }
    int32_t getHorizontalBarThickness() override { return hbar_ ? hbar_->getThickness() : 0; }
    int32_t getVerticalBarSpace() override;
    int32_t getHorizontalBarSpace() override;
    void addWheelListener(events::IEventListener* l) override { wheelListeners_.push(l); }
    int32_t getWheelLines() override { return wheelLines_; }
    void setDragToPan(bool on) override { dragToPan_ = on; }
    bool canScroll() override;
    int32_t getScrollX() override;
    int32_t getScrollY() override;
    void setScrollPosition(int32_t x, int32_t y) override;
    bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;
    void postHandle(LRESULT*, UINT, WPARAM, LPARAM) override {}

    // CWnd: the hook, the default procedure, then the post hook.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    IScrollBar* getVerticalBar() const { return vbar_; }
    IScrollBar* getHorizontalBar() const { return hbar_; }
    bool isDragToPan() const { return dragToPan_; }
    bool isKeepCentre() const { return keepCentre_; }
    bool areBarsHidden() const { return barsHidden_; }

private:
    layout::PanelAxis axisX() const;
    layout::PanelAxis axisY() const;
    int32_t parentInnerWidth() { return parent_ ? parent_->getInnerWidth() : 0; }
    int32_t parentInnerHeight() { return parent_ ? parent_->getInnerHeight() : 0; }
    bool createHandle(CWnd* parentWnd);
    void attach(IComponent* child);
    bool viewportHasContent();
    void enableModels(bool on);
    // Both bars take the viewport as their target.
    void targetBars();
    scrollbar::IScrollInfo* model(IScrollBar* bar) { return bar ? bar->getScrollInfo() : nullptr; }
    void paint();
    bool handleWheel(LRESULT* result, WPARAM wParam, LPARAM lParam);
    LRESULT hitTest(LPARAM lParam);
    POINT screenPoint(LPARAM lParam);

    col::_array::ArrayP children_;
    IBox* outer_ = nullptr;
    IBox* viewport_ = nullptr;
    IScrollBar* vbar_ = nullptr;
    IScrollBar* hbar_ = nullptr;
    IWindow* window_ = nullptr;
    IContainer* parent_ = nullptr;
    ::s::image::win::BufferedImage* backBuffer_ = nullptr;
    ILayoutManager* layoutObject_ = nullptr;
    ChildPlacement geo_;
    layout::LayoutSizes layoutSizes_;
    layout::SizeHint widthHint_, heightHint_;
    uint32_t background_ = 0;
    bool transparent_ = true;
    bool visible_ = true;
    bool attaching_ = false;
    bool scrollingEnabled_ = true;
    bool keepCentre_ = false;
    bool barsHidden_ = false;
    col::_array::ArrayP wheelListeners_;
    int32_t wheelLines_ = 0;
    bool dragToPan_ = false;
    bool dragging_ = false;
    POINT pressPoint_{}, lastPoint_{};
};

}  // namespace s::gui::win
