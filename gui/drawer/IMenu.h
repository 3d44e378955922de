// The menu bar, combo box, group box and tab box drawers.
#pragma once

#include "gui/drawer/IDrawer.h"

namespace s::str::strarray {
class StrArray;
}

namespace s::gui::drawer {

class ICombo : public base::IObject {
public:
    // state: 0 idle, 1 hot, 2 pressed.
    virtual void paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t state,
                       const wchar_t* text, IFont* font, bool enabled) = 0;
    virtual void setTextColor1(int r, int g, int b) = 0;
    virtual void setTextColor2(int r, int g, int b) = 0;
    // Also the inner button drawer's line colour.
    virtual void setFrameColor(int r, int g, int b) = 0;
    virtual void applyToFonts(IFont* normal, IFont* disabled) = 0;
};

class IMenu : public base::IObject {
public:
    // items: the entry texts; rects: one rectangle per entry, as measure filled them.
    virtual void paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, str::strarray::StrArray* items,
                       RECT* rects, IFont* font, IFont* hotFont, int32_t insetX, int32_t insetY, int32_t hotIndex,
                       bool pressed, bool buttonMode, bool lastAtRight, bool lastAsLink) = 0;
    virtual void applyToFonts(IFont* font, IFont* hotFont) = 0;
    // Lays the entries out in a row into rects.
    virtual void measure(HDC dc, str::strarray::StrArray* items, RECT* rects, IFont* font, int32_t* a, int32_t* b,
                         int32_t* c, int32_t* d, int32_t marginX, int32_t marginY, bool extraRoom) = 0;
    virtual IFontSetting* getNormalStyle() = 0;
    virtual IFontSetting* getHighlightedStyle() = 0;
    virtual ICombo* getComboDrawer() = 0;
    virtual void setHighlightColor(int r, int g, int b) = 0;
    virtual void setTextColor(int r, int g, int b) = 0;
    virtual void setHighlightedTextColor(int r, int g, int b) = 0;
    virtual void setFlagA(bool flag) = 0;
    virtual void setFlagB(bool flag) = 0;
};

class IGroupBox : public base::IObject {
public:
    virtual void paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* caption,
                       IFont* font, int32_t captionWidth, int32_t captionHeight) = 0;
    virtual void setFrameColor(int r, int g, int b) = 0;
    virtual uint8_t getFrameRed() const = 0;
    virtual uint8_t getFrameGreen() const = 0;
    virtual uint8_t getFrameBlue() const = 0;
    virtual void applyToFonts(IFont* normal, IFont* disabled) = 0;
    virtual IFontSetting* getTextStyle1() = 0;
    virtual IFontSetting* getTextStyle2() = 0;
};

class ITabBox : public base::IObject {
public:
    virtual void paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    virtual void setColor(int r, int g, int b) = 0;
    virtual void applyToFonts(IFont* normal, IFont* disabled) = 0;
    virtual IFontSetting* getTextStyle1() = 0;
    virtual IFontSetting* getTextStyle2() = 0;
    virtual void applySecondToFonts(IFont* font) = 0;
    virtual IFontSetting* getSecondTextStyle1() = 0;
};

}  // namespace s::gui::drawer

namespace s::gui::drawer::combo {
class IThin : public drawer::ICombo {};
}  // namespace s::gui::drawer::combo

namespace s::gui::drawer::menu {
class IBasic : public drawer::IMenu {};
}  // namespace s::gui::drawer::menu

namespace s::gui::drawer::groupbox {
class IThin : public drawer::IGroupBox {};
class IBasic : public drawer::IGroupBox {};
}  // namespace s::gui::drawer::groupbox

namespace s::gui::drawer::tabbox {
class IThin : public drawer::ITabBox {};
}  // namespace s::gui::drawer::tabbox
