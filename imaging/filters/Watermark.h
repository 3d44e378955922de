// The watermark filter: a line of text drawn into a bottom corner of the picture,
// optionally outlined, on a transparent or coloured box, at an opacity.
//
// Drawing text needs fonts and the text painter, which live in layers above imaging;
// the skins layer registers the renderer once at start-up (s::skins::installDefaultDrawers).
// Until it does, the filter gives a plain copy.
#pragma once

#include <cstdint>
#include <string>

#include "imaging/filters/Filter.h"

namespace s::image::filters::watermark {

class Watermark : public FilterBase {
    S_POOLED(Watermark, L"s_image_filters_watermark_Watermark")
public:
    static const wchar_t* const NAME;  // "Watermark"

    // Corner positions the renderer draws at; other values draw nothing.
    static constexpr int32_t kBottomLeft = 3;
    static constexpr int32_t kBottomRight = 4;

    Watermark() { reset(); }

    const wchar_t* getFilterName() const override { return NAME; }
    // A copy of src with the text drawn by the registered renderer (none for an empty
    // text or without a renderer); the result's has-alpha flag is src's.
    win::BufferedImage* apply(win::BufferedImage* src, win::BufferedImage* dst) override;
    void reset() override;

    std::wstring text;
    std::wstring fontFace = L"MS Shell Dlg 2";
    int32_t fontSize = 0;  // points
    int32_t textRed = 0, textGreen = 0, textBlue = 0;
    bool outline = true;
    int32_t outlineRed = 255, outlineGreen = 255, outlineBlue = 255;
    bool bold = true;
    bool italic = false;
    int32_t position = kBottomRight;
    int32_t opacity = 100;  // percent
    bool transparentBackground = true;
    int32_t backRed = 0, backGreen = 0, backBlue = 0;
};

// Draws the watermark's text into result (already a copy of the source).
using Renderer = void (*)(const Watermark& watermark, win::BufferedImage* result);
void setRenderer(Renderer renderer);
Renderer getRenderer();

}  // namespace s::image::filters::watermark
