// The scroll model of one axis: compares a target component's view size with the size
// of the target's first child (the content), keeps range, page and position, shifts the
// content by moving its origin, and shows or hides a bar.
//
// Orientation here is 1 horizontal, 2 vertical (a scroll bar numbers them 0 and 1 and
// maps its own value onto this one).
#pragma once

#include <cstdint>

#include "foundation/base/Object.h"

namespace s::gui {
class IComponent;
class IScrollBar;
}  // namespace s::gui

namespace s::gui::scrollbar {

namespace ScrollInfoOrientation {
inline constexpr int32_t kHorizontal = 1;
inline constexpr int32_t kVertical = 2;
}  // namespace ScrollInfoOrientation

class IScrollInfo : public base::IObject {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_gui_scrollbar_IScrollInfo";

    virtual bool isHorizontal() = 0;
    virtual bool isVertical() = 0;
    virtual void setHorizontal() = 0;
    virtual void setVertical() = 0;
    virtual void setOrientation(int32_t orientation) = 0;
    // The content is larger than the view.
    virtual bool isNeeded() = 0;
    virtual void setNeeded(bool on) = 0;
    // Needed and not hidden.
    virtual bool isShown() = 0;
    virtual int32_t getThickness() = 0;
    // getThickness() while shown, else 0.
    virtual int32_t getShownThickness() = 0;
    // The position follows a remembered centre.
    virtual bool isCentred() = 0;
    virtual void setCentred(bool on) = 0;
    virtual int32_t getUpdateDepth() = 0;
    virtual void setUpdateDepth(int32_t depth) = 0;
    virtual int32_t getPosition() = 0;
    virtual void setPosition(int32_t v) = 0;
    virtual int32_t getRange() = 0;
    virtual void setRange(int32_t v) = 0;
    virtual int32_t getPage() = 0;
    virtual void setPage(int32_t v) = 0;
    virtual int32_t getCentre() = 0;
    virtual void setCentre(int32_t v) = 0;
    // Total shift applied to the content's origin so far.
    virtual int32_t getOffset() = 0;
    virtual void setOffset(int32_t v) = 0;
    // Recomputes range, page and position from the target and its first child.
    virtual void update(IComponent* target) = 0;
    // Clamped so that the position stays in [0, range - page].
    virtual void scrollBy(IComponent* target, int32_t delta) = 0;
    virtual void lineUp(IComponent* target) = 0;
    virtual void lineDown(IComponent* target) = 0;
    virtual void pageUp(IComponent* target) = 0;
    virtual void pageDown(IComponent* target) = 0;
    virtual void trackTo(IComponent* target) = 0;
    // Clears the scroll state; hidden and centred are cleared too.
    virtual void reset(IComponent* target) = 0;
    virtual bool isEnabled() = 0;
    virtual void setEnabled(IComponent* target, bool on) = 0;
    virtual bool isHidden() = 0;
    virtual void setHidden(IComponent* target, bool hide) = 0;
    // The bar it drives; null drives the target window's own scroll bar.
    virtual void setBar(IScrollBar* bar) = 0;
};

}  // namespace s::gui::scrollbar
