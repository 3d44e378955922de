// A skin: a named set of fifteen drawers, one per kind of control, all coloured from one
// colour preset. Windows and controls take the drawer of their kind from the current skin
// of their window's skinner (ISkinner.h) and never own it:
//   drawer::IButton* d = skinner->getCurrentSkin()->getButtonDrawer();
//   button->setDrawer(d, /*owned*/ false);
// A skin owns the drawers it holds when it is reset: reset releases each to its pool.
#pragma once

#include "foundation/base/Object.h"
#include "foundation/thread/Pool.h"

namespace s::gui::drawer {

class IWindow;
class IButton;
class IText;
class IScrollBar;
class ICheckBox;
class IRadioButton;
class ISlider;
class ICounter;
class IListHeader;
class IListBox;
class IStatusBar;
class IMenu;
class ICombo;
class IGroupBox;
class ITabBox;

class ISkin : public base::IObject, public thread::IPoolable {
public:
    // The name as a NUL-terminated text ("White", "Classic LG" ...).
    virtual const wchar_t* getName() = 0;
    virtual void setName(const wchar_t* name) = 0;

    // Each getter returns the stored drawer (null in a new skin); each setter only stores
    // the new pointer: the drawer it replaces is not released.
    virtual IWindow* getWindowDrawer() = 0;
    virtual void setWindowDrawer(IWindow* drawer) = 0;
    virtual IButton* getButtonDrawer() = 0;
    virtual void setButtonDrawer(IButton* drawer) = 0;
    virtual IText* getTextDrawer() = 0;
    virtual void setTextDrawer(IText* drawer) = 0;
    virtual IScrollBar* getScrollBarDrawer() = 0;
    virtual void setScrollBarDrawer(IScrollBar* drawer) = 0;
    virtual ICheckBox* getCheckBoxDrawer() = 0;
    virtual void setCheckBoxDrawer(ICheckBox* drawer) = 0;
    virtual IRadioButton* getRadioButtonDrawer() = 0;
    virtual void setRadioButtonDrawer(IRadioButton* drawer) = 0;
    virtual ISlider* getSliderDrawer() = 0;
    virtual void setSliderDrawer(ISlider* drawer) = 0;
    virtual ICounter* getCounterDrawer() = 0;
    virtual void setCounterDrawer(ICounter* drawer) = 0;
    virtual IListHeader* getListHeaderDrawer() = 0;
    virtual void setListHeaderDrawer(IListHeader* drawer) = 0;
    virtual IListBox* getListBoxDrawer() = 0;
    virtual void setListBoxDrawer(IListBox* drawer) = 0;
    virtual IStatusBar* getStatusBarDrawer() = 0;
    virtual void setStatusBarDrawer(IStatusBar* drawer) = 0;
    virtual IMenu* getMenuDrawer() = 0;
    virtual void setMenuDrawer(IMenu* drawer) = 0;
    virtual ICombo* getComboDrawer() = 0;
    virtual void setComboDrawer(ICombo* drawer) = 0;
    virtual IGroupBox* getGroupBoxDrawer() = 0;
    virtual void setGroupBoxDrawer(IGroupBox* drawer) = 0;
    virtual ITabBox* getTabBoxDrawer() = 0;
    virtual void setTabBoxDrawer(ITabBox* drawer) = 0;
};

}  // namespace s::gui::drawer
