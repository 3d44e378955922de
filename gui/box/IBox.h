// The toolkit's general container panel: children laid out in a row, a column, a flow
// or a pile (or by a layout manager), with margins, gaps, alignments, size hints, a
// background painter, and optional file and link dropping.
//
//   IBox* row = Box::createWithLayout(LayoutKind::kRow, 100, -1, 0, 1, 4, 0, 2, 2);
//   row->withChild(label)->withChild(button);
//   row->setAcceptFiles(true);
//   row->addFileDropListener(&handler);   // BoxEvent::kFilesDropped, then getDroppedFiles()
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/component/Events.h"
#include "gui/component/IContainer.h"
#include "gui/layout/LayoutKind.h"

namespace s::file::win {
class PathArray;
}
namespace s::gui::drawer {
class IDrawer;
}

namespace s::gui {

class IBox : public IContainer {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_gui_IBox";

    // Horizontal gap (row and flow) and vertical gap (column and flow).
    virtual void setGapX(int32_t gap) = 0;
    virtual void setGapY(int32_t gap) = 0;
    // Each stores the margin, then gives every child the origin (left, top) unless both are 0.
    virtual void setMarginLeft(int32_t m) = 0;
    virtual void setMarginRight(int32_t m) = 0;
    virtual void setMarginTop(int32_t m) = 0;
    virtual void setMarginBottom(int32_t m) = 0;
    virtual void setMarginsH(int32_t m) = 0;
    virtual void setMarginsV(int32_t m) = 0;
    virtual void setMargins(int32_t left, int32_t right, int32_t top, int32_t bottom) = 0;
    virtual void alignTop() = 0;
    virtual void alignMiddle() = 0;
    virtual void alignBottom() = 0;
    virtual void alignLeft() = 0;
    virtual void alignCenter() = 0;
    virtual void alignRight() = 0;
    virtual int32_t getLayoutKind() = 0;
    virtual void useRowLayout() = 0;
    virtual void useVerticalLayout() = 0;
    virtual void useFlowLayout() = 0;
    virtual void usePileLayout() = 0;
    // Width and height percent 100.
    virtual void fillParent() = 0;
    // A percentage clears the fixed size of its axis and the reverse; with a native
    // window the box lays out again, and with relayout its parent too.
    virtual void setWidthPercent(int32_t percent, bool relayout) = 0;
    virtual void setHeightPercent(int32_t percent, bool relayout) = 0;
    virtual void setFixedWidth(int32_t pixels, bool relayout) = 0;
    virtual void setFixedHeight(int32_t pixels, bool relayout) = 0;
    // Lower bound of the minimum width (-1 = none).
    virtual void setMinWidth(int32_t w) = 0;
    virtual void setAcceptFiles(bool on) = 0;
    virtual void addFileDropListener(events::IEventListener* l) = 0;  // BoxEvent::kFilesDropped
    // The paths of the last drop.
    virtual file::win::PathArray* getDroppedFiles() = 0;
    // Registers (or revokes) the link drop target; kept across re-attachment.
    virtual void setAcceptUrls(bool on) = 0;
    virtual void addUrlDropListener(events::IEventListener* l) = 0;  // BoxEvent::kUrlDropped
    virtual const wchar_t* getDroppedUrl() = 0;
    virtual void addWheelListener(events::IEventListener* l) = 0;  // BoxEvent::kWheel
    virtual int32_t getWheelLines() = 0;
    // The box reports a minimum width (height) of 0.
    virtual void setCollapseWidth(bool on) = 0;
    virtual void setCollapseHeight(bool on) = 0;
    // A drawer that paints the background; an owned previous painter goes back to its pool.
    virtual void setPainter(drawer::IDrawer* painter, bool owned) = 0;
    virtual void addLayoutListener(events::IEventListener* l) = 0;  // BoxEvent::kLaidOut
    // Shows the child at index and hides the others.
    virtual void showOnly(int32_t index) = 0;
    // As showOnly, with the hidden pages parked below the view.
    virtual void showOnlyParked(int32_t index) = 0;
    virtual void addMoveListener(events::IEventListener* l) = 0;   // BoxEvent::kMoved
    virtual void addPaintListener(events::IEventListener* l) = 0;  // BoxEvent::kPaint
    // During a kPaint event: the DC being painted.
    virtual HDC getPaintDC() = 0;
    // Called by a paint listener that painted everything: the box paints nothing more.
    virtual void markPainted() = 0;
    // Clicks pass through to what lies below, except over an enabled child button.
    virtual void setClickThrough(bool on) = 0;
    // Turns the hover fill on, in colour r | g << 8 | b << 16.
    virtual void setBorderColor(int32_t r, int32_t g, int32_t b) = 0;
    // setVisible does nothing while set.
    virtual void freezeVisibility(bool on) = 0;
    // Paints the box as WM_PAINT does.
    virtual void paint() = 0;
    // Also turns click-through off.
    virtual void addClickListener(events::IEventListener* l) = 0;  // BoxEvent::kLeftButtonDown
    virtual void reverseChildren() = 0;

    // The box's message hook (true: handled, *result goes back) and its follower.
    virtual bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void postHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace s::gui
