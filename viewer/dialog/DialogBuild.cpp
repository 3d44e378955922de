// The viewer window and its component tree. (Being written.)
#include "viewer/dialog/Dialog.h"

namespace s::image::gui::dialogs::imageview {

int32_t Dialog::run(const wchar_t*) { return 0; }
void Dialog::build(const wchar_t*) {}
s::gui::IWindow* Dialog::getWindow() const { return nullptr; }

}  // namespace s::image::gui::dialogs::imageview
