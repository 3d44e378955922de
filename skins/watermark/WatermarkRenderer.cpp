#include "skins/watermark/WatermarkRenderer.h"

#include <algorithm>

#include "gui/fonts/Font.h"
#include "gui/paint/MemDC.h"
#include "imaging/filters/Watermark.h"
#include "imaging/image/BufferedImage.h"
#include "skins/drawers/TextDrawer.h"

namespace s::skins::watermark {

using image::filters::watermark::Watermark;
using image::win::BufferedImage;

int32_t keyLevel(uint32_t textColour, uint32_t outlineColour) {
    auto either = [&](uint32_t c) { return textColour == c || outlineColour == c; };
    if (!either(0xFF00FF)) return 255;
    return either(0x770077) ? 85 : 119;
}

namespace {

gui::win::Font* makeFont(const Watermark& w) {
    gui::win::Font* font = gui::win::Font::create();
    if (!font) return nullptr;
    font->setFace(w.fontFace.c_str());  // a face over 31 characters keeps the default
    font->setPointSize(w.fontSize);
    font->setColor(w.textRed, w.textGreen, w.textBlue);
    if (w.outline) {
        font->setTextEffect(gui::kTextEffectOutline2);
        font->setColor2(w.outlineRed, w.outlineGreen, w.outlineBlue);
    }
    if (w.bold) font->setBold(true);
    if (w.italic) font->setItalic(true);
    return font;
}

// The text through a separate layer, blended into the picture (alpha pictures and
// opacities below 100).
void renderLayered(const Watermark& w, BufferedImage* result, gui::win::Font* font,
                   gui::drawer::text::win::Basic* drawer, int32_t tw, int32_t th) {
    BufferedImage* layer = BufferedImage::createSized(tw, th);
    if (!layer || !layer->hasPixels()) {
        if (layer) layer->release();
        return;
    }
    int32_t g = 0;
    if (w.transparentBackground) {
        g = keyLevel(font->getColor(), font->getColor2());
        layer->fillRgb(uint8_t(g), 0, uint8_t(g));
    } else {
        layer->fillRgb(uint8_t(w.backRed), uint8_t(w.backGreen), uint8_t(w.backBlue));
    }
    // No edge pixel may mix with the key colour.
    font->getLogFont()->lfQuality = NONANTIALIASED_QUALITY;
    font->recreate();
    if (gui::win::MemDC* dc = gui::win::MemDC::forImage(nullptr, layer, false)) {
        drawer->paint(dc->getHdc(), 3, 0, 3 + tw, th, w.text.c_str(), font);
        GdiFlush();
        dc->release();
    }
    if (w.transparentBackground)
        layer->applyColorKey(uint8_t(g), 0, uint8_t(g));
    else
        layer->makeOpaque();
    if (w.opacity < 100) {
        layer->setOpaqueAlpha(uint8_t(std::max(0, w.opacity) * 255 / 100));
        layer->setHasAlpha(true);
    }
    const int32_t W = result->getWidth(), H = result->getHeight();
    if (w.position == Watermark::kBottomRight)
        result->paste(W - tw, H - th, tw, th, layer, 0, 0, false);
    else if (w.position == Watermark::kBottomLeft)
        result->paste(0, H - th, tw, th, layer, 0, 0, false);
    layer->release();
}

// The text straight into an opaque picture at full opacity.
void renderDirect(const Watermark& w, BufferedImage* result, gui::win::Font* font,
                  gui::drawer::text::win::Basic* drawer, int32_t tw, int32_t th) {
    const int32_t W = result->getWidth(), H = result->getHeight();
    int32_t x;
    if (w.position == Watermark::kBottomRight)
        x = W - tw;
    else if (w.position == Watermark::kBottomLeft)
        x = 0;
    else
        return;
    const int32_t y = H - th;
    gui::win::MemDC* dc = gui::win::MemDC::forImage(nullptr, result, false);
    if (!dc) return;
    if (!w.transparentBackground) {
        SetBkColor(dc->getHdc(), RGB(w.backRed & 0xFF, w.backGreen & 0xFF, w.backBlue & 0xFF));
        RECT box{x, y, x + tw, y + th};
        ExtTextOutW(dc->getHdc(), 0, 0, ETO_OPAQUE, &box, nullptr, 0, nullptr);
    }
    drawer->paint(dc->getHdc(), x + 3, y, x + 3 + tw, y + th, w.text.c_str(), font);
    GdiFlush();
    dc->release();
    // GDI drawing clears the alpha bytes.
    result->makeOpaque();
}

}  // namespace

namespace {

// The font, the text drawer and the measured text box (tw includes 6 pixels of room)
// for one rendering.
struct Tools {
    gui::win::Font* font;
    gui::drawer::text::win::Basic* drawer = gui::drawer::text::win::Basic::create();
    int32_t tw = 0, th = 0;

    explicit Tools(const Watermark& w) : font(makeFont(w)) {
        gui::win::MemDC* screen = gui::win::MemDC::forScreen();
        if (font && drawer && screen) {
            int32_t c = 0, d = 0;
            drawer->measure(screen->getHdc(), w.text.c_str(), font, &tw, &th, &c, &d);
            tw += 6;
        }
        if (screen) screen->release();
    }
    ~Tools() {
        if (drawer) drawer->release();
        if (font) font->release();
    }
    Tools(const Tools&) = delete;
    Tools& operator=(const Tools&) = delete;
    bool usable() const { return font && drawer && tw > 0 && th > 0; }
};

}  // namespace

bool textBox(const Watermark& w, int32_t* tw, int32_t* th) {
    Tools t(w);
    *tw = t.tw;
    *th = t.th;
    return t.usable();
}

void render(const Watermark& w, BufferedImage* result) {
    if (!result || !result->hasPixels() || w.text.empty()) return;
    Tools t(w);
    if (!t.usable()) return;
    if (result->hasAlpha() || w.opacity != 100)
        renderLayered(w, result, t.font, t.drawer, t.tw, t.th);
    else
        renderDirect(w, result, t.font, t.drawer, t.tw, t.th);
}

}  // namespace s::skins::watermark
