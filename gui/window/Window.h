// The toolkit's top-level window, on a GUI thread of its own.
//
//   s::gui::win::Window* w = s::gui::win::Window::create();   // hidden; thread running
//   if (!w->getHwnd()) ...                                     // the window could not be made
//   w->setTitle(L"Hello");
//   w->addCloseListener(&listener);
//   w->setVisible(true, true);
//   w->waitUntilClosed();
//   w->release();                                              // destroys it and ends its thread
//
// Every operation may be called from any thread; what must run on the window's thread
// is sent there as a private message. The message hook (preHandle) and postHandle run
// on the window's thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>

#include "foundation/col/Array.h"
#include "framework/window/Wnd.h"
#include "gui/component/LibraryMessage.h"
#include "gui/window/IWindow.h"
#include "gui/window/InvisibleWindow.h"
#include "gui/window/UIThread.h"

namespace s::str::strbuffer {
class StrBuffer;
}
namespace s::str::strarray {
class StrArray;
}

namespace s::gui::win {

class MemDC;

class Window : public IWindow, public base::IObject, public thread::IPoolable, public CWnd, public IThreadWindow {
    // A released window is destroyed, never kept.
    S_POOLED_CAP(Window, L"s_gui_win_Window", 0)
public:
    Window();
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    void reset() override;

    // IEventListener: the localizer, the skinner, the menu bar and close triggers.
    void onEvent(base::IObject* source, int32_t code) override;

    // IComponent
    int32_t getX() override;
    void setX(int32_t x) override { setPosition(x, getY()); }
    int32_t getY() override;
    void setY(int32_t y) override { setPosition(getX(), y); }
    int32_t getScreenX() override { return getX(); }
    int32_t getScreenY() override { return getY(); }
    bool containsScreenPoint(int32_t x, int32_t y) override;
    int32_t getWidth() override;
    void setWidth(int32_t w) override { setSize(w, getHeight()); }
    int32_t getHeight() override;
    void setHeight(int32_t h) override { setSize(getWidth(), h); }
    int32_t getInnerWidth() override;
    void setInnerWidth(int32_t w) override { setWidth(w + getWidth() - getInnerWidth()); }
    int32_t getInnerHeight() override;
    void setInnerHeight(int32_t h) override { setHeight(h + getHeight() - getInnerHeight()); }
    void setPosition(int32_t x, int32_t y) override;
    void setSize(int32_t w, int32_t h) override;
    void setBounds(int32_t x, int32_t y, int32_t w, int32_t h) override;
    void setOrigin(int32_t, int32_t) override {}
    void moveOrigin(int32_t, int32_t) override {}
    int32_t getMinWidth() override;
    int32_t getMinHeight() override;
    int32_t getMinInnerWidth() override;
    int32_t getMinInnerHeight() override;
    int32_t getPreferredWidth() override;
    int32_t getPreferredHeight() override;
    int32_t getPreferredInnerWidth() override { return getPreferredWidth() + getInnerWidth() - getWidth(); }
    int32_t getPreferredInnerHeight() override { return getPreferredHeight() + getInnerHeight() - getHeight(); }
    bool isVisible() override { return visible_ && hwnd_; }
    void setVisible(bool visible, bool) override { setShown(visible, false); }
    bool isEnabled() override;
    void setEnabled(bool enabled) override;
    bool isEditable() override { return false; }
    void setEditable(bool) override {}
    void centreInParent() override;
    void centreHorizontally() override {}
    void centreVertically() override {}
    uint32_t getBackgroundColor() override { return background_; }
    bool isTransparent() override { return transparent_; }
    void setTransparent(bool transparent, bool redraw) override;
    void setBackgroundWhite(bool redraw) override { setBackgroundColor(255, 255, 255, redraw); }
    void setBackgroundSystem(bool redraw) override;
    void setBackgroundBlack(bool redraw) override { setBackgroundColor(0, 0, 0, redraw); }
    void setBackgroundLight(bool redraw) override;
    void setBackgroundColor(int32_t r, int32_t g, int32_t b, bool redraw) override;
    IWindow* getWindow() override { return this; }
    IContainer* getParent() override { return nullptr; }
    void setParent(IContainer*) override {}
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
    image::win::BufferedImage* getBackBuffer(int32_t*, int32_t*) override { return backBuffer_; }
    bool isUpdateDeferred() override { return false; }
    void beginUpdate() override;
    void endUpdate() override;

    // IContainer
    void doLayout() override;
    ILayoutManager* getLayout() override;
    void setLayout(ILayoutManager* layout) override { layout_ = layout; }

    // IWindow
    void setLeft(int32_t x) override { setPosition(x, getY()); }
    void setTop(int32_t y) override { setPosition(getX(), y); }
    bool isClosed() override { return closed_; }
    void close() override;
    void vetoClose() override { veto_ = true; }
    void waitUntilClosed() override;
    void bringToFront(bool front) override;
    bool isMinimized() override { return hwnd_ && ::IsIconic(hwnd_); }
    void minimize() override;
    bool isMaximized() override { return hwnd_ && ::IsZoomed(hwnd_); }
    void maximize() override;
    void restoreFromTray() override;
    void restore() override;
    void hideToTray() override;
    bool isInTray() override { return inTray_; }
    void setEasyDrag(bool on) override;
    void setMaximizeBox(bool on) override;
    void setMinimizeBox(bool on) override;
    void setSystemMenu(bool on) override;
    void setCaption(bool on) override;
    void setToolWindow(bool on) override;
    void setStandardFrame(bool on) override;
    void setClientEdge(bool on) override;
    void setShowInTaskbar(bool on) override;
    void showTrayIcon(bool show) override;
    void updateTrayIcon() override;
    void setTrayIconPinned(bool on) override;
    bool isTrayIconShown() override { return trayShown_; }
    bool isResizable() override { return resizable_; }
    void setResizable(bool on) override;
    void setTrayIconAlwaysShown(bool on) override;
    void setCloseToTray(bool on) override { closeToTray_ = on; }
    void setModalState(bool on) override;
    void setTopMost(bool on) override;
    bool isTopMost() override { return topMost_; }
    const wchar_t* getTitle() override;
    void setTitle(const wchar_t* text) override;
    void setTitleId(int32_t titleId, int32_t versionId) override;
    image::ico::win::IconImage* getSmallIcon() override { return smallIcon_.object; }
    void setSmallIcon(image::ico::win::IconImage* icon, bool owned) override;
    image::ico::win::IconImage* getBigIcon() override { return bigIcon_.object; }
    void setBigIcon(image::ico::win::IconImage* icon, bool owned) override;
    bool hasLocalizer() override { return localizer_ != nullptr; }
    lang::Localizer* getLocalizer() override { return localizer_; }
    void setLocalizer(lang::Localizer* localizer) override;
    bool hasSkinner() override { return skinner_ != nullptr; }
    drawer::ISkinner* getSkinner() override { return skinner_; }
    void setSkinner(drawer::ISkinner* skinner) override;
    void addCloseTrigger(IComponent* component) override;
    void addCloseListener(events::IEventListener* l) override { addListener(WindowEvent::kClose, l); }
    void addRightButtonDownListener(events::IEventListener* l) override {
        addListener(WindowEvent::kRightButtonDown, l);
    }
    void addLeftButtonDownListener(events::IEventListener* l) override { addListener(WindowEvent::kLeftButtonDown, l); }
    void addRightButtonUpListener(events::IEventListener* l) override { addListener(WindowEvent::kRightButtonUp, l); }
    void addLeftButtonUpListener(events::IEventListener* l) override { addListener(WindowEvent::kLeftButtonUp, l); }
    void addTrayClickListener(events::IEventListener* l) override { addListener(WindowEvent::kTrayClick, l); }
    void addDoubleClickListener(events::IEventListener* l) override { addListener(WindowEvent::kDoubleClick, l); }
    void addMiddleButtonDownListener(events::IEventListener* l) override {
        addListener(WindowEvent::kMiddleButtonDown, l);
    }
    void addResizeListener(events::IEventListener* l) override { addListener(WindowEvent::kResize, l); }
    void addActivateListener(events::IEventListener* l) override { addListener(WindowEvent::kActivate, l); }
    void addDeactivateListener(events::IEventListener* l) override { addListener(WindowEvent::kDeactivate, l); }
    void addMovingListener(events::IEventListener* l) override { addListener(WindowEvent::kMoving, l); }
    void addMoveListener(events::IEventListener* l) override { addListener(WindowEvent::kMove, l); }
    void addKeyDownListener(events::IEventListener* l) override { addListener(WindowEvent::kKeyDown, l); }
    void addTrayRightClickListener(events::IEventListener* l) override { addListener(WindowEvent::kTrayRightClick, l); }
    void addContextMenuListener(events::IEventListener* l) override { addListener(WindowEvent::kContextMenu, l); }
    void addNormalSizeListener(events::IEventListener* l) override { addListener(WindowEvent::kNormalSize, l); }
    void setMenuBar(IMenuEx* menu) override;
    void setTrayMenu(IPopupMenu* menu) override { trayMenu_ = menu; }
    intptr_t invoke(intptr_t a1, intptr_t a2, intptr_t a3, intptr_t a4) override;
    bool invokeLater(intptr_t a1, intptr_t a2, intptr_t a3, intptr_t a4) override;
    intptr_t getInvokeArg1() override { return invokeArgs_[0]; }
    intptr_t getInvokeArg2() override { return invokeArgs_[1]; }
    intptr_t getInvokeArg3() override { return invokeArgs_[2]; }
    intptr_t getInvokeArg4() override { return invokeArgs_[3]; }
    void setInvokeResult(intptr_t result) override { invokeResult_ = result; }
    void addInvokeListener(events::IEventListener* l) override { addListener(WindowEvent::kInvoke, l); }
    void focus() override;
    void setContextMenu(IPopupMenu* menu, bool owned) override;
    bool isSizingLeft() override { return sizingEdge_ == 1; }
    bool isSizingRight() override { return sizingEdge_ == 2; }
    bool isSizingTop() override { return sizingEdge_ == 3; }
    bool isSizingBottom() override { return sizingEdge_ == 4; }
    bool isSizingTopLeft() override { return sizingEdge_ == 5; }
    bool isSizingTopRight() override { return sizingEdge_ == 6; }
    bool isSizingBottomLeft() override { return sizingEdge_ == 7; }
    bool isSizingBottomRight() override { return sizingEdge_ == 8; }
    int32_t getSizingLeft() override { return sizingRect_.left; }
    void setSizingLeft(int32_t v) override { sizingRect_.left = v; }
    int32_t getSizingRight() override { return sizingRect_.right; }
    void setSizingRight(int32_t v) override { sizingRect_.right = v; }
    int32_t getSizingTop() override { return sizingRect_.top; }
    void setSizingTop(int32_t v) override { sizingRect_.top = v; }
    int32_t getSizingBottom() override { return sizingRect_.bottom; }
    void setSizingBottom(int32_t v) override { sizingRect_.bottom = v; }
    void addSizingListener(events::IEventListener* l) override { addListener(WindowEvent::kSizing, l); }
    void setWindowDrawer(drawer::IWindow* drawer, bool owned) override;
    void setFixedWidth(int32_t w) override;
    void setFixedHeight(int32_t h) override;
    void setKeepMinimumSize(bool on) override { keepMinWidth_ = keepMinHeight_ = on; }
    void setKeepMinimumSizeXY(bool x, bool y) override {
        keepMinWidth_ = x;
        keepMinHeight_ = y;
    }
    void growToMinimum() override;
    void fitHeightToMinimum() override { setSize(getWidth(), getMinHeight()); }
    void sizeToMinimum() override { setSize(getMinWidth(), getMinHeight()); }
    void sizeToPreferred() override { setSize(getPreferredWidth(), getPreferredHeight()); }
    int32_t getLastKey() override { return lastKey_; }
    void addMouseMoveListener(events::IEventListener* l) override { addListener(WindowEvent::kMouseMove, l); }
    void addWheelListener(events::IEventListener* l) override { addListener(WindowEvent::kWheel, l); }
    int32_t getWheelLines() override { return wheelLines_; }
    int32_t getFrameWidth() override { return getWidth() - getInnerWidth(); }
    int32_t getFrameHeight() override { return getHeight() - getInnerHeight(); }
    void setMinWidth(int32_t w) override { minWidthOverride_ = w; }
    void setMinHeight(int32_t h) override { minHeightOverride_ = h; }
    void focusNext() override;
    void showInfo(const wchar_t* text) override;
    void showError(const wchar_t* text) override;
    bool askYesNo(const wchar_t* text) override;
    void setAppWindow(app::IAppWindow* appWindow, bool withVersion) override;
    void savePosition(bool reapply) override;
    void setMClickAction(const wchar_t* action) override;
    bool isPlacedOnScreen() override;
    void moveOntoScreen() override;
    void setShown(bool show, bool front) override;
    void addInstanceMessageListener(events::IEventListener* l) override {
        addListener(WindowEvent::kInstanceMessage, l);
    }
    void setOpacity(int32_t percent, bool onlyTopMost) override;
    void setAutoHide(bool enabled, int32_t mode, bool onlyTopMost, int32_t delaySeconds, int32_t targetWidth,
                     int32_t targetHeight, bool shiftOverride) override;
    bool isShrunk() override { return savedWidth_ != -1 && savedHeight_ != -1; }
    bool isFaded() override { return currentOpacity_ != targetOpacity_; }
    bool isAutoHidden() override { return isShrunk() || isFaded(); }
    void setRememberPosition(bool on) override { rememberPosition_ = on; }
    void setKeepInsideScreen(bool on) override;
    void setCapture() override;
    int32_t getCaptureLostX() override { return captureLostX_; }
    int32_t getCaptureLostY() override { return captureLostY_; }
    void addCaptureChangedListener(events::IEventListener* l) override { addListener(WindowEvent::kCaptureChanged, l); }
    void setFollowCursor(bool on) override { followCursor_ = on; }
    void setTrayClickToggles(bool on) override { trayClickToggles_ = on; }
    void setHideCursor(bool on) override { hideCursor_ = on; }
    void setPassDoubleClick(bool on) override { passDoubleClick_ = on; }
    void addLanguageListener(events::IEventListener* l) override { addListener(WindowEvent::kLanguage, l); }
    bool isSuspended() override { return suspended_; }
    bool isShuttingDown() override { return shuttingDown_; }
    bool registerHotKey(bool alt, bool ctrl, bool shift, bool win, int32_t keyCode, const wchar_t* name,
                        bool showFailure) override;
    void unregisterHotKey(const wchar_t* name) override;
    void unregisterAllHotKeys() override;
    void addHotKeyListener(events::IEventListener* l) override { addListener(WindowEvent::kHotKey, l); }
    bool isHotKey(const wchar_t* name) override;
    bool startTimer(int64_t id, int32_t milliseconds) override;
    void stopTimer(int64_t id) override;
    void addTimerListener(events::IEventListener* l) override { addListener(WindowEvent::kTimer, l); }
    int64_t getTimerId() override { return timerId_; }
    void markTimerHandled() override { timerHandled_ = true; }
    void saveSnapshotGif(const wchar_t* path) override;
    void setClipboardViewer(bool on) override;
    void addClipboardListener(events::IEventListener* l) override { addListener(WindowEvent::kClipboard, l); }
    HWND getHwnd() override { return hwnd_; }
    bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;
    void postHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;

    // CWnd: the routing rule (hook, default, post hook) and dialog-style navigation.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // IThreadWindow: run on the window's thread at start-up.
    bool createOwnerWindow() override;
    bool createNativeWindow() override { return createNative(); }

    // The native window (on the window's thread): WS_OVERLAPPEDWINDOW, 240 x 120, owned by
    // the hidden owner. False (with "Window Creation Failed!") when it cannot be made.
    bool createNative();
    // Steps of the message hook, callable on the window's thread.
    void followCursor();
    void onPointerOver();
    void dragFrame(int32_t x, int32_t y);
    void applyOpacity(int32_t percent);
    // Resizes without moving; stores nothing and leaves auto-hide alone.
    void setSizeNoMove(int32_t w, int32_t h);
    // Makes sure the back buffer covers w x h (see geometry::backBufferAction).
    void ensureBackBuffer(int32_t w, int32_t h);
    void paintFrame();
    void updateRegion();

    // Read-only views for tests and callers that need the state.
    int32_t getOpacity() const { return currentOpacity_; }
    bool isTrayIconPinned() const { return trayPinned_; }
    bool isTrayIconAlwaysShown() const { return trayAlwaysShown_; }
    bool isClipboardViewer() const { return inClipboardChain_; }
    // The GUI thread (null when none could be started).
    UIThread* getThread() const { return thread_; }

    // Test seam: while set, loading the system library for opacity fails as if it
    // were missing.
    static void setOpacityLoaderFailForTest(bool fail);

private:
    struct IconSlot {
        image::ico::win::IconImage* object = nullptr;
        bool owned = false;
        HICON handle = nullptr;
    };

    void addListener(int32_t code, events::IEventListener* l);
    // Tells every listener of the code, re-reading the count at each step.
    void raise(int32_t code);
    void clearListeners();
    void setIcon(IconSlot* slot, image::ico::win::IconImage* icon, bool owned, WPARAM which);
    void releaseIcon(IconSlot* slot, WPARAM which);
    // Sets or clears style bits of GWL_STYLE or GWL_EXSTYLE, with a frame recalculation
    // when asked.
    void toggleStyleBits(int index, DWORD bit, bool on, bool frameChanged);
    void toggleStyle(DWORD bit, bool on, bool frameChanged) { toggleStyleBits(GWL_STYLE, bit, on, frameChanged); }
    void toggleExStyle(DWORD bit, bool on, bool frameChanged) { toggleStyleBits(GWL_EXSTYLE, bit, on, frameChanged); }
    UINT showFlag() const { return visible_ ? SWP_SHOWWINDOW : 0; }
    // Stops every auto-hide timer and returns a shrunk or faded window to normal.
    void undoAutoHide();
    // The opacity that applies now: the target, or 100 while only-top-most is set and the
    // window is not top-most.
    int32_t wantedOpacity() const;
    void fillNotifyIcon(void* data, UINT flags);
    void leaveClipboardChain();
    void trimWorkingSet();
    void retitle();
    void dropPendingInvokes();
    void releaseContextMenu();
    // The current skin's window drawer, not owned.
    void takeSkin();
    // SetWindowPos HWND_NOTOPMOST that also works for an owned window.
    void placeNotTopMost(UINT flags);

    // Message hook parts.
    bool handleClose(LRESULT* result);
    bool handlePaint(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam);
    bool handlePointer(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam);
    bool handleTimer(LRESULT* result, WPARAM id);
    bool handleLibraryMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam);
    bool handleTrayCallback(LPARAM mouseMessage);
    void handleSizing(RECT* r, WPARAM wmsz);
    void handlePosChanging(WINDOWPOS* pos);
    void paintClient(HDC target);
    MemDC* paintIntoBackBuffer(int32_t w, int32_t h);
    void cursorRule();

    // Thread and handles.
    UIThread* thread_ = nullptr;
    InvisibleWindow owner_;
    std::atomic<HWND> hwnd_{nullptr};
    app::IAppWindow* appWindow_ = nullptr;
    col::_array::ArrayP children_;
    col::_array::ArrayP listeners_[28];  // 0: close triggers, 1..27: the WindowEvent codes
    ILayoutManager* layout_ = nullptr;
    image::win::BufferedImage* backBuffer_ = nullptr;
    str::strbuffer::StrBuffer* title_ = nullptr;

    // State.
    std::atomic<bool> visible_{false};
    int32_t titleId_ = -1;
    int32_t versionId_ = -1;
    std::atomic<bool> closed_{false};
    bool veto_ = false;
    uint32_t background_ = 0;
    bool transparent_ = false;
    bool easyDrag_ = false;
    IconSlot smallIcon_;
    IconSlot bigIcon_;
    bool trayShown_ = false;
    bool trayAlwaysShown_ = false;
    bool showInTaskbar_ = true;
    bool closeToTray_ = false;
    bool inTray_ = false;
    bool topMost_ = false;
    lang::Localizer* localizer_ = nullptr;
    drawer::ISkinner* skinner_ = nullptr;
    IMenuEx* menuBar_ = nullptr;
    IPopupMenu* trayMenu_ = nullptr;
    IPopupMenu* contextMenu_ = nullptr;
    bool contextMenuOwned_ = false;
    int32_t sizingEdge_ = 0;
    RECT sizingRect_{};
    drawer::IWindow* frameDrawer_ = nullptr;
    bool frameDrawerOwned_ = false;
    int32_t fixedWidth_ = -1;
    int32_t fixedHeight_ = -1;
    bool keepMinWidth_ = true;
    bool keepMinHeight_ = true;
    int32_t lastKey_ = 0;
    int32_t wheelLines_ = 0;
    bool trayPinned_ = false;
    int32_t minWidthOverride_ = -1;
    int32_t minHeightOverride_ = -1;
    bool resizable_ = true;
    str::strbuffer::StrBuffer* mClickAction_ = nullptr;
    int32_t normalX_ = 0, normalY_ = 0, normalWidth_ = 500, normalHeight_ = 500;
    bool maximized_ = false;

    // Opacity and auto-hide.
    int32_t targetOpacity_ = 100;
    int32_t currentOpacity_ = 100;
    bool opacityOnlyTopMost_ = false;
    bool shiftOverride_ = false;
    bool fadeMode_ = false;
    int32_t savedWidth_ = -1;
    int32_t savedHeight_ = -1;
    int32_t shrinkWidth_ = 23;
    int32_t shrinkHeight_ = 23;
    uint8_t shrinkMode_ = 0;
    bool autoHideOnlyTopMost_ = true;
    int32_t delaySeconds_ = 5;
    int32_t countdown_ = 5000;

    bool rememberPosition_ = true;
    bool keepInsideScreen_ = false;
    bool captureTaken_ = false;
    int32_t captureLostX_ = 0, captureLostY_ = 0;

    // Frame grips of a skinned window.
    POINT dragStartScreen_{};
    RECT dragStartRect_{};
    int32_t gripKind_ = 0;
    bool dragActive_ = false;
    bool gripHover_ = false;

    bool maximizeBox_ = true;
    bool minimizeBox_ = true;
    bool followCursor_ = false;
    bool trayClickToggles_ = true;
    bool hideCursor_ = false;
    bool passDoubleClick_ = true;
    bool suspended_ = false;
    std::atomic<bool> shuttingDown_{false};
    bool active_ = false;
    int64_t deactivatedAt_ = 0;

    str::strarray::StrArray* hotKeyNames_ = nullptr;
    uint16_t lastHotKey_ = 0;
    int64_t timerId_ = 0;
    bool timerHandled_ = false;
    bool inClipboardChain_ = false;
    HWND nextViewer_ = nullptr;

    intptr_t invokeArgs_[4] = {};
    intptr_t invokeResult_ = 0;
};

}  // namespace s::gui::win
