// Moving decoded pixels between a codec's DIB and 32-bit buffered images.
#pragma once

#include <windows.h>

#include <cstdint>

namespace s::image::bmp::win { class Bitmap; }
namespace s::image::win { class BufferedImage; class BufferedImageSet; }

namespace s::image {

// dst emptied and sized w x h (grown when needed), or a new pooled image of that size;
// null when the pixels cannot be had (a given dst is then left 0 x 0).
win::BufferedImage* imageTarget(win::BufferedImage* dst, int w, int h);

// How the alpha bytes of a 32-bit DIB become the image's.
enum class AlphaRule {
    Opaque,    // the pixels carry alpha 255 already: the image is opaque
    Straight,  // alpha as stored; a picture whose alpha bytes are all 0 is made opaque
};

// The 32-bit DIB's pixels copied into dst (or a new image) with the alpha rule.
win::BufferedImage* copyToImage(bmp::win::Bitmap* bitmap, win::BufferedImage* dst, AlphaRule rule);

// Loads a 32-bit DIB of the image's size. An image without the has-alpha flag is
// opaque whatever its alpha bytes hold; one with it keeps its alpha when asked, else
// it is flattened onto the background R, G, B.
bool loadFromImage(bmp::win::Bitmap* bitmap, win::BufferedImage* image, bool keepTransparency,
                   uint8_t r, uint8_t g, uint8_t b);

// Any GDI bitmap as a new pooled 32-bit image; null when it cannot be read.
win::BufferedImage* imageFromHBitmap(HBITMAP bitmap);

// A new set holding the one image at that depth; null when image is null.
win::BufferedImageSet* singleFrameSet(win::BufferedImage* image, int depth);

// Whether a picture of w x h pixels may come from a stream of that many bytes, where
// one byte of data can stand for at most pixelsPerByte pixels. A stream of unknown
// length (UINT64_MAX) passes.
bool plausibleSize(uint64_t w, uint64_t h, uint64_t streamBytes, uint64_t pixelsPerByte);

// ---- picture limits ------------------------------------------------------------------
// No picture of more pixels than this is decoded (1 GiB at 32 bits).
constexpr uint64_t kMaxPixels = 1ull << 28;
// A file smaller than kSmallFileBytes may not make a reader set aside more than
// kSmallFileBudget for its pixels: a few bytes of header must not cost gigabytes.
constexpr uint64_t kSmallFileBytes = 1ull << 20;
constexpr uint64_t kSmallFileBudget = 640ull << 20;

// Whether a picture of w x h that needs bytesPerPixel bytes of memory per pixel (its
// decoded rows, the image made from them, the decoder's own buffers) may be decoded
// from a file of fileBytes (UINT64_MAX when unknown). When not, sizeRefusal() says why.
bool pictureFits(uint64_t w, uint64_t h, uint64_t bytesPerPixel, uint64_t fileBytes);
// Why the last picture refused on this thread was refused for its size; null when none
// was since clearSizeRefusal().
const wchar_t* sizeRefusal();
void clearSizeRefusal();

}  // namespace s::image
