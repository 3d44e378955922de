// Small pictures for the filter tests.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/image/BufferedImage.h"

namespace filtertest {

using s::image::win::BufferedImage;

// A w x h picture with the given pixels (row by row from the top).
BufferedImage* imageOf(int w, int h, const std::vector<uint32_t>& pixels);
// A w x h picture of one colour.
BufferedImage* uniform(int w, int h, uint32_t pixel);
// A w x h picture of random pixels (alpha random too).
BufferedImage* randomImage(int w, int h, uint32_t seed);
// The logical pixels row by row from the top.
std::vector<uint32_t> pixelsOf(BufferedImage* img);

}  // namespace filtertest
