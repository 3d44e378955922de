// The settings record of one top-level window, kept in the application base's store
// below the window's name: placement for the current screen scale, view flags, the
// middle-click action and the window's skin; also the taskbar progress display.
//
//   AppWindow* record = AppWindow::create();
//   record->init(base, L"MainWindow", 500 * scale, 450 * scale, false, L"Close", base->getSkinner(), nullptr);
//   window->setAppWindow(record, true);
//   ...
//   record->release();   // after the window has gone
#pragma once

#include <cstdint>

#include "foundation/thread/Pool.h"
#include "gui/app/IAppWindow.h"

struct ITaskbarList3;

namespace s::str::strbuffer {
class StrBuffer;
}
namespace s::map {
class IMappedData;
}

namespace s::app::win {

// The middle-click actions as stored.
namespace mclick {
constexpr const wchar_t* kDoNothing = L"DoNothing";
constexpr const wchar_t* kIconize = L"Iconize";
constexpr const wchar_t* kClose = L"Close";
}  // namespace mclick

// The word both records write as "SoftwareType".
constexpr const wchar_t* kSoftwareType = L"Viewer";

// The placement section for a screen scale: "View" (1 or 3), "View4K" (2), "View8K" (4 and more).
const wchar_t* viewSectionFor(int32_t scale);

class AppWindow final : public IAppWindow, public thread::IPoolable {
    S_POOLED(AppWindow, L"s_app_win_AppWindow")
public:
    AppWindow();
    ~AppWindow() override;
    AppWindow(const AppWindow&) = delete;
    AppWindow& operator=(const AppWindow&) = delete;

    // The base is kept, not owned. A skinner other than the base's is owned (given back
    // to its pool on reset) and keeps its own "Skin" section, defaulting to ownSkinName.
    void init(IAppBase* appBase, const wchar_t* name, int32_t defaultWidth, int32_t defaultHeight,
              bool keepOnTopDefault, const wchar_t* mClickAction, gui::drawer::ISkinner* skinner,
              const wchar_t* ownSkinName);
    void reset() override;

    // The placement section in use ("View", "View4K" or "View8K").
    const wchar_t* getViewSection() const { return viewSection_; }
    int32_t getDefaultWidth() const { return defaultWidth_; }
    int32_t getDefaultHeight() const { return defaultHeight_; }
    bool hasTaskbarList() const { return taskbarList_ != nullptr; }

    IAppBase* getAppBase() override { return appBase_; }
    const wchar_t* getName() override;
    const wchar_t* sectionPath(const wchar_t* section) override;
    int32_t getTextBaseId() override { return textBaseId_; }
    lang::Localizer* getLangPack() override;
    bool hasSkinner() override { return skinner_ != nullptr; }
    gui::drawer::ISkinner* getSkinner() override { return skinner_; }
    const wchar_t* getSkinName() override;
    void setSkinName(const wchar_t* name) override;
    bool hasPosition() override { return hasX() && hasY(); }
    void setBounds(int32_t x, int32_t y, int32_t w, int32_t h) override;
    void setSize(int32_t w, int32_t h) override;
    void clearBounds() override;
    bool hasX() override;
    int32_t getX() override;
    void setX(int32_t x) override;
    bool hasY() override;
    int32_t getY() override;
    void setY(int32_t y) override;
    bool isWidthValid() override;
    bool hasWidth() override;
    int32_t getWidth() override;
    void setWidth(int32_t w) override;
    bool isHeightValid() override;
    bool hasHeight() override;
    int32_t getHeight() override;
    void setHeight(int32_t h) override;
    bool getEasyDrag() override;
    void setEasyDrag(bool on) override;
    bool getMaximized() override;
    void setMaximized(bool on) override;
    bool getKeepOnTop() override;
    void setKeepOnTop(bool on) override;
    bool isCloseOnMClick() override;
    bool isIconizeOnMClick() override;
    const wchar_t* getMClickAction() override;
    void setMClickAction(const wchar_t* action) override;
    void checkForUpdate(gui::IWindow* window) override;
    void progressIndeterminate(gui::IWindow* window) override;
    void progressValue(gui::IWindow* window, int64_t total, int64_t done) override;
    void progressOff(gui::IWindow* window) override;

private:
    map::IMappedData* store();
    // The stored "OnMClick" text (the current action when none is stored).
    const wchar_t* storedMClick();
    int32_t readInt(const wchar_t* section, const wchar_t* key, int32_t def);
    bool hasValue(const wchar_t* section, const wchar_t* key);
    void writeInt(const wchar_t* section, const wchar_t* key, int32_t value);
    bool readBool(const wchar_t* key, bool def);
    void writeBool(const wchar_t* key, bool value);

    str::strbuffer::StrBuffer* scratch_;
    str::strbuffer::StrBuffer* pathBuffer_;
    str::strbuffer::StrBuffer* name_;
    str::strbuffer::StrBuffer* ownSkinName_;
    IAppBase* appBase_ = nullptr;
    const wchar_t* viewSection_ = L"View";
    int32_t textBaseId_ = 0;
    lang::Localizer* langPack_ = nullptr;
    gui::drawer::ISkinner* skinner_ = nullptr;
    bool ownSkin_ = false;
    int32_t defaultWidth_ = 500, defaultHeight_ = 500;
    bool easyDragDefault_ = true;
    bool maximizedDefault_ = false;
    bool keepOnTopDefault_ = false;
    const wchar_t* middleClick_ = mclick::kClose;
    ITaskbarList3* taskbarList_ = nullptr;
    bool comStarted_ = false;
    unsigned long comThread_ = 0;
};

}  // namespace s::app::win
