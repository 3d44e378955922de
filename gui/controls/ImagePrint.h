// What the picture view prints, as a pure function of the user's print choices: the
// picture at its own size or at the size the view shows it, turned to fit a page wider
// than high, sharpened, and fitted to the whole paper.
//
//   ShownPrint p = planShownPrint(1200, 800, 600, 400, true, true, false, false);
//   // p.width x p.height: 600 x 400, the view's size; p.options for printImage
//   PrintPlan plan = s::image::planPrint(page, p.width, p.height, p.options);
#pragma once

#include <cstdint>

#include "imaging/exchange/Print.h"

namespace s::gui::imageview {

struct ShownPrint {
    // The size of the picture sent to the printer.
    int32_t width = 0, height = 0;
    ::s::image::PrintOptions options;
};

// viewSize: the picture as the view shows it (its inner size), else at its own size; an
// empty view prints the picture at its own size.
ShownPrint planShownPrint(int32_t pictureWidth, int32_t pictureHeight, int32_t innerWidth, int32_t innerHeight,
                          bool viewSize, bool autoRotate, bool autoSharpen, bool paperMaximum);

}  // namespace s::gui::imageview
