// The window's message hook: Windows messages become window events for the listeners,
// the private messages run work on the window's thread, and the skinned frame, the
// auto-hide timers and keep-inside-screen are carried out here.
#include "foundation/str/StrArray.h"
#include "foundation/str/StrBuffer.h"
#include "framework/app/Afx.h"
#include "gui/app/IAppBase.h"
#include "gui/app/IAppWindow.h"
#include "gui/menus/IMenuEx.h"
#include "gui/menus/IPopupMenu.h"
#include "gui/window/Window.h"
#include "gui/window/WindowGeometry.h"
#include "platform/system/Monitor.h"
#include "platform/system/Screen.h"

namespace s::gui::win {

namespace {

int32_t xOf(LPARAM lp) { return int16_t(LOWORD(lp)); }
int32_t yOf(LPARAM lp) { return int16_t(HIWORD(lp)); }

bool isSizingHit(int32_t hit) { return hit >= HTLEFT && hit <= HTBOTTOMRIGHT; }

const wchar_t* cursorForHit(int32_t hit) {
    switch (hit) {
        case HTTOPLEFT:
        case HTBOTTOMRIGHT: return IDC_SIZENWSE;
        case HTTOPRIGHT:
        case HTBOTTOMLEFT: return IDC_SIZENESW;
        case HTTOP:
        case HTBOTTOM: return IDC_SIZENS;
        default: return IDC_SIZEWE;
    }
}

int64_t nowMillis() { return int64_t(GetTickCount64()); }

}  // namespace

// --- Routing ---------------------------------------------------------------------

LRESULT Window::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (preHandle(&result, message, wParam, lParam)) return result;
    result = CWnd::WindowProc(message, wParam, lParam);
    postHandle(&result, message, wParam, lParam);
    return result;
}

BOOL Window::PreTranslateMessage(MSG* msg) {
    if (IsDialogMessage(msg)) return TRUE;
    return CWnd::PreTranslateMessage(msg);
}

void Window::cursorRule() {
    if (followCursor_) followCursor();
    if (hideCursor_) ::SetCursor(nullptr);
}

// --- The hook --------------------------------------------------------------------

bool Window::preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    *result = 0;
    HWND h = m_hWnd;
    switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_ACTIVE || LOWORD(wParam) == WA_CLICKACTIVE) {
                cursorRule();
                if (owner_.m_hWnd) ::ShowWindow(owner_.m_hWnd, SW_SHOWNA);  // SW_SHOW would take the activation
                raise(WindowEvent::kActivate);
                active_ = true;
                deactivatedAt_ = 0;
            } else {
                raise(WindowEvent::kDeactivate);
                if (active_) {
                    deactivatedAt_ = nowMillis();
                    active_ = false;
                }
            }
            return false;

        case WM_CLOSE: return handleClose(result);

        case WM_ENDSESSION:
            // Shut-down and log-off alike: close the window and keep the settings.
            if (wParam) {
                shuttingDown_ = true;
                if (!closed_ && ::IsWindow(h)) ::SendMessageW(h, WM_CLOSE, 0, 0);
                if (appWindow_ && appWindow_->getAppBase()) appWindow_->getAppBase()->saveSettings();
            }
            return false;

        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE && closeToTray_ && !inTray_) {
                hideToTray();
                return true;
            }
            return false;

        case WM_PAINT:
        case WM_ERASEBKGND:
        case WM_NCCALCSIZE:
        case WM_NCPAINT:
        case WM_NCACTIVATE:
        case 0xAE: return handlePaint(result, message, wParam, lParam);

        case WM_GETDLGCODE: *result = CWnd::WindowProc(message, wParam, lParam) | DLGC_WANTALLKEYS; return true;

        case WM_NCHITTEST: {
            if (!frameDrawer_ && !easyDrag_) return false;
            *result = CWnd::WindowProc(message, wParam, lParam);
            bool edge = false;
            if (frameDrawer_ && resizable_) {
                RECT r;
                ::GetWindowRect(h, &r);
                const int32_t code = geometry::frameHitTest(xOf(lParam) - r.left, yOf(lParam) - r.top, r.right - r.left,
                                                            r.bottom - r.top, system::getScreenScale(), -1);
                if (code != -1) {
                    *result = code;
                    edge = true;
                }
            }
            if (!edge && easyDrag_ && *result == HTCLIENT && GetAsyncKeyState(VK_RBUTTON) >= 0) *result = HTCAPTION;
            return true;
        }

        case WM_SETCURSOR:
            if ((followCursor_ || hideCursor_) && visible_) {
                ::SetCursor(nullptr);
                *result = 1;
                return true;
            }
            return false;

        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_NCLBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_NCLBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MOUSEWHEEL:
        case WM_CAPTURECHANGED: return handlePointer(result, message, wParam, lParam);

        case WM_KEYDOWN:
            lastKey_ = int32_t(wParam);
            raise(WindowEvent::kKeyDown);
            return wParam == VK_RETURN;

        case WM_COMMAND: {
            if (HIWORD(wParam) != 0) return false;
            const int32_t id = LOWORD(wParam);
            if (menuBar_ && menuBar_->hasCommand(id))
                menuBar_->fireCommand(id);
            else if (trayMenu_ && trayMenu_->hasItem(id))
                trayMenu_->fireCommand(id);
            else if (contextMenu_ && contextMenu_->hasItem(id))
                contextMenu_->fireCommand(id);
            else
                return false;
            return true;
        }

        case WM_WINDOWPOSCHANGING:
            handlePosChanging(reinterpret_cast<WINDOWPOS*>(lParam));
            raise(WindowEvent::kMoving);
            return frameDrawer_ != nullptr;

        case WM_WINDOWPOSCHANGED: {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            if ((pos->flags & SWP_NOSIZE) || ::IsIconic(h)) return false;
            if (frameDrawer_) updateRegion();
            if (!isShrunk()) {
                if (frameDrawer_) paintFrame();
                doLayout();
            }
            return false;
        }

        case WM_SIZING: handleSizing(reinterpret_cast<RECT*>(lParam), wParam); return false;

        case WM_POWERBROADCAST:
            if (wParam == PBT_APMSUSPEND) suspended_ = true;
            if (wParam == PBT_APMRESUMESUSPEND || wParam == PBT_APMRESUMEAUTOMATIC) suspended_ = false;
            return false;

        case WM_DRAWCLIPBOARD:
            raise(WindowEvent::kClipboard);
            if (nextViewer_) ::PostMessageW(nextViewer_, message, wParam, lParam);
            return true;

        case WM_CHANGECBCHAIN:
            if (reinterpret_cast<HWND>(wParam) == nextViewer_)
                nextViewer_ = reinterpret_cast<HWND>(lParam);
            else if (nextViewer_)
                ::PostMessageW(nextViewer_, message, wParam, lParam);
            return true;

        case WM_HOTKEY:
            lastHotKey_ = uint16_t(wParam);
            raise(WindowEvent::kHotKey);
            return false;

        case WM_TIMER: return handleTimer(result, wParam);

        default: return handleLibraryMessage(result, message, wParam, lParam);
    }
}

bool Window::handleClose(LRESULT* result) {
    *result = 0;
    if (closed_) return true;
    veto_ = false;
    raise(WindowEvent::kClose);
    if (veto_) {
        veto_ = false;
        return true;
    }
    setVisible(false, true);
    leaveClipboardChain();
    if (trayShown_) {
        // Both flags: a pinned icon would otherwise outlive the closed window.
        trayAlwaysShown_ = false;
        trayPinned_ = false;
        showTrayIcon(false);
    }
    closed_ = true;
    return true;
}

bool Window::handlePaint(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            paintClient(reinterpret_cast<HDC>(wParam));
            *result = 1;
            return true;
        case WM_PAINT:
            if (!frameDrawer_) return false;
            {
                PAINTSTRUCT ps;
                HDC dc = ::BeginPaint(m_hWnd, &ps);
                paintClient(dc);
                ::EndPaint(m_hWnd, &ps);
            }
            return true;
        case WM_NCCALCSIZE:
            if (!frameDrawer_ || !wParam || !lParam) return false;
            *result = 0;
            return true;
        case WM_NCPAINT:
            if (!frameDrawer_) return false;
            paintFrame();
            return true;
        case WM_NCACTIVATE:
            if (!frameDrawer_) return false;
            *result = 1;
            return true;
        default:  // 0xAE: the themed caption repaint
            return frameDrawer_ != nullptr;
    }
}

bool Window::handlePointer(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND h = m_hWnd;
    switch (message) {
        case WM_MOUSEMOVE:
            cursorRule();
            onPointerOver();
            if (gripHover_) {
                if (dragActive_) {
                    dragFrame(xOf(lParam), yOf(lParam));
                } else {
                    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
                    ::ReleaseCapture();
                    gripHover_ = false;
                }
            }
            raise(WindowEvent::kMouseMove);
            return false;

        case WM_NCMOUSEMOVE: {
            cursorRule();
            onPointerOver();
            raise(WindowEvent::kMouseMove);
            if (!frameDrawer_ || !resizable_) return false;
            if (!hideCursor_) {
                const int32_t hit = int32_t(::SendMessageW(h, WM_NCHITTEST, 0, lParam));
                gripKind_ = hit;
                if (isSizingHit(hit)) {
                    ::SetCursor(::LoadCursorW(nullptr, cursorForHit(hit)));
                    ::SetCapture(h);
                    gripHover_ = true;
                } else if (gripHover_) {
                    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
                    ::ReleaseCapture();
                    gripHover_ = false;
                }
            }
            return true;
        }

        case WM_LBUTTONDOWN:
        case WM_NCLBUTTONDOWN: {
            if (!frameDrawer_ || !gripHover_) {
                raise(WindowEvent::kLeftButtonDown);
                focus();
                return false;
            }
            RECT r;
            ::GetWindowRect(h, &r);
            POINT p{xOf(lParam), yOf(lParam)};
            if (message == WM_LBUTTONDOWN) ::ClientToScreen(h, &p);
            dragStartScreen_ = p;
            dragStartRect_ = r;
            if (p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom) dragActive_ = true;
            return true;
        }

        case WM_LBUTTONUP:
        case WM_NCLBUTTONUP: {
            raise(WindowEvent::kLeftButtonUp);
            if (dragActive_) {
                POINT p{xOf(lParam), yOf(lParam)};
                if (message == WM_NCLBUTTONUP) {
                    RECT r;
                    ::GetWindowRect(h, &r);
                    p = {p.x - r.left, p.y - r.top};
                }
                dragFrame(p.x, p.y);
                dragActive_ = false;
            }
            focus();
            return false;
        }

        case WM_LBUTTONDBLCLK:
        case WM_NCLBUTTONDBLCLK:
            raise(WindowEvent::kDoubleClick);
            if (passDoubleClick_) return false;
            *result = 0;
            return true;

        case WM_MBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
            raise(WindowEvent::kMiddleButtonDown);
            if (mClickAction_->equalsExact(L"Close"))
                close();
            else if (mClickAction_->equalsExact(L"Iconize"))
                hideToTray();
            return false;

        case WM_RBUTTONDOWN:
            raise(WindowEvent::kRightButtonDown);
            if (contextMenu_) {
                raise(WindowEvent::kContextMenu);
                POINT p;
                ::GetCursorPos(&p);
                contextMenu_->showBelow(p.x, p.y, this);
            }
            return false;

        case WM_RBUTTONUP: raise(WindowEvent::kRightButtonUp); return false;

        case WM_MOUSEWHEEL: {
            const int32_t x = int16_t(LOWORD(lParam)), y = int16_t(HIWORD(lParam));
            for (uint32_t i = 0; i < children_.count(); ++i) {
                auto* child = children_.at<IComponent>(i);
                if (!child->isContainer() || !child->isVisible() || !child->containsScreenPoint(x, y)) continue;
                auto* wnd = dynamic_cast<CWnd*>(child);
                if (wnd && wnd->m_hWnd && ::SendMessageW(wnd->m_hWnd, message, wParam, lParam) == 0) return true;
            }
            if (listeners_[WindowEvent::kWheel].count() != 0) {
                UINT lines = 3;
                SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
                wheelLines_ = int32_t(wParam) > 0 ? int32_t(lines) : -int32_t(lines);
                raise(WindowEvent::kWheel);
            }
            return true;
        }

        case WM_CAPTURECHANGED:
            if (captureTaken_) {
                POINT p;
                ::GetCursorPos(&p);
                captureLostX_ = p.x;
                captureLostY_ = p.y;
                captureTaken_ = false;
                ::ReleaseCapture();
                raise(WindowEvent::kCaptureChanged);
            }
            return false;
    }
    return false;
}

void Window::handleSizing(RECT* r, WPARAM wmsz) {
    sizingEdge_ = geometry::sizingEdgeFromWmsz(int32_t(wmsz));
    geometry::Rect rect{r->left, r->top, r->right, r->bottom};
    if (auto* m = system::monitor::findMonitor(getX(), getY(), getWidth(), getHeight()))
        geometry::cutToWorkHeight(&rect, sizingEdge_, m->getWorkHeight());
    sizingRect_ = {rect.left, rect.top, rect.right, rect.bottom};
    raise(WindowEvent::kSizing);
    rect = {sizingRect_.left, sizingRect_.top, sizingRect_.right, sizingRect_.bottom};
    geometry::enforceMinimumSize(&rect, sizingEdge_, keepMinWidth_, getMinWidth(), keepMinHeight_, getMinHeight());
    *r = {rect.left, rect.top, rect.right, rect.bottom};
}

void Window::handlePosChanging(WINDOWPOS* pos) {
    if (!keepInsideScreen_ || !pos) return;
    geometry::Area area;
    if (GetSystemMetrics(SM_CMONITORS) >= 2)
        area = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    else
        area = {system::getWorkAreaLeft(), system::getWorkAreaTop(), system::getWorkAreaWidth(),
                system::getWorkAreaHeight()};
    const bool noMove = pos->flags & SWP_NOMOVE, noSize = pos->flags & SWP_NOSIZE;
    const int32_t cx = noSize ? getWidth() : pos->cx, cy = noSize ? getHeight() : pos->cy;
    if (!noMove) {
        int32_t x = pos->x, y = pos->y;
        geometry::clampIntoArea(&x, &y, cx, cy, area);
        pos->x = x;
        pos->y = y;
    } else if (!noSize) {
        int32_t x = getX(), y = getY();
        if (geometry::clampIntoArea(&x, &y, cx, cy, area)) {
            pos->x = x;
            pos->y = y;
            pos->flags &= ~UINT(SWP_NOMOVE);
        }
    }
}

bool Window::handleTrayCallback(LPARAM mouseMessage) {
    switch (UINT(mouseMessage)) {
        case WM_MOUSEMOVE:
            if (hideCursor_) ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
            break;
        case WM_LBUTTONDOWN:
            if (trayClickToggles_) {
                if (inTray_) {
                    restoreFromTray();
                } else if (active_ || nowMillis() <= deactivatedAt_ + 150) {
                    hideToTray();
                } else {
                    bringToFront(true);
                    if (isMinimized()) restoreFromTray();
                }
            }
            raise(WindowEvent::kTrayClick);
            break;
        case WM_RBUTTONDOWN:
            if (trayMenu_) {
                raise(WindowEvent::kTrayRightClick);
                ::SetForegroundWindow(m_hWnd);
                POINT p;
                ::GetCursorPos(&p);
                trayMenu_->showAbove(p.x, p.y, this);
                ::SetForegroundWindow(m_hWnd);
            }
            break;
    }
    return true;
}

bool Window::handleTimer(LRESULT* result, WPARAM id) {
    HWND h = m_hWnd;
    const bool shift = shiftOverride_ && isShiftDown();
    const int32_t wanted = wantedOpacity();
    *result = 0;
    switch (id) {
        case 1: {
            if (shift) {
                ::KillTimer(h, 1);
                ::SetTimer(h, 2, 0, nullptr);
            }
            POINT p;
            ::GetCursorPos(&p);
            RECT r;
            ::GetWindowRect(h, &r);
            if (p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom) return true;
            countdown_ -= 500;
            if (countdown_ < 1) {
                ::KillTimer(h, 1);
                ::SetTimer(h, 2, 25, nullptr);
            }
            return true;
        }
        case 2: {
            bool done = false;
            const int32_t next = shift ? wanted : geometry::fadeInStep(currentOpacity_, wanted, &done);
            applyOpacity(next);
            if (shift || done) ::KillTimer(h, 2);
            return true;
        }
        case 3: {
            if (shift) {
                ::KillTimer(h, 3);
                ::SetTimer(h, 1, 0, nullptr);
            }
            bool done = false;
            const int32_t next = geometry::fadeOutStep(currentOpacity_, wanted, &done);
            if (!done) {
                applyOpacity(next);
            } else {
                ::KillTimer(h, 3);
                applyOpacity(0);
                countdown_ = delaySeconds_ * 1000;
                ::SetTimer(h, 1, 500, nullptr);
            }
            return true;
        }
        case 4: {
            POINT p;
            ::GetCursorPos(&p);
            const int32_t x = p.x - getX(), y = p.y - getY();
            if (x < 0 || x > savedWidth_ || y < 0 || y > savedHeight_ || shift) {
                ::KillTimer(h, 4);
                ::SetTimer(h, 5, 25, nullptr);
            }
            return true;
        }
        case 5:
        case 6: {
            // A stale tick after the window was restored: nothing is shrunk any more.
            if (savedWidth_ == -1 || savedHeight_ == -1) {
                ::KillTimer(h, id);
                return true;
            }
            const geometry::Size current{getWidth(), getHeight()};
            const geometry::Size saved{savedWidth_, savedHeight_};
            const geometry::Size target{shrinkWidth_, shrinkHeight_};
            bool done = false;
            if (id == 5) {
                const geometry::Size next = geometry::growStep(current, saved, target, &done);
                if (done) {
                    ::KillTimer(h, 5);
                    savedWidth_ = savedHeight_ = -1;
                }
                setSizeNoMove(next.width, next.height);
            } else {
                const geometry::Size next = geometry::shrinkStep(current, saved, target, &done);
                setSizeNoMove(next.width, next.height);
                if (done) {
                    ::KillTimer(h, 6);
                    ::SetTimer(h, 4, UINT(shift ? 0 : delaySeconds_ * 1000), nullptr);
                }
            }
            return true;
        }
        case 100:
            if (followCursor_) followCursor();
            return true;
        default:
            if (id >= WPARAM(kUserTimerBase)) {
                timerId_ = int64_t(id) - kUserTimerBase;
                timerHandled_ = false;
                raise(WindowEvent::kTimer);
                return timerHandled_;
            }
            return false;
    }
}

bool Window::handleLibraryMessage(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND h = m_hWnd;
    switch (message) {
        case LibraryMessage::kInvoke: {
            auto* record = reinterpret_cast<InvokeRecord*>(wParam);
            if (!record) return true;
            for (int i = 0; i < 4; ++i) invokeArgs_[i] = record->args[i];
            invokeResult_ = 0;
            raise(WindowEvent::kInvoke);
            *result = LRESULT(invokeResult_);
            if (record->ownedByMessage) delete record;
            return true;
        }
        case LibraryMessage::kTrayCallback: return handleTrayCallback(lParam);
        case LibraryMessage::kActivateInstance:
            if (inTray_ || isMinimized()) restoreFromTray();
            bringToFront(true);
            return true;
        case LibraryMessage::kShowInfo:
            AfxMessageBox(reinterpret_cast<const wchar_t*>(wParam), MB_ICONINFORMATION);
            return true;
        case LibraryMessage::kShowError:
            AfxMessageBox(reinterpret_cast<const wchar_t*>(wParam), MB_ICONERROR);
            return true;
        case LibraryMessage::kAskYesNo:
            *result = AfxMessageBox(reinterpret_cast<const wchar_t*>(wParam), MB_YESNO | MB_ICONQUESTION) == IDYES;
            return true;
        case LibraryMessage::kInstanceMessage: raise(WindowEvent::kInstanceMessage); return true;
        case LibraryMessage::kRegisterHotKey: {
            const auto* record = reinterpret_cast<const HotKeyRecord*>(wParam);
            const ATOM atom = GlobalAddAtomW(record->name);
            if (::RegisterHotKey(h, atom, record->modifiers, record->keyCode)) {
                hotKeyNames_->addText(record->name);
                *result = 1;
                return true;
            }
            const DWORD error = GetLastError();
            if (record->showFailure) {
                auto* text = str::strbuffer::StrBuffer::create();
                wchar_t number[16];
                wsprintfW(number, L"%u", unsigned(error));
                text->appendText(L"(")->appendText(number)->appendText(L") ")->appendText(record->failureMessage);
                AfxMessageBox(text->text(), MB_ICONINFORMATION);
                text->release();
            }
            *result = 0;
            return true;
        }
        case LibraryMessage::kUnregisterHotKey: {
            const auto* record = reinterpret_cast<const HotKeyRecord*>(wParam);
            ::UnregisterHotKey(h, GlobalAddAtomW(record->name));
            uint32_t index = 0;
            if (hotKeyNames_->indexOfTextIgnoreCase(record->name, &index)) hotKeyNames_->removeAt(index);
            return true;
        }
        case LibraryMessage::kUnregisterAllHotKeys:
            for (uint32_t i = 0; i < hotKeyNames_->count(); ++i)
                ::UnregisterHotKey(h, GlobalAddAtomW(hotKeyNames_->at(i)->text()));
            hotKeyNames_->clear();
            return true;
        case LibraryMessage::kStartTimer: {
            const auto* record = reinterpret_cast<const TimerRecord*>(wParam);
            *result = ::SetTimer(h, UINT_PTR(record->id + kUserTimerBase), UINT(record->milliseconds), nullptr) != 0;
            return true;
        }
        case LibraryMessage::kStopTimer: {
            const auto* record = reinterpret_cast<const TimerRecord*>(wParam);
            ::KillTimer(h, UINT_PTR(record->id + kUserTimerBase));
            return true;
        }
        case LibraryMessage::kCloseOwner:
            dropPendingInvokes();
            // Destroying the owner destroys the windows it owns, this one included.
            if (owner_.m_hWnd) ::SendMessageW(owner_.m_hWnd, LibraryMessage::kCloseOwner, 0, 0);
            if (::IsWindow(h)) ::DestroyWindow(h);
            return true;
        case LibraryMessage::kAttachChild:
            if (auto* child = reinterpret_cast<IComponent*>(wParam)) child->setParent(this);
            return true;
        default: return false;
    }
}

void Window::postHandle(LRESULT*, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            if (wParam == SIZE_MINIMIZED || wParam == SIZE_MAXIMIZED) {
                maximized_ = wParam == SIZE_MAXIMIZED;
                if (maximized_) doLayout();
                if (appWindow_) {
                    appWindow_->setMaximized(maximized_);
                    appWindow_->setBounds(normalX_, normalY_, normalWidth_, normalHeight_);
                }
            } else if (wParam == SIZE_RESTORED) {
                if (maximized_) {
                    maximized_ = false;
                    doLayout();
                    savePosition(false);
                }
                raise(WindowEvent::kNormalSize);
            }
            raise(WindowEvent::kResize);
            return;
        case WM_WINDOWPOSCHANGED: {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            if (!(pos->flags & SWP_NOMOVE)) raise(WindowEvent::kMove);
            const bool neither = (pos->flags & SWP_NOMOVE) && (pos->flags & SWP_NOSIZE);
            if (!neither && !isMaximized() && !isMinimized() && hwnd_) {
                normalX_ = getX();
                normalY_ = getY();
                normalWidth_ = getWidth();
                normalHeight_ = getHeight();
            }
            return;
        }
        default: return;
    }
}

}  // namespace s::gui::win
