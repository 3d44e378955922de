#include "imaging/exchange/PictureUtils.h"

#include <cmath>

#include "imaging/codec/ImageFactory.h"
#include "imaging/image/BufferedImageSet.h"

namespace s::image {

namespace {
constexpr double kPi = 3.14159265358979323846;
}

win::BufferedImageSet* loadImageFile(const wchar_t* path) {
    if (!path || !*path) return nullptr;
    IEncodedImage* codec = openImageFile(path);
    if (!codec) return nullptr;
    win::BufferedImageSet* set = codec->toImageSet();
    codec->release();
    return set;
}

double atanDegrees(double x, double y) {
    double a;
    if (x > 0) {
        a = std::atan(y / x);
    } else if (x < 0) {
        a = std::atan(y / x) - kPi;
    } else {
        a = y > 0 ? kPi / 2 : y < 0 ? 3 * kPi / 2 : 0;
    }
    while (a < 0) a += 2 * kPi;
    while (a >= 2 * kPi) a -= 2 * kPi;
    double degrees = a * 180 / kPi;
    return degrees >= 360 ? 0 : degrees;
}

void rotatePoint(double& x, double& y, double degrees) {
    const double r = std::sqrt(x * x + y * y);
    double a = atanDegrees(x, y) + degrees;
    while (a < 0) a += 360;
    while (a >= 360) a -= 360;
    a = a * kPi / 180;
    x = std::cos(a) * r;
    y = std::sin(a) * r;
}

}  // namespace s::image
