// The viewer's controller: one object that holds the viewer window, its controls, the
// picture state, the filter state and the worker, and carries out what the user does.
//
//   Dialog* viewer = Dialog::create(appWindow);   // on the start-up thread
//   viewer->run(path);                            // builds the window, opens path, waits until closed
//   viewer->release();                            // stops the worker, releases the window
//
// Every event of the window and its controls reaches onEvent on the window's GUI thread.
// The filter panels and the tool panels are objects of their own behind IFilterPanels and
// IToolPanels; the controller is their host.
//
// The code is split by concern: Dialog.cpp (life cycle, the panels' host, bars),
// DialogBuild.cpp (the window and its component tree), DialogEvents.cpp (event routing,
// panel chooser, worker status), DialogView.cpp (keys, browsing, fit, zoom, placement),
// DialogOpen.cpp (opening pictures, Open..., dropped paths), DialogCommands.cpp (the
// right-click commands), DialogFiles.cpp (Save As, copy, delete, About).
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "foundation/base/Object.h"
#include "foundation/events/IEventListener.h"
#include "viewer/open/PictureOpener.h"
#include "viewer/open/ShownPicture.h"
#include "viewer/panels/IFilterPanelHost.h"
#include "viewer/panels/IToolPanelHost.h"
#include "viewer/view/ZoomFit.h"
#include "viewer/worker/ViewerWorker.h"

namespace s::app {
class IAppWindow;
}
namespace s::map {
class IMappedData;
}
namespace s::gui {
class IComponent;
class IWindow;
class IBox;
class IImage;
class IScrollBox;
class ILabel;
class IButton;
class ISlider;
class IMenuEx;
}  // namespace s::gui
namespace s::gui::win {
class Window;
class Box;
class PopupMenu;
class MenuEx;
class ScrollBox;
class Image;
class Label;
class Button;
}  // namespace s::gui::win
namespace s::gui::drawer {
class ISkinner;
}
namespace s::file::win {
class PathWin;
class PathArray;
}  // namespace s::file::win
namespace s::image::ico::win {
class Icon;
}
namespace s::image::win {
class BufferedImageSet;
}

namespace s::image::gui::dialogs::imageview {

class EffectData;
class IFilterPanels;
class IToolPanels;
class RightClickMenu;
class FolderBrowser;
class ViewerSettings;
class AboutWindow;
struct RightClickState;

// Fit modes as stored in "LastUsedFitMode" and "FitMode2".
namespace fit {
constexpr int32_t kNone = 1;
constexpr int32_t kImageToWindow = 3;
constexpr int32_t kWindowToImage = 4;
}  // namespace fit

// The constant name that asks openImage for a screen capture (compared by identity).
extern const wchar_t* const kScreenShotName;

class Dialog final : public s::gui::events::IEventListener,
                     public IFilterPanelHost,
                     public IToolPanelHost,
                     public ISlideShowListener,
                     public IConvertListener,
                     public ICaptureHost {
public:
    // ---- life cycle (Dialog.cpp) ----------------------------------------------------
    static Dialog* create(app::IAppWindow* appWindow);
    // Stops the worker (after the file in hand), releases the window and everything bound to it.
    void release();
    ~Dialog() override;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // The section path of the bound window's settings.
    std::wstring openSettingsDir(const wchar_t* section);
    void setBarsShown(bool shown);

    // ---- window construction (DialogBuild.cpp) --------------------------------------
    // Builds the window, opens path (null: the empty viewer), shows it and waits until it closes.
    int32_t run(const wchar_t* path);
    // Test seam: run without waiting (the window is built and shown; close it to end).
    void build(const wchar_t* path);
    s::gui::IWindow* getWindow() const;

    // ---- event routing (DialogEvents.cpp) -------------------------------------------
    void onEvent(base::IObject* source, int32_t code) override;
    void selectPanel(int32_t command);  // the panel chooser's commands 3000 .. 4850

    // ---- keys, browsing, fit and zoom (DialogView.cpp) ------------------------------
    void showPreviousFile();
    bool showNextFile(bool wrap);
    void zoomIn();
    void zoomOut();
    void zoomByWheel(int32_t lines);
    void toOriginalSize();
    void applyScale(double scale, bool updateSlider, bool keepPoint, int32_t x, int32_t y, bool showScrollBars);
    void updateZoomSlider();
    void updateZoomLimits();
    void setFitMode(bool on, bool windowToImage, bool showScrollBars);
    void setFitWindowToImage(bool on);
    void setFitImageToWindow(bool on);
    void setPalmMode(bool on);
    void updatePalmButtons();
    void setShowTitleBar(bool on);
    void fitSize(int32_t mode, int32_t w, int32_t h, int32_t* outW, int32_t* outH);
    void placeWindow(int32_t outerWidth, int32_t outerHeight);
    // Grows a window too small for the help page (one shrunk to a small picture) until the
    // page fits in it.
    void growWindowToHelpPage();
    int32_t maxWindowWidth();
    int32_t maxWindowHeight();
    int32_t windowWidthFor(int32_t view);
    int32_t windowHeightFor(int32_t view);
    int32_t viewWidthFor(int32_t outer);
    void onSizing();  // an edge drag keeps the picture's aspect ratio under fit window to image
    void moveInsideVirtualScreen();
    void placeMinimizedWindow(int32_t outerWidth, int32_t outerHeight);
    zoom::WindowChrome chrome();

    // ---- opening (DialogOpen.cpp) ---------------------------------------------------
    bool openImage(const wchar_t* path, bool fitWindowToImage, bool fitImageToWindow);
    void closePicture();
    void openWithDialog();
    void openPaths(file::win::PathArray* paths);

    // ---- commands (DialogCommands.cpp) ----------------------------------------------
    void executeCommand(int32_t id);

    // ---- files and About (DialogFiles.cpp) ------------------------------------------
    void saveAs(bool viewSize, bool autoSharpen) override;
    void copyToClipboard(bool viewSize, bool autoSharpen);
    void deleteFile();
    void showAbout();
    void startSlideShow() override;

    // ---- IFilterPanelHost / IToolPanelHost (Dialog.cpp) ------------------------------
    s::gui::IImage* pictureView() override;
    bool isPictureShown() override;
    EffectData* currentValues() override;
    ViewerSettings* settings() override;
    lang::Localizer* localizer() override;
    HWND dialogOwner() override;
    int32_t screenScale() override;
    bool isFitWindowToImage() override;
    bool isFitImageToWindow() override;
    void setFitModeOff() override;
    double currentScale() override;
    void reapplyScale(double relX, double relY) override;
    void showAtOriginalSize() override;
    void updateZoomLimitsAndSlider() override;
    void filterValuesChanged() override;
    void defaultBackgroundChosen(int32_t type) override;
    bool isTitleBarShown() override;
    IFilterPanels* filterPanels() override;
    RightClickMenu* rightClickMenu() override;
    void cartoonReaderSize(int32_t* width, int32_t* height) override;
    void print(bool viewSize, bool autoSharpen, bool paperMaximum) override;
    bool isAutoRotate() override;
    void setAutoRotate(bool on) override;
    bool isSlideShowRunning() override;
    void requestWorkerStop() override;
    void captureNow() override;
    void startCapturePick(int32_t kind) override;
    void relayout() override;
    s::gui::events::IEventListener* panelListener() override { return this; }

    // ---- worker listeners (DialogEvents.cpp): called on the worker thread, they carry
    // the status to the GUI thread through the window's posted call ----------------
    void slideShowStarted() override;
    void slideShowNext() override;
    void slideShowEnded() override;
    void convertStarted(int32_t count) override;
    void fileStarted(int32_t count, int32_t index, const wchar_t* name) override;
    void fileFinished(int32_t index, FileOutcome outcome, const wchar_t* output) override;
    void convertEnded(const ConvertSummary& summary) override;

    // ---- ICaptureHost (DialogOpen.cpp) ----------------------------------------------
    void hideForCapture() override;
    void showAfterCapture() override;

    // ---- state read by tests ----------------------------------------------------------
    const ShownPicture& shown() const { return shown_; }
    IToolPanels* toolPanels() const { return toolPanels_; }

private:
    explicit Dialog(app::IAppWindow* appWindow);

    // ==== shared state (Dialog.cpp owns its life cycle) ================================
    app::IAppWindow* appWindow_ = nullptr;
    lang::Localizer* localizer_ = nullptr;
    map::IMappedData* store_ = nullptr;
    s::gui::drawer::ISkinner* skinner_ = nullptr;
    ViewerSettings* settings_ = nullptr;
    EffectData* currentValues_ = nullptr;  // "Current Filter Set"
    IFilterPanels* filterPanels_ = nullptr;
    IToolPanels* toolPanels_ = nullptr;
    RightClickMenu* rightClick_ = nullptr;
    ViewerWorker* worker_ = nullptr;
    PictureOpener* opener_ = nullptr;
    FolderBrowser* browser_ = nullptr;
    ShownPicture shown_;  // the picture on view, its file, folder and name
    // Counts the pictures shown and closed: a dialog compares it to know that the picture
    // it was asked about is still the one on view (a picture's address may be reused).
    uint64_t pictureSerial_ = 0;
    std::wstring title_;  // the current title text
    int32_t s_ = 1;       // the screen scale

    // Flags of the dispatch (6.140 names).
    std::atomic<bool> workerStopFlag_{false};
    bool convertQueued_ = false;
    bool converting_ = false;
    bool convertPanelShown_ = false;
    bool barsShown_ = true;
    bool maximizedGlyphShown_ = false;
    // The window's frame (outer minus inner size) when last seen neither minimized nor
    // maximized: a minimized window's own sizes say nothing of it. -1: not seen yet.
    int32_t normalFrameWidth_ = -1, normalFrameHeight_ = -1;
    bool showTitleBar_ = false;
    bool titleAreaShown_ = false;
    bool autoHideButtons_ = true;
    bool autoRotate_ = true;
    int32_t captureType_ = capture::kEntireScreen;
    int32_t opacity_ = 100;
    int32_t rememberedBarWidth_ = 0;  // the scroll bars' sizes while the bars are hidden
    int32_t rememberedBarHeight_ = 0;

    // Zoom and fit (DialogView.cpp).
    zoom::ZoomState zoom_;  // picture size, scale limits, fit flags, maximized
    bool palmMode_ = false;
    int32_t lastUsedFitMode_ = fit::kWindowToImage;
    int32_t fitMode2_ = 0;

    // ==== components (DialogBuild.cpp creates them; the window owns them once attached) ==
    s::gui::win::Window* window_ = nullptr;
    s::gui::win::Box* dropBox_ = nullptr;
    s::gui::win::Box* titleArea_ = nullptr;
    s::gui::win::Label* titleLabel_ = nullptr;
    s::gui::win::Box* pageBox_ = nullptr;
    s::gui::win::Box* helpPage_ = nullptr;
    s::gui::win::Label* openLabel_ = nullptr;  // "Open..." on the help page
    s::gui::win::ScrollBox* scrollBox_ = nullptr;
    s::gui::win::Image* view_ = nullptr;
    s::gui::win::Box* bottomBar_ = nullptr;
    s::gui::win::Box* barRow_ = nullptr;
    s::gui::win::Box* compactButtons_ = nullptr;
    s::gui::win::MenuEx* menuBar_ = nullptr;
    s::gui::win::PopupMenu* panelChooser_ = nullptr;
    s::gui::win::Box* panelHolder_ = nullptr;
    s::gui::win::Button* resizer_ = nullptr;
    // The window buttons: [0] in the title area, [1] in the compact box beside the menu bar.
    s::gui::win::Button* closeButtons_[2] = {};
    s::gui::win::Button* maximizeButtons_[2] = {};
    s::gui::win::Button* minimizeButtons_[2] = {};
    // The fit and palm toggles: [0] in the title area, [1] on the toolbar (from the tool panels).
    s::gui::IButton* palmButtons_[2] = {};
    s::gui::IButton* fitWindowButtons_[2] = {};
    s::gui::IButton* fitToWindowButtons_[2] = {};

    // ==== additions by file (each block is edited only by the owner of those files) =====
    // -- Dialog.cpp, DialogBuild.cpp, DialogEvents.cpp --
public:
    // State read by tests.
    bool isWorkerStopRequested() const { return workerStopFlag_.load(); }
    bool isConverting() const { return converting_; }
    bool isToolbarCompact() const { return toolbarCompact_; }
    bool areBarsShown() const { return barsShown_; }
    s::gui::win::Box* titleArea() const { return titleArea_; }
    s::gui::win::Box* pageBox() const { return pageBox_; }
    s::gui::win::Box* compactButtonBox() const { return compactButtons_; }
    s::gui::win::Box* panelHolder() const { return panelHolder_; }
    s::gui::win::MenuEx* menuBar() const { return menuBar_; }
    s::gui::win::PopupMenu* panelChooser() const { return panelChooser_; }
    // The panel-chooser commands in the order of the panel holder's children.
    static const int32_t* panelHolderCommands(int32_t* count);

private:
    RightClickState rightClickState();
    // The build's own calls on the window's thread; false for any other invoke.
    bool onBuildCall(intptr_t arg1, intptr_t arg2);
    void buildOnWindowThread(const wchar_t* path);
    void buildTitleArea();
    void buildPages();
    void buildBottomBar();
    void startParts();
    void registerWindowListeners();
    void placeAndOpen(const wchar_t* path);
    // Attaches the panels and pages not shown at the start (once; selecting a panel
    // attaches them first when they are still waiting).
    void attachHiddenParts();
    // The parts attached after the first paint: the convert page, then every panel but
    // the first.
    std::vector<s::gui::IBox*> laterParts();
    // Parts never attached (the window closed first) belong to no window: released here.
    void releaseHiddenParts();
    // Shows the window, then paints the picture before anything else.
    void showWindowWithPicture();
    // The first paint of the picture, once (on the restored window's first resize, or
    // after the show at the latest).
    void paintFirstPicture();
    // The least size of a reduced first decode of the start picture (0 x 0: none).
    void previewSizeFor(int32_t* width, int32_t* height);
    void route(base::IObject* source, int32_t code);
    bool onWindowEvent(int32_t code);
    void onResized();
    void setToolbarCompact(bool compact);
    bool onFrameButton(base::IObject* source);
    bool onToolbarEvent(base::IObject* source);
    void onZoomSlider(int32_t position);
    void onInvoke();
    void postStatus(const wchar_t* name, intptr_t a2, intptr_t a3, intptr_t a4);

    bool toolbarCompact_ = false;
    bool hiddenPartsPending_ = false;
    bool firstPaintWaiting_ = false;
    bool pictureFrozenForShow_ = false;
    std::unique_ptr<std::thread> prefit_;  // the first picture's fitted copy in the making
    int32_t eventDepth_ = 0;  // window's thread only
    // Worker thread only (read by the window's thread while the worker waits in invoke).
    int32_t convertTotal_ = 0;
    std::wstring workerText_;
    // (end of the block)

    // -- DialogView.cpp, DialogOpen.cpp --
    friend class DialogTestAccess;  // the view and open tests read the parts
    struct IconsDeleter {
        void operator()(image::ico::win::Icon* icons) const;
    };
    // The window icons made from the shown picture (installed not owned).
    std::unique_ptr<image::ico::win::Icon, IconsDeleter> windowIcons_;
    bool pictureOnPage_ = false;  // the page pile shows the picture page
    bool autoHideBeforeCapture_ = true;
    bool openerNamed_ = false;

    void nameOpenedPictures();
    std::wstring languageText(int32_t id, const wchar_t* fallback);
    void checkMenuItem(int32_t id, bool on);
    static void setToggles(s::gui::IButton* const (&buttons)[2], bool on);
    s::gui::ISlider* zoomSlider();
    // The work area of the monitor nearest to the window.
    zoom::Area workArea();
    zoom::FitInput fitInput();
    // setFitMode; store false leaves "LastUsedFitMode" as it is.
    void switchFitMode(bool on, bool windowToImage, bool showScrollBars, bool store);
    void setFitFlag(bool windowToImage, bool on);
    void setViewFixedSize(int32_t width, int32_t height);
    void setViewFillsParent();
    void layoutScrollBox();
    void scrollViewAt(int32_t width, int32_t height, int32_t x, int32_t y, bool barsHidden);
    // Scrolls the view so that the picture's middle is in the middle of the scroll box.
    void centreView();
    // The picture at 100 %, its middle in view (a fit turned off by the user).
    void showOriginalCentred();
    // The page pile: 0 the drop help, 1 the picture, 2 the convert page.
    void showPage(int32_t page);
    void showTitle(const wchar_t* title);
    void installPictureIcons(image::win::BufferedImageSet* set);
    // (end of the block)

    // -- DialogCommands.cpp, DialogFiles.cpp --
    // The About window, made on first use; closed and released with the controller.
    struct AboutHolder {
        AboutWindow* about = nullptr;
        AboutHolder() = default;
        AboutHolder(const AboutHolder&) = delete;
        AboutHolder& operator=(const AboutHolder&) = delete;
        ~AboutHolder();
    };
    AboutHolder about_;
    int32_t slideShowInterval_ = -1;  // ms; below 0: not yet taken from "MSec"
    bool slideShowRepeat_ = true;
    // A question or file dialog of a command is up: the slide show must not move on.
    bool commandDialogUp_ = false;

    bool runToggle(int32_t id);  // the check-mark toggles; true when id was one
    void selectLanguage(int32_t index);
    void selectSkin(int32_t index);
    void setOpacityCommand(int32_t id);
    void setDefaultFitMode(int32_t id);
    void setDefaultBackground(int32_t id);
    void pickCustomColor();
    void openAddress(int32_t textId);
    void actOnShownFile(int32_t id);  // Locate, Properties
    bool isChecked(int32_t id);
    void showCommandError(const wchar_t* text);

public:
    // A question or file dialog of Save As or Delete is up (the slide show holds meanwhile).
    bool isCommandDialogUp() const { return commandDialogUp_; }
    // The slide show's "Repeat" as taken when it started.
    bool slideShowRepeats() const { return slideShowRepeat_; }
    // (end of the block)
};

}  // namespace s::image::gui::dialogs::imageview
