// Event routing, the panel chooser and the worker's status. (Being written.)
#include "viewer/dialog/Dialog.h"

namespace s::image::gui::dialogs::imageview {

void Dialog::onEvent(base::IObject*, int32_t) {}
void Dialog::selectPanel(int32_t) {}
void Dialog::slideShowStarted() {}
void Dialog::slideShowNext() {}
void Dialog::slideShowEnded() {}
void Dialog::convertStarted(int32_t) {}
void Dialog::fileStarted(int32_t, int32_t, const wchar_t*) {}
void Dialog::fileFinished(int32_t, FileOutcome, const wchar_t*) {}
void Dialog::convertEnded(const ConvertSummary&) {}

}  // namespace s::image::gui::dialogs::imageview
