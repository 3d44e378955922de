// The watermark filter's text rendering, with the toolkit's fonts and the text drawer.
// Registered with the imaging filter by s::skins::installDefaultDrawers.
#pragma once

#include <cstdint>

namespace s::image::filters::watermark {
class Watermark;
}
namespace s::image::win {
class BufferedImage;
}

namespace s::skins::watermark {

void render(const image::filters::watermark::Watermark& watermark, image::win::BufferedImage* result);

// The size of the box the text takes: tw (the measured width plus 6) by th; false when
// the text cannot be measured.
bool textBox(const image::filters::watermark::Watermark& watermark, int32_t* tw, int32_t* th);

// The level g of the key colour (g, 0, g) of the transparent layer: 255, or 119 when the
// text or outline colour is 0xFF00FF, or 85 when one of them is also 0x770077.
int32_t keyLevel(uint32_t textColour, uint32_t outlineColour);

}  // namespace s::skins::watermark
