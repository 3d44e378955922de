// The side panels that are not filters (View toolbar, Slide Show, Screenshot, Load
// Filter Set, Save Current Filter Set, Save..., Print, Convert at Once), the
// "Convert at Once" drop page, and the filter sets kept in step across the
// "Apply Filter..." submenu and the two filter-set lists.
#pragma once

#include <cstdint>
#include <string>

namespace s::gui {
class IComponent;
class IBox;
class IButton;
class IGroupBox;
class ISlider;
class ISpacer;
}  // namespace s::gui

namespace s::image::gui::dialogs::imageview {

class EffectData;
struct ConvertRequest;

// The toolbar's controls; the controller routes their events (browse, zoom, fit, palm).
struct ToolbarControls {
    s::gui::IButton* left = nullptr;
    s::gui::IButton* right = nullptr;
    s::gui::IButton* minus = nullptr;
    s::gui::ISlider* zoom = nullptr;
    s::gui::IButton* plus = nullptr;
    s::gui::IButton* plusMinus = nullptr;
    s::gui::ISpacer* compactSpacer = nullptr;  // takes the free width when the toolbar is compact
    s::gui::IButton* palm = nullptr;
    s::gui::ISpacer* fitGap = nullptr;  // before "#FitToWindow"
    // The fit gap's width times the screen scale while the title bar is off (0 while on).
    static constexpr int32_t kFitGapWidth = 7;
    s::gui::IButton* fitToWindow = nullptr;
    s::gui::IButton* fitWindow = nullptr;
};

class IToolPanels {
public:
    virtual ~IToolPanels() = default;

    // Creates the panels and the convert page (not yet attached).
    virtual void build() = 0;
    // The panel box for a panel-chooser command (3000 View, 4700 Slide Show, 4780 Screenshot,
    // 4820 Load Filter Set, 4850 Save Current Filter Set, 4100 Save..., 4099 Print, 4120
    // Convert at Once); null for any other command.
    virtual s::gui::IBox* panelFor(int32_t command) = 0;
    virtual s::gui::IBox* convertPage() = 0;  // page 2 of the page box
    // The convert page's "Drop Box" frame. It takes no drops itself: files dropped on it
    // reach the drop target that holds the page (the viewer's drop box and its openPaths).
    virtual s::gui::IGroupBox* convertDropBox() = 0;
    virtual const ToolbarControls& toolbar() = 0;
    // Start values from the settings and listeners; called once everything is attached.
    virtual void start() = 0;

    // Events of the panels' own controls (not the toolbar's); true when consumed.
    virtual bool handleEvent(s::gui::IComponent* source, int32_t code) = 0;

    // Filter sets.
    // At start, once, after build and once the right-click menu is built: the sets and
    // their submenu items and list entries.
    virtual void loadFilterSets() = 0;
    virtual void loadFilterSet(const wchar_t* name) = 0;  // null: back to the current values
    virtual void saveFilterSet(const wchar_t* name) = 0;
    virtual void deleteFilterSet(const wchar_t* name) = 0;
    virtual void chooseSetCommand(int32_t command) = 0;  // 9000 and up from the submenu
    virtual void setLockedFromMenu(bool on) = 0;         // command 681
    virtual void clearFilters() = 0;                     // command 682 and the "Clear" button
    // A filter panel changed while a stored set was selected: back to "Current Filter Set".
    virtual void showCurrentSetSelected() = 0;
    // The set to show when no picture is on view ("" for none); a new picture takes it.
    virtual const std::wstring& pendingSetName() = 0;
    virtual void setPendingSetName(const wchar_t* name) = 0;
    // The set the conversion applies now (owned by the panels or the controller; valid
    // until the next filter-set change). fillConvertRequest hands the run a copy.
    virtual EffectData* convertFilterSet() = 0;

    // Conversion: the request for dropped paths with the chosen kind, format, size and set,
    // after writing the "Convert" settings of that kind. The request's set is a copy the
    // panels keep until the next call (queueing the request copies it again).
    virtual bool fillConvertRequest(ConvertRequest* request) = 0;

    // The slide show's interval in milliseconds from the panel's field: an integer text is
    // taken, a negative one becomes 1800, any other text keeps the last interval; the
    // field shows the value again and "SlideShow"\"MSec" stores it.
    virtual int32_t slideShowInterval() = 0;
    // The "Repeat" check box (it also writes "SlideShow"\"Repeat" when clicked).
    virtual bool isSlideShowRepeat() = 0;

    // Worker status shown on the panels.
    virtual void slideShowStarted() = 0;
    virtual void slideShowEnded() = 0;
    virtual void convertStarted() = 0;
    virtual void convertProgress(int32_t total, int32_t done, const wchar_t* text) = 0;
    virtual void convertEnded() = 0;

    // Screenshot: the pick ended (the capture button is released); the kind chosen.
    virtual void captureEnded() = 0;
    virtual int32_t captureType() = 0;
    // Print: the "Auto-Rotate" check box follows command 717.
    virtual void showAutoRotate(bool on) = 0;

    // Slide Show: the interval field's text ("" without the field), its rewrite, and
    // the "Repeat" check box.
    virtual std::wstring slideShowIntervalText() { return L""; }
    virtual void setSlideShowIntervalText(const wchar_t*) {}
    virtual bool slideShowRepeat() { return true; }
};

class IToolPanelHost;

// Makes the viewer's tool panels; the caller owns the result.
IToolPanels* makeToolPanels(IToolPanelHost* host);

}  // namespace s::image::gui::dialogs::imageview
