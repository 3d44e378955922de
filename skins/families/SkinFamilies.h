// The two skin families and their colour presets. A skin is a named set of fifteen
// drawers coloured from one preset: "Thin" presets have 6 colours, "ThinWindow" presets
// 15. The skinner builds the presets of its family in registration order (the order of
// the tables below); a single preset is built by its id:
//   ISkin* white = skin::ThinWindow::preset(3);   // "White"; null for an id without a preset
#pragma once

#include <windows.h>

#include <cstdint>

#include "foundation/str/StrBuffer.h"
#include "gui/skin/ISkin.h"

namespace s::gui::drawer::skin {

struct Rgb {
    uint8_t r, g, b;
    COLORREF ref() const { return RGB(r, g, b); }
};

struct ThinPreset {
    int32_t id;
    const wchar_t* name;
    // T1 background, T2 lines and accents, T3 text, T4 slider fill, T5 and T6 counter colours.
    Rgb t[6];
};

struct ThinWindowPreset {
    int32_t id;
    const wchar_t* name;
    // T1 window background, T2 window frame, T3 secondary text and idle lines, T4 accent,
    // T5 group frame, T6 main text, T7 third colour of text style 1, T8 scroll bar and
    // slider, T9 fill and selection, T10 text on fill, T11 list background, T12 list
    // text, T13 list third colour, T14 and T15 counter colours.
    Rgb t[15];
};

constexpr uint32_t kThinPresetCount = 13;
constexpr uint32_t kThinWindowPresetCount = 16;
// In registration order: the index of a preset here is its skin's index in a skinner.
extern const ThinPreset kThinPresets[kThinPresetCount];
extern const ThinWindowPreset kThinWindowPresets[kThinWindowPresetCount];

// The skin body both families share: a name and fifteen owned drawers. Reset empties the
// name and releases every drawer it holds to its pool.
class SkinBase : public ISkin {
public:
    SkinBase();
    ~SkinBase() override;
    SkinBase(const SkinBase&) = delete;
    SkinBase& operator=(const SkinBase&) = delete;

    const wchar_t* getName() override { return name_->text(); }
    void setName(const wchar_t* name) override { name_->setText(name ? name : L""); }

    IWindow* getWindowDrawer() override { return window_; }
    void setWindowDrawer(IWindow* d) override { window_ = d; }
    IButton* getButtonDrawer() override { return button_; }
    void setButtonDrawer(IButton* d) override { button_ = d; }
    IText* getTextDrawer() override { return text_; }
    void setTextDrawer(IText* d) override { text_ = d; }
    IScrollBar* getScrollBarDrawer() override { return scrollBar_; }
    void setScrollBarDrawer(IScrollBar* d) override { scrollBar_ = d; }
    ICheckBox* getCheckBoxDrawer() override { return checkBox_; }
    void setCheckBoxDrawer(ICheckBox* d) override { checkBox_ = d; }
    IRadioButton* getRadioButtonDrawer() override { return radioButton_; }
    void setRadioButtonDrawer(IRadioButton* d) override { radioButton_ = d; }
    ISlider* getSliderDrawer() override { return slider_; }
    void setSliderDrawer(ISlider* d) override { slider_ = d; }
    ICounter* getCounterDrawer() override { return counter_; }
    void setCounterDrawer(ICounter* d) override { counter_ = d; }
    IListHeader* getListHeaderDrawer() override { return listHeader_; }
    void setListHeaderDrawer(IListHeader* d) override { listHeader_ = d; }
    IListBox* getListBoxDrawer() override { return listBox_; }
    void setListBoxDrawer(IListBox* d) override { listBox_ = d; }
    IStatusBar* getStatusBarDrawer() override { return statusBar_; }
    void setStatusBarDrawer(IStatusBar* d) override { statusBar_ = d; }
    IMenu* getMenuDrawer() override { return menu_; }
    void setMenuDrawer(IMenu* d) override { menu_ = d; }
    ICombo* getComboDrawer() override { return combo_; }
    void setComboDrawer(ICombo* d) override { combo_ = d; }
    IGroupBox* getGroupBoxDrawer() override { return groupBox_; }
    void setGroupBoxDrawer(IGroupBox* d) override { groupBox_ = d; }
    ITabBox* getTabBoxDrawer() override { return tabBox_; }
    void setTabBoxDrawer(ITabBox* d) override { tabBox_ = d; }

    void reset() override;

protected:
    // Fills an empty skin from a preset (the builders of the two families).
    void buildThin(const wchar_t* name, const Rgb* t);
    void buildThinWindow(const wchar_t* name, const Rgb* t);

private:
    str::strbuffer::StrBuffer* name_;
    IWindow* window_ = nullptr;
    IButton* button_ = nullptr;
    IText* text_ = nullptr;
    IScrollBar* scrollBar_ = nullptr;
    ICheckBox* checkBox_ = nullptr;
    IRadioButton* radioButton_ = nullptr;
    ISlider* slider_ = nullptr;
    ICounter* counter_ = nullptr;
    IListHeader* listHeader_ = nullptr;
    IListBox* listBox_ = nullptr;
    IStatusBar* statusBar_ = nullptr;
    IMenu* menu_ = nullptr;
    ICombo* combo_ = nullptr;
    IGroupBox* groupBox_ = nullptr;
    ITabBox* tabBox_ = nullptr;
};

class Thin final : public SkinBase {
    S_POOLED(Thin, L"s_gui_drawer_skin_Thin")
public:
    Thin() = default;
    // The Thin skin of the preset id (1-4, 6-14), or null.
    static Thin* preset(int32_t id);
    // A skin from the pool, named and given fifteen drawers coloured from the six colours.
    static Thin* build(const wchar_t* name, const Rgb t[6]);
};

class ThinWindow final : public SkinBase {
    S_POOLED(ThinWindow, L"s_gui_drawer_skin_ThinWindow")
public:
    ThinWindow() = default;
    // The ThinWindow skin of the preset id (1-4, 6-13, 16-19), or null.
    static ThinWindow* preset(int32_t id);
    static ThinWindow* build(const wchar_t* name, const Rgb t[15]);
};

}  // namespace s::gui::drawer::skin
