// The skeleton every control is built on: a component (its interface) that is at the
// same time a framework window object (CWnd, or the framework class of the platform
// control it wraps). The window is made only when the control is attached to a
// container (on the container's thread: the container sends LibraryMessage::kAttachChild
// to itself), every message passes the control's preHandle first, and a control painted
// by the library draws into a pooled 32-bit image that is blitted once.
//
//   class Spinner : public Control<ISpinner, CWnd> {
//       S_POOLED(Spinner, L"s_gui_win_Spinner")
//   protected:
//       bool createWindow(CWnd* parentWnd) override { return control::createGeneric(this, parentWnd, 0); }
//       void paintContent(HDC dc, const RECT& rc) override { ... }   // over the background
//   public:
//       bool preHandle(LRESULT* r, UINT m, WPARAM w, LPARAM l) override {
//           if (m == WM_PAINT) { paintBuffered(); return true; }
//           return preHandleCommon(r, m, w, l);
//       }
//       void postHandle(LRESULT*, UINT, WPARAM, LPARAM) override {}
//   };
//
// Geometry setters store and, unless an update is deferred, move the window; they show
// it only while the visible flag is set, so a hidden control stays hidden however often
// its parent lays it out. A control keeps no back buffer of its own: getBackBuffer
// answers its parent's, with the control's offset inside it added.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "foundation/base/Object.h"
#include "foundation/col/Array.h"
#include "foundation/thread/Pool.h"
#include "framework/window/Wnd.h"
#include "gui/component/IContainer.h"
#include "gui/component/LibraryMessage.h"
#include "gui/layout/SizeHints.h"
#include "gui/window/IWindow.h"

namespace s::lang {
class Localizer;
}
namespace s::gui::drawer {
class ISkin;
class ISkinner;
}  // namespace s::gui::drawer

namespace s::gui::win {

namespace control {

// Where a hidden label or spacer waits while its window exists.
inline constexpr int32_t kParkX = -10000;

// The colour a transparent component shows: its own while it is opaque, else that of
// the nearest opaque ancestor, else the topmost one's.
uint32_t effectiveBackgroundColor(IComponent* component);
// The answer to a reflected colour request (WM_CTLCOLOR*): a solid brush of the parent's
// effective colour (transparent with a parent), the null brush and a transparent
// background mode (transparent without one), else a brush of the own colour. The
// previous brush in *holder is deleted; the text colour is set on the DC.
HBRUSH colorBrush(HBRUSH* holder, HDC dc, bool transparent, IComponent* parent, uint32_t background,
                  uint32_t textColor);
// Copies the parent's pixels under the window into the DC (w x h at 0, 0); false, with
// nothing copied, while the parent has no back buffer.
bool copyParentPixels(HWND hwnd, IComponent* parent, HDC target, int32_t w, int32_t h);
// Fills the rectangle with one colour.
void fillRect(HDC dc, const RECT& rc, uint32_t colour);
// Tells every listener of the list the code, re-reading the count after each call so a
// listener may add listeners.
void tell(col::_array::ArrayP& listeners, base::IObject* source, int32_t code);
// A client point (signed 16-bit coordinates) lies in [0, w] x [0, h].
bool isInside(LPARAM lParam, int32_t w, int32_t h);
// The owner window's language pack and skin registry, or null.
lang::Localizer* localizerOf(IWindow* window);
drawer::ISkinner* skinnerOf(IWindow* window);
// Makes the listener hear the window's language pack and, when skinned, its skin
// registry; answers the current skin (null without one or when not skinned).
drawer::ISkin* joinServices(IWindow* window, events::IEventListener* listener, bool skinned);
// Takes the listener out of both lists.
void leaveServices(IWindow* window, events::IEventListener* listener);
// The window's language pack when it is the source of an event, else null.
lang::Localizer* languageSource(IWindow* window, base::IObject* source);
// The current skin when the window's skin registry is the source of an event, else null.
drawer::ISkin* skinSource(IWindow* window, base::IObject* source);
// Creates a child window of the toolkit's generic class on the parent (empty title,
// WS_CHILD, empty rectangle, the id given).
bool createGeneric(CWnd* self, CWnd* parentWnd, UINT id);
// "Window Creation Failed!" / "Error!" (the toolkit's failure box).
void showCreationFailure();
// WM_PAINT through a pooled image: the parent's pixels under the window (or, without a
// parent buffer, the parent's effective colour), the background colour while opaque,
// then draw(dc, client rectangle); one blit to the paint DC.
void paintBuffered(HWND hwnd, IComponent* parent, bool transparent, uint32_t background,
                   const std::function<void(HDC, const RECT&)>& draw);

}  // namespace control

template <class Interface, class Wnd = CWnd>
class Control : public Interface, public base::IObject, public thread::IPoolable, public Wnd {
public:
    Control() = default;
    ~Control() override {
        if (brush_) ::DeleteObject(brush_);
    }
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // IEventListener: controls that listen to their window's services override this.
    void onEvent(base::IObject*, int32_t) override {}

    // --- IComponent: geometry ----------------------------------------------------------
    int32_t getX() override { return x_; }
    void setX(int32_t x) override { setPosition(x, y_); }
    int32_t getY() override { return y_; }
    void setY(int32_t y) override { setPosition(x_, y); }
    int32_t getScreenX() override {
        if (!this->m_hWnd) return originX_ + x_;
        POINT p{0, 0};
        ::ClientToScreen(this->m_hWnd, &p);
        return p.x;
    }
    int32_t getScreenY() override {
        if (!this->m_hWnd) return originY_ + y_;
        POINT p{0, 0};
        ::ClientToScreen(this->m_hWnd, &p);
        return p.y;
    }
    bool containsScreenPoint(int32_t x, int32_t y) override {
        if (!isVisible()) return false;
        const int32_t sx = getScreenX(), sy = getScreenY();
        return x >= sx && x <= sx + width_ && y >= sy && y <= sy + height_;
    }
    int32_t getWidth() override { return width_; }
    void setWidth(int32_t w) override { setSize(w, height_); }
    int32_t getHeight() override { return height_; }
    void setHeight(int32_t h) override { setSize(width_, h); }
    int32_t getInnerWidth() override { return width_; }
    void setInnerWidth(int32_t w) override { setSize(w, height_); }
    int32_t getInnerHeight() override { return height_; }
    void setInnerHeight(int32_t h) override { setSize(width_, h); }
    void setPosition(int32_t x, int32_t y) override {
        x_ = x;
        y_ = y;
        placeOrMark(SWP_NOSIZE);
    }
    void setSize(int32_t w, int32_t h) override {
        width_ = w;
        height_ = h;
        placeOrMark(SWP_NOMOVE);
    }
    void setBounds(int32_t x, int32_t y, int32_t w, int32_t h) override {
        x_ = x;
        y_ = y;
        width_ = w;
        height_ = h;
        placeOrMark(0);
    }
    void setOrigin(int32_t originX, int32_t originY) override {
        originX_ = originX;
        originY_ = originY;
        placeOrMark(SWP_NOSIZE);
    }
    void moveOrigin(int32_t dx, int32_t dy) override { setOrigin(originX_ + dx, originY_ + dy); }
    int32_t getMinWidth() override { return layout::controlMinSize(widthHint_, minWidth_); }
    int32_t getMinHeight() override { return layout::controlMinSize(heightHint_, minHeight_); }
    int32_t getMinInnerWidth() override { return getMinWidth(); }
    int32_t getMinInnerHeight() override { return getMinHeight(); }
    int32_t getPreferredWidth() override {
        return layout::controlPreferredSize(widthHint_, minWidth_, prefWidth_, parent_ ? parent_->getInnerWidth() : 0);
    }
    int32_t getPreferredHeight() override {
        return layout::controlPreferredSize(heightHint_, minHeight_, prefHeight_,
                                            parent_ ? parent_->getInnerHeight() : 0);
    }
    int32_t getPreferredInnerWidth() override { return getPreferredWidth(); }
    int32_t getPreferredInnerHeight() override { return getPreferredHeight(); }
    void setSizeClamped(int32_t w, int32_t h) override {
        setSize(layout::clampToHints(w, getMinWidth(), getPreferredWidth()),
                layout::clampToHints(h, getMinHeight(), getPreferredHeight()));
    }
    void centreInParent() override {
        if (parent_)
            setPosition(centred(parent_->getInnerWidth(), width_), centred(parent_->getInnerHeight(), height_));
    }
    void centreHorizontally() override {
        if (parent_) setPosition(centred(parent_->getInnerWidth(), width_), y_);
    }
    void centreVertically() override {
        if (parent_) setPosition(x_, centred(parent_->getInnerHeight(), height_));
    }
    bool isUpdateDeferred() override { return deferred_; }
    void beginUpdate() override { deferred_ = true; }
    void endUpdate() override {
        deferred_ = false;
        if (!dirty_) return;
        dirty_ = false;
        setBounds(x_, y_, width_, height_);
    }

    // --- IComponent: state -------------------------------------------------------------
    bool isVisible() override { return visible_ && this->m_hWnd; }
    void setVisible(bool visible, bool) override {
        if (visible == visible_) return;
        visible_ = visible;
        if (this->m_hWnd) ::ShowWindow(this->m_hWnd, visible ? SW_SHOWNA : SW_HIDE);
    }
    bool isEnabled() override { return enabled_; }
    void setEnabled(bool enabled) override {
        enabled_ = enabled;
        if (this->m_hWnd) ::EnableWindow(this->m_hWnd, enabled);
    }
    bool isEditable() override { return false; }
    void setEditable(bool) override {}
    uint32_t getBackgroundColor() override { return background_; }
    bool isTransparent() override { return transparent_; }
    void setTransparent(bool transparent, bool redraw) override {
        transparent_ = transparent;
        if (redraw) repaint();
    }
    void setBackgroundWhite(bool redraw) override { setBackgroundColor(255, 255, 255, redraw); }
    void setBackgroundSystem(bool redraw) override {
        transparent_ = false;
        background_ = ::GetSysColor(COLOR_BTNFACE);
        if (redraw) repaint();
    }
    void setBackgroundBlack(bool redraw) override { setBackgroundColor(0, 0, 0, redraw); }
    void setBackgroundLight(bool redraw) override {
        const COLORREF c = ::GetSysColor(COLOR_INACTIVECAPTIONTEXT);
        auto lighter = [](int v) { return 255 - ((255 - v) >> 1); };
        setBackgroundColor(lighter(GetRValue(c)), lighter(GetGValue(c)), lighter(GetBValue(c)), redraw);
    }
    void setBackgroundColor(int32_t r, int32_t g, int32_t b, bool redraw) override {
        transparent_ = false;
        background_ = RGB(r & 0xFF, g & 0xFF, b & 0xFF);
        if (redraw) repaint();
    }
    void repaint() override {
        if (isVisible() && ::IsWindow(this->m_hWnd))
            ::RedrawWindow(this->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    void repaintRect(int32_t x, int32_t y, int32_t w, int32_t h) override {
        if (!isVisible() || !::IsWindow(this->m_hWnd)) return;
        const RECT r{x, y, x + w, y + h};
        ::RedrawWindow(this->m_hWnd, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }

    // --- IComponent: tree --------------------------------------------------------------
    IWindow* getWindow() override { return window_; }
    IContainer* getParent() override { return parent_; }
    // Attach: remember the parent and its window, join the window's services, then make
    // the window inside the parent's. Detach (null): the window is destroyed on its own
    // thread and the services are left.
    void setParent(IContainer* container) override {
        if (container) {
            if (container == parent_ && this->m_hWnd) return;
            if (parent_ && parent_ != container) setParent(nullptr);
            parent_ = container;
            window_ = container->getWindow();
            parentWnd_ = dynamic_cast<CWnd*>(container);
            attachServices();
            if (parentWnd_ && parentWnd_->m_hWnd && !this->m_hWnd) attachWindow(parentWnd_);
            return;
        }
        if (!parent_) return;
        detachServices();
        if (this->m_hWnd) ::SendMessageW(this->m_hWnd, LibraryMessage::kDetach, 0, 0);
        if (this->m_hWnd) this->DestroyWindow();
        parent_ = nullptr;
        parentWnd_ = nullptr;
        window_ = nullptr;
    }
    void addChild(IComponent*) override {}
    void removeChild(IComponent*, bool) override {}
    void removeAllChildren(bool) override {}
    bool isContainer() override { return false; }
    void validate() override {}
    int32_t getChildCount() override { return 0; }
    IComponent* getChildAt(int32_t) override { return nullptr; }
    col::_array::ArrayP* getChildren() override { return nullptr; }
    ::s::image::win::BufferedImage* getBackBuffer(int32_t* x, int32_t* y) override {
        if (!parent_) return nullptr;
        int32_t dx = 0, dy = 0;
        ::s::image::win::BufferedImage* b = parent_->getBackBuffer(&dx, &dy);
        if (x) *x += dx + x_ + originX_;
        if (y) *y += dy + y_ + originY_;
        return b;
    }

    // --- Window --------------------------------------------------------------------------
    // The hook, the framework's default procedure, then the post hook.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        LRESULT result = 0;
        if (this->preHandle(&result, message, wParam, lParam)) return result;
        result = Wnd::WindowProc(message, wParam, lParam);
        this->postHandle(&result, message, wParam, lParam);
        return result;
    }

    // The stored hints and measured sizes (tests and layouts read them).
    const layout::SizeHint& getWidthHint() const { return widthHint_; }
    const layout::SizeHint& getHeightHint() const { return heightHint_; }
    int32_t getOriginX() const { return originX_; }
    int32_t getOriginY() const { return originY_; }

protected:
    // Makes the platform window on the parent's window and applies the control's own
    // settings (text, font, range ...). The skeleton then disables it when the enabled
    // flag is clear, measures and places (and so shows) it.
    virtual bool createWindow(CWnd* parentWnd) = 0;
    // Measures the control (with a window) and asks the parent to lay out again.
    virtual void updateSize() { validateParent(); }
    // Joins and leaves the owner window's language pack and skin registry.
    virtual void attachServices() {}
    virtual void detachServices() {}
    // Draws the control over its background in a library paint.
    virtual void paintContent(HDC, const RECT&) {}

    // Creates the window; on failure shows "Window Creation Failed!" and stays without
    // one. True when the window exists.
    bool attachWindow(CWnd* parentWnd);
    // Moves the window to the stored geometry, showing it only while visible.
    void place(UINT flags) {
        if (!this->m_hWnd) return;
        ::SetWindowPos(this->m_hWnd, nullptr, x_ + originX_, y_ + originY_, width_, height_,
                       flags | SWP_NOZORDER | SWP_NOACTIVATE | (visible_ ? SWP_SHOWWINDOW : 0));
    }
    void placeOrMark(UINT flags) {
        if (deferred_ || !this->m_hWnd)
            dirty_ = true;
        else
            place(flags);
    }
    void validateParent() {
        if (parent_) parent_->validate();
    }
    // WM_PAINT of a library-painted control: the parent's pixels, the background colour
    // while opaque, then paintContent, all in a pooled image blitted once.
    void paintBuffered();
    // The messages every control answers alike: WM_ERASEBKGND (1, when erases), detach
    // (the window is destroyed) and the reflected colour request (when answersColor).
    bool preHandleCommon(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam, bool erases = true,
                         bool answersColor = true);
    // The text colour given to the DC on a reflected colour request.
    virtual uint32_t textColor() { return ::GetSysColor(COLOR_BTNTEXT); }
    // Clears the skeleton's state (after detaching): geometry, hints, background.
    void resetControl(uint32_t background, bool transparent);

    static int32_t centred(int32_t outer, int32_t size) {
        const int32_t v = (outer - size) / 2;
        return v > 0 ? v : 0;
    }

    IWindow* window_ = nullptr;
    IContainer* parent_ = nullptr;
    CWnd* parentWnd_ = nullptr;
    bool deferred_ = false;
    bool dirty_ = false;
    int32_t x_ = 0, y_ = 0, originX_ = 0, originY_ = 0, width_ = 0, height_ = 0;
    int32_t minWidth_ = 0, minHeight_ = 0, prefWidth_ = 0, prefHeight_ = 0;
    layout::SizeHint widthHint_, heightHint_;
    uint32_t background_ = 0;
    bool transparent_ = true;
    bool visible_ = true;
    bool enabled_ = true;
    HBRUSH brush_ = nullptr;
};

// --- Bodies --------------------------------------------------------------------------------

template <class Interface, class Wnd>
bool Control<Interface, Wnd>::attachWindow(CWnd* parentWnd) {
    if (!createWindow(parentWnd) || !this->m_hWnd) {
        control::showCreationFailure();
        return false;
    }
    if (!enabled_) ::EnableWindow(this->m_hWnd, FALSE);
    updateSize();
    dirty_ = false;
    place(0);
    return true;
}

template <class Interface, class Wnd>
void Control<Interface, Wnd>::paintBuffered() {
    control::paintBuffered(this->m_hWnd, parent_, transparent_, background_,
                           [this](HDC dc, const RECT& rc) { paintContent(dc, rc); });
}

template <class Interface, class Wnd>
bool Control<Interface, Wnd>::preHandleCommon(LRESULT* result, UINT message, WPARAM wParam, LPARAM, bool erases,
                                              bool answersColor) {
    switch (message) {
        case WM_ERASEBKGND:
            if (!erases) return false;
            *result = 1;
            return true;
        case LibraryMessage::kDetach:
            this->DestroyWindow();
            *result = 0;
            return true;
        case LibraryMessage::kReflectColor:
            if (!answersColor) return false;
            *result = reinterpret_cast<LRESULT>(control::colorBrush(&brush_, reinterpret_cast<HDC>(wParam),
                                                                    transparent_, parent_, background_, textColor()));
            return true;
        default: return false;
    }
}

template <class Interface, class Wnd>
void Control<Interface, Wnd>::resetControl(uint32_t background, bool transparent) {
    deferred_ = dirty_ = false;
    x_ = y_ = originX_ = originY_ = width_ = height_ = 0;
    minWidth_ = minHeight_ = prefWidth_ = prefHeight_ = 0;
    widthHint_ = heightHint_ = {};
    background_ = background;
    transparent_ = transparent;
    visible_ = true;
    enabled_ = true;
    if (brush_) ::DeleteObject(brush_);
    brush_ = nullptr;
}

}  // namespace s::gui::win
