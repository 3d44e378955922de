// Opening pictures from files, the clipboard and captures; Open...; dropped paths. (Being written.)
#include "viewer/dialog/Dialog.h"

namespace s::image::gui::dialogs::imageview {

const wchar_t* const kScreenShotName = L"ScreenShot";

bool Dialog::openImage(const wchar_t*, bool, bool) { return false; }
void Dialog::closePicture() {}
void Dialog::openWithDialog() {}
void Dialog::openPaths(file::win::PathArray*) {}
void Dialog::hideForCapture() {}
void Dialog::showAfterCapture() {}

}  // namespace s::image::gui::dialogs::imageview
