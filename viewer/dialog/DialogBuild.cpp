// The viewer window and its component tree.
//
// The whole build runs on the window's own thread (carried there by a call through the
// window's invoke): the controller is then only ever touched by one thread at a time,
// whatever events the window raises while its parts are being made, placed and shown.
#include <algorithm>
#include <vector>

#include "gui/app/IAppWindow.h"
#include "gui/box/Box.h"
#include "gui/controls/Button.h"
#include "gui/controls/IGroupBox.h"
#include "gui/controls/ISlider.h"
#include "gui/controls/Image.h"
#include "gui/controls/Label.h"
#include "gui/controls/ScrollBox.h"
#include "gui/controls/Spacer.h"
#include "gui/menus/MenuEx.h"
#include "gui/menus/MenuItem.h"
#include "gui/menus/PopupMenu.h"
#include "gui/window/Window.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"
#include "platform/file/PathWin.h"
#include "viewer/dialog/Dialog.h"
#include "viewer/effects/EffectData.h"
#include "viewer/menus/CommandIds.h"
#include "viewer/menus/RightClickMenu.h"
#include "viewer/panels/IFilterPanels.h"
#include "viewer/panels/IToolPanels.h"
#include "viewer/settings/ViewerSettings.h"

namespace s::image::gui::dialogs::imageview {

namespace {

namespace Align = s::gui::Align;
namespace LayoutKind = s::gui::LayoutKind;
namespace SpacerOrientation = s::gui::SpacerOrientation;
namespace win = s::gui::win;
namespace c = command;

// The invokes that carry the build and the update check to the window's thread
// (compared by identity).
const wchar_t* const kBuildCall = L"Glimmer_BuildViewer";
const wchar_t* const kUpdateCheckCall = L"Glimmer_CheckForUpdate";
const wchar_t* const kAttachRestCall = L"Glimmer_AttachHiddenParts";

// The panel chooser, top to bottom (0: a separator line); each entry's text is
// kPanelTextBase + its command.
constexpr int32_t kPanelTextBase = c::kTextIdBase;
constexpr int32_t kLine = 0;
constexpr int32_t kChooserEntries[] = {
    // clang-format off
    c::kPanelView, c::kPanelSlideShow, c::kPanelScreenshot, kLine,
    c::kPanelSharpness, c::kPanelHue, c::kPanelSaturation, c::kPanelBrightness, c::kPanelLevel,
    c::kPanelSCurve, c::kPanelMonochrome, kLine,
    c::kPanelFlip, c::kPanelRotate, c::kPanelSize, c::kPanelStretchHorizontal, c::kPanelStretchVertical,
    c::kPanelCutLeftRight, c::kPanelCutTopBottom, kLine,
    c::kPanelAlpha, c::kPanelMistyFrame, c::kPanelWatermarkText, c::kPanelBackground, kLine,
    c::kPanelLoadFilterSet, c::kPanelSaveFilterSet, kLine,
    c::kPanelSave, c::kPanelPrint, kLine,
    c::kPanelConvert,
    // clang-format on
};

win::Spacer* hGap(int32_t width) { return win::Spacer::createFixed(SpacerOrientation::kHorizontal, width); }
win::Spacer* vGap(int32_t height) { return win::Spacer::createFixed(SpacerOrientation::kVertical, height); }

win::Button* glyphButton(const wchar_t* glyph, int32_t s) {
    win::Button* b = win::Button::createWithText(glyph, -1, 18 * s);
    b->setFixedWidth(18 * s);
    return b;
}

}  // namespace

const int32_t* Dialog::panelHolderCommands(int32_t* count) {
    static constexpr int32_t kOrder[] = {
        // clang-format off
        c::kPanelView, c::kPanelSlideShow, c::kPanelScreenshot, c::kPanelRotate,
        c::kPanelStretchHorizontal, c::kPanelStretchVertical, c::kPanelSize, c::kPanelCutLeftRight,
        c::kPanelCutTopBottom, c::kPanelMistyFrame, c::kPanelFlip, c::kPanelSharpness,
        c::kPanelHue, c::kPanelSaturation, c::kPanelBrightness, c::kPanelLevel,
        c::kPanelSCurve, c::kPanelAlpha, c::kPanelMonochrome, c::kPanelWatermarkText,
        c::kPanelBackground, c::kPanelLoadFilterSet, c::kPanelSaveFilterSet, c::kPanelSave,
        c::kPanelPrint, c::kPanelConvert,
        // clang-format on
    };
    *count = int32_t(sizeof(kOrder) / sizeof(kOrder[0]));
    return kOrder;
}

int32_t Dialog::run(const wchar_t* path) {
    build(path);
    if (!window_) return 0;
    window_->invoke(reinterpret_cast<intptr_t>(kUpdateCheckCall), 0, 0, 0);
    window_->waitUntilClosed();
    return 0;
}

void Dialog::build(const wchar_t* path) {
    if (window_) return;
    // The picture is read while the window and its parts are made; when it is fitted, a
    // large JPEG is first decoded at a reduced scale no smaller than the screen.
    if (path && opener_) {
        int32_t previewW = 0, previewH = 0;
        previewSizeFor(&previewW, &previewH);
        opener_->preloadFile(path, previewW, previewH);
    }
    window_ = win::Window::create();
    if (!window_->getHwnd()) return;
    // Only the build call can arrive before the build itself has registered the rest.
    window_->addInvokeListener(this);
    window_->invoke(reinterpret_cast<intptr_t>(kBuildCall), reinterpret_cast<intptr_t>(path), 0, 0);
}

void Dialog::previewSizeFor(int32_t* width, int32_t* height) {
    *width = *height = 0;
    const int32_t fitMode = settings_->getFitMode2() != 0 ? settings_->getFitMode2() : settings_->getLastUsedFitMode();
    // Shown at its own size, the picture needs every pixel at once.
    if (fitMode != fit::kImageToWindow && fitMode != fit::kWindowToImage) return;
    *width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    *height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (appWindow_ && appWindow_->hasWidth()) *width = std::max(*width, appWindow_->getWidth());
    if (appWindow_ && appWindow_->hasHeight()) *height = std::max(*height, appWindow_->getHeight());
}

bool Dialog::onBuildCall(intptr_t arg1, intptr_t arg2) {
    if (arg1 == reinterpret_cast<intptr_t>(kBuildCall)) {
        buildOnWindowThread(reinterpret_cast<const wchar_t*>(arg2));
        return true;
    }
    if (arg1 == reinterpret_cast<intptr_t>(kUpdateCheckCall)) {
        // On the window's thread like everything else that reads or writes the settings.
        if (appWindow_) appWindow_->checkForUpdate(window_);
        return true;
    }
    if (arg1 == reinterpret_cast<intptr_t>(kAttachRestCall)) {
        attachHiddenParts();
        return true;
    }
    return false;
}

s::gui::IWindow* Dialog::getWindow() const { return window_; }

void Dialog::buildOnWindowThread(const wchar_t* path) {
    const int32_t s = s_;
    // The window.
    window_->setClientEdge(false);
    window_->setResizable(true);
    window_->setMinWidth(40 * s);
    window_->setMinHeight(40 * s);
    window_->setAppWindow(appWindow_, false);

    // Settings of the window and the right-click menu.
    opacity_ = settings_->getTransparency();
    if (!title_.empty()) window_->setTitle(title_.c_str());
    lastUsedFitMode_ = settings_->getLastUsedFitMode();
    fitMode2_ = settings_->getFitMode2();
    switch (fitMode2_ != 0 ? fitMode2_ : lastUsedFitMode_) {
        case fit::kNone: zoom_.fitWindowToImage = zoom_.fitImageToWindow = false; break;
        case fit::kImageToWindow:
            zoom_.fitWindowToImage = false;
            zoom_.fitImageToWindow = true;
            break;
        case fit::kWindowToImage:
            zoom_.fitWindowToImage = true;
            zoom_.fitImageToWindow = false;
            break;
        default: break;
    }
    autoRotate_ = settings_->getPrintAutoRotation();
    showTitleBar_ = settings_->getShowTitleBar();
    titleAreaShown_ = showTitleBar_;
    autoHideButtons_ = settings_->getAutoHideButtons();
    currentValues_->bgType = settings_->getDefaultBgType();
    currentValues_->bgCustomColor = settings_->getDefaultBgCustomColor();
    RightClickState state = rightClickState();
    readAssociations(&state);
    rightClick_->build(*settings_, localizer_, &state);
    autoRotate_ = state.autoRotate;

    // The panels' controls, then the frame.
    filterPanels_->build();
    toolPanels_->build();
    buildTitleArea();
    buildPages();
    buildBottomBar();

    dropBox_ =
        win::Box::createWithLayout(LayoutKind::kColumn, 100, 100, Align::kStart, Align::kStart, 0, 0, 2 * s, 2 * s);
    dropBox_->setAcceptFiles(true);
    dropBox_->addChild(titleArea_);
    dropBox_->addChild(pageBox_);
    dropBox_->addChild(bottomBar_);
    window_->addChild(dropBox_);
    window_->setContextMenu(rightClick_->getMenu(), false);

    startParts();
    registerWindowListeners();
    updatePalmButtons();
    placeAndOpen(path);
    updateZoomSlider();
    window_->setOpacity(opacity_, false);
    window_->setShowInTaskbar(true);
    moveInsideVirtualScreen();
    showWindowWithPicture();
    hiddenPartsPending_ = true;
    if (!window_->invokeLater(reinterpret_cast<intptr_t>(kAttachRestCall), 0, 0, 0)) attachHiddenParts();
}

void Dialog::showWindowWithPicture() {
    // The picture's fitted copy is made while the window system brings the window up
    // (the view does not paint meanwhile); the picture is then painted first of all, as
    // soon as the window has its size on screen (paintFirstPicture).
    pictureFrozenForShow_ = view_ && view_->setFrozen(true);
    image::win::BufferedImageSet* set = view_ ? view_->getImageSet() : nullptr;
    image::win::BufferedImage* frame = set && set->getFrameCount() == 1 ? set->getFrame(0) : nullptr;
    const int32_t iw = view_ ? view_->getInnerWidth() : 0, ih = view_ ? view_->getInnerHeight() : 0;
    if (pictureFrozenForShow_ && frame && !frame->hasFilters() && view_->isStretched() && iw > 0 && ih > 0)
        prefit_ = std::make_unique<std::thread>([frame, iw, ih] { frame->fitScale(iw, ih, false); });
    firstPaintWaiting_ = true;
    window_->setShown(true, true);
    paintFirstPicture();
}

void Dialog::paintFirstPicture() {
    if (!firstPaintWaiting_) return;
    firstPaintWaiting_ = false;
    if (prefit_) {
        prefit_->join();
        prefit_.reset();
    }
    if (!view_) return;
    if (pictureFrozenForShow_) view_->setFrozen(false);
    view_->startAnimation();
    view_->repaint();
}

std::vector<s::gui::IBox*> Dialog::laterParts() {
    std::vector<s::gui::IBox*> parts;
    s::gui::IBox* convert = toolPanels_ ? toolPanels_->convertPage() : nullptr;
    if (!convert) return parts;
    parts.push_back(convert);
    int32_t count = 0;
    const int32_t* order = panelHolderCommands(&count);
    for (int32_t i = 1; i < count; ++i) {
        s::gui::IBox* panel = toolPanels_->panelFor(order[i]);
        if (!panel && filterPanels_) panel = filterPanels_->panelFor(order[i]);
        if (panel) parts.push_back(panel);
    }
    return parts;
}

void Dialog::releaseHiddenParts() {
    if (!hiddenPartsPending_) return;
    hiddenPartsPending_ = false;
    for (s::gui::IBox* part : laterParts()) s::gui::releaseComponent(part);
}

void Dialog::attachHiddenParts() {
    if (!hiddenPartsPending_) return;
    hiddenPartsPending_ = false;
    // The full picture replaces its reduced copy before anything else can use the view.
    const std::wstring previewed = opener_ ? opener_->previewedPath() : std::wstring();
    if (!previewed.empty()) openImage(previewed.c_str(), zoom_.fitWindowToImage, zoom_.fitImageToWindow);
    const std::vector<s::gui::IBox*> parts = laterParts();
    for (size_t i = 0; i < parts.size(); ++i) {
        parts[i]->setVisible(false, true);
        (i == 0 ? pageBox_ : panelHolder_)->addChild(parts[i]);
    }
}

void Dialog::buildTitleArea() {
    const int32_t s = s_;
    titleArea_ = win::Box::createFixedHeight(LayoutKind::kColumn, 100, showTitleBar_ ? 20 * s : 0, Align::kStart,
                                             Align::kStart, 0, 2 * s, 0);
    win::Box* row = win::Box::createFixedHeight(LayoutKind::kRow, 100, 18 * s, Align::kStart, Align::kCentre, 0, 0, 0);
    palmButtons_[0] = glyphButton(L"#Palm", s);
    fitToWindowButtons_[0] = glyphButton(L"#FitToWindow", s);
    fitWindowButtons_[0] = glyphButton(L"#FitWindow", s);
    win::Box* titleBox =
        win::Box::createFixedHeight(LayoutKind::kRow, 100, 18 * s, Align::kCentre, Align::kCentre, 0, 0, 0);
    titleLabel_ = win::Label::createWithText(title_.empty() ? window_->getTitle() : title_.c_str(), true);
    titleLabel_->setWordWrap(false);
    titleBox->addChild(titleLabel_);
    minimizeButtons_[0] = glyphButton(L"#_", s);
    maximizeButtons_[0] = glyphButton(L"#\u25A1", s);
    closeButtons_[0] = glyphButton(L"#X", s);
    row->withChild(palmButtons_[0])
        ->withChild(fitToWindowButtons_[0])
        ->withChild(hGap(2 * s))
        ->withChild(fitWindowButtons_[0])
        ->withChild(hGap(20 * s))
        ->withChild(titleBox)
        ->withChild(minimizeButtons_[0])
        ->withChild(hGap(2 * s))
        ->withChild(maximizeButtons_[0])
        ->withChild(hGap(2 * s))
        ->withChild(closeButtons_[0]);
    titleArea_->addChild(row);
}

void Dialog::buildPages() {
    const int32_t s = s_;
    pageBox_ = win::Box::createWithLayout(LayoutKind::kPile, 100, 100, Align::kStart, Align::kStart, 0, 0, 0, 0);

    helpPage_ = win::Box::createWithLayout(LayoutKind::kColumn, 100, 100, Align::kStart, Align::kStart, 0, 0, 0, 0);
    win::Box* help =
        win::Box::createWithLayout(LayoutKind::kColumn, 100, 100, Align::kCentre, Align::kCentre, 0, 0, 0, 0);
    help->withChild(win::Label::createWithTextId(1990001000, true, 100))
        ->withChild(vGap(4 * s))
        ->withChild(win::Label::createWithTextId(1990002000, true, 0))
        ->withChild(vGap(20 * s));
    openLabel_ = win::Label::createWithTextId(1990004050, false, 100);
    openLabel_->setClickable(true);
    help->withChild(openLabel_)->withChild(vGap(30 * s));
    for (int32_t id = 1990002100; id <= 1990002103; ++id) {
        if (id != 1990002100) help->addChild(vGap(10 * s));
        help->addChild(win::Label::createWithTextId(id, true, 0));
    }
    helpPage_->addChild(help);

    scrollBox_ = win::ScrollBox::createWithBars(100, 100);
    view_ = win::Image::createWithWidthPercent(100, nullptr);
    view_->setHeightPercent(100);
    scrollBox_->addChild(view_);

    pageBox_->addChild(helpPage_);
    pageBox_->addChild(scrollBox_);
    // (the convert page, the pile's third page, is attached with the hidden panels)
}

void Dialog::buildBottomBar() {
    const int32_t s = s_;
    bottomBar_ = win::Box::createFixedHeight(LayoutKind::kRow, 100, 22 * s, Align::kStart, Align::kEnd, 0, 0, 0);
    barRow_ = win::Box::createFixedHeight(LayoutKind::kRow, 100, 22 * s, Align::kCentre, Align::kCentre, 0, 3 * s, s);

    compactButtons_ = win::Box::createSized(LayoutKind::kRow, showTitleBar_ ? 0 : -1, -1, Align::kCentre, 0, 0);
    closeButtons_[1] = glyphButton(L"#X", s);
    maximizeButtons_[1] = glyphButton(L"#\u25A1", s);
    minimizeButtons_[1] = glyphButton(L"#_", s);
    compactButtons_->withChild(closeButtons_[1])
        ->withChild(maximizeButtons_[1])
        ->withChild(minimizeButtons_[1])
        ->withChild(hGap(7 * s));

    panelChooser_ = win::PopupMenu::create();
    panelChooser_->setOwner(localizer_);
    for (int32_t command : kChooserEntries) {
        panelChooser_->addItem(
            command ? s::gui::menuitem::MenuItem::createWithTextId(kPanelTextBase + command, localizer_, command, false)
                    : s::gui::menuitem::MenuItem::createSeparator());
    }
    panelChooser_->setTitleId(kPanelTextBase + c::kPanelView);
    menuBar_ = win::MenuEx::create();
    menuBar_->setFixedWidth(80 * s);
    menuBar_->setFixedHeight(18 * s);
    menuBar_->setSpacing(0, 0);
    menuBar_->setZeroMinWidth(false);
    menuBar_->addPopup(panelChooser_);

    panelHolder_ = win::Box::createFixedHeight(LayoutKind::kPile, 100, 20 * s, Align::kStart, Align::kCentre, 0, 0, 0);
    int32_t count = 0;
    const int32_t* order = panelHolderCommands(&count);
    for (int32_t i = 0; i < count; ++i) {
        s::gui::IBox* panel = toolPanels_->panelFor(order[i]);
        if (!panel) panel = filterPanels_->panelFor(order[i]);
        // Only the first panel is shown at the start; the others are attached after the
        // first picture is on screen (attachHiddenParts).
        if (panel && i == 0) panelHolder_->addChild(panel);
    }

    barRow_->withChild(compactButtons_)->withChild(menuBar_)->withChild(hGap(7 * s))->withChild(panelHolder_);
    resizer_ = win::Button::createWithText(L"#Resizer", -1, 12 * s);
    resizer_->setFixedWidth(12 * s);
    bottomBar_->withChild(barRow_)->withChild(resizer_);
}

void Dialog::startParts() {
    panelChooser_->checkRadioById(command::kPanelView);
    menuBar_->setSingleEntry(true);
    menuBar_->addCommandListener(this);
    toolPanels_->start();
    filterPanels_->start();
    toolPanels_->loadFilterSets();
    scrollBox_->setScrollingEnabled(false);
    scrollBox_->addWheelListener(this);
    dropBox_->addFileDropListener(this);
    if (s::gui::IGroupBox* convertDrop = toolPanels_->convertDropBox()) convertDrop->addDropListener(this);
    titleLabel_->setBold(true);
    openLabel_->addClickListener(this);
    pageBox_->showOnly(0);
    view_->setFramed(true);
    updateZoomLimits();
    titleArea_->setCollapseWidth(true);
    barRow_->setCollapseWidth(true);
    for (int32_t i = 0; i < 2; ++i) {
        closeButtons_[i]->addActionListener(this);
        maximizeButtons_[i]->addActionListener(this);
        minimizeButtons_[i]->addActionListener(this);
    }
    const ToolbarControls& bar = toolPanels_->toolbar();
    palmButtons_[1] = bar.palm;
    fitWindowButtons_[1] = bar.fitWindow;
    fitToWindowButtons_[1] = bar.fitToWindow;
    for (int32_t i = 0; i < 2; ++i) {
        const std::pair<s::gui::IButton*, bool> toggles[] = {{palmButtons_[i], false},
                                                             {fitWindowButtons_[i], zoom_.fitWindowToImage},
                                                             {fitToWindowButtons_[i], zoom_.fitImageToWindow}};
        for (const auto& [button, on] : toggles) {
            if (!button) continue;
            button->setToggleMode(true, true, false, false);
            button->setToggled(on);
            button->addToggleListener(this);
        }
    }
    for (s::gui::IButton* b : {bar.left, bar.right, bar.plus, bar.minus, bar.plusMinus})
        if (b) b->addActionListener(this);
    if (bar.zoom) bar.zoom->addChangeListener(this);
    rightClick_->getMenu()->addListener(this);
    panelHolder_->showOnly(0);
}

void Dialog::registerWindowListeners() {
    window_->addWheelListener(this);
    window_->addCloseListener(this);
    window_->addRightButtonDownListener(this);
    window_->addResizeListener(this);
    window_->addActivateListener(this);
    window_->addDeactivateListener(this);
    // (the invoke listener is the first one, registered with the window)
    window_->addSizingListener(this);
    window_->addKeyDownListener(this);
    window_->addCaptureChangedListener(this);
}

void Dialog::placeAndOpen(const wchar_t* path) {
    const int32_t s = s_;
    if (path) {
        if (!zoom_.fitWindowToImage && appWindow_) {
            const int32_t x = appWindow_->hasX() ? appWindow_->getX() : -1;
            const int32_t y = appWindow_->hasY() ? appWindow_->getY() : -1;
            const int32_t w = appWindow_->hasWidth() ? appWindow_->getWidth() : 500 * s;
            const int32_t h = appWindow_->hasHeight() ? appWindow_->getHeight() : 450 * s;
            if (x >= 0 && y >= 0) window_->setPosition(x, y);
            if (w >= 0 && h >= 0) window_->setSize(std::max(w, 250 * s), std::max(h, 250 * s));
        }
        openImage(path, zoom_.fitWindowToImage, zoom_.fitImageToWindow);
    } else {
        if (appWindow_) appWindow_->setMaximized(false);
        window_->setSize(500 * s, 450 * s);
    }
}

}  // namespace s::image::gui::dialogs::imageview
