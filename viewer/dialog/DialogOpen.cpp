// Opening pictures from files, the clipboard and captures into the picture view; closing
// the picture; the Open... dialog; dropped paths, opened or queued for conversion.
//
// An open that fails (a damaged file met while browsing, an empty clipboard, a capture that
// gave nothing) changes nothing: the picture on view keeps its filters, the panels their
// values, the title and the remembered folder stay.
#include <windows.h>

#include <algorithm>
#include <string>

#include "gui/box/Box.h"
#include "gui/controls/Image.h"
#include "gui/controls/Label.h"
#include "gui/controls/ScrollBox.h"
#include "gui/dialogs/FileOpener.h"
#include "gui/app/IAppBase.h"
#include "gui/app/IAppWindow.h"
#include "gui/window/Window.h"
#include "foundation/str/StrArray.h"
#include "imaging/codec/Icon.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"
#include "platform/file/PathArray.h"
#include "platform/file/PathWin.h"
#include "platform/lang/Localizer.h"
#include "viewer/dialog/Dialog.h"
#include "viewer/panels/IFilterPanels.h"
#include "viewer/panels/IToolPanels.h"
#include "viewer/settings/ViewerSettings.h"

namespace s::image::gui::dialogs::imageview {

using file::win::PathWin;
using image::win::BufferedImageSet;

const wchar_t* const kScreenShotName = L"ScreenShot";

namespace {

// Language texts used here.
constexpr int32_t kTextFromClipboard = 1990000679;
constexpr int32_t kTextEntireScreen = 1990004790;
constexpr int32_t kTextWindow = 1990004792;
constexpr int32_t kTextWindowPart = 1990004794;
constexpr int32_t kTextImageFilesFilter = 1990001500;
constexpr int32_t kTextImageFilesPattern = 1990001501;
constexpr int32_t kTextCurrentFilterSet = 1990004821;

// Fit modes of fitSize for a newly opened picture.
constexpr int32_t kShowOriginal = 3;
constexpr int32_t kShowFitImageToWindow = 5;
constexpr int32_t kShowShrinkOnly = 7;
constexpr int32_t kShowCappedToWorkArea = 8;

}  // namespace

void Dialog::IconsDeleter::operator()(image::ico::win::Icon* icons) const {
    if (icons) icons->release();
}

std::wstring Dialog::languageText(int32_t id, const wchar_t* fallback) {
    const wchar_t* text = localizer_ ? localizer_->getText(id) : nullptr;
    return text && *text ? std::wstring(text) : std::wstring(fallback);
}

// The opener names pasted and captured pictures in the viewer's language.
void Dialog::nameOpenedPictures() {
    if (!opener_ || openerNamed_) return;
    PictureNames names;
    names.clipboard = languageText(kTextFromClipboard, names.clipboard.c_str());
    names.entireScreen = languageText(kTextEntireScreen, names.entireScreen.c_str());
    names.window = languageText(kTextWindow, names.window.c_str());
    names.windowPart = languageText(kTextWindowPart, names.windowPart.c_str());
    opener_->setNames(names);
    openerNamed_ = true;
}

// A layout takes each box's minimum size from that box's last layout. The help page is
// far taller than a small picture: after the picture page comes up, the page box and then
// the drop box are laid out again, inside out, so that the next layout of the window no
// longer holds the drop box at the help page's height (which pushed the bottom bar out of
// a window shrunk to the picture).
void Dialog::showPage(int32_t page) {
    if (!pageBox_) return;
    pageBox_->showOnly(page);
    pageBox_->doLayout();
    if (dropBox_) dropBox_->doLayout();
}

void Dialog::showTitle(const wchar_t* title) {
    if (!window_ || !title || !*title) return;
    window_->setTitle(title);
    title_ = window_->getTitle() ? window_->getTitle() : title;
    if (titleLabel_) titleLabel_->setText(title_.c_str(), true);
}

namespace {

// The largest side of the picture the window icons are made from.
constexpr int kIconSourceSide = 256;

// The picture, or a copy of at most kIconSourceSide a side taken from every n-th pixel of
// it: the icons are 32 and 16 pixels, and making them from a 24 MP picture took longer
// than showing it. Null when the picture is small enough as it is.
image::win::BufferedImage* iconSourceOf(image::win::BufferedImage* picture) {
    const int w = picture->getWidth(), h = picture->getHeight();
    const int step = (std::max(w, h) + kIconSourceSide - 1) / kIconSourceSide;
    if (step <= 1 || !picture->hasPixels()) return nullptr;
    const int sw = std::max(w / step, 1), sh = std::max(h / step, 1);
    image::win::BufferedImage* small = image::win::BufferedImage::createSized(sw, sh, false);
    if (!small || !small->hasPixels()) {
        if (small) small->release();
        return nullptr;
    }
    for (int y = 0; y < sh; ++y) {
        const uint32_t* from = picture->getRow(y * step + step / 2 < h ? y * step + step / 2 : h - 1);
        uint32_t* to = small->getRow(y);
        for (int x = 0; x < sw; ++x) to[x] = from[std::min(x * step + step / 2, w - 1)];
    }
    small->setHasAlpha(picture->hasAlpha());
    return small;
}

// What was painted reaches the screen before the work that follows: a window system that
// composes windows off screen (Wine) shows a window's new pixels when its thread next waits
// for messages, so a wait that returns at once shows them.
void showPaintedNow() {
    GdiFlush();
    MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

}  // namespace

void Dialog::installPictureIcons(BufferedImageSet* set) {
    if (!window_ || !set || set->getFrameCount() < 1 || !set->getFrame(0)) return;
    image::win::BufferedImage* picture = set->getFrame(0);
    image::win::BufferedImage* small = iconSourceOf(picture);
    image::ico::win::Icon* icons = image::ico::win::Icon::makeWindowIcons(small ? small : picture);
    if (small) small->release();
    if (!icons) return;
    int index = 0;
    if (icons->findFrame(16, 16, 32, &index)) window_->setSmallIcon(icons->imageAt(index), false);
    if (icons->findFrame(32, 32, 32, &index)) window_->setBigIcon(icons->imageAt(index), false);
    // The window no longer shows the previous icons: they may go.
    windowIcons_.reset(icons);
}

bool Dialog::openImage(const wchar_t* path, bool fitWindowToImage, bool fitImageToWindow) {
    if (!opener_) return false;
    nameOpenedPictures();
    PictureOpener* opener = opener_;
    bool opened = false;
    if (!path) {
        opened = opener->openClipboard(window_ ? window_->getHwnd() : nullptr, &shown_);
    } else if (path == kScreenShotName) {
        POINT pick{window_ ? window_->getCaptureLostX() : 0, window_ ? window_->getCaptureLostY() : 0};
        opened = opener->openCapture(captureType_, pick, this, &shown_);
    } else {
        opened = opener->openFile(path, &shown_);
    }
    // Nothing else changes when nothing was opened.
    if (!opened) return false;
    ++pictureSerial_;

    BufferedImageSet* set = shown_.takeSet();
    const int32_t pictureW = set ? set->getWidth() : 0, pictureH = set ? set->getHeight() : 0;
    if (!view_) {
        if (set) set->release();
        return true;
    }
    // The panels follow the new picture: back to neutral unless the filter set is locked
    // (then the locked filters are applied to its frames) or a set waits to be shown.
    const bool keepCurrentSet = toolPanels_ && !toolPanels_->pendingSetName().empty() &&
                                _wcsicmp(toolPanels_->pendingSetName().c_str(),
                                         languageText(kTextCurrentFilterSet, L"Current Filter Set").c_str()) == 0;
    // Unlocked panels with no set to load change nothing on the new picture (its frames
    // come without filters): they are set back after its pixels are on screen.
    const bool panelsAfterPixels = filterPanels_ && !keepCurrentSet && !filterPanels_->isLocked() &&
                                   (!toolPanels_ || toolPanels_->pendingSetName().empty());
    const bool wasFrozen = !view_->setFrozen(true);
    view_->setImageSet(set, true, true, true, true, -1, -1);
    if (filterPanels_ && !keepCurrentSet && !panelsAfterPixels) filterPanels_->pictureOpened(pictureW, pictureH);

    // The display size of the picture after its filters.
    const int32_t baseW = view_->getImageWidth(), baseH = view_->getImageHeight();
    const int32_t mode = fitImageToWindow       ? kShowFitImageToWindow
                         : fitWindowToImage     ? kShowCappedToWorkArea
                         : isSlideShowRunning() ? kShowShrinkOnly
                                                : kShowOriginal;
    int32_t shownW = baseW, shownH = baseH;
    fitSize(mode, baseW, baseH, &shownW, &shownH);
    const int32_t frame = 2 * view_->getBorderWidth();
    setViewFixedSize(shownW + frame, shownH + frame);
    if (fitWindowToImage) placeWindow(windowWidthFor(shownW), windowHeightFor(shownH));

    if (scrollBox_) scrollBox_->resetScroll();
    if (fitWindowToImage) {
        setFitWindowToImage(true);
    } else if (fitImageToWindow) {
        setFitImageToWindow(true);
    } else {
        switchFitMode(false, false, true, false);
    }
    if (fitWindowToImage || fitImageToWindow) {
        if (scrollBox_) scrollBox_->setScrollingEnabled(false);
        setViewFillsParent();
    }
    if (!wasFrozen) view_->setFrozen(false);
    if (!pictureOnPage_) {
        pictureOnPage_ = true;
        showPage(1);
    }

    updateZoomLimits();
    updateZoomSlider();
    if (!fitWindowToImage && !fitImageToWindow && !isSlideShowRunning()) {
        applyScale(1.0, true, false, 0, 0, false);
        centreView();
    }

    if (toolPanels_ && !toolPanels_->pendingSetName().empty()) {
        const std::wstring pending = toolPanels_->pendingSetName();
        toolPanels_->loadFilterSet(pending.c_str());
        toolPanels_->setPendingSetName(L"");
    }

    showTitle(shown_.getName().c_str());
    // A window already in front (browsing with the keys) is not raised again.
    if (fitWindowToImage && window_ && window_->isVisible() && GetForegroundWindow() != window_->getHwnd())
        window_->bringToFront(true);
    if (window_) {
        window_->doLayout();
        if (s_ * 50 >= shownW || s_ * 50 >= shownH) {
            window_->doLayout();
            window_->doLayout();
        }
    }
    // The fitted view has its final size only now.
    if (fitWindowToImage || fitImageToWindow) updateZoomSlider();
    view_->startAnimation();
    view_->repaint();
    showPaintedNow();
    // The pixels first, then the panels and the window's icons.
    if (panelsAfterPixels) filterPanels_->pictureOpened(pictureW, pictureH);
    installPictureIcons(view_->getImageSet());
    return true;
}

void Dialog::closePicture() {
    if (!shown_.isShown()) return;
    shown_.close();
    ++pictureSerial_;
    if (view_) {
        const int32_t margins = 2 * chrome().border;
        const int32_t w = pageBox_ ? std::max(pageBox_->getWidth() - margins, 0) : -1;
        const int32_t h = pageBox_ ? std::max(pageBox_->getHeight() - margins, 0) : -1;
        view_->setImageSet(nullptr, true, true, true, true, w, h);
    }
    if (scrollBox_) scrollBox_->resetScroll();
    if (filterPanels_) filterPanels_->resetFilterPanels(true, true, false);
    pictureOnPage_ = false;
    showPage(0);
    growWindowToHelpPage();
    updateZoomLimits();
    updateZoomSlider();
    if (window_) {
        if (appWindow_ && appWindow_->getAppBase()) {
            window_->setSmallIcon(appWindow_->getAppBase()->getIcon16(), false);
            window_->setBigIcon(appWindow_->getAppBase()->getIcon32(), false);
        }
        windowIcons_.reset();
        if (localizer_ && appWindow_) showTitle(localizer_->getText(appWindow_->getTextBaseId()));
    }
}

void Dialog::openWithDialog() {
    auto* dialog = s::gui::dialogs::win::FileOpener::create();
    dialog->setOpenMode(true, true);
    const std::wstring start = settings_ ? settings_->getLastBrowsedFileLoadDirPath() : desktopFolder();
    dialog->setInitialDirectory(start.c_str());
    const std::wstring filter = languageText(kTextImageFilesFilter, L"Image Files (.jpg, .gif, .png, .bmp, .ico)");
    const std::wstring pattern = languageText(kTextImageFilesPattern, L"*.jpg;*.jpeg;*.gif;*.png;*.bmp;*.ico;");
    dialog->addFilter(filter.c_str(), pattern.c_str());
    if (dialog->show(view_ ? static_cast<s::gui::IComponent*>(view_) : window_)) {
        auto* paths = file::win::PathArray::create();
        str::strarray::StrArray* chosen = dialog->getPaths();
        const int32_t count = chosen ? int32_t(chosen->count()) : 0;
        for (int32_t i = 0; i < count; ++i) paths->add(chosen->at(uint32_t(i))->text());
        if (count == 0 && dialog->getPath() && *dialog->getPath()) paths->add(dialog->getPath());
        if (paths->getCount() > 0 && settings_) {
            PathWin* first = PathWin::fromString(paths->get(0)->getFullPath());
            PathWin* folder = first ? first->getParent() : nullptr;
            if (folder && folder->exists() && folder->isDirectory())
                settings_->setLastBrowsedFileLoadDirPath(folder->getFullPath());
            if (folder) folder->release();
            if (first) first->release();
        }
        openPaths(paths);
        paths->release();
    }
    dialog->release();
}

void Dialog::openPaths(file::win::PathArray* paths) {
    if (!paths || paths->getCount() == 0) return;
    if (!barsShown_) setBarsShown(false);  // a hide flag: false shows them
    if (isSlideShowRunning()) {
        workerStopFlag_ = true;
        if (worker_) worker_->requestStop();
    }
    if (!convertPanelShown_) {
        openImage(paths->get(0)->getFullPath(), zoom_.fitWindowToImage, zoom_.fitImageToWindow);
    } else if (!converting_ && toolPanels_ && worker_) {
        ConvertRequest request;
        for (int32_t i = 0; i < paths->getCount(); ++i) request.files.emplace_back(paths->get(i)->getFullPath());
        if (!request.store) request.store = store_;
        if (toolPanels_->fillConvertRequest(&request) && worker_->queueConversion(request)) {
            convertQueued_ = true;
            converting_ = true;
        }
    }
    if (window_) window_->bringToFront(true);
}

void Dialog::hideForCapture() {
    autoHideBeforeCapture_ = autoHideButtons_;
    autoHideButtons_ = false;
    if (window_) window_->setVisible(false, false);
}

void Dialog::showAfterCapture() {
    if (window_) {
        window_->setVisible(true, false);
        window_->bringToFront(true);
    }
    autoHideButtons_ = autoHideBeforeCapture_;
}

}  // namespace s::image::gui::dialogs::imageview
