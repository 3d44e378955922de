// Shared pieces of the painter pixel tests: a test font, and the check that a painter
// given an empty or inverted rectangle changes neither a pixel nor the DC.
#pragma once

#include <windows.h>

#include <functional>

#include "support/PixelCanvas.h"

namespace paintertest {

// The test TrueType face, without smoothing, so that text pixels are exact colours.
class TestFont {
public:
    explicit TestFont(int height = 14)
        : font_(CreateFontW(-height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS,
                            CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, testsupport::kTestFace)) {}
    ~TestFont() { DeleteObject(font_); }
    TestFont(const TestFont&) = delete;
    TestFont& operator=(const TestFont&) = delete;
    HFONT handle() const { return font_; }

private:
    HFONT font_;
};

// Runs paint(l, t, r, b) for an empty and an inverted rectangle on a fresh canvas and
// reports whether any pixel or the DC state changed.
inline ::testing::AssertionResult leavesEmptyRectsAlone(const std::function<void(HDC, int, int, int, int)>& paint) {
    testsupport::PixelCanvas canvas(64, 64);
    testsupport::DcState before = testsupport::captureDcState(canvas.dc());
    const int rects[][4] = {{10, 10, 10, 40}, {10, 10, 40, 10}, {40, 10, 10, 40}, {10, 40, 40, 10}};
    for (const auto& r : rects) paint(canvas.dc(), r[0], r[1], r[2], r[3]);
    if (canvas.countChanged() != 0) return ::testing::AssertionFailure() << canvas.countChanged() << " pixels changed";
    if (!(testsupport::captureDcState(canvas.dc()) == before))
        return ::testing::AssertionFailure() << "DC state changed";
    return ::testing::AssertionSuccess();
}

// Counts the pixels of the colour inside and outside a rectangle.
struct ColourCount {
    int inside = 0, outside = 0;
};
inline ColourCount countColour(const testsupport::PixelCanvas& canvas, COLORREF colour, RECT box) {
    ColourCount n;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (canvas.at(x, y) == colour) {
                POINT p{x, y};
                (PtInRect(&box, p) ? n.inside : n.outside)++;
            }
    return n;
}

}  // namespace paintertest
