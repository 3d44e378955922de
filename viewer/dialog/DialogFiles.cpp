// Save As, copy to the clipboard, delete, About, and starting the slide show.
#include <windows.h>

#include <string>

#include "gui/controls/Image.h"
#include "gui/dialogs/FileOpener.h"
#include "gui/dialogs/MessageBox.h"
#include "gui/window/Window.h"
#include "imaging/codec/EncodedImage.h"
#include "imaging/exchange/Clipboard.h"
#include "imaging/filters/Sharpness.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/settings/EncodeSetting.h"
#include "platform/file/PathWin.h"
#include "platform/lang/Localizer.h"
#include "viewer/about/AboutWindow.h"
#include "viewer/dialog/Dialog.h"
#include "viewer/dialog/DialogFilesSupport.h"
#include "viewer/effects/EffectData.h"
#include "viewer/panels/IToolPanels.h"
#include "viewer/saveopts/SaveOptionsWindow.h"
#include "viewer/settings/ViewerSettings.h"
#include "viewer/worker/BatchConverter.h"

namespace s::image::gui::dialogs::imageview {

using file::win::PathWin;

namespace {

constexpr int32_t kAskDeleteTextId = 1990000651;
// Copies sharpen a little less than saves and prints.
constexpr int32_t kCopySharpenLevel = 60;

// Sets a flag for the life of a scope.
struct FlagScope {
    explicit FlagScope(bool* flag) : flag_(flag) { *flag_ = true; }
    ~FlagScope() { *flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;
    bool* flag_;
};

}  // namespace

Dialog::AboutHolder::~AboutHolder() { delete about; }

void Dialog::showCommandError(const wchar_t* text) {
    if (window_)
        window_->showError(text);
    else
        s::gui::win::MessageBoxW::showErrorBox(text);
}

void Dialog::saveAs(bool viewSize, bool autoSharpen) {
    if (!shown_.isShown() || !view_ || !view_->hasImage()) return;
    // What the dialog is asked for: the picture on view now.
    const uint64_t asked = pictureSerial_;
    const std::wstring shownName = shown_.getName();
    const std::vector<const SaveFormat*> formats = saveFormatsFor(shownName.c_str());

    auto* opener = s::gui::dialogs::win::FileOpener::create();
    if (!opener) return;
    opener->setSaveMode();
    const std::wstring start = settings_ ? settings_->getLastAccessedDirPath() : desktopFolder();
    opener->setInitialDirectory(start.c_str());
    opener->setFileName(shownName.c_str());
    for (const SaveFormat* f : formats) opener->addFilter(f->description, f->pattern);
    bool confirmed;
    {
        FlagScope hold(&commandDialogUp_);
        confirmed = opener->show(window_);
    }
    const int32_t filter = opener->getFilterIndex();
    const std::wstring chosenPath = confirmed ? opener->getPath() : L"";
    opener->release();
    if (!confirmed || chosenPath.empty()) return;

    const SaveFormat* chosen =
        filter >= 1 && size_t(filter) <= formats.size() ? formats[size_t(filter - 1)] : formats.front();
    const std::wstring target = saveTargetFor(chosenPath.c_str(), chosen);
    PathWin* path = PathWin::fromString(target.c_str());
    if (PathWin* parent = path->getParent()) {
        if (settings_) settings_->setLastAccessedDirPath(parent->getFullPath());
        parent->release();
    }
    path->release();

    // The picture may change under a dialog (a slide show, a paste): only the one asked
    // about is saved.
    auto changed = [&] {
        if (shown_.isShown() && view_->hasImage() && pictureSerial_ == asked) return false;
        showCommandError(
            (L"The picture changed while the file was being chosen; nothing was saved to\n" + target).c_str());
        return true;
    };
    if (changed()) return;
    const SaveFormat* format = saveFormatOfName(target.c_str());
    IEncodeSetting* setting =
        encodeSettingFor(format->extension, currentValues_, settings_ ? settings_->getStore() : nullptr);
    if (!setting) return;
    // The format's options, asked with the viewer held as under the file dialog. A format
    // without an options panel saves with its stored options.
    bool taken;
    {
        FlagScope hold(&commandDialogUp_);
        boxes::SaveOptionsWindow asker(window_, setting, localizer_);
        taken = !asker.open() || asker.waitForAnswer();
    }
    if (!taken || changed()) {
        static_cast<EncodeSettingBase*>(setting)->release();
        return;
    }
    IEncodedImage* encoder = view_->exportShown(setting, viewSize, autoSharpen, nullptr);
    const bool written = encoder && encoder->save(target.c_str());
    if (encoder) encoder->release();
    static_cast<EncodeSettingBase*>(setting)->release();
    if (!written) showCommandError((L"The picture could not be saved to\n" + target).c_str());
}

void Dialog::copyToClipboard(bool viewSize, bool autoSharpen) {
    if (!view_ || !view_->hasImage()) return;
    image::win::BufferedImage* copy = view_->copyShown(viewSize, nullptr);
    if (!copy) return;
    if (autoSharpen) {
        auto* sharp = filters::sharpness::Sharpness::create();
        sharp->setLevel(kCopySharpenLevel);
        sharp->setReleasedWithImage(true);
        copy->addFilter(sharp);
    }
    // The clipboard gets the final picture, flattened when it still has transparency.
    image::win::BufferedImage* final = copy->hasFilters() ? copy->getFiltered() : copy;
    if (final) {
        if (final->hasAlpha()) {
            const COLORREF c = flattenColorFor(currentValues_ ? currentValues_->bgType : 0,
                                               currentValues_ ? currentValues_->bgCustomColor : 0xFFFFFF);
            final->flattenOnto(GetRValue(c), GetGValue(c), GetBValue(c));
        }
        image::copyToClipboard(window_ ? window_->getHwnd() : nullptr, final);
    }
    copy->release();
}

void Dialog::deleteFile() {
    // Only a picture read from a file: a pasted or captured one has a made-up name.
    if (!shown_.isFromFile() || !shown_.getFile()) return;
    // The file is the one on view when asked, whatever is shown once the answer comes.
    PathWin* doomed = PathWin::fromString(shown_.getFile()->getFullPath());
    const wchar_t* question = localizer_ ? localizer_->getText(kAskDeleteTextId) : L"";
    bool yes;
    {
        FlagScope hold(&commandDialogUp_);
        yes = s::gui::win::MessageBoxW::askYesNoBox(
            question && *question ? question : L"Are you sure you want to delete this file?");
    }
    if (!yes) {
        doomed->release();
        return;
    }
    showNextFile(true);
    if (!shown_.isFromFile() || !shown_.getFile() || shown_.getFile()->equalsIgnoreCase(doomed)) closePicture();
    doomed->recycle(false, true);
    doomed->release();
}

void Dialog::showAbout() {
    if (!about_.about) about_.about = AboutWindow::createFor(appWindow_);
    if (about_.about) about_.about->show(window_);
}

void Dialog::startSlideShow() {
    if (!worker_ || worker_->isSlideShowRunning()) return;
    if (slideShowInterval_ < 0)
        slideShowInterval_ = settings_ ? settings_->getSlideShowMSec() : kDefaultSlideShowInterval;
    const std::wstring field = toolPanels_ ? toolPanels_->slideShowIntervalText() : L"";
    slideShowInterval_ = slideShowIntervalFrom(field.c_str(), slideShowInterval_);
    const std::wstring text = std::to_wstring(slideShowInterval_);
    if (toolPanels_) toolPanels_->setSlideShowIntervalText(text.c_str());
    if (settings_) settings_->setSlideShowMSec(slideShowInterval_);
    slideShowRepeat_ = toolPanels_ ? toolPanels_->slideShowRepeat() : true;
    if (view_ && view_->hasImage()) worker_->startSlideShow(slideShowInterval_);
}

}  // namespace s::image::gui::dialogs::imageview
