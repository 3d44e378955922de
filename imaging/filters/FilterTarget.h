// Helpers shared by the filters: the test for a source that has pixels to read, and the
// destination of a result of a given size.
#pragma once

#include "imaging/image/BufferedImage.h"

namespace s::image::filters {

// The source has pixels and a size of at least 1 x 1. A picture whose DIB could not be
// made (0 x 0, no pixels) is not usable: filters answer null for it.
bool isUsableSource(win::BufferedImage* src);

// dst emptied and sized w x h (its storage grown when needed), or with dst null a new
// pooled image of w x h. Null when the pixels could not be made (a new image is then
// released; a given dst is left empty).
win::BufferedImage* makeTarget(win::BufferedImage* dst, int w, int h);

// A plain copy of src into dst (whose DIB is kept when it has the room) or a new image;
// null when src has no pixels or the copy could not be made.
win::BufferedImage* copySource(win::BufferedImage* src, win::BufferedImage* dst);

}  // namespace s::image::filters
