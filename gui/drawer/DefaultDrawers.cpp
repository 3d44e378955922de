#include "gui/drawer/DefaultDrawers.h"

#include "foundation/thread/Pool.h"

namespace s::gui::drawer {

namespace {

DefaultDrawerFactories& registry() {
    static DefaultDrawerFactories factories;
    return factories;
}

template <class T>
T* make(T* (*factory)()) {
    return factory ? factory() : nullptr;
}

}  // namespace

void setDefaultDrawerFactories(const DefaultDrawerFactories& factories) { registry() = factories; }
const DefaultDrawerFactories& defaultDrawerFactories() { return registry(); }

IWindow* createDefaultWindow() { return make(registry().window); }
IButton* createDefaultButton() { return make(registry().button); }
IText* createDefaultText() { return make(registry().text); }
IBorder* createDefaultBorder() { return make(registry().border); }
IScrollBar* createDefaultScrollBar() { return make(registry().scrollBar); }
ICheckBox* createDefaultCheckBox() { return make(registry().checkBox); }
IRadioButton* createDefaultRadioButton() { return make(registry().radioButton); }
ISlider* createDefaultSlider() { return make(registry().slider); }
ICounter* createDefaultCounter() { return make(registry().counter); }
IListHeader* createDefaultListHeader() { return make(registry().listHeader); }
IListBox* createDefaultListBox() { return make(registry().listBox); }
IStatusBar* createDefaultStatusBar() { return make(registry().statusBar); }
IMenu* createDefaultMenu() { return make(registry().menu); }
ICombo* createDefaultCombo() { return make(registry().combo); }
IGroupBox* createDefaultGroupBox() { return make(registry().groupBox); }
ITabBox* createDefaultTabBox() { return make(registry().tabBox); }
IImage* createDefaultImage() { return make(registry().image); }

void releaseDrawer(base::IObject* drawer) {
    if (auto* p = dynamic_cast<thread::IPoolable*>(drawer)) p->release();
}

}  // namespace s::gui::drawer
