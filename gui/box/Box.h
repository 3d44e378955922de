// The toolkit's container panel (see IBox.h): a child window of the generic window class
// that lays out its children, paints a background (a colour, the parent's pixels, a
// hover fill or a painter) and turns pointer, wheel, file-drop and link-drop messages
// into BoxEvent events.
//
//   s::gui::win::Box* column = s::gui::win::Box::createWithLayout(LayoutKind::kColumn, 100, 100, 0, 0, 0, 4, 6, 6);
//   window->addChild(column);            // the box makes its window on the window's thread
//   column->addChild(label);             // laid out at once
//
// A hidden box is parked off its parent's client area and its window stays hidden
// through every layout; only a visible box is shown by a move.
#pragma once

#include <windows.h>

#include <string>

#include "foundation/col/Array.h"
#include "framework/window/Wnd.h"
#include "gui/box/IBox.h"
#include "gui/layout/Layouts.h"
#include "gui/layout/SizeHints.h"

namespace s::file::win {
class PathArray;
}

namespace s::gui::win {

class UrlDropTarget;

class Box : public IBox, public base::IObject, public thread::IPoolable, public CWnd {
    S_POOLED(Box, L"s_gui_win_Box")
public:
    Box();
    ~Box() override;
    Box(const Box&) = delete;
    Box& operator=(const Box&) = delete;
    void reset() override;

    // Factories. Values below 0 leave a setting unset; alignment <= 0 start, 1 centre,
    // anything else end; gaps and margin pairs apply when above 0.
    static Box* createWithLayout(int32_t kind, double widthPercent, double heightPercent, int32_t hAlign,
                                 int32_t vAlign, int32_t gapX, int32_t gapY, int32_t marginsH, int32_t marginsV);
    static Box* createFixedHeight(int32_t kind, double widthPercent, int32_t fixedHeight, int32_t hAlign,
                                  int32_t vAlign, int32_t gapY, int32_t marginsH, int32_t marginsV);
    static Box* createSized(int32_t kind, int32_t fixedWidth, int32_t fixedHeight, int32_t vAlign, int32_t gapX,
                            int32_t gapY);

    // IEventListener: the link drop target's drop.
    void onEvent(base::IObject* source, int32_t code) override;

    // IComponent
    int32_t getX() override { return x_; }
    void setX(int32_t x) override { setPosition(x, y_); }
    int32_t getY() override { return y_; }
    void setY(int32_t y) override { setPosition(x_, y); }
    int32_t getScreenX() override;
    int32_t getScreenY() override;
    bool containsScreenPoint(int32_t x, int32_t y) override;
    int32_t getWidth() override { return width_; }
    void setWidth(int32_t w) override { setSize(w, height_); }
    int32_t getHeight() override { return height_; }
    void setHeight(int32_t h) override { setSize(width_, h); }
    int32_t getInnerWidth() override { return layout::panelInnerSize(axisX(), width_); }
    void setInnerWidth(int32_t w) override;
    int32_t getInnerHeight() override { return layout::panelInnerSize(axisY(), height_); }
    void setInnerHeight(int32_t h) override;
    void setPosition(int32_t x, int32_t y) override;
    void setSize(int32_t w, int32_t h) override;
    void setBounds(int32_t x, int32_t y, int32_t w, int32_t h) override;
    void setOrigin(int32_t originX, int32_t originY) override;
    void moveOrigin(int32_t dx, int32_t dy) override;
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
    bool isUpdateDeferred() override { return deferred_; }
    void beginUpdate() override;
    void endUpdate() override;

    // IContainer
    // Lays the children out by the layout object, else by the kind. Nothing while the
    // children are being attached, and at most one layout nested in another.
    void doLayout() override;
    ILayoutManager* getLayout() override;
    void setLayout(ILayoutManager* layout) override;

    // IBox
    void setGapX(int32_t gap) override { gapX_ = gap; }
    void setGapY(int32_t gap) override { gapY_ = gap; }
    void setMarginLeft(int32_t m) override;
    void setMarginRight(int32_t m) override;
    void setMarginTop(int32_t m) override;
    void setMarginBottom(int32_t m) override;
    void setMarginsH(int32_t m) override;
    void setMarginsV(int32_t m) override;
    void setMargins(int32_t left, int32_t right, int32_t top, int32_t bottom) override;
    void alignTop() override { vAlign_ = Align::kStart; }
    void alignMiddle() override { vAlign_ = Align::kCentre; }
    void alignBottom() override { vAlign_ = Align::kEnd; }
    void alignLeft() override { hAlign_ = Align::kStart; }
    void alignCenter() override { hAlign_ = Align::kCentre; }
    void alignRight() override { hAlign_ = Align::kEnd; }
    int32_t getLayoutKind() override { return kind_; }
    void useRowLayout() override { kind_ = LayoutKind::kRow; }
    void useVerticalLayout() override { kind_ = LayoutKind::kColumn; }
    void useFlowLayout() override { kind_ = LayoutKind::kFlow; }
    void usePileLayout() override { kind_ = LayoutKind::kPile; }
    void fillParent() override;
    void setWidthPercent(int32_t percent, bool relayout) override;
    void setHeightPercent(int32_t percent, bool relayout) override;
    void setFixedWidth(int32_t pixels, bool relayout) override;
    void setFixedHeight(int32_t pixels, bool relayout) override;
    void setMinWidth(int32_t w) override { minWidth_ = w; }
    void setAcceptFiles(bool on) override;
    void addFileDropListener(events::IEventListener* l) override { listeners_[BoxEvent::kFilesDropped].push(l); }
    file::win::PathArray* getDroppedFiles() override { return droppedFiles_; }
    void setAcceptUrls(bool on) override;
    void addUrlDropListener(events::IEventListener* l) override { listeners_[BoxEvent::kUrlDropped].push(l); }
    const wchar_t* getDroppedUrl() override { return droppedUrl_.c_str(); }
    void addWheelListener(events::IEventListener* l) override { listeners_[BoxEvent::kWheel].push(l); }
    int32_t getWheelLines() override { return wheelLines_; }
    void setCollapseWidth(bool on) override { collapseWidth_ = on; }
    void setCollapseHeight(bool on) override { collapseHeight_ = on; }
    void setPainter(drawer::IDrawer* painter, bool owned) override;
    void addLayoutListener(events::IEventListener* l) override { listeners_[BoxEvent::kLaidOut].push(l); }
    void showOnly(int32_t index) override;
    void showOnlyParked(int32_t index) override;
    void addMoveListener(events::IEventListener* l) override { listeners_[BoxEvent::kMoved].push(l); }
    void addPaintListener(events::IEventListener* l) override { listeners_[BoxEvent::kPaint].push(l); }
    HDC getPaintDC() override { return paintDC_; }
    void markPainted() override { painted_ = true; }
    void setClickThrough(bool on) override { clickThrough_ = on; }
    void setBorderColor(int32_t r, int32_t g, int32_t b) override;
    void freezeVisibility(bool on) override { visibilityFrozen_ = on; }
    void paint() override;
    void addClickListener(events::IEventListener* l) override;
    void reverseChildren() override;
    bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;
    void postHandle(LRESULT*, UINT, WPARAM, LPARAM) override {}

    // CWnd: the hook, the default procedure, then the post hook.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Creates the box's window inside the parent's (on the parent's thread) and attaches
    // the children added so far. False (with "Window Creation Failed!") when it cannot.
    bool createHandle(CWnd* parentWnd);
    // Gives the back buffer back to its pool.
    void releaseBackBuffer();
    // The sizes the last layout found, and whether a link drop target is registered.
    const layout::LayoutSizes& getLayoutSizes() const { return layoutSizes_; }
    bool isAcceptingUrls() const { return acceptUrls_; }
    bool hasUrlDropTarget() const { return urlTarget_ != nullptr; }

private:
    layout::PanelAxis axisX() const;
    layout::PanelAxis axisY() const;
    int32_t parentInnerWidth() { return parent_ ? parent_->getInnerWidth() : 0; }
    int32_t parentInnerHeight() { return parent_ ? parent_->getInnerHeight() : 0; }
    UINT showFlag() const { return visible_ ? SWP_SHOWWINDOW : 0; }
    // Moves the window to the stored geometry (SWP_NOMOVE / SWP_NOSIZE as asked).
    void place(UINT flags);
    void raise(int32_t code);
    // Gives every child the origin (left margin, top margin) when either is not 0.
    void placeChildrenAtMargins();
    // Lays the box out again and, when asked, its parent (twice for a flow).
    void relayout(bool parentToo);
    void layoutParent();
    void registerUrlTarget();
    void revokeUrlTarget();
    void setHover(bool on);
    bool handleWheel(LRESULT* result, WPARAM wParam, LPARAM lParam);
    void handleDropFiles(HDROP drop);
    LRESULT hitTest(LPARAM lParam);

    col::_array::ArrayP children_;
    IWindow* window_ = nullptr;
    IContainer* parent_ = nullptr;
    CWnd* parentWnd_ = nullptr;
    ::s::image::win::BufferedImage* backBuffer_ = nullptr;
    ILayoutManager* layoutObject_ = nullptr;
    bool deferred_ = false;
    bool dirty_ = false;
    int32_t x_ = 0, y_ = 0, originX_ = 0, originY_ = 0, width_ = 0, height_ = 0;
    layout::LayoutSizes layoutSizes_;
    layout::SizeHint widthHint_, heightHint_;
    uint32_t background_ = 0;
    bool transparent_ = true;
    int32_t kind_ = LayoutKind::kColumn;
    int32_t hAlign_ = Align::kStart;
    int32_t vAlign_ = Align::kStart;
    int32_t gapX_ = 0, gapY_ = 0;
    int32_t marginLeft_ = 0, marginRight_ = 0, marginTop_ = 0, marginBottom_ = 0;
    bool attaching_ = false;
    int32_t layoutDepth_ = 0;
    bool acceptFiles_ = false;
    file::win::PathArray* droppedFiles_ = nullptr;
    bool acceptUrls_ = false;
    UrlDropTarget* urlTarget_ = nullptr;
    std::wstring droppedUrl_;
    int32_t wheelLines_ = 0;
    bool wheelPassing_ = false;
    bool hoverOn_ = false;
    uint32_t hoverColor_ = 0xFFFFFFFF;
    bool hovering_ = false;
    bool collapseWidth_ = false, collapseHeight_ = false;
    drawer::IDrawer* painter_ = nullptr;
    bool painterOwned_ = false;
    col::_array::ArrayP listeners_[8];  // by BoxEvent code 1..7
    bool clickThrough_ = true;
    int32_t minWidth_ = -1;
    bool visibilityFrozen_ = false;
    bool visible_ = true;
    HDC paintDC_ = nullptr;
    bool painted_ = false;
};

}  // namespace s::gui::win
