// The root of the drawer interfaces. A drawer is a small pooled object that holds the
// colours, corner style and text styles of one kind of control and paints that kind;
// controls hand it their rectangle, state and text. The interfaces live here, in the
// toolkit, so that controls can hold drawers; the drawer classes and their painters
// live in the skins layer (see DefaultDrawers.h for how a control gets one).
//
// Conventions of every drawer interface: colours are COLORREF values (red in the low
// byte); a colour setter takes red, green and blue from 0 to 255 (the low byte of each
// is used); rectangles are left, top, right, bottom, and an empty or inverted one paints
// nothing; painting leaves the DC's selected objects, colours and modes as they were.
#pragma once

#include <windows.h>

#include <cstdint>

#include "foundation/base/Object.h"

namespace s::gui {
class IFont;
class IFontSetting;
}  // namespace s::gui

namespace s::gui::drawer {

class IDrawer : public base::IObject {};

}  // namespace s::gui::drawer
