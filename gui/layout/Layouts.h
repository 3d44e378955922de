// The four layouts of the toolkit's containers, as functions over an abstract child:
// a single row, a column, rows that wrap (flow) and a pile of children on one area.
// Each places and sizes the children inside the container's content area and reports
// the content's minimum and preferred size.
//
//   std::vector<LayoutChild*> children = ...;
//   LayoutSizes s = layoutColumn(children, innerWidth, innerHeight, {Align::kCentre, 0, 0, 4});
//
// Children are sized only through setSizeClamped, which clamps the asked size into the
// child's own minimum and preferred size; a child may also ignore the asked size (a
// label keeps its wrapped width, a radio button its measured size). The layouts read
// the size back after every call and never wait for a child to grow.
#pragma once

#include <cstdint>
#include <span>

#include "gui/layout/LayoutKind.h"

namespace s::gui {
class IComponent;
class IContainer;
}  // namespace s::gui

namespace s::gui::layout {

// What a layout reads of and does to a child.
class LayoutChild {
public:
    virtual ~LayoutChild() = default;
    virtual bool isVisible() = 0;
    virtual int32_t getMinWidth() = 0;
    virtual int32_t getMinHeight() = 0;
    virtual int32_t getPreferredWidth() = 0;
    virtual int32_t getPreferredHeight() = 0;
    virtual int32_t getWidth() = 0;
    virtual int32_t getHeight() = 0;
    virtual void setSizeClamped(int32_t w, int32_t h) = 0;
    // Relative to the container's content origin.
    virtual void setPosition(int32_t x, int32_t y) = 0;
};

// Alignments (Align::kStart, kCentre, kEnd) and gaps. The row uses gapX, the column
// gapY, the flow both (gapX within a row, gapY between rows), the pile none.
struct LayoutParams {
    int32_t hAlign = Align::kStart;
    int32_t vAlign = Align::kStart;
    int32_t gapX = 0;
    int32_t gapY = 0;
};

// The content's minimum and preferred size found by a layout.
struct LayoutSizes {
    int32_t minWidth = 0;
    int32_t minHeight = 0;
    int32_t prefWidth = 0;
    int32_t prefHeight = 0;
    bool operator==(const LayoutSizes&) const = default;
};

using Children = std::span<LayoutChild* const>;

// Every child counts, visible or not. Free space goes to the children below their
// preferred size in proportion to what they lack; what they cannot take aligns them.
LayoutSizes layoutRow(Children children, int32_t innerWidth, int32_t innerHeight, const LayoutParams& p);
LayoutSizes layoutColumn(Children children, int32_t innerWidth, int32_t innerHeight, const LayoutParams& p);
// Hidden children are laid out but take no gap.
LayoutSizes layoutFlow(Children children, int32_t innerWidth, int32_t innerHeight, const LayoutParams& p);
// Only visible children; each covers the same area.
LayoutSizes layoutPile(Children children, int32_t innerWidth, int32_t innerHeight, const LayoutParams& p);

// The layout of a kind (LayoutKind::kRow ... kPile); another kind lays out nothing.
LayoutSizes layoutByKind(int32_t kind, Children children, int32_t innerWidth, int32_t innerHeight,
                         const LayoutParams& p);

// Lays out a container's children with the layout of a kind. Unless the container's
// updates are deferred, every child's native moves are deferred during the layout and
// applied once at the end, and every child repaints.
LayoutSizes layoutComponents(IContainer* container, int32_t kind, const LayoutParams& p);

}  // namespace s::gui::layout
