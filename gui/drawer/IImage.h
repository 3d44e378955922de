// The picture frame drawer of the picture view control: puts a picture into a
// rectangle, optionally inside a thin black frame. (Not s::gui::IImage, the control,
// nor s::image::IImage, the pixels.)
#pragma once

#include "gui/drawer/IDrawer.h"

namespace s::image {
class IBufferedImage;
}
namespace s::image::win {
class BufferedImage;
}

namespace s::gui::drawer {

class IImage : public base::IObject {
public:
    // canvas: the control's back-buffer picture behind dc (alpha pictures are blended
    // into it); image: the picture, shown through its filter chain when it has one.
    virtual void paint(HDC dc, ::s::image::win::BufferedImage* canvas, int32_t left, int32_t top, int32_t right,
                       int32_t bottom, ::s::image::IBufferedImage* image, bool stretch, bool framed,
                       bool blendAlpha) = 0;
};

}  // namespace s::gui::drawer

namespace s::gui::drawer::image {
class IBasic : public drawer::IImage {};
}  // namespace s::gui::drawer::image
