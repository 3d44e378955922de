// A container that shows content larger than itself: an outer column box holding a row
// (the viewport and the vertical bar) and the horizontal bar. Children added to the
// scroll box go into the viewport; the bars move the viewport's first child.
//
//   IScrollBox* view = ScrollBox::createWithBars(100, 100);
//   view->addChild(picture);
//   view->setDragToPan(true);
//   view->setBarsHidden(false);     // hide flag: false shows the bars when needed
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/component/IContainer.h"

namespace s::gui {

class IBox;
class IScrollBar;

class IScrollBox : public IContainer {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_gui_IScrollBox";

    // A percentage clears the fixed size of its axis and the reverse.
    virtual void setWidthPercent(int32_t percent) = 0;
    virtual void setHeightPercent(int32_t percent) = 0;
    virtual void setFixedWidth(int32_t w) = 0;
    virtual void setFixedHeight(int32_t h) = 0;
    virtual IBox* getOuterBox() = 0;
    virtual void setParts(IBox* outer, IBox* viewport, IScrollBar* verticalBar, IScrollBar* horizontalBar) = 0;
    virtual IBox* getViewport() = 0;
    virtual void setScrollingEnabled(bool on) = 0;
    virtual bool isScrollingEnabled() = 0;
    // Relative: the horizontal bar scrolls by dx, the vertical by dy, each clamped.
    virtual void scrollBy(int32_t dx, int32_t dy) = 0;
    virtual void setKeepCentre(bool on) = 0;
    virtual int32_t getCentreX() = 0;
    virtual int32_t getCentreY() = 0;
    virtual void setCentre(int32_t x, int32_t y) = 0;
    virtual void resetScroll() = 0;
    // true hides the bars whatever the sizes.
    virtual void setBarsHidden(bool hide) = 0;
    virtual int32_t getVerticalBarThickness() = 0;
    virtual int32_t getHorizontalBarThickness() = 0;
    // The thickness a bar occupies: its thickness while shown, else 0.
    virtual int32_t getVerticalBarSpace() = 0;
    virtual int32_t getHorizontalBarSpace() = 0;
    virtual void addWheelListener(events::IEventListener* l) = 0;  // code 2
    virtual int32_t getWheelLines() = 0;
    virtual void setDragToPan(bool on) = 0;
    // Scrolling enabled and at least one bar visible.
    virtual bool canScroll() = 0;
    // The horizontal and vertical scroll positions; setScrollPosition scrolls by the
    // difference, clamped by the models.
    virtual int32_t getScrollX() = 0;
    virtual int32_t getScrollY() = 0;
    virtual void setScrollPosition(int32_t x, int32_t y) = 0;

    virtual bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void postHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace s::gui
