// The viewer's seventeen filter side panels: their controls, the handlers that turn the
// controls' events into values of the current filter set, and the filter list those
// values become on every frame of the shown picture.
//
//   FilterPanels panels(host);
//   panels.build();                 // controls made; the controller attaches panelFor(...)
//   panels.start();                 // start values from the settings, listeners registered
//   panels.pictureOpened(640, 480); // size limits; neutral again unless locked
//
// The panels listen to their own controls; the controller may also offer events through
// handleEvent. Every handler runs on the viewer window's thread.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "foundation/events/IEventListener.h"
#include "foundation/str/StrArray.h"
#include "viewer/panels/IFilterPanels.h"

namespace s::gui {
class IImage;
}
namespace s::gui::win {
class Box;
class Button;
class ComboBox;
class Slider;
class TextField;
}  // namespace s::gui::win
namespace s::image::filters {
class IFilter;
}

namespace s::image::gui::dialogs::imageview {

class FilterList;
class IFilterPanelHost;

// The panels that edit one number with a field, step buttons and a slider.
enum class NumericKind {
    kSharpness,
    kHue,
    kSaturation,
    kBrightness,
    kLevel,
    kCurve,
    kAlpha,
    kRotate,
    kMisty,
    kStretchH,
    kStretchV,
    kCount
};

// What a step button does: add delta; reset returns the neutral value instead.
struct StepButton {
    s::gui::win::Button* button = nullptr;
    int32_t delta = 0;
    bool large = false;
};

// How a number panel behaves: its range, neutral value, steps, slider and texts.
struct NumberRule {
    int32_t command;  // the panel chooser's command
    const wchar_t* unit;
    int32_t minimum, maximum, neutral;
    int32_t small, large, turn;            // step sizes; 0 = no such buttons
    int32_t sliderMin, sliderMax, offset;  // slider position = value + offset
    int32_t anchor;                        // the slider's fill anchor, -1 for none
    const wchar_t* startText;
    enum Range { kIgnore, kClamp, kWrap } range;  // what an out-of-range value does
};
const NumberRule& numberRule(NumericKind kind);

struct NumericPanel {
    s::gui::win::Box* box = nullptr;
    s::gui::win::TextField* field = nullptr;
    StepButton steps[6];
    int32_t stepCount = 0;
    s::gui::win::Button* reset = nullptr;
    s::gui::win::Slider* slider = nullptr;
};

struct SizePanel {
    s::gui::win::Box* box = nullptr;
    s::gui::win::TextField* width = nullptr;
    s::gui::win::Button* keepRatio = nullptr;
    s::gui::win::TextField* height = nullptr;
    s::gui::win::Button* minus = nullptr;
    s::gui::win::Button* plus = nullptr;
    s::gui::win::Button* reset = nullptr;
    s::gui::win::ComboBox* type = nullptr;
};

// Cut (Left/Right) or Cut (Top/Bottom): the first field is left or top.
struct CutPanel {
    s::gui::win::Box* box = nullptr;
    s::gui::win::TextField* first = nullptr;
    s::gui::win::TextField* second = nullptr;
    s::gui::win::Button* reset = nullptr;
    s::gui::win::Slider* slider = nullptr;
};

struct FlipPanel {
    s::gui::win::Box* box = nullptr;
    s::gui::win::Button* reset = nullptr;
    s::gui::win::Button* horizontal = nullptr;
    s::gui::win::Button* vertical = nullptr;
};

struct MonochromePanel {
    s::gui::win::Box* box = nullptr;
    s::gui::win::Button* reset = nullptr;
    s::gui::win::Button* grayscale = nullptr;
    s::gui::win::Button* desaturate = nullptr;
    s::gui::win::Button* sepia = nullptr;
};

struct WatermarkPanel {
    s::gui::win::Box* box = nullptr;
    s::gui::win::TextField* text = nullptr;
    s::gui::win::ComboBox* font = nullptr;
    s::gui::win::ComboBox* size = nullptr;
    s::gui::win::Button* color = nullptr;
    s::gui::win::Button* outline = nullptr;
    s::gui::win::Button* outlineColor = nullptr;
    s::gui::win::Button* bold = nullptr;
    s::gui::win::Button* italic = nullptr;
};

struct BackgroundPanel {
    s::gui::win::Box* box = nullptr;
    s::gui::win::ComboBox* type = nullptr;
    s::gui::win::Button* custom = nullptr;
    s::gui::win::Button* always = nullptr;
};

// The separator rows of the font and background lists.
constexpr const wchar_t* kListSeparator = L"----------------------------";
// The face of the "Default Font" entry.
constexpr const wchar_t* kDefaultFace = L"MS Shell Dlg 2";

class FilterPanels final : public IFilterPanels, public s::gui::events::IEventListener {
public:
    explicit FilterPanels(IFilterPanelHost* host);
    ~FilterPanels() override;
    FilterPanels(const FilterPanels&) = delete;
    FilterPanels& operator=(const FilterPanels&) = delete;

    // IFilterPanels
    void build() override;
    s::gui::IBox* panelFor(int32_t command) override;
    void start() override;
    bool handleEvent(s::gui::IComponent* source, int32_t code) override;
    void pictureOpened(int32_t width, int32_t height) override;
    void resetFilterPanels(bool reshow, bool clearSelection, bool ignoreLock) override;
    void loadValues(const EffectData* set) override;
    void reattachFilters() override;
    void reapplyAll() override;
    void setBackground(int32_t type, COLORREF color, bool updateList) override;
    bool isLocked() override { return locked_; }
    void setLocked(bool on) override { locked_ = on; }
    bool isLoadingFilterSet() override { return loading_; }
    void setLoadingFilterSet(bool on) override { loading_ = on; }
    col::_array::ArrayP* getFilterList() override;

    // IEventListener: the panels' own controls.
    void onEvent(base::IObject* source, int32_t code) override;

    // ---- the panels' controls (tests drive them)
    const NumericPanel& numeric(NumericKind kind) const { return numeric_[int(kind)]; }
    const SizePanel& size() const { return size_; }
    const CutPanel& cutLeftRight() const { return cutLR_; }
    const CutPanel& cutTopBottom() const { return cutTB_; }
    const FlipPanel& flip() const { return flip_; }
    const MonochromePanel& monochrome() const { return mono_; }
    const WatermarkPanel& watermark() const { return watermark_; }
    const BackgroundPanel& background() const { return background_; }
    // The recent watermark fonts, most recent first.
    const str::strarray::StrArray& fontHistory() const { return history_; }
    FilterList* filterList() { return list_.get(); }
    void sizeBase(int32_t* w, int32_t* h) const { *w = baseW_, *h = baseH_; }
    void sizeMax(int32_t* w, int32_t* h) const { *w = maxW_, *h = maxH_; }

    // ---- setters: range-check, store, bring the controls in line, apply
    void setNumeric(NumericKind kind, int32_t value, bool rewriteField);
    // Pixel values go to the pixel sizes, others to the percents; the control that is
    // being typed into (may be null) is not rewritten.
    void setSizing(int32_t type, bool keepRatio, int32_t width, bool widthPixels, int32_t height, bool heightPixels,
                   s::gui::win::TextField* typing);
    void setCut(int32_t left, int32_t right, int32_t top, int32_t bottom, bool rewriteFields);
    void setFlip(bool horizontal, bool vertical);
    void setMonochrome(int32_t mode);
    void setWatermark(const wchar_t* text, const wchar_t* font, int32_t size, uint32_t color, bool outline,
                      uint32_t outlineColor, bool bold, bool italic, bool rewriteText);

private:
    EffectData* values();
    s::gui::IImage* view();
    bool pictureShown();
    int32_t scaled(int32_t n);

    // ---- building (FilterPanels.cpp)
    void buildNumeric(NumericKind kind);
    void buildSize();
    void buildCut(CutPanel* panel, int32_t firstText, int32_t secondText);
    void buildFlip();
    void buildMonochrome();
    void buildWatermark();
    void buildBackground();
    void startWatermark();
    void startBackground();
    void fillFontList();
    void listen(s::gui::win::Button* b);
    void listenToggle(s::gui::win::Button* b);
    void listen(s::gui::win::TextField* f);
    void listen(s::gui::win::Slider* s);
    void listen(s::gui::win::ComboBox* c);

    // ---- handlers (FilterHandlers.cpp)
    bool onNumericPanel(s::gui::IComponent* source);
    bool onStretch(NumericKind kind, s::gui::IComponent* source);
    bool onSizePanel(s::gui::IComponent* source);
    bool onCutPanel(s::gui::IComponent* source);
    bool onFlipPanel(s::gui::IComponent* source);
    bool onMonochromePanel(s::gui::IComponent* source);
    void showNumeric(NumericKind kind, bool rewriteField);
    void applyNumeric(NumericKind kind, int32_t oldValue);
    // Rebuilds the filter of that name from the current values: updated, appended, or
    // removed when the values leave it off.
    void applyNamed(const wchar_t* filterName);
    void applyRotation(int32_t oldAngle);
    void applySizing();
    void applyCut();
    void showSizing(s::gui::win::TextField* typing);
    void showCut(bool rewriteFields);
    // After a filter changed the picture's size: main size, size base, scale follow-up.
    void geometryChanged(double relX, double relY);
    int32_t stretchToSlider(NumericKind kind, int32_t percent);
    int32_t stretchFromSlider(NumericKind kind, int32_t position);
    // The size the panel edits now: the picture's own before the size filter is in use.
    void currentSize(int32_t* width, bool* widthPixels, int32_t* height, bool* heightPixels);
    // Re-filters every frame, tells the host and repaints (not while a set loads).
    void markFilterSetChanged();
    void pauseView();
    void resumeView();

    // ---- watermark and background (WatermarkPanel.cpp)
    bool onWatermarkPanel(s::gui::IComponent* source, int32_t code);
    bool onBackgroundPanel(s::gui::IComponent* source, int32_t code);
    void fontChosen();
    void selectFont(const wchar_t* face);
    int32_t familiesStart() const;
    void applyWatermark();
    void showWatermark(bool rewriteText);
    bool chooseColor(uint32_t* colorRef);
    void resetWatermark();
    void resetBackground();

    IFilterPanelHost* host_;
    std::unique_ptr<FilterList> list_;
    NumericPanel numeric_[int(NumericKind::kCount)];
    SizePanel size_;
    CutPanel cutLR_, cutTB_;
    FlipPanel flip_;
    MonochromePanel mono_;
    WatermarkPanel watermark_;
    BackgroundPanel background_;
    str::strarray::StrArray history_;
    str::strarray::StrArray families_;
    bool built_ = false;
    bool started_ = false;
    bool resetting_ = false;  // every apply does nothing while set
    bool loading_ = false;    // a filter set is loading: no re-filtering until its end
    bool locked_ = false;     // filters kept over new pictures
    int32_t baseW_ = 0, baseH_ = 0;
    int32_t maxW_ = 2000, maxH_ = 2000;
};

}  // namespace s::image::gui::dialogs::imageview
