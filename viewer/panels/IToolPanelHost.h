// What the tool panels and the filter-set code need of the viewer's controller.
#pragma once

#include <windows.h>

#include <cstdint>

namespace s::lang {
class Localizer;
}
namespace s::gui::events {
class IEventListener;
}

namespace s::image::gui::dialogs::imageview {

class EffectData;
class IFilterPanels;
class RightClickMenu;
class ViewerSettings;

class IToolPanelHost {
public:
    virtual ~IToolPanelHost() = default;

    virtual ViewerSettings* settings() = 0;
    virtual lang::Localizer* localizer() = 0;
    virtual HWND dialogOwner() = 0;  // owner of message boxes
    virtual int32_t screenScale() = 0;
    virtual bool isPictureShown() = 0;
    virtual bool isTitleBarShown() = 0;  // the toolbar's fit and palm buttons sit in the title area

    virtual IFilterPanels* filterPanels() = 0;
    virtual EffectData* currentValues() = 0;
    virtual RightClickMenu* rightClickMenu() = 0;  // "Apply Filter..." items, 681, 717
    // The target size of the built-in "Cartoon Reader" set: the work area less the window's chrome.
    virtual void cartoonReaderSize(int32_t* width, int32_t* height) = 0;

    // Actions of the panels' buttons.
    virtual void saveAs(bool viewSize, bool autoSharpen) = 0;
    virtual void print(bool viewSize, bool autoSharpen, bool paperMaximum) = 0;
    virtual bool isAutoRotate() = 0;
    virtual void setAutoRotate(bool on) = 0;  // menu item 717 and "Print"\"AutoRotation"
    virtual bool isSlideShowRunning() = 0;
    virtual void startSlideShow() = 0;
    virtual void requestWorkerStop() = 0;
    virtual void captureNow() = 0;                    // the entire screen, at once
    virtual void startCapturePick(int32_t kind) = 0;  // 3 window, 5 window part: the next click picks
    // The Convert at Once kind list was chosen: the page box shows the convert page.
    virtual void relayout() = 0;

    // The listener the panels register on their own controls; it offers every event to
    // IToolPanels::handleEvent. Null (the default): the panels listen themselves.
    virtual s::gui::events::IEventListener* panelListener() { return nullptr; }
};

}  // namespace s::image::gui::dialogs::imageview
