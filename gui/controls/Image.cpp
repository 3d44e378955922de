// The picture view control: geometry, the shown set, painting, the frame clock, dragging
// and the exports.
#include "gui/controls/Image.h"

#include <windowsx.h>

#include <algorithm>

#include "foundation/time/Clock.h"
#include "gui/component/IContainer.h"
#include "gui/component/LibraryMessage.h"
#include "gui/controls/ImagePrint.h"
#include "gui/drawer/DefaultDrawers.h"
#include "gui/layout/SizeHints.h"
#include "gui/window/WindowClass.h"
#include "imaging/exchange/Print.h"
#include "imaging/filters/Filter.h"
#include "imaging/filters/Sharpness.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"
#include "imaging/settings/EncodeSetting.h"
#include "platform/system/Screen.h"

namespace s::gui::win {

using ::s::image::win::BufferedImage;
using ::s::image::win::BufferedImageSet;
using Guard = thread::ObjLocker::Guard;

namespace {

constexpr UINT_PTR kFrameTimer = 1;
constexpr UINT kFrameTimerMs = 25;
// The control's own messages: start (wParam 1) or stop (0) the frame timer on the window's thread.
constexpr UINT kImageTimerControl = 0x1410;

bool onWindowThread(HWND hwnd) { return ::GetWindowThreadProcessId(hwnd, nullptr) == ::GetCurrentThreadId(); }

bool intersect(RECT* r, const RECT& with) { return ::IntersectRect(r, r, &with) != FALSE; }

// Takes that very filter object out of the chain without giving it back to its pool.
void detachFilterObject(BufferedImage* image, ::s::image::filters::IFilter* filter) {
    if (!image || !filter) return;
    col::_array::ArrayP* chain = image->getFilters();
    for (int32_t i = int32_t(chain->count()) - 1; i >= 0; --i) {
        if (image->getFilter(i) != filter) continue;
        const bool flag = filter->isReleasedWithImage();
        filter->setReleasedWithImage(false);
        image->removeFilter(i);
        filter->setReleasedWithImage(flag);
        return;
    }
}

}  // namespace

Image::Image() {
    defaultDrawer_ = drawer::createDefaultImage();
    reset();
}

Image::~Image() {
    reset();
    drawer::releaseDrawer(defaultDrawer_);
    defaultDrawer_ = nullptr;
    if (m_hWnd) DestroyWindow();
}

Image* Image::createWithWidthPercent(double percent, BufferedImage* picture) {
    Image* view = create();
    if (percent >= 0) view->setWidthPercent(int32_t(percent));
    if (picture) view->setImage(picture, true, true, true, true, -1, -1);
    return view;
}

Image* Image::createFixedSize(int32_t width, int32_t height, BufferedImage* picture) {
    Image* view = create();
    if (width >= 0) view->setFixedWidth(width);
    if (height >= 0) view->setFixedHeight(height);
    if (picture) view->setImage(picture, true, true, true, true, -1, -1);
    return view;
}

void Image::reset() {
    stopAnimation(false);
    setVisible(true, true);
    setParent(nullptr);
    resetControl(0, true);
    if (backBuffer_) backBuffer_->release();
    backBuffer_ = nullptr;
    {
        Guard g(lock_);
        if (set_ && ownsSet_) set_->release();
        set_ = nullptr;
        delays_.clear();
        clock_ = {};
    }
    ownsSet_ = true;
    stretch_ = false;
    keepRatio_ = true;
    blend_ = false;
    framed_ = false;
    storedColour_ = 0;
    grid_ = false;
    sizing_ = {};
    frozen_ = false;
    draggable_ = dragging_ = false;
    lastDrag_ = {0, 0};
    if (drawer_ && ownsDrawer_) drawer::releaseDrawer(drawer_);
    drawer_ = nullptr;
    ownsDrawer_ = false;
    paused_ = false;
    directPaints_ = 0;
    ticks_ = 0;
    timerMs_ = 0;
    if (sourceDc_) ::DeleteDC(sourceDc_);
    sourceDc_ = nullptr;
    printBackend_ = nullptr;
}

// --- Geometry ---------------------------------------------------------------------------

void Image::endUpdate() {
    if (frozen_) return;
    Control::endUpdate();
}

imageview::ImageSizing Image::sizingNow() {
    imageview::ImageSizing s = sizing_;
    s.hint[0] = widthHint_;
    s.hint[1] = heightHint_;
    s.frame = frameAllowance();
    s.parentInner[0] = parent_ ? parent_->getInnerWidth() : 0;
    s.parentInner[1] = parent_ ? parent_->getInnerHeight() : 0;
    return s;
}

using imageview::ImageAxis;
int32_t Image::getMinWidth() { return imageview::imageMinSize(sizingNow(), ImageAxis::kWidth); }
int32_t Image::getMinHeight() { return imageview::imageMinSize(sizingNow(), ImageAxis::kHeight); }
int32_t Image::getMinInnerWidth() { return imageview::imageMinInnerSize(sizingNow(), ImageAxis::kWidth); }
int32_t Image::getMinInnerHeight() { return imageview::imageMinInnerSize(sizingNow(), ImageAxis::kHeight); }
int32_t Image::getPreferredWidth() { return imageview::imagePreferredSize(sizingNow(), ImageAxis::kWidth); }
int32_t Image::getPreferredHeight() { return imageview::imagePreferredSize(sizingNow(), ImageAxis::kHeight); }
int32_t Image::getPreferredInnerWidth() { return imageview::imagePreferredInnerSize(sizingNow(), ImageAxis::kWidth); }
int32_t Image::getPreferredInnerHeight() { return imageview::imagePreferredInnerSize(sizingNow(), ImageAxis::kHeight); }

int32_t Image::getBorderWidth() { return framed_ ? system::getScreenScale() : 0; }

void Image::measure() {
    {
        Guard g(lock_);
        imageview::measurePicture(&sizing_, set_ ? set_->getWidth() : 0, set_ ? set_->getHeight() : 0, stretch_);
    }
    sizing_.keepRatio = keepRatio_;
    if (m_hWnd && parent_) parent_->validate();
}

// --- Visibility and background -------------------------------------------------------

void Image::setTransparent(bool transparent, bool redraw) {
    transparent_ = transparent;
    grid_ = false;
    if (redraw && isVisible()) repaint();
}

void Image::setTransparencyGrid(bool redraw) {
    transparent_ = true;
    grid_ = true;
    if (redraw && isVisible()) repaint();
}

void Image::setBackground(int32_t red, int32_t green, int32_t blue) {
    storedColour_ = (uint32_t(red & 0xFF) << 16) | (uint32_t(green & 0xFF) << 8) | uint32_t(blue & 0xFF);
}

void Image::repaint() {
    if (!isVisible() || !::IsWindow(m_hWnd)) return;
    // On the window's thread the view paints at once, without a WM_PAINT round; another
    // thread only marks the window (painting it there and then would wait on this one).
    if (!paintNow(nullptr)) ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void Image::repaintRect(int32_t x, int32_t y, int32_t w, int32_t h) {
    if (!isVisible() || !::IsWindow(m_hWnd)) return;
    const RECT r{x, y, x + w, y + h};
    if (!paintNow(&r)) ::InvalidateRect(m_hWnd, &r, FALSE);
}

bool Image::setFrozen(bool on) {
    if (frozen_ == on) return false;
    frozen_ = on;
    if (on) {
        beginUpdate();
    } else {
        if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, TRUE);
        endUpdate();
    }
    return true;
}

void Image::setDrawer(drawer::IImage* drawer, bool owned) {
    {
        Guard g(lock_);
        if (drawer_ && ownsDrawer_ && drawer_ != drawer) drawer::releaseDrawer(drawer_);
        drawer_ = drawer;
        ownsDrawer_ = drawer && owned;
    }
    repaint();
}

BufferedImage* Image::getBackBuffer(int32_t* x, int32_t* y) {
    return backBuffer_ ? backBuffer_ : Control::getBackBuffer(x, y);
}

// --- Messages -----------------------------------------------------------------------------

bool Image::preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) {
    *result = 0;
    switch (message) {
        case WM_PAINT: paint(); return true;
        case WM_TIMER:
            if (wParam != kFrameTimer) return false;
            onTimer();
            return true;
        case kImageTimerControl:
            if (wParam)
                startTimerHere();
            else
                stopTimerHere();
            return true;
        case WM_DESTROY:
            if (timerRunning_) {
                ::KillTimer(m_hWnd, kFrameTimer);
                timerRunning_ = false;
            }
            return false;
        default:
            if (handleMouse(result, message, lParam)) return true;
            return preHandleCommon(result, message, wParam, lParam, true, false);
    }
}

bool Image::handleMouse(LRESULT* result, UINT message, LPARAM lParam) {
    switch (message) {
        case WM_NCHITTEST: {
            const bool rightOrMiddle = ::GetAsyncKeyState(VK_RBUTTON) < 0 || ::GetAsyncKeyState(VK_MBUTTON) < 0;
            if (draggable_ && !rightOrMiddle) return false;
            *result = DefWindowProc(message, 0, lParam);
            if (*result == HTCLIENT) *result = HTTRANSPARENT;
            return true;
        }
        case WM_SETCURSOR:
            ::SetCursor(::LoadCursorW(nullptr, draggable_ ? IDC_HAND : IDC_ARROW));
            *result = 1;
            return true;
        case WM_LBUTTONDOWN:
            if (!draggable_) return false;
            ::SetCapture(m_hWnd);
            dragging_ = true;
            ::GetCursorPos(&lastDrag_);
            return true;
        case WM_MOUSEMOVE: {
            if (!dragging_) return false;
            RECT wr;
            ::GetWindowRect(m_hWnd, &wr);
            const int32_t sx = GET_X_LPARAM(lParam) + wr.left, sy = GET_Y_LPARAM(lParam) + wr.top;
            const int32_t dx = sx - lastDrag_.x, dy = sy - lastDrag_.y;
            moveOrigin(dx, dy);
            lastDrag_.x += dx;
            lastDrag_.y += dy;
            return true;
        }
        case WM_LBUTTONUP:
            dragging_ = false;
            ::ReleaseCapture();
            return true;
        default: return false;
    }
}

// --- The shown set -----------------------------------------------------------------------

void Image::setImage(BufferedImage* picture, bool takeOver, bool stretch, bool keepRatio, bool blend, int32_t width,
                     int32_t height) {
    if (!picture) {
        setImageSet(nullptr, true, stretch, keepRatio, blend, width, height);
        return;
    }
    BufferedImage* frame = takeOver ? picture : picture->copy();
    BufferedImageSet* set = BufferedImageSet::create();
    set->addFrame(frame, 32, 0, 0);
    setImageSet(set, true, stretch, keepRatio, blend, width, height);
}

void Image::setImageSet(BufferedImageSet* set, bool owned, bool stretch, bool keepRatio, bool blend, int32_t width,
                        int32_t height) {
    const bool wasFrozen = !setFrozen(true);
    stopAnimation(false);
    // An animation is shown from its coalesced copy (every frame a whole picture), made
    // before the lock is taken.
    BufferedImageSet* shown = set;
    bool ownsShown = owned;
    // A set handed over that only served for its coalesced copy; released with the old one.
    BufferedImageSet* spent = nullptr;
    if (set && set->getFrameCount() > 1 && set->isAnimated()) {
        if (BufferedImageSet* whole = set->coalesce()) {
            if (owned) spent = set;
            shown = whole;
            ownsShown = true;
        }
    }
    BufferedImageSet* old = nullptr;
    bool ownedOld = false;
    {
        Guard g(lock_);
        old = set_;
        ownedOld = ownsSet_;
        set_ = shown;
        ownsSet_ = ownsShown;
        stretch_ = stretch;
        keepRatio_ = keepRatio;
        blend_ = blend;
        clock_ = {};
        delays_.clear();
        if (shown && shown->getFrameCount() > 1) {
            if (shown->isAnimated()) {
                for (int32_t i = 0; i < shown->getFrameCount(); ++i) delays_.push_back(shown->getDelay(i));
            } else {
                clock_.index = shown->getMainIndex();
            }
        }
        // Released inside the lock: no paint or export can still be reading them.
        if (old && ownedOld && old != shown && old != spent) old->release();
        if (spent) spent->release();
    }
    const int32_t frame = frameAllowance();
    if (width >= 0) setFixedWidth(width + frame);
    if (height >= 0) setFixedHeight(height + frame);
    measure();
    if (!wasFrozen) setFrozen(false);
    repaint();
}

int32_t Image::getImageWidth() { return set_ ? set_->getWidth() : 0; }
int32_t Image::getImageHeight() { return set_ ? set_->getHeight() : 0; }

void Image::fitToImageAspect(int32_t* width, int32_t* height) {
    if (set_) time::fitToAspect(set_->getWidth(), set_->getHeight(), width, height);
}

int32_t Image::getFrameCount() { return set_ ? set_->getFrameCount() : 0; }
bool Image::isAnimated() { return set_ && set_->isAnimated(); }

int32_t Image::getFrameIndex() {
    Guard g(lock_);
    return clock_.index;
}

void Image::updateImageSize() {
    if (!set_) return;
    {
        Guard g(lock_);
        set_->updateMainSize();
    }
    measure();
}

// --- Frame pass-throughs (no lock, no repaint) ------------------------------------------

BufferedImage* Image::frameAt(int32_t i) {
    return set_ && i >= 0 && i < set_->getFrameCount() ? set_->getFrame(i) : nullptr;
}

bool Image::frameHasFilters(int32_t i) {
    BufferedImage* f = frameAt(i);
    return f && f->hasFilters();
}
bool Image::findFrameFilter(int32_t i, const wchar_t* name, int32_t* index) {
    BufferedImage* f = frameAt(i);
    return f && f->findFilter(name, index);
}
col::_array::ArrayP* Image::getFrameFilters(int32_t i) {
    BufferedImage* f = frameAt(i);
    return f ? f->getFilters() : nullptr;
}
::s::image::filters::IFilter* Image::getFrameFilter(int32_t i, int32_t j) {
    BufferedImage* f = frameAt(i);
    return f && j >= 0 && uint32_t(j) < f->getFilters()->count() ? f->getFilter(j) : nullptr;
}
void Image::insertFrameFilter(int32_t i, int32_t j, ::s::image::filters::IFilter* filter) {
    BufferedImage* f = frameAt(i);
    if (f) f->insertFilter(j, filter);
}
void Image::addFrameFilter(int32_t i, ::s::image::filters::IFilter* filter) {
    BufferedImage* f = frameAt(i);
    if (f) f->addFilter(filter);
}
void Image::removeFrameFilter(int32_t i, int32_t j) {
    BufferedImage* f = frameAt(i);
    if (f && j >= 0 && uint32_t(j) < f->getFilters()->count()) f->removeFilter(j);
}
void Image::clearFrameFilters(int32_t i) {
    BufferedImage* f = frameAt(i);
    if (f) f->clearFilters();
}
BufferedImage* Image::applyFrameFilters(int32_t i) {
    BufferedImage* f = frameAt(i);
    return f ? f->applyFilters() : nullptr;
}
BufferedImage* Image::getFrameFiltered(int32_t i) {
    BufferedImage* f = frameAt(i);
    return f ? f->getFiltered() : nullptr;
}

// --- Animation ---------------------------------------------------------------------------

void Image::startAnimation() {
    stopAnimation(true);
    {
        Guard g(lock_);
        if (!set_ || set_->getFrameCount() <= 1 || !set_->isAnimated() || delays_.empty()) return;
        imageview::startClock(&clock_, delays_.data(), int32_t(delays_.size()), time::currentTimeMillis());
    }
    if (!m_hWnd) return;
    if (onWindowThread(m_hWnd))
        startTimerHere();
    else
        ::SendMessageW(m_hWnd, kImageTimerControl, 1, 0);
}

void Image::stopAnimation(bool rewind) {
    pause(false);
    if (timerRunning_ && m_hWnd) {
        if (onWindowThread(m_hWnd))
            stopTimerHere();
        else
            ::SendMessageW(m_hWnd, kImageTimerControl, 0, 0);
    }
    if (rewind) {
        Guard g(lock_);
        if (set_ && set_->getFrameCount() > 1 && set_->isAnimated()) clock_.index = 0;
    }
    paused_ = false;
}

void Image::startTimerHere() {
    int32_t delay = int32_t(kFrameTimerMs);
    {
        Guard g(lock_);
        if (!delays_.empty())
            delay = imageview::nextTickDelay(clock_, time::currentTimeMillis(), int32_t(kFrameTimerMs));
    }
    if (m_hWnd && ::SetTimer(m_hWnd, kFrameTimer, UINT(delay), nullptr)) {
        timerMs_ = delay;
        timerRunning_ = true;
    }
}

void Image::stopTimerHere() {
    if (m_hWnd) ::KillTimer(m_hWnd, kFrameTimer);
    timerRunning_ = false;
}

void Image::pause(bool freeze) {
    if (freeze) setFrozen(true);
    paused_ = true;
    while (tickInProgress_) ::Sleep(10);
}

void Image::resume(bool unfreeze) {
    paused_ = false;
    if (unfreeze) setFrozen(false);
}

void Image::onTimer() {
    tickInProgress_ = true;
    ++ticks_;
    // Paused, the timer ticks at its finest step, ready to go on at once.
    int32_t next = int32_t(kFrameTimerMs);
    if (!paused_) {
        bool advanced = false;
        {
            Guard g(lock_);
            if (!delays_.empty()) {
                const int64_t now = time::currentTimeMillis();
                advanced = imageview::advanceClock(&clock_, delays_.data(), int32_t(delays_.size()), now);
                next = imageview::nextTickDelay(clock_, now, int32_t(kFrameTimerMs));
            }
        }
        if (advanced) repaint();
    }
    // The next tick when the frame shown is due to change, not every step of the timer: a
    // long frame costs no ticks that find nothing to do.
    if (timerRunning_ && next != timerMs_ && ::SetTimer(m_hWnd, kFrameTimer, UINT(next), nullptr)) timerMs_ = next;
    tickInProgress_ = false;
}

// --- Painting -----------------------------------------------------------------------------

drawer::IImage* Image::activeDrawer() {
    if (drawer_) return drawer_;
    // The skins may have registered their drawers after this control was made.
    if (!defaultDrawer_) defaultDrawer_ = drawer::createDefaultImage();
    return defaultDrawer_;
}

BufferedImage* Image::currentFrame() {
    if (!set_ || clock_.index < 0 || clock_.index >= set_->getFrameCount()) return nullptr;
    return set_->getFrame(clock_.index);
}

void Image::paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    if (!frozen_ && dc) paintInto(dc, ps.rcPaint);
    ::EndPaint(m_hWnd, &ps);
}

bool Image::paintNow(const RECT* area) {
    if (frozen_ || !isVisible() || !onWindowThread(m_hWnd)) return false;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    HDC dc = ::GetDC(m_hWnd);
    if (!dc) return false;
    paintInto(dc, area ? *area : client);
    ::ReleaseDC(m_hWnd, dc);
    // An area the window system marked meanwhile still gets its WM_PAINT (validating here
    // would cost a round trip on every repaint).
    return true;
}

void Image::paintInto(HDC dc, const RECT& asked) {
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    // Only what needs painting and can be seen: a view far larger than its scroll box
    // paints just the part in sight.
    RECT r = asked;
    RECT visible;
    bool any = intersect(&r, client);
    const int clip = ::GetClipBox(dc, &visible);
    if (any && clip != ERROR) any = clip != NULLREGION && intersect(&r, visible);
    if (!any) return;
    Guard g(lock_);
    BufferedImage* frame = currentFrame();
    if (paintDirect(dc, r, frame)) return;
    const int32_t w = r.right - r.left, h = r.bottom - r.top;
    if (!backBuffer_) {
        backBuffer_ = BufferedImage::createSized(w, h, false);
    } else if (backBuffer_->getCapacityWidth() < w || backBuffer_->getCapacityHeight() < h) {
        if (backBuffer_->reserve(w, h))
            backBuffer_->setSize(backBuffer_->getCapacityWidth(), backBuffer_->getCapacityHeight());
    } else if (backBuffer_->getWidth() < w || backBuffer_->getHeight() < h) {
        backBuffer_->setSize(backBuffer_->getCapacityWidth(), backBuffer_->getCapacityHeight());
    }
    HDC mem = backBuffer_ && backBuffer_->hasPixels() ? ::CreateCompatibleDC(nullptr) : nullptr;
    if (!mem) return;
    HGDIOBJ old = ::SelectObject(mem, backBuffer_->getHBitmap());
    prepareBackground(mem, r);
    drawer::IImage* d = activeDrawer();
    if (d && frame)
        d->paint(mem, backBuffer_, -r.left, -r.top, client.right - r.left, client.bottom - r.top, frame, stretch_,
                 framed_, blend_);
    ::BitBlt(dc, r.left, r.top, w, h, mem, 0, 0, SRCCOPY);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
}

bool Image::paintDirect(HDC paintDc, const RECT& r, BufferedImage* frame) {
    // Only the built-in drawer's picture is known here; a picture blended over the
    // background needs the back buffer.
    if (!frame || activeDrawer() != defaultDrawer_ || !defaultDrawer_) return false;
    BufferedImage* shown = frame;
    if (frame->hasFilters()) {
        if (BufferedImage* filtered = frame->getFiltered()) shown = filtered;
    }
    if (blend_ && shown->hasAlpha()) return false;
    const int32_t b = getBorderWidth();
    const int32_t iw = getInnerWidth(), ih = getInnerHeight();
    if (iw <= 0 || ih <= 0) return false;
    BufferedImage* pic = stretch_ ? shown->fitScale(iw, ih, false) : shown;
    if (!pic || !pic->hasPixels()) return false;
    const RECT covered{b, b, b + std::min(iw, pic->getWidth()), b + std::min(ih, pic->getHeight())};
    if (r.left < covered.left || r.top < covered.top || r.right > covered.right || r.bottom > covered.bottom)
        return false;
    // One memory DC kept for the control's life; the picture is selected only while it is copied.
    if (!sourceDc_) sourceDc_ = ::CreateCompatibleDC(nullptr);
    if (!sourceDc_) return false;
    HGDIOBJ old = ::SelectObject(sourceDc_, pic->getHBitmap());
    const bool ok = old && ::BitBlt(paintDc, r.left, r.top, r.right - r.left, r.bottom - r.top, sourceDc_, r.left - b,
                                    r.top - b, SRCCOPY);
    if (old) ::SelectObject(sourceDc_, old);
    if (ok) ++directPaints_;
    return ok;
}

void Image::prepareBackground(HDC dc, const RECT& r) {
    const int32_t w = r.right - r.left, h = r.bottom - r.top;
    const RECT area{0, 0, w, h};
    auto fill = [&](COLORREF colour) {
        HBRUSH brush = ::CreateSolidBrush(colour);
        ::FillRect(dc, &area, brush);
        ::DeleteObject(brush);
    };
    if (!transparent_) {
        fill(background_);
        return;
    }
    if (grid_) {
        ::GdiFlush();
        imageview::paintTransparencyGrid(backBuffer_, 0, 0, w, h, -r.left, -r.top);
        return;
    }
    int32_t ox = 0, oy = 0;
    BufferedImage* under = parent_ ? parent_->getBackBuffer(&ox, &oy) : nullptr;
    HDC underDc = under && under->hasPixels() ? ::CreateCompatibleDC(dc) : nullptr;
    if (underDc) {
        HGDIOBJ old = ::SelectObject(underDc, under->getHBitmap());
        ::BitBlt(dc, 0, 0, w, h, underDc, ox + x_ + originX_ + r.left, oy + y_ + originY_ + r.top, SRCCOPY);
        ::SelectObject(underDc, old);
        ::DeleteDC(underDc);
    } else {
        fill(parent_ ? parent_->getBackgroundColor() : background_);
    }
}

// --- Exports ------------------------------------------------------------------------------

BufferedImage* Image::shownSource(bool resize) {
    BufferedImage* frame = currentFrame();
    if (!frame) return nullptr;
    BufferedImage* source = frame->hasFilters() ? frame->applyFilters() : frame;
    if (!source) return nullptr;
    const int32_t iw = getInnerWidth(), ih = getInnerHeight();
    if (resize && iw > 0 && ih > 0) source = source->fitScale(iw, ih, false);
    return source;
}

BufferedImage* Image::copyShown(bool resize, BufferedImage* into) {
    Guard g(lock_);
    BufferedImage* source = shownSource(resize);
    return source ? source->copy(into) : nullptr;
}

void Image::printShown(bool resize, bool autoRotate, bool autoSharpen, bool paperMaximum) {
    BufferedImage* copy = nullptr;
    imageview::ShownPrint job;
    {
        Guard g(lock_);
        BufferedImage* source = shownSource(false);
        if (!source) return;
        job = imageview::planShownPrint(source->getWidth(), source->getHeight(), getInnerWidth(), getInnerHeight(),
                                        resize, autoRotate, autoSharpen, paperMaximum);
        if (job.width != source->getWidth() || job.height != source->getHeight())
            source = source->fitScale(job.width, job.height, false);
        copy = source ? source->copy() : nullptr;
    }
    // The print dialog and the job run outside the lock, on the copy.
    HWND owner = m_hWnd ? ::GetAncestor(m_hWnd, GA_ROOT) : nullptr;
    ::s::image::printImage(copy, job.options, owner, L"Glimmer", printBackend_);
    if (copy) copy->release();
}

::s::image::IEncodedImage* Image::exportShown(::s::image::IEncodeSetting* setting, bool resize, bool sharpen,
                                              ::s::image::filters::IFilter* extraFilter) {
    if (!setting) return nullptr;
    Guard g(lock_);
    if (!set_ || set_->getFrameCount() == 0) return nullptr;
    if (set_->getFrameCount() > 1 && set_->isAnimated()) return exportAnimated(setting, resize, sharpen, extraFilter);
    BufferedImage* source = shownSource(resize);
    if (!source) return nullptr;
    ::s::image::IEncodedImage* result = nullptr;
    if (sharpen) {
        BufferedImage* copy = source->copy();
        if (!copy) return nullptr;
        auto* sharp = ::s::image::filters::sharpness::Sharpness::create();
        sharp->setLevel(70);
        sharp->setReleasedWithImage(true);
        copy->addFilter(sharp);
        if (extraFilter) copy->addFilter(extraFilter);
        if (BufferedImage* out = copy->applyFilters()) result = setting->makeEncoder(out);
        detachFilterObject(copy, extraFilter);
        copy->release();
        return result;
    }
    if (extraFilter) source->addFilter(extraFilter);
    BufferedImage* out = source->hasFilters() ? source->applyFilters() : source;
    if (out) result = setting->makeEncoder(out);
    detachFilterObject(source, extraFilter);
    return result;
}

::s::image::IEncodedImage* Image::exportAnimated(::s::image::IEncodeSetting* setting, bool resize, bool sharpen,
                                                 ::s::image::filters::IFilter* extraFilter) {
    ::s::image::filters::sharpness::Sharpness* sharp = nullptr;
    if (sharpen) {
        sharp = ::s::image::filters::sharpness::Sharpness::create();
        sharp->setLevel(70);
        sharp->setReleasedWithImage(false);
    }
    const int32_t iw = getInnerWidth(), ih = getInnerHeight();
    BufferedImageSet* working = set_;
    if (resize && iw > 0 && ih > 0)
        working = set_->scaledCopy(iw, ih, false);
    else if (sharpen)
        working = set_->copy();
    const bool isCopy = working != set_;
    const int32_t n = working ? std::min(working->getFrameCount(), set_->getFrameCount()) : 0;
    if (isCopy) {
        // The shown frames' filters (the same objects) run after the scaling.
        for (int32_t i = 0; i < n; ++i) {
            BufferedImage* from = set_->getFrame(i);
            BufferedImage* to = working->getFrame(i);
            for (uint32_t j = 0; j < from->getFilters()->count(); ++j) to->addFilter(from->getFilter(int32_t(j)));
            if (sharp) to->addFilter(sharp);
        }
    }
    if (extraFilter) {
        for (int32_t i = 0; i < n; ++i) working->getFrame(i)->addFilter(extraFilter);
    }
    ::s::image::IEncodedImage* result = working ? setting->makeEncoderForSet(working) : nullptr;
    if (extraFilter) {
        for (int32_t i = 0; i < n; ++i) detachFilterObject(working->getFrame(i), extraFilter);
    }
    if (isCopy && working) {
        for (int32_t i = 0; i < working->getFrameCount(); ++i) working->getFrame(i)->detachFilters();
        working->release();
    }
    if (sharp) sharp->release();
    return result;
}

}  // namespace s::gui::win
