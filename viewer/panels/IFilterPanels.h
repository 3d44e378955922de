// The filter side panels (Sharpness ... Background) as one object the viewer's
// controller owns: it builds the panels, turns their events into the current
// filter values and the filter chain of the shown picture, and lets the filter-set
// code load a stored set into them or reset them.
#pragma once

#include <windows.h>

#include <cstdint>

namespace s::gui {
class IComponent;
class IBox;
}  // namespace s::gui

namespace s::col::_array {
class ArrayP;
}

namespace s::image::gui::dialogs::imageview {

class EffectData;

class IFilterPanels {
public:
    virtual ~IFilterPanels() = default;

    // Creates the seventeen filter panels and their controls (not yet attached).
    virtual void build() = 0;
    // The panel box for a panel-chooser command (4200 Monochrome, 4300 Sharpness, 4400 Rotate,
    // 4410 Size, 4420/4430 Stretch, 4450 Flip, 4460/4470 Cut, 4480 Misty Frame, 4500 Hue,
    // 4510 Saturation, 4520 Brightness, 4530 Level, 4540 S-Curve, 4550 Alpha, 4600 Background,
    // 4650 Watermark Text); null for any other command.
    virtual s::gui::IBox* panelFor(int32_t command) = 0;
    // Sets start values and registers listeners; called once every panel is attached.
    virtual void start() = 0;

    // Offers an event to the panel handlers in their fixed order; true when one consumed it.
    virtual bool handleEvent(s::gui::IComponent* source, int32_t code) = 0;

    // A new picture is on view (its size before filters): the size limits follow it, and
    // unless the lock is on every panel returns to neutral; with the lock on the filter
    // list is attached to each frame of the new picture.
    virtual void pictureOpened(int32_t width, int32_t height) = 0;

    // Every value back to neutral (the "Clear" command, a new picture, loading a set).
    virtual void resetFilterPanels(bool reshow, bool clearSelection, bool ignoreLock) = 0;
    // Shows a stored set's values on the panels and applies them (nothing is reset first).
    virtual void loadValues(const EffectData* set) = 0;
    // Attaches every filter of the list to every frame again.
    virtual void reattachFilters() = 0;
    // Re-filters every frame and repaints (after a batch of setters).
    virtual void reapplyAll() = 0;

    virtual void setBackground(int32_t type, COLORREF color, bool updateList) = 0;

    virtual bool isLocked() = 0;
    virtual void setLocked(bool on) = 0;
    virtual bool isLoadingFilterSet() = 0;
    virtual void setLoadingFilterSet(bool on) = 0;

    // The filters applied to every frame, in order of first use.
    virtual col::_array::ArrayP* getFilterList() = 0;
};

class IFilterPanelHost;

// Makes the viewer's filter panels; the caller owns the result.
IFilterPanels* makeFilterPanels(IFilterPanelHost* host);

}  // namespace s::image::gui::dialogs::imageview
