// The smallest picture interfaces: a size, and a buffer of 32-bit pixels.
#pragma once

#include <cstdint>

namespace s::image {

// Anything with a picture size (buffered images, image sets, codecs).
class IImage {
public:
    virtual ~IImage() = default;
    virtual int getWidth() const = 0;
    virtual int getHeight() const = 0;
    // Tells an image apart from other sized things; every image answers true.
    virtual bool isImage() const { return true; }
};

// Direct access to 32-bit pixel rows (0xAARRGGBB words), row 0 at the top.
class IImageBuffer {
public:
    virtual ~IImageBuffer() = default;
    virtual uint32_t* getRow(int y) = 0;
    virtual int getStride() const = 0;
};

}  // namespace s::image
