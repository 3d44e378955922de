// The viewer's tool panels (see IToolPanels.h). The class is split over three files:
// ToolPanels.cpp builds the side panels and handles their buttons and lists,
// ConvertPage.cpp the "Convert at Once" drop page and the conversion settings, and
// FilterSetHandlers.cpp the filter sets kept in step across the "Apply Filter..."
// submenu, the "Load Filter Set" list and the convert filter-set list.
//
//   IToolPanels* tools = makeToolPanels(host);
//   tools->build();                       // the panels, not yet attached
//   holder->addChild(tools->panelFor(command::kPanelSlideShow));
//   ...
//   tools->start();                       // start values and listeners
//   tools->loadFilterSets();
//
// Without a listener of the host's the panels listen to their controls themselves: the
// window that holds them must then go before the panels do.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "foundation/events/IEventListener.h"
#include "viewer/effects/FilterSetList.h"
#include "viewer/panels/IToolPanels.h"
#include "viewer/worker/BatchConverter.h"

namespace s::lang {
class Localizer;
}
namespace s::image {
class IEncodeSetting;
}
namespace s::gui {
class IWindow;
class ICheckBox;
class IComboBox;
class IGroupBox;
class ILabel;
class IProgressBar;
class ITextField;
}  // namespace s::gui
namespace s::gui::win {
class Box;
class PopupMenu;
}  // namespace s::gui::win

namespace s::image::gui::dialogs::imageview {

class IToolPanelHost;
class ViewerSettings;

// Language-pack ids of the panels' texts.
namespace tooltext {
constexpr int32_t kStart = 1990004710;
constexpr int32_t kStop = 1990004720;
constexpr int32_t kMsec = 1990004705;
constexpr int32_t kRepeat = 1990004730;
constexpr int32_t kEntireScreen = 1990004790;
constexpr int32_t kWindow = 1990004792;
constexpr int32_t kWindowPart = 1990004794;
constexpr int32_t kCapture = 1990004781;
constexpr int32_t kPick = 1990004782;
constexpr int32_t kCurrentFilterSet = 1990004821;
constexpr int32_t kLock = 1990004801;
constexpr int32_t kClear = 1990004802;
constexpr int32_t kDelete = 1990004822;
constexpr int32_t kDeleteQuestion = 1990004823;
constexpr int32_t kName = 1990004853;
constexpr int32_t kMyFilterSet = 1990004851;
constexpr int32_t kSave = 1990004852;
constexpr int32_t kReplaceQuestion = 1990004854;
constexpr int32_t kBuiltInName = 1990004866;  // a built-in set's name cannot be taken
constexpr int32_t kHasBeenSaved = 1990004863;
constexpr int32_t kAddYourOwn = 1990004862;
constexpr int32_t kCreateYourOwn = 1990000684;
constexpr int32_t kCreateYourOwnInfo = 1990000685;
constexpr int32_t kOriginalSize = 1990004101;
constexpr int32_t kOriginalSizeSharpen = 1990004102;
constexpr int32_t kViewSize = 1990004103;
constexpr int32_t kViewSizeSharpen = 1990004104;
constexpr int32_t kPaperMaximum = 1990004105;
constexpr int32_t kPaperMaximumSharpen = 1990004106;
constexpr int32_t kSaveButton = 1990004100;
constexpr int32_t kAutoRotate = 1990000717;
constexpr int32_t kPrintButton = 1990004099;
constexpr int32_t kToSpecificFormat = 1990004131;
constexpr int32_t kToSpecificSize = 1990004126;
constexpr int32_t kApplyFilterSet = 1990004125;
}  // namespace tooltext

// The convert page's format names; the chosen format is one of these by identity.
namespace convertformat {
inline constexpr wchar_t kSame[] = L"Same Format";
inline constexpr wchar_t kJpg[] = L"jpg";
inline constexpr wchar_t kGif[] = L"gif";
inline constexpr wchar_t kPng[] = L"png";
inline constexpr wchar_t kBmp[] = L"bmp";
inline constexpr wchar_t kIco[] = L"ico";
}  // namespace convertformat

// The separator text of the filter-set lists.
constexpr const wchar_t* kSetListSeparator = L"--------------------------------------";

class ToolPanels final : public IToolPanels, public s::gui::events::IEventListener {
public:
    explicit ToolPanels(IToolPanelHost* host);
    ~ToolPanels() override;
    ToolPanels(const ToolPanels&) = delete;
    ToolPanels& operator=(const ToolPanels&) = delete;

    // IToolPanels
    void build() override;
    s::gui::IBox* panelFor(int32_t command) override;
    s::gui::IBox* convertPage() override;
    s::gui::IGroupBox* convertDropBox() override { return dropBox_; }
    const ToolbarControls& toolbar() override { return toolbar_; }
    void start() override;
    bool handleEvent(s::gui::IComponent* source, int32_t code) override;
    void loadFilterSets() override;
    void loadFilterSet(const wchar_t* name) override;
    void saveFilterSet(const wchar_t* name) override;
    void deleteFilterSet(const wchar_t* name) override;
    void chooseSetCommand(int32_t command) override;
    void setLockedFromMenu(bool on) override;
    void clearFilters() override;
    void showCurrentSetSelected() override;
    const std::wstring& pendingSetName() override { return pendingName_; }
    void setPendingSetName(const wchar_t* name) override { pendingName_ = name ? name : L""; }
    EffectData* convertFilterSet() override;
    bool fillConvertRequest(ConvertRequest* request) override;
    int32_t slideShowInterval() override;
    bool isSlideShowRepeat() override;
    std::wstring slideShowIntervalText() override;
    void setSlideShowIntervalText(const wchar_t* text) override;
    bool slideShowRepeat() override { return isSlideShowRepeat(); }
    void slideShowStarted() override;
    void slideShowEnded() override;
    void convertStarted() override;
    void convertProgress(int32_t total, int32_t done, const wchar_t* text) override;
    void convertEnded() override;
    void captureEnded() override;
    int32_t captureType() override { return captureType_; }
    void showAutoRotate(bool on) override;

    // IEventListener: the panels' own controls, when the host routes none itself.
    void onEvent(base::IObject* source, int32_t code) override;

    // ---- for tests and the controller's status rows
    int32_t convertKind() const { return convertKind_; }
    const wchar_t* convertFormat() const { return convertFormat_; }
    int32_t convertWidth() const { return convertWidth_; }
    int32_t convertHeight() const { return convertHeight_; }
    int32_t convertSizeType() const { return convertSizeType_; }
    bool convertAutoSharpen() const { return convertAutoSharpen_; }
    // The save options of the chosen target format shown under the format rows, and the
    // setting they edit (null for "Same Format").
    s::image::IEncodeSetting* convertOptions() const { return convertOptions_; }
    s::gui::IComponent* convertOptionsPanel() const { return convertOptionsPanel_; }
    int32_t saveType() const { return saveType_; }
    int32_t printType() const { return printType_; }
    const FilterSetList& filterSets() const { return sets_; }
    EffectData* shownFilterSet() const { return shown_; }
    // The submenu command of a set of the list (0 when it has none).
    int32_t commandOf(const EffectData* set) const;
    // Whether the set is one of the user's own of the list (stored, deletable).
    bool isUserSet(const EffectData* set) const;

    struct Controls;  // every control the panels hold (ToolPanelControls.h)
    Controls& controls() { return *c_; }

private:
    // ---- building (ToolPanels.cpp, ConvertPage.cpp)
    void buildToolbar();
    void buildSlideShow();
    void buildScreenshot();
    void buildLoadFilterSet();
    void buildSaveFilterSet();
    void buildSave();
    void buildPrint();
    void buildConvertKind();
    void buildConvertPage();
    void startConvertPage();
    void listenConvertPage(s::gui::events::IEventListener* l);
    s::gui::win::Box* newPanel(int32_t command);

    // ---- events (ToolPanels.cpp, ConvertPage.cpp, FilterSetHandlers.cpp)
    bool handleToolEvent(s::gui::IComponent* source, int32_t code);
    bool handleConvertEvent(s::gui::IComponent* source, int32_t code);
    bool handleFilterSetEvent(s::gui::IComponent* source, int32_t code);
    void setCaptureKind(int32_t kind);
    void chooseConvertKind(int32_t kind);
    void showConvertRows(int32_t kind);
    void writeConvertSettings();
    void showConvertOptions();
    void dropConvertOptions(bool detach);

    // ---- filter sets (FilterSetHandlers.cpp)
    void chooseSet(EffectData* set);  // null: "Current Filter Set"
    void returnToCurrentValues();
    void addSetEntries(EffectData* set);
    void removeSetEntries(EffectData* set);
    void showPlaceholders(bool on);
    int32_t allocateCommand();
    void selectInLists(EffectData* set);
    bool keepOffSeparator(s::gui::IComboBox* list);
    void setLock(bool on);
    void saveUserSetsToStore();
    std::wstring settingsRoot() const;
    s::gui::win::PopupMenu* filterMenu() const;
    const wchar_t* text(int32_t id) const;

    IToolPanelHost* host_;
    ViewerSettings* settings_ = nullptr;
    lang::Localizer* loc_ = nullptr;
    int32_t s_ = 1;  // the screen scale
    bool built_ = false;
    bool started_ = false;

    std::map<int32_t, s::gui::win::Box*> panels_;
    s::gui::win::Box* page_ = nullptr;
    s::gui::IGroupBox* dropBox_ = nullptr;
    ToolbarControls toolbar_;
    Controls* c_;

    // Panel state.
    int32_t captureType_ = 1;
    int32_t saveType_ = 1;
    int32_t printType_ = 1;
    int32_t slideInterval_ = 1000;

    // Conversion state.
    int32_t convertKind_ = kConvertSpecificFormat;
    const wchar_t* convertFormat_ = nullptr;  // identity of one of the format constants
    int32_t convertWidth_ = 200;
    int32_t convertHeight_ = 200;
    bool convertAutoSharpen_ = true;
    int32_t convertSizeType_ = 1;

    // Filter sets.
    FilterSetList sets_;
    std::map<const EffectData*, int32_t> commands_;
    int32_t nextCommand_ = 0;
    EffectData* shown_ = nullptr;             // the set the panels show; the current values or a set of sets_
    EffectData* savedCurrent_ = nullptr;      // owned: the current values before the first switch
    EffectData* convertChoice_ = nullptr;     // a set of sets_; null: the current values
    EffectData* convertCopy_ = nullptr;       // owned: the copy the last request carries
    s::gui::win::Box* optionsBox_ = nullptr;  // holds the target format's save options
    s::image::IEncodeSetting* convertOptions_ = nullptr;  // owned: bound to its "ConvertTo" section
    s::gui::IComponent* convertOptionsPanel_ = nullptr;   // in optionsBox_
    const wchar_t* optionsFormat_ = nullptr;              // the format convertOptions_ is for
    s::gui::IWindow* optionsOwner_ = nullptr;             // the window the panel was built for
    bool placeholders_ = false;
    std::wstring pendingName_;
};

}  // namespace s::image::gui::dialogs::imageview
