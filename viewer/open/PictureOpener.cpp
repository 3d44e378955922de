#include "viewer/open/PictureOpener.h"

#include "imaging/capture/ScreenCapture.h"
#include "imaging/exchange/Clipboard.h"
#include "imaging/exchange/PictureUtils.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"
#include "platform/file/PathWin.h"
#include "viewer/settings/ViewerSettings.h"

namespace s::image::gui::dialogs::imageview {

using file::win::PathWin;
using image::win::BufferedImage;
using image::win::BufferedImageSet;

PictureOpener::PictureOpener(ViewerSettings* settings) : settings_(settings) {}

bool PictureOpener::openFile(const wchar_t* path, ShownPicture* shown) {
    if (!path || !*path || !shown) return false;
    // A picture read ahead for another path is given up: the file may have changed by the
    // time that path is opened again.
    if (preload_.isPending() && preload_.pendingPath() != path) preload_.discard();
    BufferedImageSet* set = nullptr;
    const bool preview = !previewGiven_ && preload_.takePreview(path, &set);
    if (preview) {
        previewGiven_ = true;
    } else {
        previewGiven_ = false;
        if (!preload_.take(path, &set) || !set) set = loadImageFile(path);
    }
    if (!set) return false;
    commit(PictureSource::File, set, PathWin::fromString(path), shown);
    return true;
}

bool PictureOpener::openFile(PathWin* path, ShownPicture* shown) {
    return path && openFile(path->getFullPath(), shown);
}

bool PictureOpener::openClipboard(HWND owner, ShownPicture* shown) {
    if (!shown) return false;
    return commitImage(PictureSource::Clipboard, pasteFromClipboard(owner), names_.clipboard, shown);
}

bool PictureOpener::openCapture(int32_t kind, POINT pick, ICaptureHost* host, ShownPicture* shown) {
    if (!shown) return false;
    const std::wstring* caption = nullptr;
    switch (kind) {
        case capture::kEntireScreen: caption = &names_.entireScreen; break;
        case capture::kWindow: caption = &names_.window; break;
        case capture::kWindowPart: caption = &names_.windowPart; break;
        default: break;
    }
    if (host) host->hideForCapture();
    if (captureDelayMs_) Sleep(captureDelayMs_);
    BufferedImage* image = nullptr;
    if (kind == capture::kEntireScreen) {
        image = system::captureScreenRect(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                                          GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    } else if (kind == capture::kWindow) {
        image = system::captureWindowAtPoint(pick.x, pick.y);
    } else if (kind == capture::kWindowPart) {
        if (HWND under = WindowFromPoint(pick)) image = system::captureWindow(under);
    }
    if (host) host->showAfterCapture();
    return caption && commitImage(PictureSource::Capture, image, *caption, shown);
}

std::wstring PictureOpener::namingFolder() const {
    return settings_ ? settings_->getLastAccessedDirPath() : desktopFolder();
}

std::wstring PictureOpener::madeUpName(const std::wstring& caption) const {
    std::wstring folder = namingFolder();
    while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
    std::wstring name = folder.empty() ? caption : folder + L"\\" + caption;
    return name + L".bmp";
}

bool PictureOpener::commitImage(PictureSource source, BufferedImage* image, const std::wstring& caption,
                                ShownPicture* shown) {
    if (!image) return false;
    BufferedImageSet* set = BufferedImageSet::fromImage(image);
    if (!set) {
        image->release();
        return false;
    }
    commit(source, set, PathWin::fromString(madeUpName(caption).c_str()), shown);
    return true;
}

void PictureOpener::commit(PictureSource source, BufferedImageSet* set, PathWin* name, ShownPicture* shown) {
    PathWin* folder = name->getParent();
    shown->assign(source, set, name, folder);
    const wchar_t* folderText = folder->getFullPath();
    if (settings_ && folderText && *folderText) settings_->setLastAccessedDirPath(folderText);
}

}  // namespace s::image::gui::dialogs::imageview
