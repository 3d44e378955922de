// Event routing, the panel chooser and the worker's status.
//
// Every event of the window and its controls arrives at onEvent on the window's thread;
// the worker's reports are carried there through the window's invoke, so the worker
// never touches a window or the controller's GUI state itself.
#include <cwchar>

#include "gui/app/IAppWindow.h"
#include "gui/box/Box.h"
#include "gui/controls/Button.h"
#include "gui/controls/IButton.h"
#include "gui/controls/IGroupBox.h"
#include "gui/controls/ISlider.h"
#include "gui/controls/ISpacer.h"
#include "gui/controls/Image.h"
#include "gui/controls/Label.h"
#include "gui/controls/ScrollBox.h"
#include "gui/menus/MenuEx.h"
#include "gui/menus/PopupMenu.h"
#include "gui/window/Window.h"
#include "viewer/dialog/Dialog.h"
#include "viewer/dialog/WorkerProgress.h"
#include "viewer/menus/CommandIds.h"
#include "viewer/menus/RightClickMenu.h"
#include "viewer/panels/IFilterPanels.h"
#include "viewer/panels/IToolPanels.h"
#include "viewer/settings/ViewerSettings.h"

namespace s::image::gui::dialogs::imageview {

namespace {

using s::gui::asObject;
namespace WindowEvent = s::gui::WindowEvent;
namespace cmd = command;

constexpr int32_t kConvertPanel = cmd::kPanelConvert;
// The texts of the right-click menu's slide show item.
constexpr int32_t kStartSlideShowText = cmd::kTextIdBase + cmd::kSlideShow;
constexpr int32_t kStopSlideShowText = kStartSlideShowText + 1;

// Whether the source is one of the pair (the title area's and the compact box's).
template <typename T>
bool isOneOf(base::IObject* source, T* const (&pair)[2]) {
    for (T* c : pair)
        if (c && source == asObject(c)) return true;
    return false;
}

}  // namespace

void Dialog::onEvent(base::IObject* source, int32_t code) {
    if (!window_) return;
    // Counts the handlers in progress: a second one runs inside the first's modal loop.
    ++eventDepth_;
    route(source, code);
    --eventDepth_;
}

void Dialog::route(base::IObject* source, int32_t code) {
    if (source == asObject(window_)) {
        if (code == WindowEvent::kInvoke) {
            onInvoke();
            return;
        }
        if (onWindowEvent(code)) return;
    }
    if (menuBar_ && source == asObject(menuBar_)) {
        selectPanel(menuBar_->getLastCommand());
        return;
    }
    if (rightClick_ && rightClick_->getMenu() && source == static_cast<base::IObject*>(rightClick_->getMenu())) {
        executeCommand(rightClick_->getMenu()->getLastCommand());
        return;
    }
    if (dropBox_ && source == asObject(dropBox_)) {
        if (code == s::gui::BoxEvent::kFilesDropped) openPaths(dropBox_->getDroppedFiles());
        return;
    }
    if (s::gui::IGroupBox* convertDrop = toolPanels_->convertDropBox();
        convertDrop && source == asObject(convertDrop)) {
        if (code == s::gui::BoxEvent::kFilesDropped) openPaths(convertDrop->getDroppedPaths());
        return;
    }
    if (onFrameButton(source)) return;
    if (onToolbarEvent(source)) return;
    if (scrollBox_ && source == asObject(scrollBox_)) {
        if (code == s::gui::BoxEvent::kWheel) zoomByWheel(scrollBox_->getWheelLines());
        return;
    }
    const ToolbarControls& bar = toolPanels_->toolbar();
    if (bar.zoom && source == asObject(bar.zoom)) {
        onZoomSlider(bar.zoom->getPosition());
        return;
    }
    auto* component = dynamic_cast<s::gui::IComponent*>(source);
    if (component && filterPanels_->handleEvent(component, code)) return;
    if (component && toolPanels_->handleEvent(component, code)) return;
    if (openLabel_ && source == asObject(openLabel_)) openWithDialog();
}

// The window's own events; false for those that go on to the later tests.
bool Dialog::onWindowEvent(int32_t code) {
    switch (code) {
        case WindowEvent::kClose:
            barsShown_ = false;
            requestWorkerStop();
            return true;
        case WindowEvent::kKeyDown:
            switch (window_->getLastKey()) {
                case VK_DELETE: deleteFile(); break;
                case VK_LEFT: showPreviousFile(); break;
                case VK_RIGHT: showNextFile(true); break;
                case VK_UP: zoomIn(); break;
                case VK_DOWN: zoomOut(); break;
                default: break;
            }
            return true;
        case WindowEvent::kCaptureChanged:
            openImage(kScreenShotName, zoom_.fitWindowToImage || zoom_.fitImageToWindow, false);
            toolPanels_->captureEnded();
            return true;
        case WindowEvent::kSizing: onSizing(); return true;
        case WindowEvent::kResize: onResized(); return true;
        case WindowEvent::kActivate: setBarsShown(false); return true;
        case WindowEvent::kDeactivate:
            if (!autoHideButtons_) return false;
            setBarsShown(true);
            return true;
        case WindowEvent::kWheel: zoomByWheel(window_->getWheelLines()); return true;
        default: return false;
    }
}

void Dialog::onResized() {
    const bool maximized = window_->isMaximized();
    if (maximized || maximizedGlyphShown_) {
        for (s::gui::win::Button* b : maximizeButtons_)
            if (b) b->setText(maximized ? L"#\u2199" : L"#\u25A1");
        maximizedGlyphShown_ = maximized;
    }
    const bool minimized = window_->isMinimized();
    // Shown at last: the picture is painted before the rest of the show goes on.
    if (!minimized && firstPaintWaiting_ && IsWindowVisible(window_->getHwnd())) paintFirstPicture();
    if (!minimized) {
        if (zoom_.fitWindowToImage || zoom_.fitImageToWindow) updateZoomSlider();
        setToolbarCompact(window_->getInnerWidth() < (showTitleBar_ ? 330 : 400) * s_);
    }
    updatePalmButtons();
    // A size the user gave the window with its bars on is the one kept for the next start.
    if (!maximized && !minimized && barsShown_ && appWindow_) {
        appWindow_->setWidth(window_->getWidth());
        appWindow_->setHeight(window_->getHeight());
    }
}

void Dialog::setToolbarCompact(bool compact) {
    toolbarCompact_ = compact;
    const ToolbarControls& bar = toolPanels_->toolbar();
    if (bar.zoom) bar.zoom->setFixedWidth(compact ? 0 : -1);
    if (bar.compactSpacer) {
        if (compact)
            bar.compactSpacer->setWidthPercent(100);
        else
            bar.compactSpacer->setFixedWidth(0);
    }
    if (s::gui::IBox* view = toolPanels_->panelFor(cmd::kPanelView)) view->doLayout();
}

bool Dialog::onFrameButton(base::IObject* source) {
    if (isOneOf(source, closeButtons_)) {
        window_->close();
    } else if (isOneOf(source, minimizeButtons_)) {
        window_->minimize();
    } else if (isOneOf(source, maximizeButtons_)) {
        if (window_->isMaximized())
            window_->restore();
        else
            window_->maximize();
    } else {
        return false;
    }
    return true;
}

bool Dialog::onToolbarEvent(base::IObject* source) {
    for (int32_t i = 0; i < 2; ++i) {
        if (palmButtons_[i] && source == asObject(palmButtons_[i])) {
            setPalmMode(palmButtons_[i]->isToggled());
            return true;
        }
        if (fitWindowButtons_[i] && source == asObject(fitWindowButtons_[i])) {
            setFitMode(fitWindowButtons_[i]->isToggled(), true, true);
            return true;
        }
        if (fitToWindowButtons_[i] && source == asObject(fitToWindowButtons_[i])) {
            setFitMode(fitToWindowButtons_[i]->isToggled(), false, true);
            return true;
        }
    }
    const ToolbarControls& bar = toolPanels_->toolbar();
    if (bar.left && source == asObject(bar.left)) {
        showPreviousFile();
    } else if (bar.right && source == asObject(bar.right)) {
        showNextFile(true);
    } else if (bar.plus && source == asObject(bar.plus)) {
        zoomIn();
    } else if (bar.minus && source == asObject(bar.minus)) {
        zoomOut();
    } else if (bar.plusMinus && source == asObject(bar.plusMinus)) {
        toOriginalSize();
    } else {
        return false;
    }
    return true;
}

void Dialog::onZoomSlider(int32_t position) {
    setFitModeOff();
    applyScale(zoom::scaleForSliderPosition(zoom_.limits, position), false, false, 0, 0, true);
}

void Dialog::selectPanel(int32_t command) {
    attachHiddenParts();
    s::gui::IBox* panel = toolPanels_->panelFor(command);
    if (!panel) panel = filterPanels_->panelFor(command);
    if (command == kConvertPanel) {
        showPage(2);
        convertPanelShown_ = true;
    }
    if (panel) {
        panelChooser_->checkRadioById(command);
        panelChooser_->setTitleId(cmd::kTextIdBase + command);
        menuBar_->relabel();
        menuBar_->repaint();
    }
    for (int32_t i = 0; i < panelHolder_->getChildCount(); ++i) {
        s::gui::IComponent* child = panelHolder_->getChildAt(i);
        child->setVisible(child == panel, true);
    }
    panelHolder_->doLayout();
    panelHolder_->doLayout();
    if (command != kConvertPanel && convertPanelShown_) {
        pictureOnPage_ = shown_.isShown();
        showPage(pictureOnPage_ ? 1 : 0);
        convertPanelShown_ = false;
    }
}

// ---- the worker's status ----------------------------------------------------------------

void Dialog::postStatus(const wchar_t* name, intptr_t a2, intptr_t a3, intptr_t a4) {
    // Sent, not posted: the worker waits until the window has taken the status in (the
    // slide show's next picture is open before its interval starts), and a text handed
    // over stays valid for the call.
    if (window_) window_->invoke(reinterpret_cast<intptr_t>(name), a2, a3, a4);
}

void Dialog::slideShowStarted() { postStatus(workerstatus::kStartSlideShow, 0, 0, 0); }
void Dialog::slideShowNext() { postStatus(workerstatus::kGoNextSlideShow, 0, 0, 0); }
void Dialog::slideShowEnded() { postStatus(workerstatus::kEndSlideShow, 0, 0, 0); }
void Dialog::convertStarted(int32_t count) {
    convertTotal_ = count;
    postStatus(workerstatus::kStartConverting, count, 0, 0);
}
void Dialog::fileStarted(int32_t count, int32_t index, const wchar_t* name) {
    convertTotal_ = count;
    workerText_ = name ? name : L"";
    postStatus(workerstatus::kUpdateConverting, count, index - 1, reinterpret_cast<intptr_t>(workerText_.c_str()));
}
void Dialog::fileFinished(int32_t index, FileOutcome, const wchar_t*) {
    postStatus(workerstatus::kUpdateConverting, convertTotal_, index, reinterpret_cast<intptr_t>(workerText_.c_str()));
}
void Dialog::convertEnded(const ConvertSummary&) { postStatus(workerstatus::kEndConverting, 0, 0, 0); }

void Dialog::onInvoke() {
    const intptr_t name = window_->getInvokeArg1();
    const intptr_t a2 = window_->getInvokeArg2(), a3 = window_->getInvokeArg3(), a4 = window_->getInvokeArg4();
    if (onBuildCall(name, a2)) return;
    auto is = [name](const wchar_t* status) { return name == reinterpret_cast<intptr_t>(status); };
    s::gui::win::PopupMenu* menu = rightClick_ ? rightClick_->getMenu() : nullptr;
    if (is(workerstatus::kStartSlideShow)) {
        if (menu) menu->setItemTextId(cmd::kSlideShow, kStopSlideShowText);
        toolPanels_->slideShowStarted();
    } else if (is(workerstatus::kEndSlideShow)) {
        // A conversion queued meanwhile is still to come: its flags stay.
        workerStopFlag_ = false;
        if (menu) menu->setItemTextId(cmd::kSlideShow, kStartSlideShowText);
        toolPanels_->slideShowEnded();
    } else if (is(workerstatus::kGoNextSlideShow)) {
        // While a modal box is up the show holds, so the picture never changes under a
        // question about it: the box disables the window, and whatever the box, its loop
        // runs inside the handler of the event that opened it (or a command says so).
        if (workerStopFlag_ || commandDialogUp_ || eventDepth_ > 1 || !window_->isEnabled()) return;
        const bool opened = showNextFile(toolPanels_->isSlideShowRepeat());
        if (!opened && isSlideShowRunning()) requestWorkerStop();
    } else if (is(workerstatus::kStartConverting)) {
        converting_ = true;
        toolPanels_->convertStarted();
    } else if (is(workerstatus::kUpdateConverting)) {
        if (workerStopFlag_) return;
        int32_t total = int32_t(a2), done = int32_t(a3);
        fitProgressRange(&total, &done);
        toolPanels_->convertProgress(total, done, reinterpret_cast<const wchar_t*>(a4));
    } else if (is(workerstatus::kEndConverting)) {
        workerStopFlag_ = false;
        convertQueued_ = false;
        converting_ = false;
        toolPanels_->convertEnded();
    }
}

}  // namespace s::image::gui::dialogs::imageview
