#include "skins/drawers/ImageDrawer.h"

namespace s::gui::drawer::image::win {

void Basic::paint(HDC, ::s::image::win::BufferedImage*, int32_t, int32_t, int32_t, int32_t, ::s::image::IBufferedImage*,
                  bool, bool, bool) {}

}  // namespace s::gui::drawer::image::win
