// The combo box, menu bar, group box and tab box drawers (see gui/drawer/IMenu.h).
// Painting is in skins/painters/ComboPainter.cpp, MenuPainter.cpp and GroupBoxPainter.cpp.
#pragma once

#include "foundation/thread/Pool.h"
#include "gui/drawer/IMenu.h"
#include "gui/fonts/FontSetting.h"
#include "skins/drawers/ButtonDrawer.h"
#include "skins/drawers/DrawerSupport.h"
#include "skins/drawers/TextDrawer.h"

namespace s::gui::drawer::combo::win {

class Thin : public combo::IThin, public thread::IPoolable {
    S_POOLED(Thin, L"s_gui_drawer_combo_win_Thin")
public:
    Thin() { reset(); }

    void paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t state, const wchar_t* text,
               IFont* font, bool enabled) override;
    void setTextColor1(int r, int g, int b) override { textDrawer->getStyle1()->setColor(r, g, b); }
    void setTextColor2(int r, int g, int b) override { textDrawer->getStyle2()->setColor(r, g, b); }
    void setFrameColor(int r, int g, int b) override {
        frameColor = skins::rgb(r, g, b);
        buttonDrawer->setLineColor(r, g, b);
    }
    void applyToFonts(IFont* normal, IFont* disabled) override { textDrawer->applyToFonts(normal, disabled); }

    void reset() override;

    skins::Owned<text::win::Basic> textDrawer;
    skins::Owned<button::win::Thin> buttonDrawer;
    COLORREF frameColor = RGB(0, 0, 0);
};

}  // namespace s::gui::drawer::combo::win

namespace s::gui::drawer::menu::win {

class Basic : public menu::IBasic, public thread::IPoolable {
    S_POOLED(Basic, L"s_gui_drawer_menu_win_Basic")
public:
    Basic() { reset(); }

    // Text, highlight and highlighted text colours; then flag A off and flag B on.
    static Basic* createWithColors(int textR, int textG, int textB, int highR, int highG, int highB, int highTextR,
                                   int highTextG, int highTextB);

    void paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, str::strarray::StrArray* items,
               RECT* rects, IFont* font, IFont* hotFont, int32_t insetX, int32_t insetY, int32_t hotIndex, bool pressed,
               bool buttonMode, bool lastAtRight, bool lastAsLink) override;
    void applyToFonts(IFont* font, IFont* hotFont) override;
    void measure(HDC dc, str::strarray::StrArray* items, RECT* rects, IFont* font, int32_t* a, int32_t* b, int32_t* c,
                 int32_t* d, int32_t marginX, int32_t marginY, bool extraRoom) override;
    IFontSetting* getNormalStyle() override { return &normalStyle; }
    IFontSetting* getHighlightedStyle() override { return &highlightedStyle; }
    ICombo* getComboDrawer() override { return comboDrawer.get(); }
    void setHighlightColor(int r, int g, int b) override { highlightColor = skins::rgb(r, g, b); }
    void setTextColor(int r, int g, int b) override { normalStyle.setColor(r, g, b); }
    void setHighlightedTextColor(int r, int g, int b) override { highlightedStyle.setColor(r, g, b); }
    void setFlagA(bool flag) override { flagA = flag; }
    void setFlagB(bool flag) override { flagB = flag; }

    // Both styles to defaults at size code -2; the system's highlight colours; flag A on,
    // flag B off; the owned drawers reset.
    void reset() override;

    gui::win::FontSetting normalStyle;
    gui::win::FontSetting highlightedStyle;
    COLORREF highlightColor = 0;
    bool flagA = true;
    bool flagB = false;
    skins::Owned<text::win::Basic> textDrawer;
    skins::Owned<combo::win::Thin> comboDrawer;
};

}  // namespace s::gui::drawer::menu::win

namespace s::gui::drawer::groupbox::win {

// What the two group box drawers share: the frame colour and the caption's text drawer.
template <class Interface>
class GroupBoxBase : public Interface, public thread::IPoolable {
public:
    void setFrameColor(int r, int g, int b) override { frameColor = skins::rgb(r, g, b); }
    uint8_t getFrameRed() const override { return skins::redOf(frameColor); }
    uint8_t getFrameGreen() const override { return skins::greenOf(frameColor); }
    uint8_t getFrameBlue() const override { return skins::blueOf(frameColor); }
    void applyToFonts(IFont* normal, IFont* disabled) override { caption->applyToFonts(normal, disabled); }
    IFontSetting* getTextStyle1() override { return caption->getStyle1(); }
    IFontSetting* getTextStyle2() override { return caption->getStyle2(); }

    // Frame 208,208,191; the caption reset with its style 1 in 0,70,213.
    void reset() override {
        frameColor = RGB(208, 208, 191);
        caption.reset();
        if (caption.get()) caption->getStyle1()->setColor(0, 70, 213);
    }

    COLORREF frameColor = RGB(208, 208, 191);
    skins::Owned<text::win::Basic> caption;
};

class Thin : public GroupBoxBase<groupbox::IThin> {
    S_POOLED(Thin, L"s_gui_drawer_groupbox_win_Thin")
public:
    Thin() { reset(); }
    void paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* caption, IFont* font,
               int32_t captionWidth, int32_t captionHeight) override;
};

// The group box control's default drawer.
class Basic : public GroupBoxBase<groupbox::IBasic> {
    S_POOLED(Basic, L"s_gui_drawer_groupbox_win_Basic")
public:
    Basic() { reset(); }
    void paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, const wchar_t* caption, IFont* font,
               int32_t captionWidth, int32_t captionHeight) override;
};

}  // namespace s::gui::drawer::groupbox::win

namespace s::gui::drawer::tabbox::win {

class Thin : public tabbox::IThin, public thread::IPoolable {
    S_POOLED(Thin, L"s_gui_drawer_tabbox_win_Thin")
public:
    Thin() { reset(); }

    // The tab box paints nothing of its own.
    void paint(HDC, int32_t, int32_t, int32_t, int32_t) override {}
    void setColor(int r, int g, int b) override { color = skins::rgb(r, g, b); }
    void applyToFonts(IFont* normal, IFont* disabled) override { text1->applyToFonts(normal, disabled); }
    IFontSetting* getTextStyle1() override { return text1->getStyle1(); }
    IFontSetting* getTextStyle2() override { return text1->getStyle2(); }
    void applySecondToFonts(IFont* font) override { text2->applyToFonts(font); }
    IFontSetting* getSecondTextStyle1() override { return text2->getStyle1(); }

    void reset() override {
        color = RGB(255, 255, 255);
        text1.reset();
        text2.reset();
    }

    COLORREF color = RGB(255, 255, 255);
    skins::Owned<text::win::Basic> text1;
    skins::Owned<text::win::Basic> text2;
};

}  // namespace s::gui::drawer::tabbox::win
