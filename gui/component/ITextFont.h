// The font and text colour of a control that shows text: the calls forward to its font
// (gui/fonts/IFont.h) and repaint the control.
//   button->setBold(true);
//   button->setTextColor(200, 0, 0);
#pragma once

#include <cstdint>

namespace s::gui {

class ITextFont {
public:
    virtual ~ITextFont() = default;

    virtual void setSizeCode(int32_t code) = 0;
    virtual const wchar_t* getFace() = 0;
    virtual void setFace(const wchar_t* face) = 0;
    // COLORREF.
    virtual uint32_t getTextColor() = 0;
    virtual void setTextColor(int32_t r, int32_t g, int32_t b) = 0;
    virtual int32_t getFontHeight() = 0;
    virtual void setFontHeight(int32_t h) = 0;
    virtual int32_t getFontWidth() = 0;
    virtual void setFontWidth(int32_t w) = 0;
    virtual bool isBold() = 0;
    virtual void setBold(bool on) = 0;
    virtual bool isItalic() = 0;
    virtual void setItalic(bool on) = 0;
    virtual bool isUnderline() = 0;
    virtual void setUnderline(bool on) = 0;
    virtual bool isStrikeOut() = 0;
    virtual void setStrikeOut(bool on) = 0;
    virtual int32_t getWeight() = 0;
    virtual void setWeight(int32_t weight) = 0;
};

}  // namespace s::gui
