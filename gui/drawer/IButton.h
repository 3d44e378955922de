// The button drawer: the face of a push button (fill, border, then a glyph or the
// caption). A caption beginning with "#" names a vector glyph ("#Plus", "#Left",
// "#Check" ...); one that names none is drawn as text.
#pragma once

#include "gui/drawer/IDrawer.h"

namespace s::gui::drawer {

class IButton : public base::IObject {
public:
    // state: 0 idle, 1 pointer over, 2 pressed. face: the bordered face (false: flat).
    // font may be null (no text then); caption may be null (fill and border only).
    virtual void paintFace(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t state,
                           const wchar_t* caption, bool face, IFont* font, bool enabled, bool toggled,
                           bool resting) = 0;
    virtual void setAuxColor(int r, int g, int b) = 0;
    virtual void setAuxFlag1(bool flag) = 0;
    virtual void setAuxFlag2(bool flag) = 0;
    virtual void setCornerStyle(int32_t style) = 0;
    virtual void setPressShift(bool flag) = 0;
    virtual uint8_t getLineRed() const = 0;
    virtual uint8_t getLineGreen() const = 0;
    virtual uint8_t getLineBlue() const = 0;
    virtual void setLineColor(int r, int g, int b) = 0;
    virtual uint8_t getIdleLineRed() const = 0;
    virtual uint8_t getIdleLineGreen() const = 0;
    virtual uint8_t getIdleLineBlue() const = 0;
    virtual void setIdleLineColor(int r, int g, int b) = 0;
    virtual void setToggledLineColor(int r, int g, int b) = 0;
    virtual void setFillColor(int r, int g, int b) = 0;
    virtual uint8_t getFillRed() const = 0;
    virtual uint8_t getFillGreen() const = 0;
    virtual uint8_t getFillBlue() const = 0;
    // Draws the named glyph in the colour; false (nothing drawn) for a name that is
    // empty, does not begin with "#" or names no glyph.
    virtual bool paintGlyph(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* name,
                            int r, int g, int b) = 0;
    // The first text drawer's styles 1 and 2 into two fonts (normal, disabled).
    virtual void applyToFonts(IFont* normal, IFont* disabled) = 0;
    virtual void applyToFontSettings(IFontSetting* normal, IFontSetting* disabled) = 0;
    virtual IFontSetting* getTextStyle1() = 0;
    virtual IFontSetting* getTextStyle2() = 0;
    // The second text drawer's style 1 (toggled).
    virtual void applySecondToFonts(IFont* toggled) = 0;
    virtual void applySecondToFontSettings(IFontSetting* toggled) = 0;
    virtual IFontSetting* getSecondTextStyle1() = 0;
    // The owned border painter's shaded flag.
    virtual void setShaded(bool flag) = 0;
};

}  // namespace s::gui::drawer

namespace s::gui::drawer::button {
class IThin : public drawer::IButton {};
}  // namespace s::gui::drawer::button
