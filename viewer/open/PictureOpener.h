// Reading a picture for the viewer: from a file, from the clipboard or from a screen
// capture, into the record of the shown picture, remembering the folder it came from.
//
//   ViewerSettings settings(appWindow);
//   PictureOpener opener(&settings);
//   if (opener.openFile(path, &shown)) { reset the filter panels; show shown.takeSet(); }
//   if (!opener.openClipboard(hwnd, &shown)) { nothing changed: the old picture stays }
//
// An open either succeeds and replaces the whole record, or fails and changes nothing at
// all: neither the shown picture, nor its name, nor the remembered folder. The caller
// resets its filter panels and the like only after a success, so that a corrupt file met
// while browsing or a paste from an empty clipboard does not undo the user's edits to the
// picture that stays on view.
//
// A pasted or captured picture is given a name in the last folder ("<folder>\From
// Clipboard.bmp") for its title and as the default name to save it under; the record marks
// it as not read from a file, so no operation mistakes that name for a file of its own.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "imaging/exchange/BackgroundLoad.h"
#include "viewer/open/ShownPicture.h"

namespace s::file::win {
class PathWin;
}
namespace s::image::win {
class BufferedImage;
class BufferedImageSet;
}  // namespace s::image::win

namespace s::image::gui::dialogs::imageview {

class ViewerSettings;

// The kinds of screen capture as stored in the settings.
namespace capture {
constexpr int32_t kEntireScreen = 1;
constexpr int32_t kWindow = 3;
constexpr int32_t kWindowPart = 5;
}  // namespace capture

// The window that takes a capture: it gets out of the way first and comes back after,
// whatever the capture gave.
class ICaptureHost {
public:
    virtual ~ICaptureHost() = default;
    // Hides the window (and whatever of it would show in the picture).
    virtual void hideForCapture() = 0;
    // Shows the window again and brings it to the front.
    virtual void showAfterCapture() = 0;
};

// The captions the made-up names are built from (the language pack's texts).
struct PictureNames {
    std::wstring clipboard = L"From Clipboard";
    std::wstring entireScreen = L"Entire Screen";
    std::wstring window = L"Window";
    std::wstring windowPart = L"Window Part";
};

class PictureOpener {
public:
    // The settings remember the folder of each opened picture ("LastAccessedDirPath" of
    // "View"); not owned; null remembers nothing and puts pasted pictures on the desktop.
    explicit PictureOpener(ViewerSettings* settings);

    void setNames(const PictureNames& names) { names_ = names; }
    const PictureNames& getNames() const { return names_; }
    // How long the host is left hidden before the screen is read (500 ms unless set).
    void setCaptureDelay(DWORD ms) { captureDelayMs_ = ms; }

    // The picture file at the path (any format the codecs know, by its content). False
    // for a missing, unreadable or unknown file.
    bool openFile(const wchar_t* path, ShownPicture* shown);
    bool openFile(file::win::PathWin* path, ShownPicture* shown);
    // Starts reading the file on a thread of its own; the next openFile of exactly this
    // path takes the result instead of reading the file again. Given a size, a large
    // JPEG is first decoded at a reduced scale still at least that size: the next
    // openFile of the path gives that quick copy and the one after it the full picture
    // (previewedPath names the path until then).
    void preloadFile(const wchar_t* path, int previewMinWidth = 0, int previewMinHeight = 0) {
        preload_.start(path, previewMinWidth, previewMinHeight);
        previewGiven_ = false;
    }
    // The path whose reduced copy is on view while its full picture waits (else empty).
    std::wstring previewedPath() const { return previewGiven_ ? preload_.pendingPath() : std::wstring(); }
    // The picture on the clipboard. False when it holds none.
    bool openClipboard(HWND owner, ShownPicture* shown);
    // A capture of the given kind (capture::); the point is where the user picked a
    // window, for the window kinds. The host is hidden for the delay and always shown
    // again. False for an unknown kind or when nothing was captured.
    bool openCapture(int32_t kind, POINT pick, ICaptureHost* host, ShownPicture* shown);

    // The folder pasted and captured pictures are named into: the remembered one, else
    // the desktop.
    std::wstring namingFolder() const;
    // "<folder>\<caption>.bmp" (or "<caption>.bmp" without a folder).
    std::wstring madeUpName(const std::wstring& caption) const;

private:
    // Puts the set on view under the name (taking the set over), remembers its folder.
    void commit(PictureSource source, image::win::BufferedImageSet* set, file::win::PathWin* name, ShownPicture* shown);
    bool commitImage(PictureSource source, image::win::BufferedImage* image, const std::wstring& caption,
                     ShownPicture* shown);

    ViewerSettings* settings_;
    PictureNames names_;
    DWORD captureDelayMs_ = 500;
    image::BackgroundLoad preload_;
    bool previewGiven_ = false;
};

}  // namespace s::image::gui::dialogs::imageview
