// Keys, browsing, fit and zoom, window placement. (Being written.)
#include "viewer/dialog/Dialog.h"

namespace s::image::gui::dialogs::imageview {

void Dialog::showPreviousFile() {}
bool Dialog::showNextFile(bool) { return false; }
void Dialog::zoomIn() {}
void Dialog::zoomOut() {}
void Dialog::zoomByWheel(int32_t) {}
void Dialog::toOriginalSize() {}
void Dialog::applyScale(double, bool, bool, int32_t, int32_t, bool) {}
void Dialog::updateZoomSlider() {}
void Dialog::updateZoomLimits() {}
void Dialog::setFitMode(bool, bool, bool) {}
void Dialog::setFitWindowToImage(bool) {}
void Dialog::setFitImageToWindow(bool) {}
void Dialog::setPalmMode(bool) {}
void Dialog::updatePalmButtons() {}
void Dialog::setShowTitleBar(bool) {}
void Dialog::fitSize(int32_t, int32_t w, int32_t h, int32_t* outW, int32_t* outH) {
    *outW = w;
    *outH = h;
}
void Dialog::placeWindow(int32_t, int32_t) {}
int32_t Dialog::maxWindowWidth() { return 0; }
int32_t Dialog::maxWindowHeight() { return 0; }
int32_t Dialog::windowWidthFor(int32_t view) { return view; }
int32_t Dialog::windowHeightFor(int32_t view) { return view; }
int32_t Dialog::viewWidthFor(int32_t outer) { return outer; }
void Dialog::onSizing() {}
zoom::WindowChrome Dialog::chrome() { return zoom::WindowChrome::forScreenScale(s_, true); }

}  // namespace s::image::gui::dialogs::imageview
