// Keys, browsing, fit and zoom, window placement: the zoom and fit rules of
// viewer/view/ZoomFit.h and AspectSizing.h applied to the real window, scroll box and
// picture view, with the menu marks, toggle buttons and zoom slider kept in step.
#include <windows.h>

#include <algorithm>

#include "gui/controls/IButton.h"
#include "gui/controls/ISlider.h"
#include "gui/controls/ISpacer.h"
#include "gui/controls/Image.h"
#include "gui/controls/ScrollBox.h"
#include "gui/box/Box.h"
#include "gui/menus/PopupMenu.h"
#include "gui/window/Window.h"
#include "platform/file/PathWin.h"
#include "platform/system/Monitor.h"
#include "viewer/dialog/Dialog.h"
#include "viewer/menus/CommandIds.h"
#include "viewer/menus/RightClickMenu.h"
#include "viewer/open/FolderBrowser.h"
#include "viewer/panels/IToolPanels.h"
#include "viewer/settings/ViewerSettings.h"
#include "viewer/view/AspectSizing.h"

namespace s::image::gui::dialogs::imageview {

using file::win::PathWin;

// ---- menu marks, toggles and slider ---------------------------------------------------------

void Dialog::checkMenuItem(int32_t id, bool on) {
    if (rightClick_ && rightClick_->getMenu()) rightClick_->getMenu()->setChecked(id, on);
}

void Dialog::setToggles(s::gui::IButton* const (&buttons)[2], bool on) {
    for (s::gui::IButton* b : buttons)
        if (b) b->setToggled(on);
}

s::gui::ISlider* Dialog::zoomSlider() { return toolPanels_ ? toolPanels_->toolbar().zoom : nullptr; }

// ---- sizes ------------------------------------------------------------------------------------

zoom::Area Dialog::workArea() {
    HWND hwnd = window_ ? window_->getHwnd() : nullptr;
    if (HMONITOR monitor = hwnd ? MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST) : nullptr) {
        MONITORINFO mi{};
        mi.cbSize = sizeof(mi);
        if (GetMonitorInfoW(monitor, &mi))
            return zoom::Area{mi.rcWork.left, mi.rcWork.top, mi.rcWork.right - mi.rcWork.left,
                              mi.rcWork.bottom - mi.rcWork.top};
    }
    return zoom::Area{s::system::getWorkAreaLeft(), s::system::getWorkAreaTop(), s::system::getWorkAreaWidth(),
                      s::system::getWorkAreaHeight()};
}

zoom::WindowChrome Dialog::chrome() {
    const bool maximized = window_ && window_->isMaximized();
    const bool minimized = window_ && window_->isMinimized();
    if (window_ && !maximized && !minimized) {
        normalFrameWidth_ = std::max(window_->getFrameWidth(), 0);
        normalFrameHeight_ = std::max(window_->getFrameHeight(), 0);
    }
    // A minimized window is sized for the time it is restored: with its normal frame.
    const int32_t frame = maximized ? 0 : std::max(normalFrameWidth_, 0);
    zoom::WindowChrome c = zoom::WindowChrome::forScreenScale(s_, true, frame, titleAreaShown_);
    // A window with a caption has a taller frame than a wide one.
    if (!maximized) c.windowFrameHeight = std::max(normalFrameHeight_, 0);
    if (view_) c.viewFrame = view_->getBorderWidth();
    return c;
}

int32_t Dialog::maxWindowWidth() { return workArea().width; }
int32_t Dialog::maxWindowHeight() { return workArea().height; }
int32_t Dialog::windowWidthFor(int32_t view) { return chrome().windowWidthFor(view); }
int32_t Dialog::windowHeightFor(int32_t view) { return chrome().windowHeightFor(view); }
int32_t Dialog::viewWidthFor(int32_t outer) { return chrome().viewWidthFor(outer); }

zoom::FitInput Dialog::fitInput() {
    zoom::FitInput in;
    if (pageBox_) {
        in.pageWidth = pageBox_->getWidth();
        in.pageHeight = pageBox_->getHeight();
    }
    if (view_) {
        in.viewInnerWidth = view_->getInnerWidth();
        in.viewInnerHeight = view_->getInnerHeight();
    }
    in.fitWindowToImage = zoom_.fitWindowToImage;
    return in;
}

void Dialog::fitSize(int32_t mode, int32_t w, int32_t h, int32_t* outW, int32_t* outH) {
    const zoom::Size size = zoom::fitSize(zoom::FitSizeMode(mode), w, h, fitInput(), chrome(), workArea());
    *outW = size.width;
    *outH = size.height;
}

void Dialog::placeWindow(int32_t outerWidth, int32_t outerHeight) {
    if (!window_) return;
    if (!barsShown_) setBarsShown(false);  // a hide flag: false shows them
    if (window_->isMinimized()) {
        placeMinimizedWindow(outerWidth, outerHeight);
        return;
    }
    if (window_->isMaximized()) {
        // The size was worked out for the maximized window, which has no frame: the
        // restored window gets its frame on top.
        const zoom::WindowChrome before = chrome();
        window_->restore();
        const zoom::WindowChrome after = chrome();
        outerWidth += after.windowFrame - before.windowFrame;
        outerHeight += after.frameHeight() - before.frameHeight();
    }
    const int32_t oldWidth = window_->getWidth(), oldHeight = window_->getHeight();
    const zoom::Placement p =
        zoom::placeWindow(window_->getX(), window_->getY(), oldWidth, oldHeight, outerWidth, outerHeight,
                          std::max(window_->getMinWidth(), 0), std::max(window_->getMinHeight(), 0), workArea());
    window_->beginUpdate();
    window_->setBounds(p.x, p.y, p.width, p.height);
    window_->endUpdate();
    if (p.width == oldWidth && p.height == oldHeight) window_->doLayout();
}

void Dialog::growWindowToHelpPage() {
    if (!window_ || !pageBox_ || !helpPage_ || window_->isMaximized() || window_->isMinimized()) return;
    // The page's minimum comes from its last layout, made inside out: its parts first.
    helpPage_->doLayout();
    helpPage_->doLayout();
    // The page box may already be laid out at the page's size, reaching past the window.
    const zoom::Size need = zoom::windowSizeKeepingPage(chrome(), std::max(helpPage_->getMinWidth(), 0),
                                                        std::max(helpPage_->getMinHeight(), 0));
    const int32_t width = window_->getWidth(), height = window_->getHeight();
    if (need.width <= width && need.height <= height) return;
    placeWindow(std::max(need.width, width), std::max(need.height, height));
}

// A minimized window (a slide show goes on while it is) stays minimized: the size and
// place it will have when restored change instead, by the same rule as for a shown window.
void Dialog::placeMinimizedWindow(int32_t outerWidth, int32_t outerHeight) {
    HWND hwnd = window_->getHwnd();
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    if (!hwnd || !GetWindowPlacement(hwnd, &wp)) return;
    // The restored rectangle is kept in work-area coordinates of the primary monitor.
    MONITORINFO primary{};
    primary.cbSize = sizeof(primary);
    int32_t dx = 0, dy = 0;
    if (GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &primary)) {
        dx = primary.rcWork.left - primary.rcMonitor.left;
        dy = primary.rcWork.top - primary.rcMonitor.top;
    }
    RECT& n = wp.rcNormalPosition;
    const zoom::Placement p =
        zoom::placeWindow(n.left + dx, n.top + dy, n.right - n.left, n.bottom - n.top, outerWidth, outerHeight,
                          std::max(window_->getMinWidth(), 0), std::max(window_->getMinHeight(), 0), workArea());
    n = {p.x - dx, p.y - dy, p.x - dx + p.width, p.y - dy + p.height};
    wp.flags = 0;
    wp.showCmd = SW_SHOWMINNOACTIVE;
    SetWindowPlacement(hwnd, &wp);
}

// A window that reaches past the screens (a stored place, or a size kept from another
// set of monitors) comes back inside them whole, its caption within reach.
void Dialog::moveInsideVirtualScreen() {
    if (!window_ || window_->isMaximized() || window_->isMinimized()) return;
    const zoom::Area screens{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                             GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    int32_t x = window_->getX(), y = window_->getY();
    if (s::gui::win::geometry::moveOntoScreen(&x, &y, window_->getWidth(), window_->getHeight(), screens))
        window_->setPosition(x, y);
}

// ---- the picture view ---------------------------------------------------------------------------

void Dialog::setViewFixedSize(int32_t width, int32_t height) {
    if (!view_) return;
    view_->setFixedWidth(width);
    view_->setFixedHeight(height);
}

void Dialog::setViewFillsParent() {
    if (!view_) return;
    view_->setWidthPercent(100);
    view_->setHeightPercent(100);
}

void Dialog::layoutScrollBox() {
    if (scrollBox_) scrollBox_->doLayout();
}

// The scroll box scrolls the view at its fixed size, bars shown as asked, at (x, y).
void Dialog::scrollViewAt(int32_t width, int32_t height, int32_t x, int32_t y, bool barsHidden) {
    if (!view_ || !scrollBox_) return;
    const bool wasFrozen = !view_->setFrozen(true);
    setViewFixedSize(width, height);
    scrollBox_->setBarsHidden(barsHidden);
    scrollBox_->setScrollingEnabled(true);
    layoutScrollBox();
    scrollBox_->setScrollPosition(x, y);
    if (!wasFrozen) view_->setFrozen(false);
    view_->repaint();
}

void Dialog::centreView() {
    if (!view_ || !scrollBox_) return;
    s::gui::IBox* viewport = scrollBox_->getViewport();
    const int32_t vw = viewport ? viewport->getWidth() : scrollBox_->getWidth();
    const int32_t vh = viewport ? viewport->getHeight() : scrollBox_->getHeight();
    scrollBox_->setScrollPosition(std::max((view_->getWidth() - vw) / 2, 0),
                                  std::max((view_->getHeight() - vh) / 2, 0));
    scrollBox_->repaint();
}

void Dialog::showOriginalCentred() {
    if (!shown_.isShown()) return;
    applyScale(1.0, true, false, 0, 0, true);
    centreView();
}

// ---- browsing ---------------------------------------------------------------------------------

void Dialog::showPreviousFile() {
    if (!shown_.getFile() || !browser_) return;
    browser_->previous(shown_.getFile());
}

bool Dialog::showNextFile(bool wrap) {
    if (!shown_.getFile() || !browser_) return false;
    return FolderBrowser::slideShowGoesOn(browser_->next(shown_.getFile(), wrap));
}

// ---- zoom ---------------------------------------------------------------------------------------

void Dialog::zoomIn() {
    if (!shown_.isShown() || !view_) return;
    const zoom::ZoomStep step = zoom::zoomIn(zoom_, view_->getInnerWidth(), view_->getInnerHeight());
    if (step.apply) applyScale(step.scale, true, false, 0, 0, true);
}

void Dialog::zoomOut() {
    if (!shown_.isShown()) return;
    const zoom::ZoomStep step = zoom::zoomOut(zoom_);
    if (step.apply) applyScale(step.scale, true, false, 0, 0, true);
}

void Dialog::zoomByWheel(int32_t lines) {
    if (!shown_.isShown() || !view_) return;
    const zoom::ZoomStep step = zoom::zoomByWheel(zoom_, lines, view_->getInnerWidth(), view_->getInnerHeight());
    if (step.apply) applyScale(step.scale, true, false, 0, 0, true);
}

void Dialog::toOriginalSize() {
    if (!shown_.isShown()) return;
    applyScale(1.0, true, false, 0, 0, true);
    if (zoom_.fitWindowToImage && window_) window_->doLayout();
}

void Dialog::applyScale(double scale, bool updateSlider, bool keepPoint, int32_t x, int32_t y, bool showScrollBars) {
    if (!shown_.isShown() || !view_ || !scrollBox_) return;
    zoom_.maximized = window_ && window_->isMaximized();
    zoom::ScrollInput in;
    in.scrollX = scrollBox_->getScrollX();
    in.scrollY = scrollBox_->getScrollY();
    in.keepPoint = keepPoint;
    in.pointX = x;
    in.pointY = y;
    in.vBarWidth = scrollBox_->getVerticalBarThickness();
    in.hBarHeight = scrollBox_->getHorizontalBarThickness();
    in.showBars = showScrollBars;
    const zoom::ScalePlan plan = zoom::planScale(zoom_, chrome(), workArea(), scale, in);
    if (!plan.apply) return;

    // A manual zoom ends fit image to window, and fit window to image on a maximized window.
    if (zoom_.fitWindowToImage && !plan.fitWindowToImage) {
        switchFitMode(false, false, showScrollBars, true);
    } else if (zoom_.fitImageToWindow) {
        setFitImageToWindow(false);
    }

    if (plan.placeWindow) {
        placeWindow(plan.outerWidth, plan.outerHeight);
        if (plan.scrolls) {
            scrollViewAt(plan.viewWidth, plan.viewHeight, plan.scrollX, plan.scrollY, false);
        } else {
            scrollBox_->setScrollingEnabled(false);
            setViewFillsParent();
        }
        if (window_) window_->doLayout();
        // A window that fits the picture shows it at the scale the view gives it.
        updateZoomSlider();
        if (plan.scrolls) zoom_.limits.scale = plan.scale;
        return;
    }
    scrollViewAt(plan.viewWidth, plan.viewHeight, plan.scrollX, plan.scrollY, plan.barsHidden);
    if (updateSlider) updateZoomSlider();
    zoom_.limits.scale = plan.scale;
}

void Dialog::updateZoomSlider() {
    const zoom::SliderState st =
        view_ ? zoom::sliderFor(zoom_, view_->getInnerWidth(), view_->getInnerHeight()) : zoom::SliderState{1.0, 50};
    zoom_.limits.scale = st.scale;
    if (s::gui::ISlider* slider = zoomSlider()) slider->setPosition(st.position);
    updatePalmButtons();
}

void Dialog::updateZoomLimits() {
    if (shown_.isShown() && view_)
        zoom_.setPicture(view_->getImageWidth(), view_->getImageHeight());
    else
        zoom_.clearPicture();
}

// ---- fit modes ------------------------------------------------------------------------------------

// The user's switch (menu item or toggle button): a fit turned off shows the picture at
// 100 % with its middle in view, unless a slide show runs.
void Dialog::setFitMode(bool on, bool windowToImage, bool showScrollBars) {
    const bool wasFitted = zoom_.fitWindowToImage || zoom_.fitImageToWindow;
    switchFitMode(on, windowToImage, showScrollBars, true);
    if (!on && wasFitted && !isSlideShowRunning()) showOriginalCentred();
}

void Dialog::switchFitMode(bool on, bool windowToImage, bool showScrollBars, bool store) {
    const zoom::FitModePlan plan = zoom::planFitMode(zoom_, on, windowToImage, fitInput(), chrome(), workArea());
    if (plan.fitWindowToImage) {
        setFitWindowToImage(true);
    } else if (plan.fitImageToWindow) {
        setFitImageToWindow(true);
    } else {
        setFitWindowToImage(false);
        setFitImageToWindow(false);
    }
    if (store) {
        lastUsedFitMode_ = plan.lastUsedFitMode;
        if (settings_) settings_->setLastUsedFitMode(plan.lastUsedFitMode);
    }
    if (!shown_.isShown() || !view_ || !scrollBox_) return;
    if (plan.resize) {
        setViewFixedSize(plan.viewWidth, plan.viewHeight);
        if (plan.placeWindow) placeWindow(plan.outerWidth, plan.outerHeight);
        scrollBox_->setScrollingEnabled(false);
        if (window_) {
            window_->doLayout();
            window_->doLayout();
        }
        setViewFillsParent();
        if (window_) window_->doLayout();
        updateZoomSlider();
    } else if (!on) {
        setViewFixedSize(view_->getWidth(), view_->getHeight());
        updateZoomSlider();
        scrollBox_->setBarsHidden(!showScrollBars);
        scrollBox_->setScrollingEnabled(true);
        layoutScrollBox();
        updatePalmButtons();
    }
}

void Dialog::setFitWindowToImage(bool on) { setFitFlag(true, on); }

void Dialog::setFitImageToWindow(bool on) { setFitFlag(false, on); }

// Turning one fit mode on turns the other off: flag, menu item and both toggle buttons.
void Dialog::setFitFlag(bool windowToImage, bool on) {
    bool* flags[2] = {&zoom_.fitImageToWindow, &zoom_.fitWindowToImage};
    const int32_t items[2] = {command::kFitImageToWindow, command::kFitWindowToImage};
    s::gui::IButton* const(*buttons[2])[2] = {&fitToWindowButtons_, &fitWindowButtons_};
    const int32_t self = windowToImage ? 1 : 0, other = 1 - self;
    if (on && *flags[other]) {
        *flags[other] = false;
        checkMenuItem(items[other], false);
        setToggles(*buttons[other], false);
    }
    *flags[self] = on;
    checkMenuItem(items[self], on);
    setToggles(*buttons[self], on);
}

// ---- palm mode and the title area -----------------------------------------------------------------

void Dialog::setPalmMode(bool on) {
    s::gui::IButton* enabledButton = nullptr;
    for (s::gui::IButton* b : palmButtons_)
        if (b && b->isEnabled()) enabledButton = b;
    if (!enabledButton) return;
    palmMode_ = on;
    setToggles(palmButtons_, on);
    checkMenuItem(command::kPalmMode, on);
    if (scrollBox_) scrollBox_->setDragToPan(on);
}

void Dialog::updatePalmButtons() {
    const bool scrolls = scrollBox_ && scrollBox_->canScroll();
    for (s::gui::IButton* b : palmButtons_) {
        if (!b) continue;
        b->setToggled(scrolls && palmMode_);
        b->setEnabled(scrolls);
        b->repaint();
    }
}

void Dialog::setShowTitleBar(bool on) {
    if (settings_) settings_->setShowTitleBar(on);
    showTitleBar_ = on;
    checkMenuItem(command::kShowTitleBar, on);
    if (on == titleAreaShown_) return;
    // The page box keeps its size: the window grows or shrinks by the title area.
    const int32_t pageW = pageBox_ ? pageBox_->getWidth() : 0;
    const int32_t pageH = pageBox_ ? pageBox_->getHeight() : 0;
    titleAreaShown_ = on;
    if (titleArea_) titleArea_->setFixedHeight(on ? s_ * 20 : 0, false);
    if (compactButtons_) compactButtons_->setFixedWidth(on ? 0 : -1, false);
    // Each set of palm and fit buttons shows in one place only.
    const int32_t buttonWidth = on ? 0 : s_ * 18;
    for (s::gui::IButton* b : {palmButtons_[1], fitWindowButtons_[1], fitToWindowButtons_[1]})
        if (b) b->setFixedWidth(buttonWidth);
    if (toolPanels_ && toolPanels_->toolbar().fitGap)
        toolPanels_->toolbar().fitGap->setFixedWidth(on ? 0 : s_ * ToolbarControls::kFitGapWidth);
    if (pageBox_) {
        const zoom::Size size = zoom::windowSizeKeepingPage(chrome(), pageW, pageH);
        placeWindow(size.width, size.height);
    }
}

// ---- an edge drag ----------------------------------------------------------------------------------

void Dialog::onSizing() {
    if (!shown_.isShown() || !zoom_.fitWindowToImage || !window_ || !view_ || !scrollBox_) return;
    zoom::SizingInput in = zoom::sizingInputOf(window_);
    in.scrolling = scrollBox_->canScroll();
    in.scrollX = scrollBox_->getScrollX();
    in.scrollY = scrollBox_->getScrollY();
    in.vBarWidth = scrollBox_->getVerticalBarThickness();
    in.hBarHeight = scrollBox_->getHorizontalBarThickness();
    const zoom::SizingPlan plan = zoom::planSizing(zoom_, chrome(), workArea(), in);
    if (!plan.handled) return;
    zoom_.limits.scale = plan.scale;
    if (plan.scrolls) {
        scrollViewAt(plan.viewWidth, plan.viewHeight, plan.scrollX, plan.scrollY, false);
    } else {
        if (plan.stopScrolling) {
            scrollBox_->setScrollingEnabled(false);
            scrollBox_->setBarsHidden(false);
            scrollBox_->setScrollPosition(0, 0);
        }
        setViewFillsParent();
    }
    if (plan.toFitImageToWindow) {
        setFitImageToWindow(true);
        return;
    }
    setFitWindowToImage(true);
    if (plan.rewriteRect) zoom::writeSizingRect(window_, plan.rect);
}

}  // namespace s::image::gui::dialogs::imageview
