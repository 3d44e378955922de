// The picture view: shows one image set (a still picture or the frames of an animation)
// through an image drawer over a plain colour, the parent's pixels or a transparency
// grid; plays animations on its own timer; can be frozen while its picture is swapped.
//
//   IImage* view = Image::create();
//   view->setImageSet(set, true, false, true, false, -1, -1);   // owned, natural size
//   view->startAnimation();
//   ...
//   view->pause(true);          // frozen and paused while another thread swaps or exports
//   view->setImageSet(next, true, false, true, false, -1, -1);
//   view->resume(true);
//
// setBackground takes 0x00RRGGBB parts (stored only); the component colours are COLORREF.
#pragma once

#include <windows.h>

#include <cstdint>

#include "gui/component/IComponent.h"

namespace s::col::_array {
class ArrayP;
}
namespace s::image {
class IEncodedImage;
class IEncodeSetting;
}  // namespace s::image
namespace s::image::filters {
class IFilter;
}
namespace s::image::win {
class BufferedImage;
class BufferedImageSet;
}  // namespace s::image::win
namespace s::gui::drawer {
class IImage;
}

namespace s::gui {

class IImage : public IComponent {
public:
    static constexpr const wchar_t* kInterfaceName = L"s_gui_IImage";

    // The picture (copied unless takeOver) becomes the one frame of a new, owned set.
    virtual void setImage(::s::image::win::BufferedImage* picture, bool takeOver, bool stretch, bool keepRatio,
                          bool blend, int32_t width, int32_t height) = 0;
    // width and height are outer fixed sizes, -1 to leave them.
    virtual void setImageSet(::s::image::win::BufferedImageSet* set, bool owned, bool stretch, bool keepRatio,
                             bool blend, int32_t width, int32_t height) = 0;
    virtual ::s::image::win::BufferedImageSet* getImageSet() = 0;
    virtual bool hasImage() = 0;
    virtual int32_t getImageWidth() = 0;
    virtual int32_t getImageHeight() = 0;
    // Fits the box (in/out) to the picture's aspect.
    virtual void fitToImageAspect(int32_t* width, int32_t* height) = 0;
    virtual int32_t getFrameCount() = 0;
    virtual bool isAnimated() = 0;
    virtual void startAnimation() = 0;
    virtual void stopAnimation(bool rewind) = 0;
    // Returns once no timer tick is running.
    virtual void pause(bool freeze) = 0;
    virtual void resume(bool unfreeze) = 0;
    // Pass-throughs to frame i (no lock, no repaint).
    virtual bool frameHasFilters(int32_t i) = 0;
    virtual bool findFrameFilter(int32_t i, const wchar_t* name, int32_t* index) = 0;
    virtual col::_array::ArrayP* getFrameFilters(int32_t i) = 0;
    virtual ::s::image::filters::IFilter* getFrameFilter(int32_t i, int32_t j) = 0;
    virtual void insertFrameFilter(int32_t i, int32_t j, ::s::image::filters::IFilter* filter) = 0;
    virtual void addFrameFilter(int32_t i, ::s::image::filters::IFilter* filter) = 0;
    virtual void removeFrameFilter(int32_t i, int32_t j) = 0;
    virtual void clearFrameFilters(int32_t i) = 0;
    virtual ::s::image::win::BufferedImage* applyFrameFilters(int32_t i) = 0;
    virtual ::s::image::win::BufferedImage* getFrameFiltered(int32_t i) = 0;
    virtual void updateImageSize() = 0;
    // An encoder of what is shown (the caller owns it); null without a picture.
    virtual ::s::image::IEncodedImage* exportShown(::s::image::IEncodeSetting* setting, bool resize, bool sharpen,
                                                   ::s::image::filters::IFilter* extraFilter) = 0;
    // A copy of what is shown, into the given image or a new one; null without a picture.
    virtual ::s::image::win::BufferedImage* copyShown(bool resize, ::s::image::win::BufferedImage* into) = 0;
    virtual void printShown(bool resize, bool autoRotate, bool autoSharpen, bool paperMaximum) = 0;
    // Do nothing.
    virtual void reserved28() = 0;
    virtual void reserved29() = 0;
    virtual void reserved30() = 0;
    // A percentage clears the fixed size of its axis and the reverse; no relayout.
    virtual void setWidthPercent(int32_t percent) = 0;
    virtual void setHeightPercent(int32_t percent) = 0;
    virtual void setFixedWidth(int32_t w) = 0;
    virtual void setFixedHeight(int32_t h) = 0;
    // A frame of getBorderWidth() pixels per side round the picture.
    virtual void setFramed(bool on) = 0;
    // Stores red << 16 | green << 8 | blue; painting does not read it.
    virtual void setBackground(int32_t red, int32_t green, int32_t blue) = 0;
    // True when the flag changed.
    virtual bool setFrozen(bool on) = 0;
    virtual void setDraggable(bool on) = 0;
    // The screen scale when framed, else 0.
    virtual int32_t getBorderWidth() = 0;
    // Null returns to the default drawer.
    virtual void setDrawer(drawer::IImage* drawer, bool owned) = 0;
    virtual void setTransparencyGrid(bool redraw) = 0;

    virtual bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void postHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

}  // namespace s::gui
