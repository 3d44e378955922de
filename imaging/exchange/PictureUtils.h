// Small picture helpers: loading a file into an image set, and the angle arithmetic
// behind turning a picture by dragging.
//
//   double a = s::image::atanDegrees(dx, dy);      // 0 <= a < 360
//   s::image::rotatePoint(x, y, 90);               // (1, 0) -> (0, 1)
#pragma once

namespace s::image::win {
class BufferedImageSet;
}

namespace s::image {

// The file's frames as a new image set (the caller releases it); null for a missing,
// unreadable or unknown file.
win::BufferedImageSet* loadImageFile(const wchar_t* path);

// The angle of the point (x, y) seen from the origin, in degrees in [0, 360); 0 for
// the origin itself.
double atanDegrees(double x, double y);
// Turns the point about the origin by the given degrees (counter-clockwise with y up).
void rotatePoint(double& x, double& y, double degrees);

}  // namespace s::image
