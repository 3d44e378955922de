// The list view drawers: the header strip and its cells, one row of a list or tree,
// and the status bar.
#pragma once

#include "gui/drawer/IDrawer.h"

namespace s::image::win {
class BufferedImage;
}

namespace s::gui::drawer {

class IListHeader : public base::IObject {
public:
    // With ownColor the given colour, else colour B.
    virtual void paintBackground(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, bool ownColor, int r,
                                 int g, int b) = 0;
    // A cell painted as a bordered button face in the state (0 idle, 1 hot, 2 pressed).
    virtual void paintCell(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t state,
                           const wchar_t* caption, IFont* font) = 0;
    virtual void setPressShift(bool flag) = 0;
    virtual uint8_t getColorARed() const = 0;
    virtual uint8_t getColorAGreen() const = 0;
    virtual uint8_t getColorABlue() const = 0;
    virtual void setColorA(int r, int g, int b) = 0;
    virtual uint8_t getColorBRed() const = 0;
    virtual uint8_t getColorBGreen() const = 0;
    virtual uint8_t getColorBBlue() const = 0;
    virtual void setColorB(int r, int g, int b) = 0;
    virtual void applyToFonts(IFont* font) = 0;
    virtual IFontSetting* getTextStyle1() = 0;
    virtual void setHeight(int32_t height) = 0;
    virtual int32_t getHeight() const = 0;
};

// What one row of a list or tree shows, and where its text went (the out fields).
struct ListItemPaint {
    ::s::image::win::BufferedImage* canvas = nullptr;  // the picture behind dc, for icons
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    int32_t alignment = 0;  // 0 left, 1 centre, 2 right
    bool selected = false;
    bool editLook = false;
    bool fullRowSelection = false;
    bool alternate = false;
    int32_t markLevel = -1;  // insertion mark; -1 none
    int32_t markSide = 0;    // 0 top, 1 bottom
    bool thickTopMark = false;
    bool thickBottomMark = false;
    int32_t stateValue = 0;
    const wchar_t* text = nullptr;
    IFont* font = nullptr;
    IFont* selectedFont = nullptr;
    bool hasIcon = false;
    ::s::image::win::BufferedImage* icon = nullptr;
    bool hasCheckBox = false;
    int32_t checkState = 0;
    bool hasExpander = false;
    int32_t expanderState = 0;
    int32_t indentLevel = 0;
    int32_t textLeft = 0, textTop = 0, textWidth = 0, textHeight = 0;  // out
    bool endEllipsis = false;
    bool bottomAlign = false;
    bool linkLook = false;
    bool blueText = false;
    bool progressLook = false;
    bool statusColors = false;
};

class IListBox : public base::IObject {
public:
    virtual void paintBackground(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    // Paints one row; returns the text height and fills the out fields of the row.
    virtual int32_t paintItem(HDC dc, ListItemPaint* row) = 0;
    virtual bool hitCheckBox(int32_t x, int32_t y, bool hasExpander, int32_t indentLevel) = 0;
    virtual bool hitExpander(int32_t x, int32_t y, int32_t indentLevel) = 0;
    virtual COLORREF getSelectionColor() const = 0;
    virtual void setSelectionColor(int r, int g, int b) = 0;
    virtual COLORREF getBackgroundColor() const = 0;
    virtual uint8_t getBackgroundRed() const = 0;
    virtual uint8_t getBackgroundGreen() const = 0;
    virtual uint8_t getBackgroundBlue() const = 0;
    virtual void setBackgroundColor(int r, int g, int b) = 0;
    virtual void applyFonts(IFont* font, IFont* selectedFont) = 0;
    virtual IFontSetting* getTextStyle() = 0;
    virtual IFontSetting* getSelectedTextStyle() = 0;
    virtual void setTextColor(int r, int g, int b) = 0;
    virtual void setSelectedTextColor(int r, int g, int b) = 0;
    virtual uint8_t getThirdRed() const = 0;
    virtual uint8_t getThirdGreen() const = 0;
    virtual uint8_t getThirdBlue() const = 0;
    virtual COLORREF getThirdColor() const = 0;
    virtual void setThirdColor(int r, int g, int b) = 0;
};

class IStatusBar : public base::IObject {
public:
    virtual void paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    virtual int32_t getHeight() const = 0;
    virtual void setColor(int r, int g, int b) = 0;
};

}  // namespace s::gui::drawer

namespace s::gui::drawer::listheader {
class IThin : public drawer::IListHeader {};
}  // namespace s::gui::drawer::listheader

namespace s::gui::drawer::listbox {
class IBasic : public drawer::IListBox {};
class IThin : public drawer::IListBox {};
}  // namespace s::gui::drawer::listbox

namespace s::gui::drawer::statusbar {
class IThin : public drawer::IStatusBar {};
}  // namespace s::gui::drawer::statusbar
