// The window drawer's background and one-pixel frame with rounded corner runs, and
// the region that cuts the window's corners round.
#include "skins/drawers/WindowDrawer.h"
#include "skins/painters/PaintSupport.h"

namespace s::gui::drawer::window::win {

void Thin::paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (right <= left || bottom <= top) return;
    const skins::SolidFiller fill(dc);
    // The window passes its client rectangle (origin 0, 0), so right and bottom serve
    // as the width and height of the background.
    if (!transparent) fill(left, top, right, bottom, background);

    const bool plain = topCornerStyle == 0 && bottomCornerStyle == 0;
    const bool small = topCornerStyle == 1 || bottomCornerStyle == 1;
    const bool large = topCornerStyle == 2 || bottomCornerStyle == 2;
    if (!plain && !small && !large) return;

    const int32_t W = right - left, H = bottom - top;
    const COLORREF c = frame;
    fill(0, 0, W, 1, c);
    fill(W - 1, 0, 1, H, c);
    fill(0, H - 1, W, 1, c);
    fill(0, 0, 1, H - 1, c);
    if (plain) return;

    if (small) {
        if (topCornerStyle == 1) {
            fill(0, 1, 2, 1, c);
            fill(W - 2, 1, 2, 1, c);
        }
        if (bottomCornerStyle == 1) {
            fill(0, H - 2, 2, 1, c);
            fill(W - 2, H - 2, 2, 1, c);
        }
        return;
    }
    if (topCornerStyle == 2) {
        static const int32_t runs[5][2] = {{1, 5}, {2, 3}, {3, 2}, {4, 2}, {5, 1}};  // row, length
        for (const auto& run : runs) {
            fill(0, run[0], run[1], 1, c);
            fill(W - run[1], run[0], run[1], 1, c);
        }
    }
    if (bottomCornerStyle == 2) {
        fill(0, H - 6, 1, 1, c);
        fill(0, H - 5, 2, 1, c);
        fill(0, H - 4, 2, 1, c);
        fill(0, H - 3, 3, 1, c);
        fill(0, H - 2, 5, 1, c);
        fill(W - 1, H - 6, 1, 1, c);
        fill(W - 2, H - 5, 2, 1, c);
        fill(W - 3, H - 4, 2, 1, c);
        fill(W - 4, H - 3, 3, 1, c);
        fill(W - 5, H - 2, 5, 1, c);
    }
}

HRGN Thin::createRegion(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (topCornerStyle == 0 && bottomCornerStyle == 0) return CreateRectRgn(left, top, right + 1, bottom + 1);
    int32_t kind, ellipse, strip;
    if (topCornerStyle == 1 || bottomCornerStyle == 1) {
        kind = 1;
        ellipse = 5;
        strip = 4;
    } else if (topCornerStyle == 2 || bottomCornerStyle == 2) {
        kind = 2;
        ellipse = 11;
        strip = 6;
    } else {
        return nullptr;
    }
    HRGN round = CreateRoundRectRgn(left, top, right + 1, bottom + 1, ellipse, ellipse);
    if (!round) return nullptr;
    HRGN square;
    if (topCornerStyle != kind) {
        square = CreateRectRgn(left, top, right + 1, top + strip);
    } else if (bottomCornerStyle == kind) {
        return round;
    } else {
        square = CreateRectRgn(left, bottom - (strip - 1), right + 1, bottom + 1);
    }
    if (square) {
        CombineRgn(round, round, square, RGN_OR);
        DeleteObject(square);
    }
    return round;
}

}  // namespace s::gui::drawer::window::win
