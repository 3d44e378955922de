#include "imaging/filters/Watermark.h"

#include <atomic>

#include "imaging/filters/FilterTarget.h"
#include "imaging/image/BufferedImage.h"

namespace s::image::filters::watermark {

const wchar_t* const Watermark::NAME = L"Watermark";

namespace {
std::atomic<Renderer> g_renderer{nullptr};
}  // namespace

void setRenderer(Renderer renderer) { g_renderer.store(renderer); }
Renderer getRenderer() { return g_renderer.load(); }

void Watermark::reset() {
    releasedWithImage_ = true;
    text.clear();
    fontFace = L"MS Shell Dlg 2";
    fontSize = 0;
    textRed = textGreen = textBlue = 0;
    outline = true;
    outlineRed = outlineGreen = outlineBlue = 255;
    bold = true;
    italic = false;
    position = kBottomRight;
    opacity = 100;
    transparentBackground = true;
    backRed = backGreen = backBlue = 0;
}

win::BufferedImage* Watermark::apply(win::BufferedImage* src, win::BufferedImage* dst) {
    if (!isUsableSource(src)) return nullptr;
    win::BufferedImage* out = copySource(src, dst);
    if (!out || text.empty()) return out;
    if (Renderer r = getRenderer()) r(*this, out);
    out->setHasAlpha(src->hasAlpha());
    return out;
}

}  // namespace s::image::filters::watermark
