#include "gui/fonts/Font.h"

#include "gui/paint/MemDC.h"

namespace s::gui::win {

Font::Font() { reset(); }

Font::~Font() {
    if (handle_) DeleteObject(handle_);
    handle_ = nullptr;
}

Font* Font::createFrom(const FontDescription& description) {
    Font* f = create();
    if (!f) return nullptr;
    f->d_ = description;
    f->recreate();
    return f;
}

void Font::recreate() {
    if (handle_) DeleteObject(handle_);
    handle_ = CreateFontIndirectW(&d_.lf);
}

void Font::reset() {
    boundDc_ = nullptr;
    d_.reset();
    recreate();
}

int32_t Font::measureHeight() {
    MemDC* dc = MemDC::forScreen();
    if (!dc) return 0;
    HGDIOBJ old = SelectObject(dc->getHdc(), handle_);
    RECT r{};
    DrawTextW(dc->getHdc(), L"TEST", -1, &r, DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc->getHdc(), old);
    dc->release();
    return r.bottom - r.top;
}

}  // namespace s::gui::win
