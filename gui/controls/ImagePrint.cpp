#include "gui/controls/ImagePrint.h"

namespace s::gui::imageview {

ShownPrint planShownPrint(int32_t pictureWidth, int32_t pictureHeight, int32_t innerWidth, int32_t innerHeight,
                          bool viewSize, bool autoRotate, bool autoSharpen, bool paperMaximum) {
    ShownPrint p;
    const bool resized = viewSize && innerWidth > 0 && innerHeight > 0;
    p.width = resized ? innerWidth : pictureWidth;
    p.height = resized ? innerHeight : pictureHeight;
    p.options.turnLandscape = autoRotate;
    p.options.sharpen = autoSharpen;
    p.options.fitToPage = paperMaximum;
    return p;
}

}  // namespace s::gui::imageview
