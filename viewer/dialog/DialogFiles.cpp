// Save As, copy to the clipboard, delete, About, and starting the slide show. (Being written.)
#include "viewer/dialog/Dialog.h"

namespace s::image::gui::dialogs::imageview {

void Dialog::saveAs(bool, bool) {}
void Dialog::copyToClipboard(bool, bool) {}
void Dialog::deleteFile() {}
void Dialog::showAbout() {}
void Dialog::startSlideShow() {}

}  // namespace s::image::gui::dialogs::imageview
