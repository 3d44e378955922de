// How text looks, without a GDI font: a LOGFONTW, three colours (text, then two that
// the text effects use for outlines), layout flags, a text effect and a record of the
// properties set explicitly. Drawers keep their text styles in these and let a more
// specific setting or font inherit every property it has not set itself.
//
//   s::gui::win::FontSetting* style = s::gui::win::FontSetting::create();
//   style->setBold(true);                 // explicit: inheriting keeps it
//   style->inheritFrom(skinStyle);        // face, colours, size ... from the skin
//   s::gui::IFont* font = style->createFont();   // release both when done
//
// Colours are COLORREF values (red in the low byte); setters take red, green, blue.
#pragma once

#include <windows.h>

#include <cstdint>

#include "foundation/base/Object.h"

namespace s::gui {

class IFont;

// The text effects the text drawer paints (outline, shadow, raised, sunken).
enum TextEffect : int32_t {
    kTextEffectNone = 0,
    kTextEffectOutline2 = 1,
    kTextEffectShadow = 2,
    kTextEffectRaisedDiagonal = 3,
    kTextEffectRaisedVertical = 4,
    kTextEffectSunkenDiagonal = 5,
    kTextEffectSunkenVertical = 6,
    kTextEffectOutline3 = 7,
};

class IFontSetting : public base::IObject {
public:
    // Size codes: |code| < 100 is point size code + 10 at weight 400; 100..999 is bold at
    // (code % 100) + 14 points; 100001 is 8 points. Any other code is only stored.
    // The weight follows unless bold was set explicitly, the height unless the size was.
    virtual void setSizeCode(int32_t code) = 0;
    virtual int32_t getSizeCode() const = 0;
    virtual bool hasExplicitProperties() const = 0;
    virtual const wchar_t* getFace() const = 0;
    // False, with nothing changed, for a null name or one over 31 characters.
    virtual bool setFace(const wchar_t* face) = 0;
    virtual COLORREF getColor() const = 0;
    virtual uint8_t getColorRed() const = 0;
    virtual uint8_t getColorGreen() const = 0;
    virtual uint8_t getColorBlue() const = 0;
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
    // ClearType is quality 5; switching it off gives NONANTIALIASED_QUALITY (3).
    virtual bool isClearType() const = 0;
    virtual void setClearType(bool flag) = 0;
    // Takes every property whose explicit flag is clear here from the other setting.
    virtual void inheritFrom(const IFontSetting* other) = 0;
    virtual LOGFONTW* getLogFont() = 0;
    // A new pooled font with every field of this setting; the caller releases it.
    virtual IFont* createFont() const = 0;
};

}  // namespace s::gui
