#include "gui/fonts/FontSetting.h"

#include "gui/fonts/Font.h"

namespace s::gui::win {

IFont* FontSetting::createFont() const { return Font::createFrom(d_); }

}  // namespace s::gui::win
