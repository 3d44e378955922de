// The list view drawers (see gui/drawer/IList.h): header, rows, status bar. Painting is
// in skins/painters/ListHeaderPainter.cpp and skins/painters/ListBoxPainter.cpp.
#pragma once

#include "foundation/thread/Pool.h"
#include "gui/drawer/IList.h"
#include "skins/drawers/ButtonDrawer.h"
#include "skins/drawers/DrawerSupport.h"
#include "skins/drawers/TextDrawer.h"

namespace s::gui::drawer::listheader::win {

class Thin : public listheader::IThin, public thread::IPoolable {
    S_POOLED(Thin, L"s_gui_drawer_listheader_win_Thin")
public:
    Thin() { reset(); }

    void paintBackground(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, bool ownColor, int r, int g,
                         int b) override;
    void paintCell(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t state,
                   const wchar_t* caption, IFont* font) override;
    void setPressShift(bool flag) override {
        pressShift = flag;
        buttonDrawer->setPressShift(flag);
    }
    uint8_t getColorARed() const override { return skins::redOf(colorA); }
    uint8_t getColorAGreen() const override { return skins::greenOf(colorA); }
    uint8_t getColorABlue() const override { return skins::blueOf(colorA); }
    void setColorA(int r, int g, int b) override {
        colorA = skins::rgb(r, g, b);
        buttonDrawer->setLineColor(r, g, b);
    }
    uint8_t getColorBRed() const override { return skins::redOf(colorB); }
    uint8_t getColorBGreen() const override { return skins::greenOf(colorB); }
    uint8_t getColorBBlue() const override { return skins::blueOf(colorB); }
    void setColorB(int r, int g, int b) override { colorB = skins::rgb(r, g, b); }
    void applyToFonts(IFont* font) override { buttonDrawer->applyToFonts(font, nullptr); }
    IFontSetting* getTextStyle1() override { return buttonDrawer->getTextStyle1(); }
    void setHeight(int32_t h) override { height = h; }
    int32_t getHeight() const override { return height; }

    void reset() override;

    bool pressShift = true;
    int32_t cornerStyle = 0;
    COLORREF colorA = RGB(120, 120, 120);
    COLORREF colorB = RGB(51, 51, 51);
    skins::Owned<button::win::Thin> buttonDrawer{button::win::Thin::createWithColor(120, 120, 120)};
    int32_t height = 22;
};

}  // namespace s::gui::drawer::listheader::win

namespace s::gui::drawer::listbox::win {

class Basic : public listbox::IBasic, public thread::IPoolable {
    S_POOLED(Basic, L"s_gui_drawer_listbox_win_Basic")
public:
    Basic() { reset(); }

    // White background, black text, the system's highlight colours for the selection,
    // third colour 238,238,238.
    static Basic* createDefault();

    void paintBackground(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    int32_t paintItem(HDC dc, ListItemPaint* row) override;
    bool hitCheckBox(int32_t x, int32_t y, bool hasExpander, int32_t indentLevel) override;
    bool hitExpander(int32_t x, int32_t y, int32_t indentLevel) override;
    COLORREF getSelectionColor() const override { return selection; }
    void setSelectionColor(int r, int g, int b) override { selection = skins::rgb(r, g, b); }
    COLORREF getBackgroundColor() const override { return background; }
    uint8_t getBackgroundRed() const override { return skins::redOf(background); }
    uint8_t getBackgroundGreen() const override { return skins::greenOf(background); }
    uint8_t getBackgroundBlue() const override { return skins::blueOf(background); }
    void setBackgroundColor(int r, int g, int b) override { background = skins::rgb(r, g, b); }
    void applyFonts(IFont* font, IFont* selectedFont) override;
    IFontSetting* getTextStyle() override { return rows->getStyle1(); }
    IFontSetting* getSelectedTextStyle() override { return selectedRows->getStyle1(); }
    void setTextColor(int r, int g, int b) override { rows->getStyle1()->setColor(r, g, b); }
    void setSelectedTextColor(int r, int g, int b) override { selectedRows->getStyle1()->setColor(r, g, b); }
    uint8_t getThirdRed() const override { return skins::redOf(third); }
    uint8_t getThirdGreen() const override { return skins::greenOf(third); }
    uint8_t getThirdBlue() const override { return skins::blueOf(third); }
    COLORREF getThirdColor() const override { return third; }
    void setThirdColor(int r, int g, int b) override { third = skins::rgb(r, g, b); }

    void reset() override;

    COLORREF selection = RGB(120, 120, 120);
    COLORREF background = RGB(51, 51, 51);
    COLORREF third = RGB(224, 224, 224);
    skins::Owned<text::win::Basic> rows;
    skins::Owned<text::win::Basic> selectedRows;
    skins::Owned<button::win::Thin> buttonDrawer;
};

// The skins' list box drawer: forwards everything to an inner default Basic drawer.
class Thin : public listbox::IThin, public thread::IPoolable {
    S_POOLED(Thin, L"s_gui_drawer_listbox_win_Thin")
public:
    Thin() { reset(); }

    // Background, text, selection, selected text and third colour, in that order.
    static Thin* createWithColors(int backR, int backG, int backB, int textR, int textG, int textB, int selR, int selG,
                                  int selB, int selTextR, int selTextG, int selTextB, int thirdR, int thirdG,
                                  int thirdB);

    void paintBackground(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom) override {
        inner->paintBackground(dc, left, top, right, bottom);
    }
    int32_t paintItem(HDC dc, ListItemPaint* row) override { return inner->paintItem(dc, row); }
    bool hitCheckBox(int32_t x, int32_t y, bool hasExpander, int32_t indentLevel) override {
        return inner->hitCheckBox(x, y, hasExpander, indentLevel);
    }
    bool hitExpander(int32_t x, int32_t y, int32_t indentLevel) override {
        return inner->hitExpander(x, y, indentLevel);
    }
    COLORREF getSelectionColor() const override { return inner->getSelectionColor(); }
    void setSelectionColor(int r, int g, int b) override { inner->setSelectionColor(r, g, b); }
    COLORREF getBackgroundColor() const override { return inner->getBackgroundColor(); }
    uint8_t getBackgroundRed() const override { return inner->getBackgroundRed(); }
    uint8_t getBackgroundGreen() const override { return inner->getBackgroundGreen(); }
    uint8_t getBackgroundBlue() const override { return inner->getBackgroundBlue(); }
    void setBackgroundColor(int r, int g, int b) override { inner->setBackgroundColor(r, g, b); }
    void applyFonts(IFont* font, IFont* selectedFont) override { inner->applyFonts(font, selectedFont); }
    IFontSetting* getTextStyle() override { return inner->getTextStyle(); }
    IFontSetting* getSelectedTextStyle() override { return inner->getSelectedTextStyle(); }
    void setTextColor(int r, int g, int b) override { inner->setTextColor(r, g, b); }
    void setSelectedTextColor(int r, int g, int b) override { inner->setSelectedTextColor(r, g, b); }
    uint8_t getThirdRed() const override { return inner->getThirdRed(); }
    uint8_t getThirdGreen() const override { return inner->getThirdGreen(); }
    uint8_t getThirdBlue() const override { return inner->getThirdBlue(); }
    COLORREF getThirdColor() const override { return inner->getThirdColor(); }
    void setThirdColor(int r, int g, int b) override { inner->setThirdColor(r, g, b); }

    // The inner drawer reset, then selection 120,120,120, background 51,51,51, third
    // colour 243,243,243.
    void reset() override;

    skins::Owned<Basic> inner{Basic::createDefault()};
};

}  // namespace s::gui::drawer::listbox::win

namespace s::gui::drawer::statusbar::win {

class Thin : public statusbar::IThin, public thread::IPoolable {
    S_POOLED(Thin, L"s_gui_drawer_statusbar_win_Thin")
public:
    Thin() { reset(); }

    // The status bar paints nothing of its own.
    void paint(HDC, int32_t, int32_t, int32_t, int32_t) override {}
    int32_t getHeight() const override { return 13; }
    void setColor(int r, int g, int b) override { color = skins::rgb(r, g, b); }
    void reset() override { color = RGB(255, 255, 255); }

    COLORREF color = RGB(255, 255, 255);
};

}  // namespace s::gui::drawer::statusbar::win
