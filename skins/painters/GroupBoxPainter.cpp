// The group box drawers' painting.
#include "gui/fonts/IFont.h"
#include "skins/drawers/MenuDrawers.h"
#include "skins/painters/GroupBoxFrame.h"

namespace s::gui::drawer::groupbox::win {

namespace {

void paintWith(FrameLook look, HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* caption,
               IFont* font, int32_t captionWidth, int32_t captionHeight, COLORREF frame) {
    paintGroupBox(dc, look, left, top, right, bottom, caption, font ? font->getHandle() : nullptr,
                  font ? font->getColor() : RGB(0, 0, 0), captionWidth, captionHeight, frame);
}

}  // namespace

void Thin::paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* caption, IFont* font,
                 int32_t captionWidth, int32_t captionHeight) {
    paintWith(FrameLook::Thin, dc, left, top, right, bottom, caption, font, captionWidth, captionHeight, frameColor);
}

void Basic::paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* caption, IFont* font,
                  int32_t captionWidth, int32_t captionHeight) {
    paintWith(FrameLook::Basic, dc, left, top, right, bottom, caption, font, captionWidth, captionHeight, frameColor);
}

}  // namespace s::gui::drawer::groupbox::win
