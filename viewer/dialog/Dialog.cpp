// The controller's life cycle, the panels' host and the showing and hiding of the bars.
#include "viewer/dialog/Dialog.h"

#include "gui/app/IAppBase.h"
#include "gui/app/IAppWindow.h"
#include "gui/box/Box.h"
#include "gui/controls/Image.h"
#include "gui/controls/ScrollBox.h"
#include "gui/window/Window.h"
#include "platform/file/PathWin.h"
#include "platform/system/Screen.h"
#include "viewer/effects/EffectData.h"
#include "viewer/menus/RightClickMenu.h"
#include "viewer/open/FolderBrowser.h"
#include "viewer/panels/IFilterPanels.h"
#include "viewer/panels/IToolPanels.h"
#include "viewer/settings/ViewerSettings.h"

namespace s::image::gui::dialogs::imageview {

Dialog::Dialog(app::IAppWindow* appWindow) : appWindow_(appWindow) {
    localizer_ = appWindow->getLangPack();
    store_ = appWindow->getAppBase() ? appWindow->getAppBase()->getSettings() : nullptr;
    skinner_ = appWindow->hasSkinner() ? appWindow->getSkinner() : nullptr;
    s_ = system::getScreenScale();
    settings_ = new ViewerSettings(appWindow);
    currentValues_ = EffectData::create();
    opener_ = new PictureOpener(settings_);
    browser_ = new FolderBrowser([this](file::win::PathWin* file) {
        return file && openImage(file->getFullPath(), zoom_.fitWindowToImage, zoom_.fitImageToWindow);
    });
    rightClick_ = new RightClickMenu();
    filterPanels_ = makeFilterPanels(this);
    toolPanels_ = makeToolPanels(this);
    worker_ = new ViewerWorker(this, this);
}

Dialog::~Dialog() {
    // The worker first: it may still be reporting to the window.
    delete worker_;
    if (prefit_ && prefit_->joinable()) prefit_->join();
    if (window_) window_->release();  // the window owns every component attached to it
    window_ = nullptr;
    releaseHiddenParts();
    delete toolPanels_;
    delete filterPanels_;
    delete rightClick_;
    delete browser_;
    delete opener_;
    if (currentValues_) currentValues_->release();
    delete settings_;
}

Dialog* Dialog::create(app::IAppWindow* appWindow) { return appWindow ? new Dialog(appWindow) : nullptr; }

void Dialog::release() {
    // Stop the worker after the file in hand and wait for it before anything goes away.
    workerStopFlag_ = true;
    if (worker_) {
        worker_->requestStop();
        worker_->waitForRun();
    }
    delete this;
}

std::wstring Dialog::openSettingsDir(const wchar_t* section) {
    const wchar_t* path = appWindow_ ? appWindow_->sectionPath(section) : nullptr;
    return path ? path : L"";
}

void Dialog::setBarsShown(bool hide) {
    if (!window_ || !bottomBar_ || hide != barsShown_) return;
    if (window_->isMinimized() || window_->isMaximized()) return;
    const int32_t s = s_;
    const int32_t title = titleAreaShown_ ? 20 * s : 0;
    const int32_t bar = 22 * s;
    if (hide) {
        barsShown_ = false;
        rememberedBarWidth_ = rememberedBarHeight_ = 0;
        if (scrollBox_ && scrollBox_->getPreferredWidth() < window_->getWidth() &&
            scrollBox_->getPreferredHeight() < window_->getHeight() - (titleAreaShown_ ? 42 : 22) * s) {
            rememberedBarWidth_ = scrollBox_->getVerticalBarSpace();
            rememberedBarHeight_ = scrollBox_->getHorizontalBarSpace();
        }
        if (titleAreaShown_) titleArea_->setFixedHeight(0, false);
        bottomBar_->setFixedHeight(0, false);
        window_->setBounds(window_->getX(), window_->getY() + title, window_->getWidth() - rememberedBarWidth_,
                           window_->getHeight() - bar - title - rememberedBarHeight_);
        window_->doLayout();
    } else {
        barsShown_ = true;
        const bool froze = view_ && view_->setFrozen(true);
        window_->setBounds(window_->getX(), window_->getY() - title, window_->getWidth() + rememberedBarWidth_,
                           window_->getHeight() + bar + title + rememberedBarHeight_);
        bottomBar_->setFixedHeight(bar, false);
        if (titleAreaShown_) titleArea_->setFixedHeight(title, false);
        rememberedBarWidth_ = rememberedBarHeight_ = 0;
        window_->doLayout();
        if (froze) view_->setFrozen(false);
    }
    updatePalmButtons();
}

s::gui::IImage* Dialog::pictureView() { return view_; }
bool Dialog::isPictureShown() { return shown_.isShown(); }
EffectData* Dialog::currentValues() { return currentValues_; }
ViewerSettings* Dialog::settings() { return settings_; }
lang::Localizer* Dialog::localizer() { return localizer_; }
HWND Dialog::dialogOwner() { return window_ ? window_->getHwnd() : nullptr; }
int32_t Dialog::screenScale() { return s_; }
bool Dialog::isFitWindowToImage() { return zoom_.fitWindowToImage; }
bool Dialog::isFitImageToWindow() { return zoom_.fitImageToWindow; }
void Dialog::setFitModeOff() {
    setFitWindowToImage(false);
    setFitImageToWindow(false);
}
double Dialog::currentScale() { return zoom_.limits.scale; }
void Dialog::reapplyScale(double relX, double relY) {
    if (zoom_.fitWindowToImage || zoom_.fitImageToWindow || !view_ || !scrollBox_) {
        applyScale(zoom_.limits.scale, true, false, 0, 0, true);
        return;
    }
    applyScale(zoom_.limits.scale, true, true, int32_t(relX * view_->getWidth()), int32_t(relY * view_->getHeight()),
               true);
}
void Dialog::showAtOriginalSize() { toOriginalSize(); }
void Dialog::updateZoomLimitsAndSlider() {
    updateZoomLimits();
    updateZoomSlider();
}
void Dialog::filterValuesChanged() {
    if (toolPanels_) toolPanels_->showCurrentSetSelected();
}
void Dialog::defaultBackgroundChosen(int32_t type) {
    if (settings_) settings_->setDefaultBgType(type);
    if (rightClick_ && settings_) {
        RightClickState state = rightClickState();
        rightClick_->updateMarks(*settings_, &state);
    }
}
bool Dialog::isTitleBarShown() { return titleAreaShown_; }
IFilterPanels* Dialog::filterPanels() { return filterPanels_; }
RightClickMenu* Dialog::rightClickMenu() { return rightClick_; }
void Dialog::cartoonReaderSize(int32_t* width, int32_t* height) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const zoom::WindowChrome c = chrome();
    *width = c.viewWidthFor(work.right - work.left);
    *height = c.viewHeightFor(work.bottom - work.top);
}
void Dialog::print(bool viewSize, bool autoSharpen, bool paperMaximum) {
    if (view_ && shown_.isShown()) view_->printShown(viewSize, autoRotate_, autoSharpen, paperMaximum);
}
bool Dialog::isAutoRotate() { return autoRotate_; }
void Dialog::setAutoRotate(bool on) {
    autoRotate_ = on;
    if (settings_) settings_->setPrintAutoRotation(on);
    if (rightClick_ && settings_) {
        RightClickState state = rightClickState();
        rightClick_->updateMarks(*settings_, &state);
    }
}
bool Dialog::isSlideShowRunning() { return worker_ && worker_->isSlideShowRunning(); }
void Dialog::requestWorkerStop() {
    workerStopFlag_ = true;
    if (worker_) worker_->requestStop();
}
void Dialog::captureNow() { openImage(kScreenShotName, zoom_.fitWindowToImage || zoom_.fitImageToWindow, false); }
void Dialog::startCapturePick(int32_t kind) {
    captureType_ = kind;
    if (window_) window_->setCapture();
}
void Dialog::relayout() {
    if (!window_) return;
    // The convert page changed its rows: it and the pages around it are laid out again.
    if (s::gui::IBox* page = toolPanels_->convertPage()) page->doLayout();
    if (pageBox_) pageBox_->doLayout();
}

RightClickState Dialog::rightClickState() {
    RightClickState state;
    state.fitWindowToImage = zoom_.fitWindowToImage;
    state.fitImageToWindow = zoom_.fitImageToWindow;
    state.palmMode = palmMode_;
    state.keepOnTop = appWindow_ && appWindow_->getKeepOnTop();
    state.closeOnWheelClick = appWindow_ && appWindow_->isCloseOnMClick();
    state.autoRotate = autoRotate_;
    readSkins(skinner_, &state);
    return state;
}

}  // namespace s::image::gui::dialogs::imageview
