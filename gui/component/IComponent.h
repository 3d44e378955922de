// Every visual object of the toolkit: top-level windows, panels and controls.
//
// Coordinates are pixels; x and y are relative to the parent's content area (a
// top-level window answers screen coordinates). "Inner" is the content area inside
// a container's margins. Colours are COLORREF 0x00BBGGRR.
//
// A concrete component derives from its interface and carries the object-model facet
// (s::base::IObject, class name "s_gui_win_" + the class name), the pool facet
// (s::thread::IPoolable) and its framework window, in that order:
//
//   class Button : public s::gui::IButton, public s::base::IObject,
//                  public s::thread::IPoolable, public framework::CButton { ... };
//
// Listeners compare the source of an event with the objects they know; asObject()
// gives the object pointer a component passes as the source:
//
//   void onEvent(s::base::IObject* source, int32_t code) override {
//       if (source == s::gui::asObject(okButton_)) ...
//   }
#pragma once

#include <cstdint>

#include "foundation/base/Object.h"
#include "foundation/events/IEventListener.h"
#include "foundation/thread/Pool.h"

namespace s::col::_array {
class ArrayP;
}
namespace s::image::win {
class BufferedImage;
}

namespace s::gui {

class IContainer;
class IWindow;

class IComponent : public events::IEventListener {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_gui_IComponent";

    virtual int32_t getX() = 0;
    virtual void setX(int32_t x) = 0;
    virtual int32_t getY() = 0;
    virtual void setY(int32_t y) = 0;
    virtual int32_t getScreenX() = 0;
    virtual int32_t getScreenY() = 0;
    // True when visible and (x, y) lies inside the outer rectangle, edges included.
    virtual bool containsScreenPoint(int32_t x, int32_t y) = 0;
    virtual int32_t getWidth() = 0;
    virtual void setWidth(int32_t w) = 0;
    virtual int32_t getHeight() = 0;
    virtual void setHeight(int32_t h) = 0;
    virtual int32_t getInnerWidth() = 0;
    virtual void setInnerWidth(int32_t w) = 0;
    virtual int32_t getInnerHeight() = 0;
    virtual void setInnerHeight(int32_t h) = 0;
    // Store; while an update is deferred only mark dirty, else move the native window
    // to (x + originX, y + originY).
    virtual void setPosition(int32_t x, int32_t y) = 0;
    virtual void setSize(int32_t w, int32_t h) = 0;
    virtual void setBounds(int32_t x, int32_t y, int32_t w, int32_t h) = 0;
    // Offset added to x and y when the native window is placed (a container gives its
    // children its content-area margins).
    virtual void setOrigin(int32_t originX, int32_t originY) = 0;
    virtual void moveOrigin(int32_t dx, int32_t dy) = 0;
    // Fixed size when set (>= 0), else the minimum.
    virtual int32_t getMinWidth() = 0;
    virtual int32_t getMinHeight() = 0;
    virtual int32_t getMinInnerWidth() = 0;
    virtual int32_t getMinInnerHeight() = 0;
    // Fixed size when >= 0; else the percentage of the parent's inner size when set;
    // else max(preferred, minimum).
    virtual int32_t getPreferredWidth() = 0;
    virtual int32_t getPreferredHeight() = 0;
    virtual int32_t getPreferredInnerWidth() = 0;
    virtual int32_t getPreferredInnerHeight() = 0;
    // The visible flag is set and a native window exists.
    virtual bool isVisible() = 0;
    virtual void setVisible(bool visible, bool deep) = 0;
    virtual bool isEnabled() = 0;
    virtual void setEnabled(bool enabled) = 0;
    // False except for text fields.
    virtual bool isEditable() = 0;
    virtual void setEditable(bool editable) = 0;
    virtual void centreInParent() = 0;
    virtual void centreHorizontally() = 0;
    virtual void centreVertically() = 0;
    virtual uint32_t getBackgroundColor() = 0;
    // True when the component paints its parent's back buffer under itself.
    virtual bool isTransparent() = 0;
    virtual void setTransparent(bool transparent, bool redraw) = 0;
    virtual void setBackgroundWhite(bool redraw) = 0;
    // The system button-face colour, transparency off.
    virtual void setBackgroundSystem(bool redraw) = 0;
    virtual void setBackgroundBlack(bool redraw) = 0;
    // The inactive-caption-text colour lightened half way to white.
    virtual void setBackgroundLight(bool redraw) = 0;
    // Transparency off, colour r | g << 8 | b << 16, repaint when visible and redraw.
    virtual void setBackgroundColor(int32_t r, int32_t g, int32_t b, bool redraw) = 0;
    // The window that owns the component (null before attachment).
    virtual IWindow* getWindow() = 0;
    virtual IContainer* getParent() = 0;
    // Attach (create the native window inside the container's) or, with null, detach.
    virtual void setParent(IContainer* container) = 0;
    // Containers: append and attach on the window's thread; controls: no effect.
    virtual void addChild(IComponent* child) = 0;
    // Take the child out (emptied first when recursive), detach it, release it to its
    // pool and lay out again.
    virtual void removeChild(IComponent* child, bool recursive) = 0;
    virtual void removeAllChildren(bool recursive) = 0;
    virtual bool isContainer() = 0;
    virtual void repaintRect(int32_t x, int32_t y, int32_t w, int32_t h) = 0;
    virtual void repaint() = 0;
    // (w, h) each clamped into [minimum, preferred], then setSize; layouts size
    // children through it.
    virtual void setSizeClamped(int32_t w, int32_t h) = 0;
    // Containers lay themselves out; controls do nothing.
    virtual void validate() = 0;
    virtual int32_t getChildCount() = 0;
    virtual IComponent* getChildAt(int32_t index) = 0;
    virtual col::_array::ArrayP* getChildren() = 0;
    // The 32-bit image that holds the component's pixels; the component's offset inside
    // it is added to *x and *y.
    virtual ::s::image::win::BufferedImage* getBackBuffer(int32_t* x, int32_t* y) = 0;
    virtual bool isUpdateDeferred() = 0;
    virtual void beginUpdate() = 0;
    virtual void endUpdate() = 0;
};

// The object a component raises events as, and the pool facet it is released through;
// null for an object without that facet.
inline base::IObject* asObject(IComponent* c) { return dynamic_cast<base::IObject*>(c); }
inline thread::IPoolable* asPoolable(IComponent* c) { return dynamic_cast<thread::IPoolable*>(c); }
// Gives a component back to its pool; null does nothing.
inline void releaseComponent(IComponent* c) {
    if (thread::IPoolable* p = asPoolable(c)) p->release();
}

}  // namespace s::gui
