// A picture filter: a small pooled object holding its parameters that turns a source
// image into a result image. Images run chains of them (BufferedImage::applyFilters).
#pragma once

#include "foundation/base/Object.h"
#include "foundation/thread/Pool.h"

namespace s::image::win { class BufferedImage; }

namespace s::image::filters {

class IFilter : public base::IObject, public thread::IPoolable {
public:
    // The filter's static name string: the same pointer on every call, so chains find
    // filters by pointer identity.
    virtual const wchar_t* getFilterName() const = 0;
    // When set, an image that drops the filter gives it back to its pool; when clear the
    // filter belongs to someone else.
    virtual bool isReleasedWithImage() const = 0;
    virtual void setReleasedWithImage(bool flag) = 0;
    // Reads src (never changed) and writes the result into dst (resized as needed) or,
    // with dst null, into a new pooled image the caller owns. Returns the result, or null
    // when it could not be made (a new image is then released, never returned).
    virtual win::BufferedImage* apply(win::BufferedImage* src, win::BufferedImage* dst) = 0;
};

// The flag every filter class keeps after its object header.
class FilterBase : public IFilter {
public:
    bool isReleasedWithImage() const override { return releasedWithImage_; }
    void setReleasedWithImage(bool flag) override { releasedWithImage_ = flag; }

protected:
    bool releasedWithImage_ = true;
};

}  // namespace s::image::filters
