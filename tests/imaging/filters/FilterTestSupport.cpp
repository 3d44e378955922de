#include "FilterTestSupport.h"

#include <random>

namespace filtertest {

BufferedImage* imageOf(int w, int h, const std::vector<uint32_t>& pixels)
{
    BufferedImage* img = BufferedImage::createSized(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img->getRow(y)[x] = pixels[size_t(y) * size_t(w) + size_t(x)];
    return img;
}

BufferedImage* uniform(int w, int h, uint32_t pixel)
{
    return imageOf(w, h, std::vector<uint32_t>(size_t(w) * size_t(h), pixel));
}

BufferedImage* randomImage(int w, int h, uint32_t seed)
{
    std::mt19937 rng(seed);
    std::vector<uint32_t> v(size_t(w) * size_t(h));
    for (auto& p : v) p = rng();
    return imageOf(w, h, v);
}

std::vector<uint32_t> pixelsOf(BufferedImage* img)
{
    std::vector<uint32_t> v;
    for (int y = 0; y < img->getHeight(); ++y) v.insert(v.end(), img->getRow(y), img->getRow(y) + img->getWidth());
    return v;
}

}  // namespace filtertest
