// The right-click menu's commands.
#include <windows.h>

#include <algorithm>
#include <string>

#include "gui/app/IAppBase.h"
#include "gui/app/IAppWindow.h"
#include "gui/controls/Image.h"
#include "gui/dialogs/ColorPicker.h"
#include "gui/dialogs/MessageBox.h"
#include "gui/menus/PopupMenu.h"
#include "gui/skin/ISkinner.h"
#include "gui/window/Window.h"
#include "platform/file/PathWin.h"
#include "platform/lang/LangPack.h"
#include "platform/lang/Localizer.h"
#include "platform/shell/Shell.h"
#include "viewer/app/AppWindow.h"
#include "viewer/dialog/Dialog.h"
#include "viewer/effects/EffectData.h"
#include "viewer/menus/AssociationCommands.h"
#include "viewer/menus/CommandIds.h"
#include "viewer/menus/RightClickMenu.h"
#include "viewer/panels/IFilterPanels.h"
#include "viewer/panels/IToolPanels.h"
#include "viewer/settings/ViewerSettings.h"

namespace s::image::gui::dialogs::imageview {

namespace cmd = command;

namespace {

constexpr int32_t kTranslateAddressId = 108500;
constexpr int32_t kMoreSoftwareAddressId = 108000;
constexpr int32_t kOwnFilterSetHintId = 1990000685;

// "Default Fit Mode": the item's radio position and the stored "FitMode2".
bool fitModeOf(int32_t id, int32_t* position, int32_t* mode) {
    switch (id) {
        case cmd::kDefaultLastUsedFit: *position = 0, *mode = 0; return true;
        case cmd::kDefaultFitWindowToImage: *position = 2, *mode = kFitWindowToImage; return true;
        case cmd::kDefaultFitImageToWindow: *position = 3, *mode = kFitImageToWindow; return true;
        case cmd::kDefaultDontFit: *position = 4, *mode = kFitNone; return true;
        default: return false;
    }
}

// "Default Background Color": the item's radio position and the background type.
bool backgroundOf(int32_t id, int32_t* position, int32_t* type) {
    switch (id) {
        case cmd::kBgWhite: *position = 0, *type = 0; return true;
        case cmd::kBgGray: *position = 1, *type = 1; return true;
        case cmd::kBgBlack: *position = 2, *type = 2; return true;
        case cmd::kBgCustom: *position = 3, *type = 3; return true;
        case cmd::kBgTransparentWindow: *position = 7, *type = 5; return true;
        case cmd::kBgTransparentChecker: *position = 8, *type = 4; return true;
        default: return false;
    }
}

}  // namespace

bool Dialog::isChecked(int32_t id) {
    s::gui::win::PopupMenu* menu = rightClick_ ? rightClick_->getMenu() : nullptr;
    return menu && menu->isChecked(id);
}

void Dialog::executeCommand(int32_t id) {
    s::gui::win::PopupMenu* menu = rightClick_ ? rightClick_->getMenu() : nullptr;
    const uint32_t languages = localizer_ ? std::min(localizer_->getPackCount(), RightClickMenu::maxLanguages()) : 0;
    const bool pictureShown = shown_.isShown();

    // ---- ranges
    if (id >= cmd::kLanguageFirst && id < cmd::kLanguageFirst + int32_t(languages)) {
        selectLanguage(id - cmd::kLanguageFirst);
        return;
    }
    if (id == cmd::kLanguageFirst + int32_t(languages) && id <= cmd::kLanguageLast) {
        openAddress(kTranslateAddressId);
        return;
    }
    if (id >= cmd::kSkinFirst && id <= cmd::kSkinLast) {
        selectSkin(id - cmd::kSkinFirst);
        return;
    }
    if (id == cmd::kTransparencyOnlyOnTop ||
        (id >= cmd::kOpacity100 && id <= cmd::kOpacityLast && (id - cmd::kOpacity100) % cmd::kOpacityStep == 0)) {
        setOpacityCommand(id);
        return;
    }
    if (id >= cmd::kCurrentFilterSet && id <= cmd::kFilterSetLast) {
        if (toolPanels_) toolPanels_->chooseSetCommand(id);
        return;
    }
    if ((id >= cmd::kAssociateJpeg && id <= cmd::kAssociateIcon) || id == cmd::kAssociateAll ||
        id == cmd::kAssociateNone) {
        file::win::PathWin* program =
            appWindow_ && appWindow_->getAppBase() ? appWindow_->getAppBase()->getModulePath() : nullptr;
        if (program) runAssociationCommand(id, menu, program->getFullPath());
        return;
    }
    if (runToggle(id)) return;

    // ---- single commands
    switch (id) {
        case cmd::kOpen: openWithDialog(); return;
        case cmd::kLocateFile:
        case cmd::kFileProperty: actOnShownFile(id); return;
        case cmd::kDeleteFile: deleteFile(); return;
        case cmd::kCopyOriginal:
        case cmd::kCopyView:
        case cmd::kCopyViewSharpen:
            if (pictureShown) copyToClipboard(id != cmd::kCopyOriginal, id == cmd::kCopyViewSharpen);
            return;
        case cmd::kPaste: openImage(nullptr, isFitWindowToImage(), isFitImageToWindow()); return;
        case cmd::kFilterClear:
            if (toolPanels_) toolPanels_->clearFilters();
            return;
        case cmd::kNoFilterSetYet: {
            const wchar_t* hint = localizer_ ? localizer_->getText(kOwnFilterSetHintId) : L"";
            s::gui::win::MessageBoxW::showInfoBox(
                hint && *hint ? hint : L"You can add your own filter set here by saving one.");
            return;
        }
        case cmd::kSaveOriginal: saveAs(false, false); return;
        case cmd::kSaveView: saveAs(true, false); return;
        case cmd::kSaveViewSharpen: saveAs(true, true); return;
        case cmd::kOriginalSize: toOriginalSize(); return;
        case cmd::kPrintOriginal:
        case cmd::kPrintOriginalSharpen:
        case cmd::kPrintView:
        case cmd::kPrintViewSharpen:
        case cmd::kPrintPaperMax:
        case cmd::kPrintPaperMaxSharpen: {
            if (!pictureShown) return;
            const bool viewSize = id == cmd::kPrintView || id == cmd::kPrintViewSharpen;
            const bool sharpen =
                id == cmd::kPrintOriginalSharpen || id == cmd::kPrintViewSharpen || id == cmd::kPrintPaperMaxSharpen;
            const bool paperMax = id == cmd::kPrintPaperMax || id == cmd::kPrintPaperMaxSharpen;
            print(viewSize, sharpen, paperMax);
            return;
        }
        case cmd::kSlideShow:
            if (!pictureShown) return;
            if (isSlideShowRunning())
                requestWorkerStop();
            else
                startSlideShow();
            return;
        case cmd::kCaptureScreen:
            captureType_ = capture::kEntireScreen;
            openImage(kScreenShotName, isFitWindowToImage(), isFitImageToWindow());
            return;
        case cmd::kCaptureWindow: startCapturePick(3); return;
        case cmd::kCaptureWindowPart: startCapturePick(5); return;
        case cmd::kBgPickCustom: pickCustomColor(); return;
        case cmd::kClose:
            if (window_) window_->close();
            return;
        case cmd::kVersionInfo: showAbout(); return;
        case cmd::kSoftwarePage: openAddress(appWindow_ ? appWindow_->getTextBaseId() + 3 : 0); return;
        case cmd::kTellDevelopers: openAddress(appWindow_ ? appWindow_->getTextBaseId() + 4 : 0); return;
        case cmd::kMoreSoftware: openAddress(kMoreSoftwareAddressId); return;
        default: break;
    }
    setDefaultFitMode(id);
    setDefaultBackground(id);
}

bool Dialog::runToggle(int32_t id) {
    s::gui::win::PopupMenu* menu = rightClick_ ? rightClick_->getMenu() : nullptr;
    // The toggles act on the opposite of the item's mark and set the mark to it.
    const bool on = !isChecked(id);
    auto mark = [&] {
        if (menu) menu->setChecked(id, on);
    };
    switch (id) {
        case cmd::kFilterLock:
            mark();
            if (toolPanels_) toolPanels_->setLockedFromMenu(on);
            return true;
        case cmd::kPrintAutoRotate: {
            const bool rotate = !isAutoRotate();
            setAutoRotate(rotate);
            if (toolPanels_) toolPanels_->showAutoRotate(rotate);
            return true;
        }
        case cmd::kPalmMode: setPalmMode(on); return true;
        case cmd::kFitImageToWindow: setFitMode(on, false, true); return true;
        case cmd::kFitWindowToImage: setFitMode(on, true, true); return true;
        case cmd::kShowTitleBar: setShowTitleBar(on); return true;
        case cmd::kAutoHideButtons:
            mark();
            autoHideButtons_ = on;
            if (settings_) settings_->setAutoHideButtons(on);
            return true;
        case cmd::kKeepOnTop:
            mark();
            if (window_) window_->setTopMost(on);
            return true;
        case cmd::kCloseByWheelClick: {
            mark();
            const wchar_t* action = on ? app::win::mclick::kClose : app::win::mclick::kDoNothing;
            if (window_) window_->setMClickAction(action);
            if (appWindow_) appWindow_->setMClickAction(action);
            return true;
        }
        default: return false;
    }
}

void Dialog::selectLanguage(int32_t index) {
    if (!localizer_) return;
    lang::LangPack* pack = localizer_->getPackAt(uint32_t(index));
    if (!pack) return;
    localizer_->setLanguageIndex(uint32_t(index));
    if (appWindow_ && appWindow_->getAppBase()) appWindow_->getAppBase()->setLanguage(pack->getEngName());
    if (s::gui::win::PopupMenu* sub = rightClick_ ? rightClick_->getSubMenu(RightClickMenu::kLanguage) : nullptr)
        sub->checkRadioById(cmd::kLanguageFirst + index);
}

void Dialog::selectSkin(int32_t index) {
    if (!skinner_ || index < 0 || uint32_t(index) >= skinner_->getSkinCount()) return;
    skinner_->selectSkin(uint32_t(index));
    if (appWindow_) appWindow_->setSkinName(skinner_->getSkinName(uint32_t(index)));
    if (s::gui::win::PopupMenu* sub = rightClick_ ? rightClick_->getSubMenu(RightClickMenu::kSkin) : nullptr)
        sub->checkRadioById(cmd::kSkinFirst + index);
}

void Dialog::setOpacityCommand(int32_t id) {
    s::gui::win::PopupMenu* sub = rightClick_ ? rightClick_->getSubMenu(RightClickMenu::kTransparency) : nullptr;
    bool onlyOnTop = settings_ && settings_->getTransparencyOnlyOnTop();
    if (id == cmd::kTransparencyOnlyOnTop) {
        onlyOnTop = !isChecked(id);
        if (settings_) settings_->setTransparencyOnlyOnTop(onlyOnTop);
        if (rightClick_ && rightClick_->getMenu()) rightClick_->getMenu()->setChecked(id, onlyOnTop);
    } else {
        opacity_ = 100 - (id - cmd::kOpacity100);
        if (settings_) settings_->setTransparency(opacity_);
        if (sub) sub->checkRadioById(id);
    }
    if (window_) window_->setOpacity(opacity_, onlyOnTop);
}

void Dialog::setDefaultFitMode(int32_t id) {
    int32_t position = 0, mode = 0;
    if (!fitModeOf(id, &position, &mode)) return;
    if (s::gui::win::PopupMenu* sub = rightClick_ ? rightClick_->getSubMenu(RightClickMenu::kFitMode) : nullptr)
        sub->checkRadioAt(position);
    fitMode2_ = mode;
    if (settings_) settings_->setFitMode2(mode);
}

void Dialog::setDefaultBackground(int32_t id) {
    int32_t position = 0, type = 0;
    if (!backgroundOf(id, &position, &type)) return;
    if (s::gui::win::PopupMenu* sub = rightClick_ ? rightClick_->getSubMenu(RightClickMenu::kBackground) : nullptr)
        sub->checkRadioAt(position);
    if (settings_) settings_->setDefaultBgType(type);
    if (!currentValues_) return;
    currentValues_->bgType = type;
    if (filterPanels_) filterPanels_->setBackground(type, COLORREF(currentValues_->bgCustomColor), true);
}

void Dialog::pickCustomColor() {
    if (!currentValues_) return;
    auto* picker = s::gui::dialogs::win::ColorPicker::create();
    if (!picker) return;
    const COLORREF current = COLORREF(currentValues_->bgCustomColor);
    picker->setInitialColor(GetRValue(current), GetGValue(current), GetBValue(current));
    const bool chosen = picker->show(window_);
    const COLORREF color = RGB(picker->getRed(), picker->getGreen(), picker->getBlue());
    picker->release();
    if (!chosen) return;
    if (settings_) settings_->setDefaultBgCustomColor(int32_t(color));
    currentValues_->bgCustomColor = int32_t(color);
    if (rightClick_) rightClick_->showCustomColor(int32_t(color));
    if (currentValues_->bgType == 3 && filterPanels_) filterPanels_->setBackground(3, color, true);
}

void Dialog::openAddress(int32_t textId) {
    const wchar_t* address = localizer_ && textId ? localizer_->getText(textId) : nullptr;
    if (address && *address) s::shell::open(address);
}

void Dialog::actOnShownFile(int32_t id) {
    // A pasted or captured picture has no file of its own to show.
    file::win::PathWin* file = shown_.getSourceFile();
    if (!file) return;
    if (id == cmd::kLocateFile)
        s::shell::showInExplorer(file->getFullPath());
    else
        s::shell::showProperties(file->getFullPath());
}

}  // namespace s::image::gui::dialogs::imageview
