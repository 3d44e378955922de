// How toolkit code gets a drawer without knowing the skins layer above it: the skins
// layer registers one factory per kind once at start-up, and a control with no skin
// (the label, the scroll bar, the picture view, the group box ...) asks for a new
// drawer of its kind here.
//
//   // at start-up, once (skins/drawers/InstallDrawers.h does this):
//   s::skins::installDefaultDrawers();
//
//   // in a control:
//   s::gui::drawer::IText* text = s::gui::drawer::createDefaultText();
//   if (text) text->paint(dc, 0, 0, w, h, caption, font);
//   s::gui::drawer::releaseDrawer(text);   // back to its pool
//
// Every create function answers null while no factory of that kind is registered, so
// callers must cope with having no drawer (they paint nothing then). Factories are
// plain function pointers; registering is not synchronised and belongs before the first
// window is made.
#pragma once

#include "gui/drawer/IBorder.h"
#include "gui/drawer/IButton.h"
#include "gui/drawer/ICheckBox.h"
#include "gui/drawer/ICounter.h"
#include "gui/drawer/IImage.h"
#include "gui/drawer/IList.h"
#include "gui/drawer/IMenu.h"
#include "gui/drawer/IScrollBar.h"
#include "gui/drawer/ISlider.h"
#include "gui/drawer/IText.h"
#include "gui/drawer/IWindow.h"

namespace s::gui::drawer {

// One factory per kind; each returns a new pooled drawer, reset, that the caller
// releases with releaseDrawer.
struct DefaultDrawerFactories {
    IWindow* (*window)() = nullptr;
    IButton* (*button)() = nullptr;
    IText* (*text)() = nullptr;
    IBorder* (*border)() = nullptr;
    IScrollBar* (*scrollBar)() = nullptr;
    ICheckBox* (*checkBox)() = nullptr;
    IRadioButton* (*radioButton)() = nullptr;
    ISlider* (*slider)() = nullptr;
    ICounter* (*counter)() = nullptr;
    IListHeader* (*listHeader)() = nullptr;
    IListBox* (*listBox)() = nullptr;
    IStatusBar* (*statusBar)() = nullptr;
    IMenu* (*menu)() = nullptr;
    ICombo* (*combo)() = nullptr;
    IGroupBox* (*groupBox)() = nullptr;
    ITabBox* (*tabBox)() = nullptr;
    IImage* (*image)() = nullptr;
};

// Replaces the registered factories (the skins layer calls this once).
void setDefaultDrawerFactories(const DefaultDrawerFactories& factories);
const DefaultDrawerFactories& defaultDrawerFactories();

IWindow* createDefaultWindow();
IButton* createDefaultButton();
IText* createDefaultText();
IBorder* createDefaultBorder();
IScrollBar* createDefaultScrollBar();
ICheckBox* createDefaultCheckBox();
IRadioButton* createDefaultRadioButton();
ISlider* createDefaultSlider();
ICounter* createDefaultCounter();
IListHeader* createDefaultListHeader();
IListBox* createDefaultListBox();
IStatusBar* createDefaultStatusBar();
IMenu* createDefaultMenu();
ICombo* createDefaultCombo();
IGroupBox* createDefaultGroupBox();
ITabBox* createDefaultTabBox();
IImage* createDefaultImage();

// Gives a drawer back to its pool (every drawer class is also an IPoolable); null is
// ignored.
void releaseDrawer(base::IObject* drawer);

}  // namespace s::gui::drawer
