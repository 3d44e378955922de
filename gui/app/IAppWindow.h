// The settings record and service object of one top-level window: its name, its settings
// section for the screen scale, remembered position, size and view flags, skin, middle-
// click action, the update check and the taskbar progress.
//
//   window->setAppWindow(appWindow, true);   // icons, title, skin and placement from the record
#pragma once

#include <cstdint>

#include "foundation/base/Object.h"

namespace s::gui {
class IWindow;
}
namespace s::gui::drawer {
class ISkinner;
}
namespace s::lang {
class Localizer;
}

namespace s::app {

class IAppBase;

class IAppWindow : public base::IObject {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_app_IAppWindow";

    virtual IAppBase* getAppBase() = 0;
    virtual const wchar_t* getName() = 0;
    // name + "\" + section, valid until the next call.
    virtual const wchar_t* sectionPath(const wchar_t* section) = 0;
    // The program's title text id (the version text is this id + 10).
    virtual int32_t getTextBaseId() = 0;
    virtual lang::Localizer* getLangPack() = 0;
    virtual bool hasSkinner() = 0;
    virtual gui::drawer::ISkinner* getSkinner() = 0;
    virtual const wchar_t* getSkinName() = 0;
    virtual void setSkinName(const wchar_t* name) = 0;
    virtual bool hasPosition() = 0;
    virtual void setBounds(int32_t x, int32_t y, int32_t w, int32_t h) = 0;
    virtual void setSize(int32_t w, int32_t h) = 0;
    // Removes "X", "Y", "Width" and "Height".
    virtual void clearBounds() = 0;
    virtual bool hasX() = 0;
    virtual int32_t getX() = 0;
    virtual void setX(int32_t x) = 0;
    virtual bool hasY() = 0;
    virtual int32_t getY() = 0;
    virtual void setY(int32_t y) = 0;
    // At least 10 and at most the virtual screen's width.
    virtual bool isWidthValid() = 0;
    virtual bool hasWidth() = 0;
    virtual int32_t getWidth() = 0;
    virtual void setWidth(int32_t w) = 0;
    virtual bool isHeightValid() = 0;
    virtual bool hasHeight() = 0;
    virtual int32_t getHeight() = 0;
    virtual void setHeight(int32_t h) = 0;
    virtual bool getEasyDrag() = 0;
    virtual void setEasyDrag(bool on) = 0;
    virtual bool getMaximized() = 0;
    virtual void setMaximized(bool on) = 0;
    virtual bool getKeepOnTop() = 0;
    virtual void setKeepOnTop(bool on) = 0;
    virtual bool isCloseOnMClick() = 0;
    virtual bool isIconizeOnMClick() = 0;
    // "Close", "Iconize" or "DoNothing".
    virtual const wchar_t* getMClickAction() = 0;
    virtual void setMClickAction(const wchar_t* action) = 0;
    virtual void checkForUpdate(gui::IWindow* window) = 0;
    virtual void progressIndeterminate(gui::IWindow* window) = 0;
    virtual void progressValue(gui::IWindow* window, int64_t total, int64_t done) = 0;
    virtual void progressOff(gui::IWindow* window) = 0;
};

}  // namespace s::app
