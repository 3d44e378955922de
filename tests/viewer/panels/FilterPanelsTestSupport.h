// The filter panels on a real window: a picture view and every filter panel in a column,
// a host that records what the panels ask of the controller, the program's English
// language pack, a registry store of the test's own, and helpers that drive the real
// controls the way the window's thread sees them.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "foundation/col/Array.h"
#include "gui/box/Box.h"
#include "gui/controls/Button.h"
#include "gui/controls/ComboBox.h"
#include "gui/controls/Image.h"
#include "gui/controls/Slider.h"
#include "gui/controls/TextField.h"
#include "gui/layout/LayoutKind.h"
#include "gui/window/IWindow.h"
#include "gui/window/Window.h"
#include "gui/window/WindowTestSupport.h"
#include "imaging/filters/Filter.h"
#include "imaging/filters/Watermark.h"
#include "imaging/image/BufferedImage.h"
#include "imaging/image/BufferedImageSet.h"
#include "platform/lang/Localizer.h"
#include "skins/watermark/WatermarkRenderer.h"
#include "support/HostTool.h"
#include "viewer/ViewerTestSupport.h"
#include "viewer/effects/EffectData.h"
#include "viewer/panels/FilterList.h"
#include "viewer/panels/FilterPanels.h"
#include "viewer/panels/IFilterPanelHost.h"
#include "viewer/settings/ViewerSettings.h"

namespace filterpanelstest {

namespace iv = s::image::gui::dialogs::imageview;
using s::image::win::BufferedImage;

// The program's built-in language pack, switched to English.
class EnglishPack {
public:
    EnglishPack() {
        std::string exe = std::string(GLIMMER_BINARY_DIR) + "/Glimmer.exe";
        module_ = LoadLibraryExW(testsupport::winPath(exe).c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        loc = s::lang::Localizer::loadResource(module_);
        if (loc) loc->setLanguage(L"English");
    }
    ~EnglishPack() {
        if (loc) loc->release();
        if (module_) FreeLibrary(module_);
    }
    EnglishPack(const EnglishPack&) = delete;
    EnglishPack& operator=(const EnglishPack&) = delete;
    s::lang::Localizer* loc = nullptr;

private:
    HMODULE module_ = nullptr;
};

// The controller as the panels see it: the view, the values and the settings are real,
// the zoom and selection follow-ups are recorded.
class FakeHost : public iv::IFilterPanelHost {
public:
    s::gui::IImage* view = nullptr;
    bool shown = false;
    iv::EffectData* values = iv::EffectData::create();
    iv::ViewerSettings* store = nullptr;
    s::lang::Localizer* loc = nullptr;
    HWND owner = nullptr;
    bool fitWindowToImage = false, fitImageToWindow = false;
    double scale = 1.0;
    double centreX = 0.5, centreY = 0.5;  // what viewCentre answers
    double keptX = -1, keptY = -1;        // the last point reapplyScale was to keep
    int fitOffCalls = 0, reapplyCalls = 0, originalSizeCalls = 0, zoomLimitCalls = 0, changes = 0;
    std::vector<int32_t> defaultBackgrounds;

    ~FakeHost() override { values->release(); }
    s::gui::IImage* pictureView() override { return view; }
    bool isPictureShown() override { return shown; }
    iv::EffectData* currentValues() override { return values; }
    iv::ViewerSettings* settings() override { return store; }
    s::lang::Localizer* localizer() override { return loc; }
    HWND dialogOwner() override { return owner; }
    int32_t screenScale() override { return 1; }
    bool isFitWindowToImage() override { return fitWindowToImage; }
    bool isFitImageToWindow() override { return fitImageToWindow; }
    void setFitModeOff() override {
        fitWindowToImage = fitImageToWindow = false;
        ++fitOffCalls;
    }
    double currentScale() override { return scale; }
    void reapplyScale(double relX, double relY) override {
        keptX = relX;
        keptY = relY;
        ++reapplyCalls;
    }
    void viewCentre(double* relX, double* relY) override {
        *relX = centreX;
        *relY = centreY;
    }
    void showAtOriginalSize() override {
        scale = 1.0;
        ++originalSizeCalls;
    }
    void updateZoomLimitsAndSlider() override { ++zoomLimitCalls; }
    void filterValuesChanged() override { ++changes; }
    void defaultBackgroundChosen(int32_t type) override { defaultBackgrounds.push_back(type); }
};

// Runs a function on the window's own thread (through the window's invoke).
class GuiRunner : public s::gui::events::IEventListener {
public:
    explicit GuiRunner(s::gui::IWindow* window) : window_(window) { window_->addInvokeListener(this); }
    void run(const std::function<void()>& fn) {
        const std::function<void()>* p = &fn;
        window_->invoke(0, reinterpret_cast<intptr_t>(p), 0, 0);
    }
    void onEvent(s::base::IObject*, int32_t) override {
        auto* fn = reinterpret_cast<const std::function<void()>*>(window_->getInvokeArg2());
        if (fn) (*fn)();
    }

private:
    s::gui::IWindow* window_;
};

// A picture whose every pixel differs, so that a moved, scaled or recoloured copy shows.
inline BufferedImage* pattern(int w, int h) {
    BufferedImage* img = BufferedImage::createSized(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img->getRow(y)[x] = 0xFF000000u | uint32_t((x * 7 + 30) & 0xFF) << 16 | uint32_t((y * 5 + 60) & 0xFF) << 8 |
                                uint32_t((x + y * 3) & 0xFF);
    return img;
}

// The result of the chain built from the values, run over a copy of the picture.
inline BufferedImage* chainResult(const iv::EffectData* values, BufferedImage* picture) {
    s::col::_array::ArrayP* chain = values->buildChain();
    BufferedImage* img = picture->copy();
    for (uint32_t i = 0; i < chain->count() && img; ++i) {
        BufferedImage* out = chain->at<s::image::filters::IFilter>(i)->apply(img, nullptr);
        img->release();
        img = out;
    }
    chain->release();
    return img;
}

// "" when equal, else where they first differ.
inline std::string difference(BufferedImage* a, BufferedImage* b) {
    if (!a || !b) return "missing picture";
    if (a->getWidth() != b->getWidth() || a->getHeight() != b->getHeight())
        return "size " + std::to_string(a->getWidth()) + "x" + std::to_string(a->getHeight()) + " vs " +
               std::to_string(b->getWidth()) + "x" + std::to_string(b->getHeight());
    for (int y = 0; y < a->getHeight(); ++y)
        for (int x = 0; x < a->getWidth(); ++x)
            if (a->getRow(y)[x] != b->getRow(y)[x]) return "pixel " + std::to_string(x) + "," + std::to_string(y);
    return "";
}

class FilterPanelsTest : public windowtest::WindowTest {
protected:
    void SetUp() override {
        // The program registers the watermark's text renderer at start; so does the test.
        s::image::filters::watermark::setRenderer(s::skins::watermark::render);
        WindowTest::SetUp();
        settings = new iv::ViewerSettings(store.store(), L"MainWindow");
        seed();
        host.store = settings;
        host.loc = pack.loc;
        host.owner = hwnd();
        if (pack.loc) window->setLocalizer(pack.loc);
        runner = new GuiRunner(window);
        window->setBounds(140, 120, 720, 760);
        window->setVisible(true, true);
        column = s::gui::win::Box::createSized(s::gui::LayoutKind::kColumn, 700, 720, 0, 0, 2);
        window->addChild(column);
        view = s::gui::win::Image::create();
        view->setFixedWidth(200);
        view->setFixedHeight(150);
        column->addChild(view);
        host.view = view;
        panels = new iv::FilterPanels(&host);
        panels->build();
        for (int32_t command : kCommands) {
            s::gui::IBox* box = panels->panelFor(command);
            ASSERT_NE(box, nullptr) << command;
            column->addChild(dynamic_cast<s::gui::win::Box*>(box));
        }
        column->setSizeClamped(700, 720);
        runner->run([this] { panels->start(); });
    }
    void TearDown() override {
        // The window gives back the panels' controls; the panels then give back their filters.
        WindowTest::TearDown();
        window = nullptr;
        host.view = nullptr;
        delete panels;
        delete runner;
        delete settings;
    }
    // Settings written before the panels start (none by default).
    virtual void seed() {}

    // A new picture on view, as the controller shows one.
    void openPicture(BufferedImage* picture) {
        runner->run([&] {
            view->setImage(picture, false, false, false, false, -1, -1);
            host.shown = true;
            panels->pictureOpened(picture->getWidth(), picture->getHeight());
        });
    }
    // The first frame as the view shows it: through its filters when it has any.
    BufferedImage* shownFrame() {
        BufferedImage* frame = view->getImageSet() ? view->getImageSet()->getFrame(0) : nullptr;
        return frame && frame->hasFilters() ? frame->getFiltered() : frame;
    }

    // The user's actions, on the window's thread.
    void click(s::gui::win::Button* b) { SendMessageW(b->m_hWnd, BM_CLICK, 0, 0); }
    void type(s::gui::win::TextField* f, const wchar_t* text) {
        SendMessageW(f->m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    void slide(s::gui::win::Slider* s, int32_t position) {
        runner->run([&] { s->movePosition(position); });
    }
    void slideSecond(s::gui::win::Slider* s, int32_t position) {
        runner->run([&] { s->moveSecondPosition(position); });
    }
    void choose(s::gui::win::ComboBox* c, int32_t index) {
        runner->run([&] { c->select(index, true); });
    }
    std::wstring textOf(s::gui::win::TextField* f) { return f->getText(); }

    // Filter names of the list, in order.
    std::vector<std::wstring> filterNames() {
        std::vector<std::wstring> names;
        iv::FilterList* list = panels->filterList();
        for (int32_t i = 0; i < list->count(); ++i) names.push_back(list->at(i)->getFilterName());
        return names;
    }
    std::vector<std::wstring> orderNames() {
        std::vector<std::wstring> names;
        for (uint32_t i = 0; i < host.values->filterOrder.count(); ++i)
            names.push_back(host.values->filterOrder.at(i)->text());
        return names;
    }
    const iv::NumericPanel& panel(iv::NumericKind kind) { return panels->numeric(kind); }
    // The step button that adds delta.
    s::gui::win::Button* step(iv::NumericKind kind, int32_t delta) {
        const iv::NumericPanel& p = panel(kind);
        for (int32_t i = 0; i < p.stepCount; ++i)
            if (p.steps[i].delta == delta) return p.steps[i].button;
        ADD_FAILURE() << "no step " << delta;
        return p.reset;
    }

    static constexpr int32_t kCommands[] = {4300, 4500, 4510, 4520, 4530, 4540, 4200, 4450, 4400,
                                            4410, 4420, 4430, 4460, 4470, 4550, 4480, 4650, 4600};

    viewertest::RegistryStore store;
    EnglishPack pack;
    iv::ViewerSettings* settings = nullptr;
    FakeHost host;
    GuiRunner* runner = nullptr;
    s::gui::win::Box* column = nullptr;
    s::gui::win::Image* view = nullptr;
    iv::FilterPanels* panels = nullptr;
};

}  // namespace filterpanelstest
