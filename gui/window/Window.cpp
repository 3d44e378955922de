// The window's construction, native creation, geometry, visibility, tray icon, frame
// styles, title, icons and placement.
#include "gui/window/Window.h"

#include <shellapi.h>

#include <algorithm>
#include <iterator>
#include <mutex>

#include "foundation/str/StrArray.h"
#include "foundation/str/StrBuffer.h"
#include "gui/app/IAppBase.h"
#include "gui/app/IAppWindow.h"
#include "gui/controls/IButton.h"
#include "gui/layout/LayoutManagers.h"
#include "gui/menus/IMenuEx.h"
#include "gui/skin/ISkinner.h"
#include "gui/menus/IPopupMenu.h"
#include "platform/system/Screen.h"
#include "gui/window/WindowClass.h"
#include "gui/window/WindowGeometry.h"
#include "imaging/codec/Icon.h"
#include "imaging/image/BufferedImage.h"
#include "platform/lang/LangPack.h"
#include "platform/lang/Localizer.h"
#include "platform/system/Monitor.h"

namespace s::gui::win {

using str::strbuffer::StrBuffer;

namespace {

// The virtual screen (several monitors) or the primary work area (one monitor).
geometry::Area keepInsideArea() {
    if (GetSystemMetrics(SM_CMONITORS) >= 2)
        return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    return {system::getWorkAreaLeft(), system::getWorkAreaTop(), system::getWorkAreaWidth(),
            system::getWorkAreaHeight()};
}

geometry::Area virtualScreen() {
    return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

std::mutex& workingSetLock() {
    static std::mutex m;
    return m;
}

}  // namespace

// --- Construction ----------------------------------------------------------------

Window::Window() {
    background_ = GetSysColor(COLOR_BTNFACE);
    title_ = StrBuffer::create();
    mClickAction_ = StrBuffer::fromString(L"DoNothing");
    hotKeyNames_ = str::strarray::StrArray::create();
    thread_ = UIThread::start(this);
    // Waits for the thread's start-up or its end: a thread whose owner window cannot be
    // made ends without a window, and the window then stays without a handle.
    if (thread_ && !thread_->waitUntilReady()) {
        quitUIThread(thread_);
        thread_ = nullptr;
    }
}

Window::~Window() {
    reset();
    HWND h = hwnd_.load();
    if (h && ::IsWindow(h))
        ::SendMessageW(h, LibraryMessage::kCloseOwner, 0, 0);
    else if (owner_.m_hWnd && ::IsWindow(owner_.m_hWnd))
        ::SendMessageW(owner_.m_hWnd, LibraryMessage::kCloseOwner, 0, 0);
    hwnd_ = nullptr;
    quitUIThread(thread_);
    thread_ = nullptr;
    if (title_) title_->release();
    if (mClickAction_) mClickAction_->release();
    if (hotKeyNames_) hotKeyNames_->release();
}

void Window::reset() {
    setVisible(false, true);
    close();
    if (trayShown_) {
        trayPinned_ = false;
        showTrayIcon(false);
    }
    removeAllChildren(true);
    children_.freeStorage();
    title_->clear();
    titleId_ = versionId_ = -1;
    closed_ = false;
    veto_ = false;
    background_ = GetSysColor(COLOR_BTNFACE);
    easyDrag_ = false;
    trayShown_ = trayAlwaysShown_ = trayPinned_ = false;
    showInTaskbar_ = true;
    closeToTray_ = inTray_ = false;
    releaseIcon(&smallIcon_, ICON_SMALL);
    releaseIcon(&bigIcon_, ICON_BIG);
    if (localizer_) localizer_->removeListener(this);
    localizer_ = nullptr;
    if (skinner_) skinner_->removeListener(this);
    skinner_ = nullptr;
    clearListeners();
    sizingEdge_ = 0;
    sizingRect_ = {};
    releaseContextMenu();
    menuBar_ = nullptr;
    trayMenu_ = nullptr;
    setWindowDrawer(nullptr, false);
    fixedWidth_ = fixedHeight_ = -1;
    keepMinWidth_ = keepMinHeight_ = true;
    undoAutoHide();
    setAutoHide(false, 0, true, 5, 23, 23, false);
    setOpacity(100, false);
    unregisterAllHotKeys();
    setClipboardViewer(false);
    if (backBuffer_) backBuffer_->release();
    backBuffer_ = nullptr;
    layout_ = nullptr;
    appWindow_ = nullptr;
}

bool Window::createOwnerWindow() {
    if (!owner_.create()) return false;
    ::ShowWindow(owner_.m_hWnd, SW_HIDE);
    ::UpdateWindow(owner_.m_hWnd);
    return true;
}

bool Window::createNative() {
    registerWindowClass();
    if (!CreateEx(WS_EX_CLIENTEDGE, kWindowClassName, L"Window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 240,
                  120, owner_.m_hWnd, nullptr)) {
        showFailureBox(L"Window Creation Failed!", L"Error!");
        return false;
    }
    hwnd_ = m_hWnd;
    if (inClipboardChain_) nextViewer_ = ::SetClipboardViewer(m_hWnd);
    ::ShowWindow(m_hWnd, SW_HIDE);
    ::UpdateWindow(m_hWnd);
    return true;
}

// --- Listeners -------------------------------------------------------------------

void Window::addListener(int32_t code, events::IEventListener* l) {
    if (code >= 0 && code < 28) listeners_[code].push(l);
}

void Window::raise(int32_t code) {
    col::_array::ArrayP& list = listeners_[code];
    for (uint32_t i = 0; i < list.count(); ++i) list.at<events::IEventListener>(i)->onEvent(this, code);
}

void Window::clearListeners() {
    for (auto& list : listeners_) list.clear();
}

void Window::addCloseTrigger(IComponent* component) {
    if (!component) return;
    listeners_[0].push(component);
    // A button tells its clicks; other components close the window on any of their events
    // that reach it.
    if (auto* button = dynamic_cast<IButton*>(component)) button->addActionListener(this);
}

void Window::onEvent(base::IObject* source, int32_t code) {
    if (source && localizer_ && source == static_cast<base::IObject*>(localizer_)) {
        if (appWindow_ && appWindow_->getAppBase() && localizer_->getCurrentPack())
            appWindow_->getAppBase()->setLanguage(localizer_->getCurrentPack()->getEngName());
        if (titleId_ != -1) retitle();
        raise(WindowEvent::kLanguage);
        return;
    }
    if (skinner_ && source == skinner_->asObject() && code == drawer::kSkinChangedEvent) {
        takeSkin();
        drawer::ISkin* skin = skinner_->getCurrentSkin();
        if (appWindow_ && skin) appWindow_->setSkinName(skin->getName());
        return;
    }
    if (menuBar_ && source == asObject(menuBar_)) {
        if (hwnd_) ::DrawMenuBar(hwnd_);
        return;
    }
    // A close trigger (a button's action) closes the window.
    for (uint32_t i = 0; i < listeners_[0].count(); ++i) {
        if (asObject(listeners_[0].at<IComponent>(i)) == source) {
            close();
            return;
        }
    }
}

// --- Geometry --------------------------------------------------------------------

namespace {
RECT windowRect(HWND h) {
    RECT r{};
    if (h) ::GetWindowRect(h, &r);
    return r;
}
RECT clientRect(HWND h) {
    RECT r{};
    if (h) ::GetClientRect(h, &r);
    return r;
}
}  // namespace

int32_t Window::getX() { return windowRect(hwnd_).left; }
int32_t Window::getY() { return windowRect(hwnd_).top; }
int32_t Window::getWidth() {
    const RECT r = windowRect(hwnd_);
    return r.right - r.left;
}
int32_t Window::getHeight() {
    const RECT r = windowRect(hwnd_);
    return r.bottom - r.top;
}
int32_t Window::getInnerWidth() { return clientRect(hwnd_).right; }
int32_t Window::getInnerHeight() { return clientRect(hwnd_).bottom; }

bool Window::containsScreenPoint(int32_t x, int32_t y) {
    if (!isVisible()) return false;
    const RECT r = windowRect(hwnd_);
    return x >= r.left && x <= r.right && y >= r.top && y <= r.bottom;
}

void Window::setPosition(int32_t x, int32_t y) {
    if (hwnd_) ::SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | showFlag());
}

void Window::setSize(int32_t w, int32_t h) {
    if (!hwnd_) return;
    undoAutoHide();
    ::SetWindowPos(hwnd_, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | showFlag());
}

void Window::setSizeNoMove(int32_t w, int32_t h) {
    if (hwnd_) ::SetWindowPos(hwnd_, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | showFlag());
}

void Window::setBounds(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (!hwnd_) return;
    undoAutoHide();
    ::SetWindowPos(hwnd_, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE | showFlag());
}

int32_t Window::getMinWidth() {
    if (minWidthOverride_ >= 0) return minWidthOverride_;
    if (fixedWidth_ >= 0) return fixedWidth_;
    if (children_.count() == 0) return 0;
    return getMinInnerWidth() + getFrameWidth();
}

int32_t Window::getMinHeight() {
    if (minHeightOverride_ >= 0) return minHeightOverride_;
    if (fixedHeight_ >= 0) return fixedHeight_;
    if (children_.count() == 0) return 0;
    return getMinInnerHeight() + getFrameHeight();
}

int32_t Window::getMinInnerWidth() {
    if (fixedWidth_ >= 0) return fixedWidth_ - getFrameWidth();
    int32_t w = 0;
    for (uint32_t i = 0; i < children_.count(); ++i) w = std::max(w, children_.at<IComponent>(i)->getMinWidth());
    return w;
}

int32_t Window::getMinInnerHeight() {
    if (fixedHeight_ >= 0) return fixedHeight_ - getFrameHeight();
    int32_t h = 0;
    for (uint32_t i = 0; i < children_.count(); ++i) h += children_.at<IComponent>(i)->getMinHeight();
    return h;
}

int32_t Window::getPreferredWidth() {
    if (fixedWidth_ >= 0) return fixedWidth_;
    if (auto* m = system::monitor::findMonitor(getX(), getY(), getWidth(), getHeight())) return m->getWorkWidth();
    return system::getWorkAreaWidth();
}

int32_t Window::getPreferredHeight() {
    if (fixedHeight_ >= 0) return fixedHeight_;
    if (auto* m = system::monitor::findMonitor(getX(), getY(), getWidth(), getHeight())) return m->getWorkHeight();
    return system::getWorkAreaHeight();
}

void Window::setSizeClamped(int32_t w, int32_t h) {
    const int32_t minW = getMinWidth(), minH = getMinHeight();
    const int32_t prefW = std::max(minW, getPreferredWidth()), prefH = std::max(minH, getPreferredHeight());
    setSize(std::clamp(w, minW, prefW), std::clamp(h, minH, prefH));
}

void Window::centreInParent() {
    const int32_t left = system::getWorkAreaLeft(), top = system::getWorkAreaTop();
    const int32_t x = std::max(left, left + (system::getWorkAreaWidth() - getWidth()) / 2);
    const int32_t y = std::max(top, top + (system::getWorkAreaHeight() - getHeight()) / 2);
    setPosition(x, y);
}

void Window::setFixedWidth(int32_t w) {
    fixedWidth_ = w;
    if (w >= 0) setWidth(w);
}

void Window::setFixedHeight(int32_t h) {
    fixedHeight_ = h;
    if (h >= 0) setHeight(h);
}

void Window::growToMinimum() {
    const int32_t minW = getMinWidth(), minH = getMinHeight();
    if (getWidth() < minW) setWidth(minW);
    if (getHeight() < minH) setHeight(minH);
}

bool Window::isEnabled() { return hwnd_ && ::IsWindowEnabled(hwnd_); }
void Window::setEnabled(bool enabled) {
    if (hwnd_) ::EnableWindow(hwnd_, enabled);
}

void Window::setTransparent(bool transparent, bool redraw) {
    transparent_ = transparent;
    if (redraw && isVisible()) repaint();
}

void Window::setBackgroundSystem(bool redraw) {
    background_ = GetSysColor(COLOR_BTNFACE);
    transparent_ = false;
    if (redraw && isVisible()) repaint();
}

void Window::setBackgroundLight(bool redraw) {
    const COLORREF c = GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    auto light = [](int v) { return 255 - ((255 - v) >> 1); };
    setBackgroundColor(light(GetRValue(c)), light(GetGValue(c)), light(GetBValue(c)), redraw);
}

void Window::setBackgroundColor(int32_t r, int32_t g, int32_t b, bool redraw) {
    transparent_ = false;
    background_ = uint32_t(r & 0xFF) | uint32_t(g & 0xFF) << 8 | uint32_t(b & 0xFF) << 16;
    if (redraw && isVisible()) repaint();
}

// --- Children and layout ---------------------------------------------------------

void Window::addChild(IComponent* child) {
    if (!child) return;
    children_.push(child);
    if (hwnd_) ::SendMessageW(hwnd_, LibraryMessage::kAttachChild, reinterpret_cast<WPARAM>(child), 0);
    validate();
}

IComponent* Window::getChildAt(int32_t index) {
    return index >= 0 && uint32_t(index) < children_.count() ? children_.at<IComponent>(uint32_t(index)) : nullptr;
}

void Window::removeChild(IComponent* child, bool recursive) {
    const int32_t index = children_.indexOf(child);
    if (index < 0) return;
    children_.removeItem(child);
    if (recursive && child->isContainer()) child->removeAllChildren(true);
    child->setParent(nullptr);
    releaseComponent(child);
    doLayout();
}

void Window::removeAllChildren(bool recursive) {
    for (uint32_t i = children_.count(); i-- > 0;) {
        auto* child = children_.at<IComponent>(i);
        children_.removeItem(child);
        if (recursive && child->isContainer()) child->removeAllChildren(true);
        child->setParent(nullptr);
        releaseComponent(child);
    }
    children_.clear();
}

void Window::beginUpdate() {
    for (uint32_t i = 0; i < children_.count(); ++i) children_.at<IComponent>(i)->beginUpdate();
}

void Window::endUpdate() {
    for (uint32_t i = 0; i < children_.count(); ++i) children_.at<IComponent>(i)->endUpdate();
}

void Window::doLayout() {
    if (ILayoutManager* layout = getLayout()) layout->layoutContainer(this);
}

ILayoutManager* Window::getLayout() { return layout_ ? layout_ : layout::Vertical::shared(); }

void Window::repaint() {
    if (isVisible() && ::IsWindow(hwnd_))
        ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

void Window::repaintRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (!isVisible() || !::IsWindow(hwnd_)) return;
    const RECT r{x, y, x + w, y + h};
    ::RedrawWindow(hwnd_, &r, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

// --- Visibility and state --------------------------------------------------------

void Window::trimWorkingSet() {
    std::lock_guard<std::mutex> hold(workingSetLock());
    SetProcessWorkingSetSize(GetCurrentProcess(), SIZE_T(-1), SIZE_T(-1));
}

void Window::setShown(bool show, bool front) {
    if (!hwnd_) return;
    if (show && !visible_) {
        if (followCursor_) followCursor();
        if (front && showInTaskbar_) {
            ::ShowWindow(hwnd_, SW_MINIMIZE);
            ::ShowWindow(hwnd_, SW_RESTORE);
        }
        if (!isMaximized() && appWindow_) {
            if (appWindow_->getMaximized()) {
                ::ShowWindow(hwnd_, SW_MAXIMIZE);
            } else if (rememberPosition_ && !keepInsideScreen_ && !followCursor_) {
                if (!appWindow_->hasX() || !appWindow_->hasY()) centreInParent();
                if (!isPlacedOnScreen()) centreInParent();
            }
        }
        if (front) bringToFront(true);
        ::ShowWindow(hwnd_, SW_SHOW);
        ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        visible_ = true;
        if (followCursor_) followCursor();
    } else if (!show && visible_) {
        savePosition(true);
        ::ShowWindow(hwnd_, SW_HIDE);
        visible_ = false;
    } else {
        return;
    }
    trimWorkingSet();
}

void Window::close() {
    if (closeToTray_ && !inTray_) inTray_ = true;
    if (hwnd_) ::SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void Window::waitUntilClosed() {
    while (!closed_ && hwnd_) Sleep(10);
}

void Window::bringToFront(bool front) {
    if (!hwnd_) return;
    if (front) {
        // A raw top-most switch: setTopMost would store "KeepOnTop" and undo auto-hide.
        ::SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        ::SetForegroundWindow(hwnd_);
        if (!topMost_) placeNotTopMost(showFlag());
        active_ = true;
        deactivatedAt_ = 0;
    } else {
        ::SendMessageW(hwnd_, WM_ACTIVATE, WA_INACTIVE, 0);
        if (active_) {
            deactivatedAt_ = int64_t(GetTickCount64());
            active_ = false;
        }
    }
}

void Window::minimize() {
    if (!hwnd_) return;
    undoAutoHide();
    ::ShowWindow(hwnd_, SW_MINIMIZE);
}

void Window::maximize() {
    if (!hwnd_) return;
    undoAutoHide();
    ::ShowWindow(hwnd_, SW_MAXIMIZE);
}

void Window::restore() {
    if (hwnd_) ::ShowWindow(hwnd_, SW_SHOWNORMAL);
}

void Window::restoreFromTray() {
    if (!hwnd_) return;
    if (inTray_) {
        setVisible(true, true);
        ::SetForegroundWindow(hwnd_);
        inTray_ = false;
        if (!trayAlwaysShown_) showTrayIcon(false);
    }
    ::ShowWindow(hwnd_, SW_RESTORE);
}

void Window::hideToTray() {
    if (inTray_ || !hwnd_) return;
    minimize();
    setVisible(false, true);
    if (!trayShown_) showTrayIcon(true);
    inTray_ = true;
}

// --- Tray icon -------------------------------------------------------------------

void Window::fillNotifyIcon(void* data, UINT flags) {
    auto* nid = static_cast<NOTIFYICONDATAW*>(data);
    *nid = {};
    nid->cbSize = sizeof(NOTIFYICONDATAW);
    nid->hWnd = hwnd_;
    nid->uID = 0;
    nid->uFlags = flags;
    nid->uCallbackMessage = LibraryMessage::kTrayCallback;
    nid->hIcon = reinterpret_cast<HICON>(::SendMessageW(hwnd_, WM_GETICON, ICON_SMALL, 0));
    const wchar_t* tip = getTitle();
    lstrcpynW(nid->szTip, tip ? tip : L"", int(std::size(nid->szTip)));
}

void Window::showTrayIcon(bool show) {
    if (!hwnd_) return;
    NOTIFYICONDATAW nid;
    if (show) {
        fillNotifyIcon(&nid, NIF_MESSAGE | NIF_ICON | NIF_TIP);
        Shell_NotifyIconW(NIM_ADD, &nid);
        trayShown_ = true;
    } else if (!trayPinned_) {
        fillNotifyIcon(&nid, 0);
        Shell_NotifyIconW(NIM_DELETE, &nid);
        trayShown_ = false;
    }
}

void Window::updateTrayIcon() {
    if (!trayShown_ || !hwnd_) return;
    NOTIFYICONDATAW nid;
    fillNotifyIcon(&nid, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    Shell_NotifyIconW(NIM_MODIFY, &nid);
}

void Window::setTrayIconPinned(bool on) {
    trayPinned_ = on;
    if (on)
        showTrayIcon(true);
    else if (!inTray_)
        showTrayIcon(false);
}

void Window::setTrayIconAlwaysShown(bool on) {
    trayAlwaysShown_ = on;
    if (!hwnd_) return;
    if (on && !trayShown_)
        showTrayIcon(true);
    else if (!on && trayShown_ && !inTray_)
        showTrayIcon(false);
}

// --- Frame styles ----------------------------------------------------------------

void Window::toggleStyleBits(int index, DWORD bit, bool on, bool frameChanged) {
    if (!hwnd_) return;
    LONG_PTR style = GetWindowLongPtrW(hwnd_, index);
    style = on ? (style | bit) : (style & ~LONG_PTR(bit));
    SetWindowLongPtrW(hwnd_, index, style);
    if (frameChanged)
        ::SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Window::setMaximizeBox(bool on) {
    maximizeBox_ = on;
    toggleStyle(WS_MAXIMIZEBOX, on, false);
    if (hwnd_) ::DrawMenuBar(hwnd_);
}

void Window::setMinimizeBox(bool on) {
    minimizeBox_ = on;
    toggleStyle(WS_MINIMIZEBOX, on, false);
    if (hwnd_) ::DrawMenuBar(hwnd_);
}

void Window::setSystemMenu(bool on) { toggleStyle(WS_SYSMENU, on, true); }
void Window::setCaption(bool on) { toggleStyle(WS_CAPTION, on, true); }
void Window::setToolWindow(bool on) { toggleExStyle(WS_EX_TOOLWINDOW, on, true); }
void Window::setClientEdge(bool on) { toggleExStyle(WS_EX_CLIENTEDGE, on, true); }

void Window::setResizable(bool on) {
    resizable_ = on;
    toggleStyle(WS_THICKFRAME, on, true);
}

void Window::setStandardFrame(bool on) {
    if (!hwnd_) return;
    const DWORD boxes = (maximizeBox_ ? WS_MAXIMIZEBOX : 0) | (minimizeBox_ ? WS_MINIMIZEBOX : 0);
    const DWORD framed = WS_OVERLAPPEDWINDOW & ~(WS_MAXIMIZEBOX | WS_MINIMIZEBOX);
    const DWORD popup = WS_POPUP | WS_SYSMENU;
    const DWORD exFrame = WS_EX_STATICEDGE | WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE;
    LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
    LONG_PTR ex = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
    style &= ~LONG_PTR(framed | popup | WS_MAXIMIZEBOX | WS_MINIMIZEBOX);
    style |= LONG_PTR((on ? framed : popup) | boxes);
    ex = on ? (ex | exFrame) : (ex & ~LONG_PTR(exFrame));
    if (!resizable_) style &= ~LONG_PTR(WS_THICKFRAME);
    SetWindowLongPtrW(hwnd_, GWL_STYLE, style);
    SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, ex);
    ::SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Window::setShowInTaskbar(bool on) {
    showInTaskbar_ = on;
    if (!hwnd_) return;
    const bool wasVisible = visible_;
    if (wasVisible) ::ShowWindow(hwnd_, SW_HIDE);
    toggleExStyle(WS_EX_APPWINDOW, on, false);
    if (wasVisible) ::ShowWindow(hwnd_, SW_SHOW);
}

void Window::setModalState(bool on) {
    if (on)
        BeginModalState();
    else
        EndModalState();
}

void Window::placeNotTopMost(UINT flags) {
    HWND h = hwnd_;
    if (!h) return;
    ::SetWindowPos(h, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | flags);
    if (!(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST)) return;
    // Wine keeps an owned window top-most: without its owner for a moment it lets go.
    const LONG_PTR owner = GetWindowLongPtrW(h, GWLP_HWNDPARENT);
    SetWindowLongPtrW(h, GWLP_HWNDPARENT, 0);
    ::SetWindowPos(h, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | flags);
    SetWindowLongPtrW(h, GWLP_HWNDPARENT, owner);
}

void Window::setTopMost(bool on) {
    if (hwnd_ && on)
        ::SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | showFlag());
    else if (hwnd_)
        placeNotTopMost(showFlag());
    const bool was = topMost_;
    topMost_ = on;
    if (was && !on && (fadeMode_ || shrinkMode_ != 0)) undoAutoHide();
    if (targetOpacity_ != 100 && opacityOnlyTopMost_) applyOpacity(on ? targetOpacity_ : 100);
    if (appWindow_) appWindow_->setKeepOnTop(on);
}

void Window::setKeepInsideScreen(bool on) {
    keepInsideScreen_ = on;
    if (!on || !isVisible()) return;
    int32_t x = getX(), y = getY();
    if (geometry::clampIntoArea(&x, &y, getWidth(), getHeight(), keepInsideArea())) setPosition(x, y);
}

void Window::setEasyDrag(bool on) {
    easyDrag_ = on;
    if (appWindow_) appWindow_->setEasyDrag(on);
}

void Window::setMClickAction(const wchar_t* action) {
    mClickAction_->clear();
    mClickAction_->appendText(action ? action : L"DoNothing");
    if (appWindow_) appWindow_->setMClickAction(mClickAction_->text());
}

void Window::focus() {
    if (hwnd_) ::SetFocus(hwnd_);
}

void Window::focusNext() {
    if (hwnd_) ::SendMessageW(hwnd_, WM_KEYDOWN, VK_TAB, 0);
}

void Window::setCapture() {
    if (!hwnd_) return;
    ::SetCapture(hwnd_);
    captureTaken_ = true;
}

void Window::setMenuBar(IMenuEx* menu) {
    menuBar_ = menu;
    if (menu) menu->addCommandListener(this);
}

void Window::releaseContextMenu() {
    if (contextMenuOwned_ && contextMenu_) {
        if (auto* poolable = dynamic_cast<thread::IPoolable*>(contextMenu_)) poolable->release();
    }
    contextMenu_ = nullptr;
    contextMenuOwned_ = false;
}

void Window::setContextMenu(IPopupMenu* menu, bool owned) {
    if (menu != contextMenu_) releaseContextMenu();
    contextMenu_ = menu;
    contextMenuOwned_ = owned;
}

// --- Title, icons, localizer -----------------------------------------------------

const wchar_t* Window::getTitle() {
    if (hwnd_) {
        const int n = ::GetWindowTextLengthW(hwnd_);
        if (title_->ensureCapacity(uint32_t(n) + 1)) {
            const int got = ::GetWindowTextW(hwnd_, title_->data(), n + 1);
            title_->setLength(uint32_t(got));
        }
    }
    return title_->text();
}

void Window::setTitle(const wchar_t* text) {
    title_->clear();
    title_->appendText(text ? text : L"");
    if (hwnd_) ::SendMessageW(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title_->text()));
    if (trayShown_ && hwnd_) {
        NOTIFYICONDATAW nid;
        fillNotifyIcon(&nid, NIF_TIP);
        Shell_NotifyIconW(NIM_MODIFY, &nid);
    }
}

void Window::retitle() {
    if (titleId_ == -1 || !localizer_) return;
    StrBuffer* text = StrBuffer::fromString(localizer_->getText(titleId_));
    if (versionId_ != -1) {
        text->appendText(L" v");
        text->appendText(localizer_->getText(versionId_));
    }
    setTitle(text->text());
    text->release();
}

void Window::setTitleId(int32_t titleId, int32_t versionId) {
    titleId_ = titleId;
    versionId_ = versionId;
    retitle();
}

void Window::setLocalizer(lang::Localizer* localizer) {
    if (localizer_ == localizer) return;
    if (localizer_) localizer_->removeListener(this);
    localizer_ = localizer;
    if (localizer_) localizer_->addListener(this);
    retitle();
}

void Window::setSkinner(drawer::ISkinner* skinner) {
    if (skinner_ && skinner_ != skinner) skinner_->removeListener(this);
    skinner_ = skinner;
    if (!skinner) return;
    takeSkin();
    skinner->addListener(this);
}

void Window::takeSkin() {
    drawer::ISkin* skin = skinner_ ? skinner_->getCurrentSkin() : nullptr;
    if (!skin) return;
    setWindowDrawer(skin->getWindowDrawer(), false);
}

void Window::releaseIcon(IconSlot* slot, WPARAM which) {
    if (hwnd_) ::SendMessageW(hwnd_, WM_SETICON, which, 0);
    if (owner_.m_hWnd) ::SendMessageW(owner_.m_hWnd, WM_SETICON, which, 0);
    if (slot->owned && slot->object) slot->object->release();
    if (slot->handle) DestroyIcon(slot->handle);
    *slot = {};
}

void Window::setIcon(IconSlot* slot, image::ico::win::IconImage* icon, bool owned, WPARAM which) {
    HICON handle = icon ? icon->createHIcon() : nullptr;
    if (hwnd_) ::SendMessageW(hwnd_, WM_SETICON, which, reinterpret_cast<LPARAM>(handle));
    if (owner_.m_hWnd) ::SendMessageW(owner_.m_hWnd, WM_SETICON, which, reinterpret_cast<LPARAM>(handle));
    if (slot->owned && slot->object && slot->object != icon) slot->object->release();
    if (slot->handle) DestroyIcon(slot->handle);
    *slot = {icon, owned, handle};
}

void Window::setSmallIcon(image::ico::win::IconImage* icon, bool owned) {
    setIcon(&smallIcon_, icon, owned, ICON_SMALL);
}
void Window::setBigIcon(image::ico::win::IconImage* icon, bool owned) { setIcon(&bigIcon_, icon, owned, ICON_BIG); }

// --- Placement -------------------------------------------------------------------

bool Window::isPlacedOnScreen() {
    if (!rememberPosition_) return true;
    return geometry::isPlacedOnScreen(getX(), getY(), getWidth(), getHeight(), virtualScreen());
}

void Window::moveOntoScreen() {
    if (isPlacedOnScreen()) return;
    int32_t x = getX(), y = getY();
    if (geometry::moveOntoScreen(&x, &y, getWidth(), getHeight(), virtualScreen())) setPosition(x, y);
}

void Window::setAppWindow(app::IAppWindow* appWindow, bool withVersion) {
    appWindow_ = appWindow;
    if (!appWindow) return;
    if (app::IAppBase* base = appWindow->getAppBase()) {
        // The program icons stay the application base's: installed, never owned, so two
        // windows of one base never release them twice.
        switch (system::getScreenScale()) {
            case 2: setSmallIcon(base->getIcon32(), false), setBigIcon(base->getIcon64(), false); break;
            case 4: setSmallIcon(base->getIcon64(), false), setBigIcon(base->getIcon128(), false); break;
            case 8: setSmallIcon(base->getIcon128(), false), setBigIcon(base->getIcon256(), false); break;
            default: setSmallIcon(base->getIcon16(), false), setBigIcon(base->getIcon32(), false); break;
        }
    }
    setLocalizer(appWindow->getLangPack());
    const int32_t titleId = appWindow->getTextBaseId();
    setTitleId(titleId, withVersion ? titleId + 10 : -1);
    if (appWindow->hasSkinner()) setSkinner(appWindow->getSkinner());
    setEasyDrag(appWindow->getEasyDrag());
    setTopMost(appWindow->getKeepOnTop());
    setMClickAction(appWindow->getMClickAction());
    // A stored size that no window can have gives way to the record's defaults.
    if (!appWindow->isWidthValid() || !appWindow->isHeightValid()) appWindow->clearBounds();
    const int32_t w = appWindow->getWidth(), h = appWindow->getHeight();
    if (appWindow->hasX() && appWindow->hasY()) {
        setBounds(appWindow->getX(), appWindow->getY(), w, h);
        if (!isPlacedOnScreen()) centreInParent();
    } else {
        setSize(w, h);
    }
}

void Window::savePosition(bool reapply) {
    app::IAppWindow* app = appWindow_;
    if (!app || !visible_ || !hwnd_) return;
    if (isMaximized()) {
        if (!app->getMaximized()) app->setMaximized(true);
        return;
    }
    if (isMinimized()) return;
    if (app->getMaximized()) app->setMaximized(false);
    if (reapply) undoAutoHide();
    if (isShrunk() || isFaded()) return;
    const int32_t x = getX(), y = getY(), w = getWidth(), h = getHeight();
    if (!app->hasX() || app->getX() != x) app->setX(x);
    if (!app->hasY() || app->getY() != y) app->setY(y);
    if (!app->hasWidth() || app->getWidth() != w) app->setWidth(w);
    if (!app->hasHeight() || app->getHeight() != h) app->setHeight(h);
}

}  // namespace s::gui::win
