// The right-click menu's commands. (Being written.)
#include "viewer/dialog/Dialog.h"

namespace s::image::gui::dialogs::imageview {

void Dialog::executeCommand(int32_t) {}

}  // namespace s::image::gui::dialogs::imageview
