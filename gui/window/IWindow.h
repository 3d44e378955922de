// The toolkit's top-level window: a container on its own GUI thread, with a hidden
// owner window, tray icon, title from the language pack, frame style switches, close
// handling, placement memory through an application window, opacity and auto-hide,
// hotkeys, user timers, the clipboard viewer chain, invoke and message boxes.
//
// Every operation may be called from any thread: what needs the native window is sent
// to the window's thread as a private message (LibraryMessage.h). Without a native
// window those operations do nothing or answer false / 0.
//
//   class Closer : public s::gui::events::IEventListener {
//       void onEvent(s::base::IObject*, int32_t code) override {
//           if (code == s::gui::WindowEvent::kClose && unsaved_) window_->vetoClose();
//       }
//   };
//   window->addCloseListener(&closer);
//   intptr_t r = window->invoke(1, 2, 3, 4);   // runs the kInvoke listeners on the window's thread
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/component/Events.h"
#include "gui/component/IContainer.h"

namespace s::app {
class IAppWindow;
}
namespace s::lang {
class Localizer;
}
namespace s::image::ico::win {
class IconImage;
}
namespace s::gui::drawer {
class ISkinner;
class IWindow;
}  // namespace s::gui::drawer

namespace s::gui {

class IMenuEx;
class IPopupMenu;

class IWindow : public IContainer {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_gui_IWindow";

    // setPosition(x, current y) and setPosition(current x, y).
    virtual void setLeft(int32_t x) = 0;
    virtual void setTop(int32_t y) = 0;

    virtual bool isClosed() = 0;
    // Marks in-tray first when close-to-tray is on, then sends WM_CLOSE.
    virtual void close() = 0;
    // Called by a close listener to keep the window open.
    virtual void vetoClose() = 0;
    virtual void waitUntilClosed() = 0;

    virtual void bringToFront(bool front) = 0;
    virtual bool isMinimized() = 0;
    virtual void minimize() = 0;
    virtual bool isMaximized() = 0;
    virtual void maximize() = 0;
    virtual void restoreFromTray() = 0;
    virtual void restore() = 0;
    virtual void hideToTray() = 0;
    virtual bool isInTray() = 0;

    // The whole window drags like a caption and its edges resize.
    virtual void setEasyDrag(bool on) = 0;

    virtual void setMaximizeBox(bool on) = 0;
    virtual void setMinimizeBox(bool on) = 0;
    virtual void setSystemMenu(bool on) = 0;
    virtual void setCaption(bool on) = 0;
    virtual void setToolWindow(bool on) = 0;
    virtual void setStandardFrame(bool on) = 0;
    virtual void setClientEdge(bool on) = 0;
    virtual void setShowInTaskbar(bool on) = 0;

    virtual void showTrayIcon(bool show) = 0;
    virtual void updateTrayIcon() = 0;
    virtual void setTrayIconPinned(bool on) = 0;
    virtual bool isTrayIconShown() = 0;

    virtual bool isResizable() = 0;
    virtual void setResizable(bool on) = 0;
    // A separate flag from setTrayIconPinned.
    virtual void setTrayIconAlwaysShown(bool on) = 0;
    virtual void setCloseToTray(bool on) = 0;

    // true: the window's modal state begins (its input is disabled); false: it ends.
    virtual void setModalState(bool on) = 0;
    virtual void setTopMost(bool on) = 0;
    virtual bool isTopMost() = 0;

    virtual const wchar_t* getTitle() = 0;
    virtual void setTitle(const wchar_t* text) = 0;
    // Title from the language pack; versionId -1 gives the bare title, else
    // title + " v" + version text.
    virtual void setTitleId(int32_t titleId, int32_t versionId) = 0;
    virtual image::ico::win::IconImage* getSmallIcon() = 0;
    virtual void setSmallIcon(image::ico::win::IconImage* icon, bool owned) = 0;
    virtual image::ico::win::IconImage* getBigIcon() = 0;
    virtual void setBigIcon(image::ico::win::IconImage* icon, bool owned) = 0;

    virtual bool hasLocalizer() = 0;
    virtual lang::Localizer* getLocalizer() = 0;
    virtual void setLocalizer(lang::Localizer* localizer) = 0;
    virtual bool hasSkinner() = 0;
    virtual drawer::ISkinner* getSkinner() = 0;
    virtual void setSkinner(drawer::ISkinner* skinner) = 0;

    // Any event of the component (a button's action) closes the window.
    virtual void addCloseTrigger(IComponent* component) = 0;
    virtual void addCloseListener(events::IEventListener* l) = 0;             // 1
    virtual void addRightButtonDownListener(events::IEventListener* l) = 0;   // 3
    virtual void addLeftButtonDownListener(events::IEventListener* l) = 0;    // 5
    virtual void addRightButtonUpListener(events::IEventListener* l) = 0;     // 24
    virtual void addLeftButtonUpListener(events::IEventListener* l) = 0;      // 25
    virtual void addTrayClickListener(events::IEventListener* l) = 0;         // 22
    virtual void addDoubleClickListener(events::IEventListener* l) = 0;       // 16
    virtual void addMiddleButtonDownListener(events::IEventListener* l) = 0;  // 9
    virtual void addResizeListener(events::IEventListener* l) = 0;            // 4
    virtual void addActivateListener(events::IEventListener* l) = 0;          // 6
    virtual void addDeactivateListener(events::IEventListener* l) = 0;        // 7
    virtual void addMovingListener(events::IEventListener* l) = 0;            // 10
    virtual void addMoveListener(events::IEventListener* l) = 0;              // 11
    virtual void addKeyDownListener(events::IEventListener* l) = 0;           // 12
    virtual void addTrayRightClickListener(events::IEventListener* l) = 0;    // 18
    virtual void addContextMenuListener(events::IEventListener* l) = 0;       // 19
    virtual void addNormalSizeListener(events::IEventListener* l) = 0;        // 21

    virtual void setMenuBar(IMenuEx* menu) = 0;
    virtual void setTrayMenu(IPopupMenu* menu) = 0;

    // Sends kInvoke and answers what the invoke listeners set with setInvokeResult
    // (0 without a native window).
    virtual intptr_t invoke(intptr_t a1, intptr_t a2, intptr_t a3, intptr_t a4) = 0;
    // Posts a copy of the four arguments; answers whether posting succeeded.
    virtual bool invokeLater(intptr_t a1, intptr_t a2, intptr_t a3, intptr_t a4) = 0;
    // The arguments of the invoke being handled (argument 1 is the worker status name).
    virtual intptr_t getInvokeArg1() = 0;
    virtual intptr_t getInvokeArg2() = 0;
    virtual intptr_t getInvokeArg3() = 0;
    virtual intptr_t getInvokeArg4() = 0;
    virtual void setInvokeResult(intptr_t result) = 0;
    virtual void addInvokeListener(events::IEventListener* l) = 0;  // 2

    virtual void focus() = 0;
    // The pop-up menu tracked at the cursor on a right click.
    virtual void setContextMenu(IPopupMenu* menu, bool owned) = 0;

    // The edge being dragged during a kSizing event.
    virtual bool isSizingLeft() = 0;
    virtual bool isSizingRight() = 0;
    virtual bool isSizingTop() = 0;
    virtual bool isSizingBottom() = 0;
    virtual bool isSizingTopLeft() = 0;
    virtual bool isSizingTopRight() = 0;
    virtual bool isSizingBottomLeft() = 0;
    virtual bool isSizingBottomRight() = 0;
    // The rectangle being sized; changes go back into the message.
    virtual int32_t getSizingLeft() = 0;
    virtual void setSizingLeft(int32_t v) = 0;
    virtual int32_t getSizingRight() = 0;
    virtual void setSizingRight(int32_t v) = 0;
    virtual int32_t getSizingTop() = 0;
    virtual void setSizingTop(int32_t v) = 0;
    virtual int32_t getSizingBottom() = 0;
    virtual void setSizingBottom(int32_t v) = 0;

    virtual void addSizingListener(events::IEventListener* l) = 0;  // 8
    // The skin's frame drawer (null: the standard frame); an owned drawer is released
    // when replaced.
    virtual void setWindowDrawer(drawer::IWindow* drawer, bool owned) = 0;

    virtual void setFixedWidth(int32_t w) = 0;
    virtual void setFixedHeight(int32_t h) = 0;
    // A frame drag cannot make the window smaller than its minimum size.
    virtual void setKeepMinimumSize(bool on) = 0;
    virtual void setKeepMinimumSizeXY(bool x, bool y) = 0;
    virtual void growToMinimum() = 0;
    virtual void fitHeightToMinimum() = 0;
    virtual void sizeToMinimum() = 0;
    virtual void sizeToPreferred() = 0;
    // Virtual-key code of the last key down.
    virtual int32_t getLastKey() = 0;

    virtual void addMouseMoveListener(events::IEventListener* l) = 0;  // 13
    virtual void addWheelListener(events::IEventListener* l) = 0;      // 14
    virtual int32_t getWheelLines() = 0;
    virtual int32_t getFrameWidth() = 0;
    virtual int32_t getFrameHeight() = 0;

    // Overrides of the minimum outer size (-1 = none).
    virtual void setMinWidth(int32_t w) = 0;
    virtual void setMinHeight(int32_t h) = 0;
    virtual void focusNext() = 0;

    // Message boxes shown on the window's thread.
    virtual void showInfo(const wchar_t* text) = 0;
    virtual void showError(const wchar_t* text) = 0;
    virtual bool askYesNo(const wchar_t* text) = 0;

    virtual void setAppWindow(app::IAppWindow* appWindow, bool withVersion) = 0;
    virtual void savePosition(bool reapply) = 0;
    // "Close", "Iconize" or "DoNothing".
    virtual void setMClickAction(const wchar_t* action) = 0;
    virtual bool isPlacedOnScreen() = 0;
    virtual void moveOntoScreen() = 0;
    virtual void setShown(bool show, bool front) = 0;

    virtual void addInstanceMessageListener(events::IEventListener* l) = 0;  // 15
    virtual void setOpacity(int32_t percent, bool onlyTopMost) = 0;
    // mode 0 fades, other values shrink towards (targetWidth, targetHeight).
    virtual void setAutoHide(bool enabled, int32_t mode, bool onlyTopMost, int32_t delaySeconds, int32_t targetWidth,
                             int32_t targetHeight, bool shiftOverride) = 0;
    virtual bool isShrunk() = 0;
    virtual bool isFaded() = 0;
    virtual bool isAutoHidden() = 0;

    virtual void setRememberPosition(bool on) = 0;
    virtual void setKeepInsideScreen(bool on) = 0;
    virtual void setCapture() = 0;
    // The cursor position when the capture taken by setCapture was lost.
    virtual int32_t getCaptureLostX() = 0;
    virtual int32_t getCaptureLostY() = 0;
    virtual void addCaptureChangedListener(events::IEventListener* l) = 0;  // 17

    virtual void setFollowCursor(bool on) = 0;
    virtual void setTrayClickToggles(bool on) = 0;
    virtual void setHideCursor(bool on) = 0;
    // true: default processing of double clicks runs (the caption double click maximises).
    virtual void setPassDoubleClick(bool on) = 0;
    virtual void addLanguageListener(events::IEventListener* l) = 0;  // 20
    virtual bool isSuspended() = 0;
    virtual bool isShuttingDown() = 0;

    // false when the key is taken; with showFailure an information box says so.
    virtual bool registerHotKey(bool alt, bool ctrl, bool shift, bool win, int32_t keyCode, const wchar_t* name,
                                bool showFailure) = 0;
    virtual void unregisterHotKey(const wchar_t* name) = 0;
    virtual void unregisterAllHotKeys() = 0;
    virtual void addHotKeyListener(events::IEventListener* l) = 0;  // 23
    // During a kHotKey event: whether the hotkey of that name fired.
    virtual bool isHotKey(const wchar_t* name) = 0;
    virtual bool startTimer(int64_t id, int32_t milliseconds) = 0;
    virtual void stopTimer(int64_t id) = 0;
    virtual void addTimerListener(events::IEventListener* l) = 0;  // 26
    virtual int64_t getTimerId() = 0;
    // Keeps the timer message from the default processing.
    virtual void markTimerHandled() = 0;

    // Writes what the screen shows of this window as a GIF file.
    virtual void saveSnapshotGif(const wchar_t* path) = 0;
    virtual void setClipboardViewer(bool on) = 0;
    virtual void addClipboardListener(events::IEventListener* l) = 0;  // 27
    virtual HWND getHwnd() = 0;

    // The window's message hook: *result is set to 0 first; true means handled (the
    // result goes back to Windows and no default processing runs).
    virtual bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Runs after the default processing of every message the hook left unhandled.
    virtual void postHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace s::gui
