// What the filter panels need of the viewer's controller: the picture view, the
// current values, the settings, and the zoom and fit follow-ups after a filter
// changes the picture's size.
#pragma once

#include <windows.h>

#include <cstdint>

namespace s::gui {
class IImage;
}
namespace s::lang {
class Localizer;
}

namespace s::image::gui::dialogs::imageview {

class EffectData;
class ViewerSettings;

class IFilterPanelHost {
public:
    virtual ~IFilterPanelHost() = default;

    virtual s::gui::IImage* pictureView() = 0;  // exists once the window is built
    virtual bool isPictureShown() = 0;
    virtual EffectData* currentValues() = 0;  // "Current Filter Set"
    virtual ViewerSettings* settings() = 0;
    virtual lang::Localizer* localizer() = 0;
    virtual HWND dialogOwner() = 0;  // owner of the colour dialogs
    virtual int32_t screenScale() = 0;

    // Zoom and fit.
    virtual bool isFitWindowToImage() = 0;
    virtual bool isFitImageToWindow() = 0;
    virtual void setFitModeOff() = 0;  // both fits off, as the fit buttons do (no 100 % jump)
    virtual double currentScale() = 0;
    // The picture's size changed under a filter: apply the current scale again, keeping the
    // picture point at (relX, relY) of the view (0..1) in view when no fit is on.
    virtual void reapplyScale(double relX, double relY) = 0;
    virtual void showAtOriginalSize() = 0;  // scale 1.0
    // The point of the picture at the centre of the view, relative to the picture view
    // (0..1 per axis); the middle unless the controller knows better.
    virtual void viewCentre(double* relX, double* relY) {
        *relX = 0.5;
        *relY = 0.5;
    }
    virtual void updateZoomLimitsAndSlider() = 0;

    // A panel changed: the filter-set lists, the "Apply Filter..." submenu and the "Delete"
    // button go back to "Current Filter Set" when a stored set was selected; with no picture
    // the next opened one gets the current values.
    virtual void filterValuesChanged() = 0;
    // The "Always" button made a background type the default: the right-click menu follows.
    virtual void defaultBackgroundChosen(int32_t type) = 0;
};

}  // namespace s::image::gui::dialogs::imageview
