// The scroll model of one axis (see IScrollInfo.h). The arithmetic is kept apart as pure
// functions so that it can be checked without windows:
//
//   AxisState s{0, 1000, 400, 0, true};
//   s = fitAxis(s, 800, 1000, false);       // the view grew: position rescaled, clamped
//   int32_t step = clampScrollDelta(s.position, s.range, s.page, +500);
//
// The model itself moves the target's first child (the content) by its origin, keeps the
// total shift as the offset, and shows or hides its bar: a ScrollBar object when one is
// set, else the target window's own WS_HSCROLL / WS_VSCROLL bar.
#pragma once

#include <cstdint>

#include "foundation/thread/Pool.h"
#include "gui/controls/IScrollInfo.h"

namespace s::gui::scrollbar {

// What one axis of the model holds: position in [0, range - page] while needed.
struct AxisState {
    int32_t position = 0;
    int32_t range = 0;
    int32_t page = 0;
    int32_t centre = 0;
    bool needed = false;
    bool operator==(const AxisState&) const = default;
};

// The state after the view (v pixels) or the content (content pixels) changed. Content
// larger than the view is needed: page v, range the content, position kept (rescaled by
// v / old page when both are positive) or, centred, the remembered centre in the middle;
// always within [0, range - page]. Centred with no centre yet (0) or after not being
// needed, the centre becomes the content's middle. Content that fits: all 0, not needed.
AxisState fitAxis(const AxisState& old, int32_t view, int32_t content, bool centred);

// The part of delta that keeps position + delta within [0, range - page] (0 when the
// page covers the range).
int32_t clampScrollDelta(int32_t position, int32_t range, int32_t page, int32_t delta);

// Pixels of one line step (not scaled).
inline constexpr int32_t kLineStep = 60;

namespace win {

class ScrollInfo : public IScrollInfo, public thread::IPoolable {
    S_POOLED(ScrollInfo, L"s_gui_scrollbar_win_ScrollInfo")
public:
    ScrollInfo() { reset(); }
    // Horizontal, nothing needed, hidden, not centred, disabled, all sizes 0, no bar.
    void reset() override;

    bool isHorizontal() override { return orientation_ == ScrollInfoOrientation::kHorizontal; }
    bool isVertical() override { return orientation_ == ScrollInfoOrientation::kVertical; }
    void setHorizontal() override { orientation_ = ScrollInfoOrientation::kHorizontal; }
    void setVertical() override { orientation_ = ScrollInfoOrientation::kVertical; }
    void setOrientation(int32_t orientation) override { orientation_ = orientation; }
    bool isNeeded() override { return state_.needed; }
    void setNeeded(bool on) override { state_.needed = on; }
    bool isShown() override { return state_.needed && !hidden_; }
    int32_t getThickness() override;
    int32_t getShownThickness() override { return isShown() ? getThickness() : 0; }
    bool isCentred() override { return centred_; }
    void setCentred(bool on) override { centred_ = on; }
    int32_t getUpdateDepth() override { return depth_; }
    void setUpdateDepth(int32_t depth) override { depth_ = depth; }
    int32_t getPosition() override { return state_.position; }
    void setPosition(int32_t v) override { state_.position = v; }
    int32_t getRange() override { return state_.range; }
    void setRange(int32_t v) override { state_.range = v; }
    int32_t getPage() override { return state_.page; }
    void setPage(int32_t v) override { state_.page = v; }
    int32_t getCentre() override { return state_.centre; }
    void setCentre(int32_t v) override { state_.centre = v; }
    int32_t getOffset() override { return offset_; }
    void setOffset(int32_t v) override { offset_ = v; }
    void update(IComponent* target) override;
    void scrollBy(IComponent* target, int32_t delta) override;
    void lineUp(IComponent* target) override { scrollBy(target, -kLineStep); }
    void lineDown(IComponent* target) override { scrollBy(target, kLineStep); }
    void pageUp(IComponent* target) override { scrollBy(target, -state_.page); }
    void pageDown(IComponent* target) override { scrollBy(target, state_.page); }
    void trackTo(IComponent* target) override;
    // The content goes back to its unscrolled place before the state is cleared, so the
    // next content starts at the origin; hidden and centred are cleared, enabled is kept.
    void reset(IComponent* target) override;
    bool isEnabled() override { return enabled_; }
    void setEnabled(IComponent* target, bool on) override;
    bool isHidden() override { return hidden_; }
    void setHidden(IComponent* target, bool hide) override;
    void setBar(IScrollBar* bar) override { bar_ = bar; }
    IScrollBar* getBar() const { return bar_; }

private:
    // The target's visible size along the axis.
    int32_t viewSize(IComponent* target);
    // Moves the target's content along the axis by d (its origin).
    void moveContent(IComponent* target, int32_t d);
    // Shows or hides the bar (or the target's own bar) as isShown() says.
    void showBar(IComponent* target, bool show);
    void setNativeInfo(IComponent* target, bool positionOnly);

    int32_t orientation_ = ScrollInfoOrientation::kHorizontal;
    AxisState state_;
    bool hidden_ = true;
    bool centred_ = false;
    int32_t depth_ = 0;
    int32_t offset_ = 0;
    bool enabled_ = false;
    IScrollBar* bar_ = nullptr;
};

}  // namespace win

}  // namespace s::gui::scrollbar
