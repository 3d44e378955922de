// The check box and radio button drawers: the mark and the caption beside it.
#pragma once

#include "gui/drawer/IDrawer.h"

namespace s::gui::drawer {

class ICheckBox : public base::IObject {
public:
    virtual void setFlag1(bool flag) = 0;
    virtual void setFlag2(bool flag) = 0;
    // Also the caption's style 1 text colour.
    virtual void setColorA(int r, int g, int b) = 0;
    // The caption's style 2 text colour.
    virtual void setTextColor2(int r, int g, int b) = 0;
    // The box frame colour.
    virtual void setColorB(int r, int g, int b) = 0;
    // The inner button drawer's line colour.
    virtual void setBoxLineColor(int r, int g, int b) = 0;
    virtual void applyToFonts(IFont* normal, IFont* disabled) = 0;
    // The box (boxSize square) at the top left of the rectangle, the caption beside it.
    virtual void paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t boxSize, bool checked,
                       const wchar_t* text, IFont* font) = 0;
    // The caption's natural sizes (IText::measure) widened by the box.
    virtual void measure(HDC dc, const wchar_t* text, IFont* font, int32_t* a, int32_t* b, int32_t* c, int32_t* d) = 0;
};

class IRadioButton : public base::IObject {
public:
    virtual void setFlag(bool flag) = 0;
    virtual void setTextColor1(int r, int g, int b) = 0;
    virtual void setTextColor2(int r, int g, int b) = 0;
    virtual void setColorA(int r, int g, int b) = 0;
    virtual void setColorB(int r, int g, int b) = 0;
    virtual void applyToFonts(IFont* normal, IFont* disabled) = 0;
    // scratch: a DC of the control's holding a surface of at least 52 x 52 pixels.
    virtual void paint(HDC dc, HDC scratch, int32_t left, int32_t top, int32_t right, int32_t bottom, bool selected,
                       const wchar_t* text, IFont* font, COLORREF fill) = 0;
};

}  // namespace s::gui::drawer

namespace s::gui::drawer::checkbox {
class IThin : public drawer::ICheckBox {};
}  // namespace s::gui::drawer::checkbox

namespace s::gui::drawer::radiobutton {
class IThin : public drawer::IRadioButton {};
}  // namespace s::gui::drawer::radiobutton
