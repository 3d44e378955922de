// A component without a native window: it keeps its geometry, size hints, enabled state
// (counting the switches) and the thread it was attached on, so tests can watch
// attachment, layout, enablers and release. Made on the stack: release only counts.
#pragma once

#include <windows.h>

#include <algorithm>
#include <atomic>

#include "gui/component/IContainer.h"

namespace testsupport {

class FakeComponent : public s::gui::IComponent, public s::base::IObject, public s::thread::IPoolable {
public:
    int32_t x = 0, y = 0, w = 0, h = 0, minW = 0, minH = 0, prefW = 0, prefH = 0;
    s::gui::IContainer* parent = nullptr;
    std::atomic<DWORD> attachThread{0};
    std::atomic<int> releases{0};
    bool enabledState = true;
    int switches = 0;

    const wchar_t* getClassName() const override { return L"test_FakeComponent"; }
    s::base::IObject* newInstance() const override { return nullptr; }
    void release() override { ++releases; }
    void reset() override {}
    void onEvent(s::base::IObject*, int32_t) override {}

    int32_t getX() override { return x; }
    void setX(int32_t v) override { x = v; }
    int32_t getY() override { return y; }
    void setY(int32_t v) override { y = v; }
    int32_t getScreenX() override { return x; }
    int32_t getScreenY() override { return y; }
    bool containsScreenPoint(int32_t px, int32_t py) override {
        return px >= x && py >= y && px <= x + w && py <= y + h;
    }
    int32_t getWidth() override { return w; }
    void setWidth(int32_t v) override { w = v; }
    int32_t getHeight() override { return h; }
    void setHeight(int32_t v) override { h = v; }
    int32_t getInnerWidth() override { return w; }
    void setInnerWidth(int32_t v) override { w = v; }
    int32_t getInnerHeight() override { return h; }
    void setInnerHeight(int32_t v) override { h = v; }
    void setPosition(int32_t nx, int32_t ny) override { x = nx, y = ny; }
    void setSize(int32_t nw, int32_t nh) override { w = nw, h = nh; }
    void setBounds(int32_t nx, int32_t ny, int32_t nw, int32_t nh) override { x = nx, y = ny, w = nw, h = nh; }
    void setOrigin(int32_t, int32_t) override {}
    void moveOrigin(int32_t, int32_t) override {}
    int32_t getMinWidth() override { return minW; }
    int32_t getMinHeight() override { return minH; }
    int32_t getMinInnerWidth() override { return minW; }
    int32_t getMinInnerHeight() override { return minH; }
    int32_t getPreferredWidth() override { return std::max(prefW, minW); }
    int32_t getPreferredHeight() override { return std::max(prefH, minH); }
    int32_t getPreferredInnerWidth() override { return getPreferredWidth(); }
    int32_t getPreferredInnerHeight() override { return getPreferredHeight(); }
    bool isVisible() override { return true; }
    void setVisible(bool, bool) override {}
    bool isEnabled() override { return enabledState; }
    void setEnabled(bool enabled) override {
        enabledState = enabled;
        ++switches;
    }
    bool isEditable() override { return false; }
    void setEditable(bool) override {}
    void centreInParent() override {}
    void centreHorizontally() override {}
    void centreVertically() override {}
    uint32_t getBackgroundColor() override { return 0; }
    bool isTransparent() override { return false; }
    void setTransparent(bool, bool) override {}
    void setBackgroundWhite(bool) override {}
    void setBackgroundSystem(bool) override {}
    void setBackgroundBlack(bool) override {}
    void setBackgroundLight(bool) override {}
    void setBackgroundColor(int32_t, int32_t, int32_t, bool) override {}
    s::gui::IWindow* getWindow() override { return nullptr; }
    s::gui::IContainer* getParent() override { return parent; }
    void setParent(s::gui::IContainer* container) override {
        parent = container;
        if (container) attachThread = GetCurrentThreadId();
    }
    void addChild(s::gui::IComponent*) override {}
    void removeChild(s::gui::IComponent*, bool) override {}
    void removeAllChildren(bool) override {}
    bool isContainer() override { return false; }
    void repaintRect(int32_t, int32_t, int32_t, int32_t) override {}
    void repaint() override {}
    void setSizeClamped(int32_t nw, int32_t nh) override {
        w = std::clamp(nw, minW, getPreferredWidth());
        h = std::clamp(nh, minH, getPreferredHeight());
    }
    void validate() override {}
    int32_t getChildCount() override { return 0; }
    s::gui::IComponent* getChildAt(int32_t) override { return nullptr; }
    s::col::_array::ArrayP* getChildren() override { return nullptr; }
    s::image::win::BufferedImage* getBackBuffer(int32_t*, int32_t*) override { return nullptr; }
    bool isUpdateDeferred() override { return false; }
    void beginUpdate() override {}
    void endUpdate() override {}
};

}  // namespace testsupport
