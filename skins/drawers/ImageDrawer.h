// The picture frame drawer (see gui/drawer/IImage.h). Painting is in
// skins/painters/ImagePainter.cpp.
#pragma once

#include "foundation/thread/Pool.h"
#include "gui/drawer/IImage.h"

namespace s::gui::drawer::image::win {

class Basic : public image::IBasic, public thread::IPoolable {
    S_POOLED(Basic, L"s_gui_drawer_image_win_Basic")
public:
    void paint(HDC dc, ::s::image::win::BufferedImage* canvas, int32_t left, int32_t top, int32_t right, int32_t bottom,
               ::s::image::IBufferedImage* picture, bool stretch, bool framed, bool blendAlpha) override;
    void reset() override {}
};

}  // namespace s::gui::drawer::image::win
