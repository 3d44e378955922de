// The layout objects: pooled, stateless managers that lay a container out as a column
// (Vertical), as wrapping rows (FlowH) or as a pile, with both alignments at the start
// and no gaps. One shared instance of each, never released, serves as a class default:
// Vertical for windows, FlowH for panels, Pile for scroll boxes and group boxes.
//
//   ILayoutManager* layout = container->getLayout();   // e.g. Vertical::shared()
//   layout->layoutContainer(container);
#pragma once

#include "foundation/thread/Pool.h"
#include "gui/layout/ILayoutManager.h"

namespace s::gui::layout {

class Vertical final : public ILayoutManager {
    S_POOLED(Vertical, L"s_gui_layout_Vertical")
public:
    void reset() override {}
    void layoutContainer(IContainer* container) override;
    static Vertical* shared();
};

class FlowH final : public ILayoutManager {
    S_POOLED(FlowH, L"s_gui_layout_FlowH")
public:
    void reset() override {}
    void layoutContainer(IContainer* container) override;
    static FlowH* shared();
};

class Pile final : public ILayoutManager {
    S_POOLED(Pile, L"s_gui_layout_Pile")
public:
    void reset() override {}
    void layoutContainer(IContainer* container) override;
    static Pile* shared();
};

}  // namespace s::gui::layout
