// The viewer controller on a test application base: a fresh registry store, the main
// window record as the program makes it, settings seeded before the window is built, and
// the window built without waiting (build) and closed and released when the test ends.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "gui/window/Window.h"
#include "gui/window/WindowTestSupport.h"
#include "platform/system/Screen.h"
#include "skins/drawers/InstallDrawers.h"
#include "viewer/app/AppTestSupport.h"
#include "viewer/app/AppWindow.h"
#include "viewer/dialog/Dialog.h"
#include "viewer/settings/ViewerSettings.h"

namespace dialogtest {

using s::image::gui::dialogs::imageview::Dialog;
using s::image::gui::dialogs::imageview::ViewerSettings;

using windowtest::waitFor;

struct ScaleOverride {
    explicit ScaleOverride(int32_t scale) { s::system::setScreenScaleOverride(scale); }
    ~ScaleOverride() { s::system::setScreenScaleOverride(0); }
};

// A viewer on its own settings. The seed runs on the viewer's settings before the window
// is made; the bars are kept from hiding when another test's window takes the focus.
class Viewer {
public:
    explicit Viewer(int32_t scale = 1, const std::function<void(ViewerSettings&)>& seed = nullptr)
        : scaleOverride_(scale), scale_(scale) {
        s::skins::installDefaultDrawers();  // as the program does at its start
        record_ = s::app::win::AppWindow::create();
        record_->init(app_.base, L"MainWindow", scale * 500, scale * 450, false, L"Close", app_.base->getSkinner(),
                      nullptr);
        ViewerSettings settings(app_.base->getSettings(), L"MainWindow");
        settings.setAutoHideButtons(false);
        if (seed) seed(settings);
        dialog_ = Dialog::create(record_);
    }
    ~Viewer() {
        if (dialog_) dialog_->release();
        record_->release();
    }
    Viewer(const Viewer&) = delete;
    Viewer& operator=(const Viewer&) = delete;

    void build(const wchar_t* path = nullptr) {
        dialog_->build(path);
        ASSERT_NE(window(), nullptr);
        ASSERT_TRUE(waitFor([&] { return IsWindowVisible(hwnd()) != FALSE; }));
    }
    // Releases the viewer now (the fixture's end does nothing more).
    void release() {
        if (dialog_) dialog_->release();
        dialog_ = nullptr;
    }
    Dialog* operator->() { return dialog_; }
    Dialog* dialog() { return dialog_; }
    s::gui::win::Window* window() { return dynamic_cast<s::gui::win::Window*>(dialog_->getWindow()); }
    HWND hwnd() { return window()->getHwnd(); }
    s::app::win::AppWindow* record() { return record_; }
    viewertest::RegistryStore& reg() { return app_.reg; }
    int32_t scale() const { return scale_; }

private:
    ScaleOverride scaleOverride_;
    int32_t scale_;
    viewertest::TestAppBase app_;
    s::app::win::AppWindow* record_ = nullptr;
    Dialog* dialog_ = nullptr;
};

}  // namespace dialogtest
