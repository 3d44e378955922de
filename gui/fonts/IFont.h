// A font with a live GDI handle: the description of IFontSetting plus the HFONT made
// from it, re-made after every change. Controls embed fonts for their captions; the
// text drawer reads the colours, effect and layout flags of the font it is handed.
//
//   s::gui::win::Font* font = s::gui::win::Font::create();
//   font->setSizeCode(2);                      // 12 points
//   font->inheritFromSetting(drawerStyle);     // the rest from the skin
//   HGDIOBJ old = SelectObject(dc, font->getHandle());
//   ...
//   SelectObject(dc, old);
//   font->release();                           // deletes the HFONT
#pragma once

#include <windows.h>

#include <cstdint>

#include "foundation/base/Object.h"

namespace s::gui {

class IFontSetting;

class IFont : public base::IObject {
public:
    // Height of "TEST" drawn with the font (DT_CALCRECT); 0 when no DC could be made.
    virtual int32_t measureHeight() = 0;
    virtual void setSizeCode(int32_t code) = 0;
    virtual int32_t getSizeCode() const = 0;
    virtual bool hasExplicitProperties() const = 0;
    virtual const wchar_t* getFace() const = 0;
    // False, with nothing changed, for a null name or one over 31 characters.
    virtual bool setFace(const wchar_t* face) = 0;
    virtual COLORREF getColor() const = 0;
    // Also the text colour of the bound DC, when there is one.
    virtual void setColor(int r, int g, int b) = 0;
    virtual COLORREF getColor2() const = 0;
    virtual void setColor2(int r, int g, int b) = 0;
    virtual COLORREF getColor3() const = 0;
    virtual void setColor3(int r, int g, int b) = 0;
    virtual void setPointSize(int32_t points) = 0;
    virtual int32_t getHeight() const = 0;
    virtual void setHeight(int32_t height) = 0;
    virtual int32_t getWidth() const = 0;
    virtual void setWidth(int32_t width) = 0;
    virtual bool isBold() const = 0;
    virtual void setBold(bool bold) = 0;
    virtual bool isItalic() const = 0;
    virtual void setItalic(bool flag) = 0;
    virtual bool isUnderline() const = 0;
    virtual void setUnderline(bool flag) = 0;
    virtual bool isStrikeOut() const = 0;
    virtual void setStrikeOut(bool flag) = 0;
    virtual int32_t getWeight() const = 0;
    virtual void setWeight(int32_t weight) = 0;
    virtual bool isWordWrap() const = 0;
    virtual void setWordWrap(bool flag) = 0;
    virtual bool isEndEllipsis() const = 0;
    virtual void setEndEllipsis(bool flag) = 0;
    virtual int32_t getTextEffect() const = 0;
    virtual void setTextEffect(int32_t effect) = 0;
    virtual bool isClearType() const = 0;
    virtual void setClearType(bool flag) = 0;
    // Take every property not set explicitly on this font from the source.
    virtual void inheritFromSetting(const IFontSetting* setting) = 0;
    virtual void inheritFromFont(const IFont* font) = 0;

    // The GDI font (never null after a reset unless GDI refused it).
    virtual HFONT getHandle() const = 0;
    virtual LOGFONTW* getLogFont() = 0;
    // Re-makes the HFONT from the description (after writing getLogFont directly).
    virtual void recreate() = 0;
    // A DC whose text colour follows setColor; null to unbind.
    virtual void setBoundDC(HDC dc) = 0;
};

}  // namespace s::gui
