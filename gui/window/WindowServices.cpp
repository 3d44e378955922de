// The window's services beyond placement: painting and the skinned frame, opacity,
// auto-hide, following the cursor, dragging a skinned frame, hotkeys, user timers, the
// clipboard viewer chain, invoke and message boxes on the window's thread.
#include <atomic>

#include "foundation/str/StrArray.h"
#include "foundation/str/StrBuffer.h"
#include "gui/paint/MemDC.h"
#include "gui/window/Window.h"
#include "gui/drawer/IWindow.h"
#include "gui/window/WindowGeometry.h"
#include "imaging/capture/ScreenCapture.h"
#include "imaging/image/BufferedImage.h"
#include "platform/system/Library.h"
#include "imaging/capture/ScreenCapture.h"
#include "platform/system/Screen.h"

namespace s::gui::win {

using str::strbuffer::StrBuffer;

namespace {

std::atomic<bool> g_opacityLoaderFails{false};

using SetLayeredFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

}  // namespace

void Window::setOpacityLoaderFailForTest(bool fail) { g_opacityLoaderFails.store(fail); }

// --- Invoke and message boxes ----------------------------------------------------

intptr_t Window::invoke(intptr_t a1, intptr_t a2, intptr_t a3, intptr_t a4) {
    HWND h = hwnd_;
    if (!h) return 0;
    InvokeRecord record{{a1, a2, a3, a4}, false};
    return intptr_t(::SendMessageW(h, LibraryMessage::kInvoke, reinterpret_cast<WPARAM>(&record), 0));
}

bool Window::invokeLater(intptr_t a1, intptr_t a2, intptr_t a3, intptr_t a4) {
    HWND h = hwnd_;
    if (!h) return false;
    // The caller may return before the window's thread reads the record: the message
    // carries a heap copy that its handler frees.
    auto* record = new InvokeRecord{{a1, a2, a3, a4}, true};
    if (::PostMessageW(h, LibraryMessage::kInvoke, reinterpret_cast<WPARAM>(record), 0)) return true;
    delete record;
    return false;
}

void Window::dropPendingInvokes() {
    MSG msg;
    while (::PeekMessageW(&msg, hwnd_, LibraryMessage::kInvoke, LibraryMessage::kInvoke, PM_REMOVE)) {
        auto* record = reinterpret_cast<InvokeRecord*>(msg.wParam);
        if (record && record->ownedByMessage) delete record;
    }
}

void Window::showInfo(const wchar_t* text) {
    if (hwnd_) ::SendMessageW(hwnd_, LibraryMessage::kShowInfo, reinterpret_cast<WPARAM>(text), 0);
}

void Window::showError(const wchar_t* text) {
    if (hwnd_) ::SendMessageW(hwnd_, LibraryMessage::kShowError, reinterpret_cast<WPARAM>(text), 0);
}

bool Window::askYesNo(const wchar_t* text) {
    return hwnd_ && ::SendMessageW(hwnd_, LibraryMessage::kAskYesNo, reinterpret_cast<WPARAM>(text), 0) != 0;
}

// --- Hotkeys ---------------------------------------------------------------------

bool Window::registerHotKey(bool alt, bool ctrl, bool shift, bool win, int32_t keyCode, const wchar_t* name,
                            bool showFailure) {
    HWND h = hwnd_;
    if (!h || !name) return false;
    unregisterHotKey(name);
    StrBuffer* message = StrBuffer::create();
    geometry::hotKeyFailureText(message, alt, ctrl, shift, win, keyCode);
    HotKeyRecord record{geometry::hotKeyModifiers(alt, ctrl, shift, win, true), uint32_t(keyCode), name,
                        uint8_t(showFailure ? 1 : 0), message->text()};
    const bool ok = ::SendMessageW(h, LibraryMessage::kRegisterHotKey, reinterpret_cast<WPARAM>(&record), 0) != 0;
    message->release();
    return ok;
}

void Window::unregisterHotKey(const wchar_t* name) {
    HWND h = hwnd_;
    if (!h || !name) return;
    HotKeyRecord record{0, 0, name, 0, nullptr};
    ::SendMessageW(h, LibraryMessage::kUnregisterHotKey, reinterpret_cast<WPARAM>(&record), 0);
}

void Window::unregisterAllHotKeys() {
    HWND h = hwnd_;
    if (h && hotKeyNames_->count() != 0) ::SendMessageW(h, LibraryMessage::kUnregisterAllHotKeys, 0, 0);
    hotKeyNames_->clear();
}

bool Window::isHotKey(const wchar_t* name) {
    if (!name) return false;
    const ATOM atom = GlobalAddAtomW(name);
    GlobalDeleteAtom(atom);
    return atom != 0 && atom == lastHotKey_;
}

// --- User timers -----------------------------------------------------------------

bool Window::startTimer(int64_t id, int32_t milliseconds) {
    HWND h = hwnd_;
    if (!h) return false;
    stopTimer(id);
    TimerRecord record{id, milliseconds};
    return ::SendMessageW(h, LibraryMessage::kStartTimer, reinterpret_cast<WPARAM>(&record), 0) != 0;
}

void Window::stopTimer(int64_t id) {
    HWND h = hwnd_;
    if (!h) return;
    TimerRecord record{id, 0};
    ::SendMessageW(h, LibraryMessage::kStopTimer, reinterpret_cast<WPARAM>(&record), 0);
}

// --- Clipboard chain -------------------------------------------------------------

void Window::setClipboardViewer(bool on) {
    if (on) {
        if (inClipboardChain_) return;
        inClipboardChain_ = true;
        if (hwnd_) nextViewer_ = ::SetClipboardViewer(hwnd_);
    } else {
        leaveClipboardChain();
    }
}

void Window::leaveClipboardChain() {
    if (!inClipboardChain_) return;
    inClipboardChain_ = false;
    if (hwnd_) ::ChangeClipboardChain(hwnd_, nextViewer_);
    nextViewer_ = nullptr;
}

// --- Opacity and auto-hide -------------------------------------------------------

int32_t Window::wantedOpacity() const { return (topMost_ || !opacityOnlyTopMost_) ? targetOpacity_ : 100; }

void Window::setOpacity(int32_t percent, bool onlyTopMost) {
    targetOpacity_ = percent;
    opacityOnlyTopMost_ = onlyTopMost;
    applyOpacity((onlyTopMost && !topMost_) ? 100 : percent);
}

void Window::applyOpacity(int32_t percent) {
    HWND h = hwnd_;
    if (!h || percent == currentOpacity_) return;
    static system::win::DllLocater user32(L"user32.dll");
    static SetLayeredFn setLayered = user32.entry<SetLayeredFn>("SetLayeredWindowAttributes");
    if (!user32.isLoaded() || g_opacityLoaderFails.load()) {
        const DWORD error = g_opacityLoaderFails.load() ? ERROR_MOD_NOT_FOUND : GetLastError();
        wchar_t text[96];
        wsprintfW(text, L"Failed to Load user32Dll.dll!!\nError Code - %u", unsigned(error));
        ::SendMessageW(h, LibraryMessage::kShowInfo, reinterpret_cast<WPARAM>(text), 0);
        return;
    }
    if (!setLayered) return;
    const LONG_PTR ex = GetWindowLongPtrW(h, GWL_EXSTYLE);
    if (currentOpacity_ == 100 && percent != 100) SetWindowLongPtrW(h, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    setLayered(h, 0, geometry::alphaOfPercent(percent), LWA_ALPHA);
    if (percent == 100 && (GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_LAYERED))
        SetWindowLongPtrW(h, GWL_EXSTYLE, GetWindowLongPtrW(h, GWL_EXSTYLE) & ~LONG_PTR(WS_EX_LAYERED));
    currentOpacity_ = percent;
}

void Window::undoAutoHide() {
    HWND h = hwnd_;
    if (!h) return;
    if (!fadeMode_ && shrinkMode_ == 0 && !isAutoHidden()) return;
    for (UINT_PTR id = 1; id <= 6; ++id) ::KillTimer(h, id);
    if (isShrunk()) {
        const int32_t w = savedWidth_, hh = savedHeight_;
        savedWidth_ = savedHeight_ = -1;
        setSizeNoMove(w, hh);
    }
    if (currentOpacity_ < wantedOpacity()) applyOpacity(wantedOpacity());
}

void Window::setAutoHide(bool enabled, int32_t mode, bool onlyTopMost, int32_t delaySeconds, int32_t targetWidth,
                         int32_t targetHeight, bool shiftOverride) {
    shrinkWidth_ = targetWidth;
    shrinkHeight_ = targetHeight;
    shiftOverride_ = shiftOverride;
    HWND h = hwnd_;
    if ((fadeMode_ || shrinkMode_ != 0) && h) {
        if (isShrunk()) {
            for (UINT_PTR id = 4; id <= 6; ++id) ::KillTimer(h, id);
            const int32_t w = savedWidth_, hh = savedHeight_;
            savedWidth_ = savedHeight_ = -1;
            setSizeNoMove(w, hh);
        }
        if (currentOpacity_ < wantedOpacity()) {
            for (UINT_PTR id = 1; id <= 3; ++id) ::KillTimer(h, id);
            applyOpacity(wantedOpacity());
        }
    }
    if (enabled) {
        shrinkMode_ = uint8_t(mode);
        autoHideOnlyTopMost_ = onlyTopMost;
        fadeMode_ = mode == 0;
        delaySeconds_ = delaySeconds;
    } else {
        fadeMode_ = false;
        shrinkMode_ = 0;
        autoHideOnlyTopMost_ = true;
        delaySeconds_ = 5;
    }
}

void Window::onPointerOver() {
    HWND h = hwnd_;
    if (!h) return;
    const bool shift = shiftOverride_ && isShiftDown();
    if (fadeMode_) {
        if (autoHideOnlyTopMost_ && !topMost_) return;
        for (UINT_PTR id = 1; id <= 6; ++id) ::KillTimer(h, id);
        if (isShrunk()) {
            const int32_t w = savedWidth_, hh = savedHeight_;
            savedWidth_ = savedHeight_ = -1;
            setSizeNoMove(w, hh);
        }
        if (shift) {
            if (currentOpacity_ < wantedOpacity()) applyOpacity(wantedOpacity());
            return;
        }
        ::SetTimer(h, 3, 10, nullptr);
    } else if (shrinkMode_ != 0) {
        if (autoHideOnlyTopMost_ && !topMost_) return;
        for (UINT_PTR id = 1; id <= 6; ++id) ::KillTimer(h, id);
        if (currentOpacity_ < wantedOpacity()) applyOpacity(wantedOpacity());
        if (shift) {
            if (isShrunk()) {
                const int32_t w = savedWidth_, hh = savedHeight_;
                savedWidth_ = savedHeight_ = -1;
                setSizeNoMove(w, hh);
            }
            return;
        }
        if (!isShrunk()) {
            savedWidth_ = getWidth();
            savedHeight_ = getHeight();
        }
        ::SetTimer(h, 6, 10, nullptr);
    }
}

void Window::followCursor() {
    HWND h = hwnd_;
    if (!h) return;
    ::KillTimer(h, 100);
    if (!followCursor_) return;
    POINT p;
    ::GetCursorPos(&p);
    const int32_t w = getWidth(), hh = getHeight();
    if (p.x - getX() != w / 2 || p.y - getY() != hh / 2) setPosition(p.x - w / 2, p.y - hh / 2);
    if (visible_) ::SetTimer(h, 100, 100, nullptr);
}

// --- Skinned frame ---------------------------------------------------------------

void Window::setWindowDrawer(drawer::IWindow* drawer, bool owned) {
    if (frameDrawer_ && frameDrawerOwned_ && frameDrawer_ != drawer) {
        if (auto* poolable = dynamic_cast<thread::IPoolable*>(static_cast<base::IObject*>(frameDrawer_)))
            poolable->release();
    }
    frameDrawer_ = drawer;
    frameDrawerOwned_ = owned;
    if (drawer) setStandardFrame(false);
    repaint();
}

void Window::ensureBackBuffer(int32_t w, int32_t h) {
    if (w <= 0 || h <= 0) return;
    const int32_t capW = backBuffer_ ? backBuffer_->getCapacityWidth() : 0;
    const int32_t capH = backBuffer_ ? backBuffer_->getCapacityHeight() : 0;
    switch (geometry::backBufferAction(capW, capH, w, h)) {
        case geometry::BufferAction::Keep: return;
        case geometry::BufferAction::Grow:
            backBuffer_->reserve(w, h);
            backBuffer_->setSize(backBuffer_->getCapacityWidth(), backBuffer_->getCapacityHeight());
            return;
        case geometry::BufferAction::Replace:
            backBuffer_->release();
            backBuffer_ = nullptr;
            [[fallthrough]];
        case geometry::BufferAction::Make:
            backBuffer_ = image::win::BufferedImage::create();
            backBuffer_->allocate(w, h);
            return;
    }
}

// Paints the rectangle (0, 0, w, h) into the back buffer: through the frame drawer, or
// filled with the background colour. Answers the memory DC holding it (the caller
// releases it), null when no buffer could be made.
MemDC* Window::paintIntoBackBuffer(int32_t w, int32_t h) {
    ensureBackBuffer(w, h);
    if (!backBuffer_ || !backBuffer_->hasPixels()) return nullptr;
    MemDC* mem = MemDC::forImage(hwnd_, backBuffer_, false);
    if (!mem) return nullptr;
    if (frameDrawer_) {
        frameDrawer_->paint(mem->getHdc(), 0, 0, w, h);
    } else {
        const RECT r{0, 0, w, h};
        HBRUSH brush = CreateSolidBrush(background_);
        FillRect(mem->getHdc(), &r, brush);
        DeleteObject(brush);
    }
    return mem;
}

void Window::paintClient(HDC target) {
    RECT client;
    ::GetClientRect(hwnd_, &client);
    MemDC* mem = paintIntoBackBuffer(client.right, client.bottom);
    if (!mem) {
        HBRUSH brush = CreateSolidBrush(background_);
        FillRect(target, &client, brush);
        DeleteObject(brush);
        return;
    }
    for (uint32_t i = 0; i < children_.count(); ++i) {
        auto* c = children_.at<IComponent>(i);
        const int32_t x = c->getX(), y = c->getY();
        ExcludeClipRect(target, x, y, x + c->getWidth(), y + c->getHeight());
    }
    BitBlt(target, 0, 0, client.right, client.bottom, mem->getHdc(), 0, 0, SRCCOPY);
    mem->release();
}

void Window::paintFrame() {
    HWND h = hwnd_;
    if (!h) return;
    RECT r;
    ::GetWindowRect(h, &r);
    const int32_t w = r.right - r.left, hh = r.bottom - r.top;
    HDC dc = ::GetWindowDC(h);
    if (!dc) return;
    // The client area, in window coordinates, is painted by WM_ERASEBKGND.
    RECT client;
    ::GetClientRect(h, &client);
    POINT origin{0, 0};
    ::ClientToScreen(h, &origin);
    const int32_t cx = origin.x - r.left, cy = origin.y - r.top;
    ExcludeClipRect(dc, cx, cy, cx + client.right, cy + client.bottom);
    if (MemDC* mem = paintIntoBackBuffer(w, hh)) {
        BitBlt(dc, 0, 0, w, hh, mem->getHdc(), 0, 0, SRCCOPY);
        mem->release();
    }
    ::ReleaseDC(h, dc);
}

void Window::updateRegion() {
    HWND h = hwnd_;
    if (!h || !frameDrawer_) return;
    RECT r;
    ::GetWindowRect(h, &r);
    HRGN region = frameDrawer_->createRegion(0, 0, r.right - r.left, r.bottom - r.top);
    if (region) ::SetWindowRgn(h, region, TRUE);  // the system owns the region now
}

void Window::dragFrame(int32_t x, int32_t y) {
    if (!frameDrawer_ || !gripHover_ || !dragActive_) return;
    HWND h = hwnd_;
    RECT now;
    ::GetWindowRect(h, &now);
    // The edges follow the cursor by the distance it moved since the press; computed
    // from the rectangle at the press, a clamped edge never drifts from the cursor.
    const int32_t dx = now.left + x - dragStartScreen_.x, dy = now.top + y - dragStartScreen_.y;
    RECT r = dragStartRect_;
    switch (gripKind_) {
        case HTLEFT: r.left += dx; break;
        case HTRIGHT: r.right += dx; break;
        case HTTOP: r.top += dy; break;
        case HTBOTTOM: r.bottom += dy; break;
        case HTTOPLEFT: r.left += dx, r.top += dy; break;
        case HTTOPRIGHT: r.right += dx, r.top += dy; break;
        case HTBOTTOMLEFT: r.left += dx, r.bottom += dy; break;
        case HTBOTTOMRIGHT: r.right += dx, r.bottom += dy; break;
        default: return;
    }
    ::SendMessageW(h, WM_SIZING, WPARAM(geometry::wmszFromHitTest(gripKind_)), reinterpret_cast<LPARAM>(&r));
    setBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// --- Snapshot --------------------------------------------------------------------

void Window::saveSnapshotGif(const wchar_t* path) {
    HWND h = hwnd_;
    if (!h || !path) return;
    // This window's own rectangle, whatever other window overlaps its corner.
    image::win::BufferedImage* shot = system::captureWindow(h);
    if (!shot) return;
    shot->writeGifFile(path, 8, true, 255, 255, 255);
    shot->release();
}

}  // namespace s::gui::win
