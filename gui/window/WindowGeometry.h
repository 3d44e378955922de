// Pure rules of the top-level window: frame hit testing, sizing edges and the sizing
// rectangle, keeping a window on the screen, the auto-hide fade and shrink steps, the
// opacity alpha and the hotkey failure text. Nothing here touches a window, so every
// rule is tested with case tables.
//
//   int code = s::gui::win::geometry::frameHitTest(x, y, w, h, scale, HTCLIENT);
//   if (code != HTCLIENT) ...   // an edge or corner of a skinned frame
#pragma once

#include <cstdint>

namespace s::str::strbuffer {
class StrBuffer;
}

namespace s::gui::win::geometry {

// The window's own numbering of the sizing edges. It differs from the WMSZ codes of
// WM_SIZING (there 4 is top-left and 6 bottom); no number leaves the window, callers
// ask the eight named tests of the window.
enum SizingEdge : int32_t {
    kEdgeNone = 0,
    kEdgeLeft = 1,
    kEdgeRight = 2,
    kEdgeTop = 3,
    kEdgeBottom = 4,
    kEdgeTopLeft = 5,
    kEdgeTopRight = 6,
    kEdgeBottomLeft = 7,
    kEdgeBottomRight = 8,
};

// WMSZ_LEFT .. WMSZ_BOTTOMRIGHT (1..8) to the own numbering; anything else kEdgeNone.
int32_t sizingEdgeFromWmsz(int32_t wmsz);
// A sizing hit-test code (HTLEFT 10 .. HTBOTTOMRIGHT 17) to its WMSZ code; 0 otherwise.
int32_t wmszFromHitTest(int32_t hitCode);

// Edge hit test of a window whose frame the program paints: the point (x, y) relative
// to the window's outer top-left, the window's outer size, the screen scale. Edges are
// 5 x scale wide, corners reach 30 x scale along an edge. Answers a sizing code
// (HTLEFT ...) or fallback when the point lies on no edge.
int32_t frameHitTest(int32_t x, int32_t y, int32_t width, int32_t height, int32_t scale, int32_t fallback);

struct Rect {
    int32_t left, top, right, bottom;
};

// While the frame is dragged (own edge numbering): a rectangle taller than the work
// area of the window's monitor is cut to that height, keeping the top for the bottom
// edges and the bottom for all others. workHeight <= 0 leaves it alone.
void cutToWorkHeight(Rect* r, int32_t edge, int32_t workHeight);
// Widens or heightens the rectangle to the minimum sizes on the axes whose flag is on:
// the edge being dragged moves (left edges move left, top edges up), the other stays.
void enforceMinimumSize(Rect* r, int32_t edge, bool keepWidth, int32_t minWidth, bool keepHeight, int32_t minHeight);

// The area a window is kept inside: left, top, width, height.
struct Area {
    int32_t left, top, width, height;
};

// Keeps a window of cx x cy at (*x, *y) inside the area: right and bottom overhang first,
// then not left of the left edge or above the top. True when a coordinate changed.
bool clampIntoArea(int32_t* x, int32_t* y, int32_t cx, int32_t cy, const Area& area);

// Whether a window rectangle can be seen and grabbed on the virtual screen: at least 11
// pixels each way, and no more than 10 pixels of it pushed off any side.
bool isPlacedOnScreen(int32_t left, int32_t top, int32_t width, int32_t height, const Area& virtualScreen);
// Where a window that is not placed on the screen goes: moved back by the overhang on
// the right and bottom, then not left of or above the virtual screen. True when moved.
bool moveOntoScreen(int32_t* x, int32_t* y, int32_t width, int32_t height, const Area& virtualScreen);

// Layered-window alpha of an opacity percent: percent x 255 / 100 cut to 0..255.
uint8_t alphaOfPercent(int32_t percent);

// One tick of the fade timers. Fading out lowers by max(1, wanted / 5); fading in raises by
// max(1, wanted / 10). *done is set when the step reached its end (0, or the wanted value),
// and the answer is the opacity to apply.
int32_t fadeOutStep(int32_t current, int32_t wanted, bool* done);
int32_t fadeInStep(int32_t current, int32_t wanted, bool* done);

// One tick of the shrink (timer 6) or grow-back (timer 5) step of auto-hide. A target of
// -1 keeps that axis. *done is set when this tick finishes the change: the answer size is
// then the final size (shrink: the targets, an axis with target -1 keeping its current
// size; grow: the saved size).
struct Size {
    int32_t width, height;
};
Size shrinkStep(Size current, Size saved, Size target, bool* done);
Size growStep(Size current, Size saved, Size target, bool* done);

// The message shown when a hotkey cannot be registered: "HotKey " + "Alt+", "Ctrl+",
// "Shift+", "WinKey+" for the modifiers given + the key code in decimal + " has been
// occupied by another application.". Replaces the buffer's content.
void hotKeyFailureText(str::strbuffer::StrBuffer* out, bool alt, bool ctrl, bool shift, bool win, int32_t keyCode);
// The modifier mask of RegisterHotKey: 1 alt, 2 ctrl, 4 shift, 8 win, plus MOD_NOREPEAT
// (0x4000) when noRepeat.
uint32_t hotKeyModifiers(bool alt, bool ctrl, bool shift, bool win, bool noRepeat);

// The back-buffer rule: what to do with a buffer of capacity capW x capH (0 x 0: none)
// for a paint of w x h.
enum class BufferAction { Keep, Grow, Replace, Make };
BufferAction backBufferAction(int32_t capW, int32_t capH, int32_t w, int32_t h);

}  // namespace s::gui::win::geometry
