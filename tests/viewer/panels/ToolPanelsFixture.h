// The tool panels in a real window with the program's language pack, behind a host and
// filter panels that record what they are asked: settings go to a registry key of the
// test's own, the right-click menu is the real one, and message boxes are answered
// through the framework's seam.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/app/Afx.h"
#include "gui/box/Box.h"
#include "gui/controls/ControlTestSupport.h"
#include "gui/menus/PopupMenu.h"
#include "platform/lang/Localizer.h"
#include "support/HostTool.h"
#include "viewer/ViewerTestSupport.h"
#include "viewer/effects/EffectData.h"
#include "viewer/menus/CommandIds.h"
#include "viewer/menus/RightClickMenu.h"
#include "viewer/panels/IFilterPanels.h"
#include "viewer/panels/IToolPanelHost.h"
#include "viewer/panels/ToolPanelControls.h"
#include "viewer/panels/ToolPanels.h"
#include "viewer/settings/ViewerSettings.h"

namespace toolpanelstest {

using namespace s::image::gui::dialogs::imageview;
namespace cmd = s::image::gui::dialogs::imageview::command;

// The program's built-in language pack, in English.
class BuiltInPack {
public:
    BuiltInPack() {
        std::string exe = std::string(GLIMMER_BINARY_DIR) + "/Glimmer.exe";
        module_ = LoadLibraryExW(testsupport::winPath(exe).c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        loc = s::lang::Localizer::loadResource(module_);
        loc->setLanguage(L"English");
    }
    ~BuiltInPack() {
        loc->release();
        if (module_) FreeLibrary(module_);
    }
    BuiltInPack(const BuiltInPack&) = delete;
    BuiltInPack& operator=(const BuiltInPack&) = delete;
    s::lang::Localizer* loc;

private:
    HMODULE module_ = nullptr;
};

// The values the fake panels carry over from a set: enough to tell sets apart.
inline void copyValues(EffectData* to, const EffectData* from) {
    to->sharpness = from->sharpness;
    to->hue = from->hue;
    to->saturation = from->saturation;
    to->brightness = from->brightness;
    to->monochrome = from->monochrome;
    to->level = from->level;
}

// Filter panels that edit the host's current values the way the real ones do: a reset
// makes them neutral, loading a set copies its values.
class FakeFilterPanels : public IFilterPanels {
public:
    explicit FakeFilterPanels(EffectData* current) : current_(current) {}
    void build() override {}
    s::gui::IBox* panelFor(int32_t) override { return nullptr; }
    void start() override {}
    bool handleEvent(s::gui::IComponent*, int32_t) override { return false; }
    void pictureOpened(int32_t, int32_t) override {}
    void resetFilterPanels(bool reshow, bool clearSelection, bool ignoreLock) override {
        ++resets;
        lastReset = {reshow, clearSelection, ignoreLock};
        if (locked && !ignoreLock) return;
        EffectData* neutral = EffectData::create();
        copyValues(current_, neutral);
        neutral->release();
    }
    void loadValues(const EffectData* set) override {
        loaded.push_back(set);
        loadedWhileLocked = loadedWhileLocked || locked;
        copyValues(current_, set);
    }
    void reattachFilters() override { ++reattached; }
    void reapplyAll() override {}
    void setBackground(int32_t, COLORREF, bool) override {}
    bool isLocked() override { return locked; }
    void setLocked(bool on) override { locked = on; }
    bool isLoadingFilterSet() override { return loading; }
    void setLoadingFilterSet(bool on) override { loading = on; }
    s::col::_array::ArrayP* getFilterList() override { return nullptr; }

    struct Reset {
        bool reshow = false, clearSelection = false, ignoreLock = false;
    };
    int resets = 0;
    Reset lastReset;
    int reattached = 0;
    std::vector<const EffectData*> loaded;
    bool loadedWhileLocked = false;
    bool locked = false;
    bool loading = false;

private:
    EffectData* current_;
};

// Records every action the panels ask of the controller.
class FakeHost : public IToolPanelHost {
public:
    FakeHost(ViewerSettings* settings, s::lang::Localizer* loc, RightClickMenu* menu)
        : settings_(settings), loc_(loc), menu_(menu), current(EffectData::create()), filters(current) {}
    ~FakeHost() override { current->release(); }

    ViewerSettings* settings() override { return settings_; }
    s::lang::Localizer* localizer() override { return loc_; }
    HWND dialogOwner() override { return nullptr; }
    int32_t screenScale() override { return scale; }
    bool isPictureShown() override { return pictureShown; }
    bool isTitleBarShown() override { return titleBar; }
    IFilterPanels* filterPanels() override { return &filters; }
    EffectData* currentValues() override { return current; }
    RightClickMenu* rightClickMenu() override { return menu_; }
    void cartoonReaderSize(int32_t* width, int32_t* height) override {
        *width = 800;
        *height = 600;
    }
    void saveAs(bool viewSize, bool autoSharpen) override {
        calls.push_back(L"saveAs " + flag(viewSize) + flag(autoSharpen));
    }
    void print(bool viewSize, bool autoSharpen, bool paperMaximum) override {
        calls.push_back(L"print " + flag(viewSize) + flag(autoSharpen) + flag(paperMaximum));
    }
    bool isAutoRotate() override { return autoRotate; }
    void setAutoRotate(bool on) override {
        autoRotate = on;
        calls.push_back(L"autoRotate " + flag(on));
    }
    bool isSlideShowRunning() override { return slideShowRunning; }
    void startSlideShow() override { calls.push_back(L"startSlideShow"); }
    void requestWorkerStop() override { calls.push_back(L"stop"); }
    void captureNow() override { calls.push_back(L"captureNow"); }
    void startCapturePick(int32_t kind) override { calls.push_back(L"pick " + std::to_wstring(kind)); }
    void relayout() override { calls.push_back(L"relayout"); }

    static std::wstring flag(bool on) { return on ? L"1" : L"0"; }

    int32_t scale = 1;
    bool pictureShown = true;
    bool titleBar = false;
    bool autoRotate = true;
    bool slideShowRunning = false;
    std::vector<std::wstring> calls;

private:
    ViewerSettings* settings_;
    s::lang::Localizer* loc_;
    RightClickMenu* menu_;

public:
    EffectData* current;
    FakeFilterPanels filters;
};

// Answers message boxes while it lives and keeps their texts and kinds.
class MessageBoxes {
public:
    explicit MessageBoxes(int answer = IDYES) : answer(answer) {
        previous_ = AfxSetMessageBoxHandler([this](const wchar_t* text, const wchar_t*, UINT type) {
            texts.push_back(text ? text : L"");
            types.push_back(type);
            return this->answer;
        });
    }
    ~MessageBoxes() { AfxSetMessageBoxHandler(previous_); }
    MessageBoxes(const MessageBoxes&) = delete;
    MessageBoxes& operator=(const MessageBoxes&) = delete;

    int answer;
    std::vector<std::wstring> texts;
    std::vector<UINT> types;

private:
    AfxMessageBoxHandler previous_;
};

const int32_t kAllPanels[] = {cmd::kPanelView,          cmd::kPanelSlideShow,     cmd::kPanelScreenshot,
                              cmd::kPanelLoadFilterSet, cmd::kPanelSaveFilterSet, cmd::kPanelSave,
                              cmd::kPanelPrint,         cmd::kPanelConvert};

// A window holding every tool panel and the convert page, the settings in a registry key
// of the test's own. seed() writes settings before the panels start; make() builds them.
class ToolPanelsTest : public controltest::ControlTest {
protected:
    ToolPanelsTest() {
        panelWidth = 700;
        panelHeight = 215;
    }
    void SetUp() override {
        ControlTest::SetUp();
        window->setBounds(250, 150, 720, 560);
        window->setLocalizer(pack.loc);
        settings = std::make_unique<ViewerSettings>(registry.store(), L"MainWindow");
    }
    void TearDown() override {
        // The panels live in the window: it goes first, then what they point at.
        if (window) window->release();
        window = nullptr;
        tools.reset();
        host.reset();
        menu.reset();
        ControlTest::TearDown();
    }
    // The settings path of a section, for raw registry reads.
    std::wstring path(const wchar_t* section) { return std::wstring(L"MainWindow\\") + section; }

    // Builds, attaches and starts the panels; filter sets loaded when asked.
    void make(bool loadSets = true) {
        menu = std::make_unique<RightClickMenu>();
        RightClickState state;
        menu->build(*settings, pack.loc, &state);
        host = std::make_unique<FakeHost>(settings.get(), pack.loc, menu.get());
        host->titleBar = titleBar;
        host->autoRotate = autoRotate;
        host->scale = scale;
        tools.reset(static_cast<ToolPanels*>(makeToolPanels(host.get())));
        tools->build();
        for (int32_t command : kAllPanels) {
            s::gui::win::Box* row = s::gui::win::Box::createSized(s::gui::LayoutKind::kRow, 700, 24, 1, 0, 0);
            row->addChild(tools->panelFor(command));
            panel->addChild(row);
        }
        pageHost = s::gui::win::Box::createSized(s::gui::LayoutKind::kColumn, 640, 300, 0, 0, 0);
        window->addChild(pageHost);
        pageHost->setPosition(0, 220);
        pageHost->addChild(tools->convertPage());
        tools->start();
        if (loadSets) tools->loadFilterSets();
        c = &tools->controls();
    }

    HMENU filterMenu() { return menu->getSubMenu(RightClickMenu::kFilter)->getHandle(); }

    // Every entry's text of a list.
    static std::vector<std::wstring> entries(s::gui::IComboBox* box) {
        std::vector<std::wstring> out;
        for (int32_t i = 0; i < box->getItemCount(); ++i) out.push_back(box->getItem(i)->getText());
        return out;
    }
    static std::wstring windowText(HWND hwnd) {
        wchar_t text[256] = {};
        GetWindowTextW(hwnd, text, 256);
        return text;
    }

    BuiltInPack pack;
    viewertest::RegistryStore registry{L"tools"};
    std::unique_ptr<ViewerSettings> settings;
    std::unique_ptr<RightClickMenu> menu;
    std::unique_ptr<FakeHost> host;
    std::unique_ptr<ToolPanels> tools;
    s::gui::win::Box* pageHost = nullptr;
    ToolPanels::Controls* c = nullptr;
    bool titleBar = false;
    bool autoRotate = true;
    int32_t scale = 1;
};

}  // namespace toolpanelstest
