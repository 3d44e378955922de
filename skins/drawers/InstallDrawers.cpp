#include "skins/drawers/InstallDrawers.h"

#include "gui/drawer/DefaultDrawers.h"
#include "imaging/filters/Watermark.h"
#include "skins/drawers/BorderDrawer.h"
#include "skins/drawers/ButtonDrawer.h"
#include "skins/drawers/CheckBoxDrawer.h"
#include "skins/drawers/CounterDrawer.h"
#include "skins/drawers/ImageDrawer.h"
#include "skins/drawers/ListDrawers.h"
#include "skins/drawers/MenuDrawers.h"
#include "skins/drawers/ScrollBarDrawer.h"
#include "skins/drawers/SliderDrawer.h"
#include "skins/drawers/TextDrawer.h"
#include "skins/drawers/WindowDrawer.h"
#include "skins/watermark/WatermarkRenderer.h"

namespace s::skins {

namespace d = gui::drawer;

void installDefaultDrawers() {
    d::DefaultDrawerFactories f;
    f.window = []() -> d::IWindow* { return d::window::win::Thin::create(); };
    f.button = []() -> d::IButton* { return d::button::win::Thin::create(); };
    f.text = []() -> d::IText* { return d::text::win::Basic::create(); };
    f.border = []() -> d::IBorder* { return d::border::win::Thin::create(); };
    f.scrollBar = []() -> d::IScrollBar* { return d::scrollbar::win::Thin::create(); };
    f.checkBox = []() -> d::ICheckBox* { return d::checkbox::win::Thin::create(); };
    f.radioButton = []() -> d::IRadioButton* { return d::radiobutton::win::Thin::create(); };
    f.slider = []() -> d::ISlider* { return d::slider::win::Thin::create(); };
    f.counter = []() -> d::ICounter* { return d::counter::win::Basic::create(); };
    f.listHeader = []() -> d::IListHeader* { return d::listheader::win::Thin::create(); };
    f.listBox = []() -> d::IListBox* { return d::listbox::win::Thin::create(); };
    f.statusBar = []() -> d::IStatusBar* { return d::statusbar::win::Thin::create(); };
    f.menu = []() -> d::IMenu* { return d::menu::win::Basic::create(); };
    f.combo = []() -> d::ICombo* { return d::combo::win::Thin::create(); };
    // The group box control's own default is the Basic drawer.
    f.groupBox = []() -> d::IGroupBox* { return d::groupbox::win::Basic::create(); };
    f.tabBox = []() -> d::ITabBox* { return d::tabbox::win::Thin::create(); };
    f.image = []() -> d::IImage* { return d::image::win::Basic::create(); };
    d::setDefaultDrawerFactories(f);
    image::filters::watermark::setRenderer(watermark::render);
}

}  // namespace s::skins
