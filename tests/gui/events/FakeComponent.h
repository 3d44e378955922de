// A component that records only its enabled state, for listener tests. Every other
// operation does nothing.
#pragma once

#include "gui/component/IComponent.h"

namespace testsupport {

class FakeComponent : public s::gui::IComponent, public s::base::IObject {
public:
    bool enabledState = true;
    int switches = 0;

    const wchar_t* getClassName() const override { return L"test_FakeComponent"; }
    s::base::IObject* newInstance() const override { return new FakeComponent; }
    void onEvent(s::base::IObject*, int32_t) override {}
    int32_t getX() override { return 0; }
    void setX(int32_t x) override {}
    int32_t getY() override { return 0; }
    void setY(int32_t y) override {}
    int32_t getScreenX() override { return 0; }
    int32_t getScreenY() override { return 0; }
    bool containsScreenPoint(int32_t x, int32_t y) override { return false; }
    int32_t getWidth() override { return 0; }
    void setWidth(int32_t w) override {}
    int32_t getHeight() override { return 0; }
    void setHeight(int32_t h) override {}
    int32_t getInnerWidth() override { return 0; }
    void setInnerWidth(int32_t w) override {}
    int32_t getInnerHeight() override { return 0; }
    void setInnerHeight(int32_t h) override {}
    void setPosition(int32_t x, int32_t y) override {}
    void setSize(int32_t w, int32_t h) override {}
    void setBounds(int32_t x, int32_t y, int32_t w, int32_t h) override {}
    void setOrigin(int32_t originX, int32_t originY) override {}
    void moveOrigin(int32_t dx, int32_t dy) override {}
    int32_t getMinWidth() override { return 0; }
    int32_t getMinHeight() override { return 0; }
    int32_t getMinInnerWidth() override { return 0; }
    int32_t getMinInnerHeight() override { return 0; }
    int32_t getPreferredWidth() override { return 0; }
    int32_t getPreferredHeight() override { return 0; }
    int32_t getPreferredInnerWidth() override { return 0; }
    int32_t getPreferredInnerHeight() override { return 0; }
    bool isVisible() override { return false; }
    void setVisible(bool visible, bool deep) override {}
    bool isEnabled() override { return enabledState; }
    void setEnabled(bool enabled) override {
        enabledState = enabled;
        ++switches;
    }
    bool isEditable() override { return false; }
    void setEditable(bool editable) override {}
    void centreInParent() override {}
    void centreHorizontally() override {}
    void centreVertically() override {}
    uint32_t getBackgroundColor() override { return 0; }
    bool isTransparent() override { return false; }
    void setTransparent(bool transparent, bool redraw) override {}
    void setBackgroundWhite(bool redraw) override {}
    void setBackgroundSystem(bool redraw) override {}
    void setBackgroundBlack(bool redraw) override {}
    void setBackgroundLight(bool redraw) override {}
    void setBackgroundColor(int32_t r, int32_t g, int32_t b, bool redraw) override {}
    s::gui::IWindow* getWindow() override { return nullptr; }
    s::gui::IContainer* getParent() override { return nullptr; }
    void setParent(s::gui::IContainer* container) override {}
    void addChild(s::gui::IComponent* child) override {}
    void removeChild(s::gui::IComponent* child, bool recursive) override {}
    void removeAllChildren(bool recursive) override {}
    bool isContainer() override { return false; }
    void repaintRect(int32_t x, int32_t y, int32_t w, int32_t h) override {}
    void repaint() override {}
    void setSizeClamped(int32_t w, int32_t h) override {}
    void validate() override {}
    int32_t getChildCount() override { return 0; }
    s::gui::IComponent* getChildAt(int32_t index) override { return nullptr; }
    s::col::_array::ArrayP* getChildren() override { return nullptr; }
    ::s::image::win::BufferedImage* getBackBuffer(int32_t* x, int32_t* y) override { return nullptr; }
    bool isUpdateDeferred() override { return false; }
    void beginUpdate() override {}
    void endUpdate() override {}
};

}  // namespace testsupport
