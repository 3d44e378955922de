// The picture view control (see IImage.h): a child window of the generic window class that
// shows one image set, still or animated, through an image drawer over a colour, the
// parent's pixels or a transparency grid.
//
//   s::gui::win::Image* view = s::gui::win::Image::createFixedSize(-1, 120, picture);
//   box->addChild(view);                 // the window is made on the box's thread
//   view->startAnimation();              // only for an animated set of several frames
//
// Threads: painting, the frame clock and the mouse run on the window's thread; showing a
// set, pausing, stopping and the exports may come from any thread. The shown set is only
// replaced and released under the control's lock, which painting and every export hold
// while they read it, so neither ever reads a released set.
//
// Painting touches only the part of the window that needs it: an opaque picture shown
// at its own size is copied straight from its pixels to the screen; everything else is
// composed in the control's own back buffer first.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <vector>

#include "foundation/thread/Pool.h"
#include "gui/controls/Control.h"
#include "gui/controls/IImage.h"
#include "gui/controls/ImageGeometry.h"

namespace s::image {
class PrintBackend;
}

namespace s::gui::win {

class Image : public Control<IImage, CWnd> {
    S_POOLED(Image, L"s_gui_win_Image")
public:
    Image();
    ~Image() override;
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    // The percentage (truncated) when >= 0; the picture, when given, is taken over and
    // shown stretched with its aspect kept and blended.
    static Image* createWithWidthPercent(double percent, ::s::image::win::BufferedImage* picture);
    // Fixed sizes when >= 0; the picture as above.
    static Image* createFixedSize(int32_t width, int32_t height, ::s::image::win::BufferedImage* picture);

    void reset() override;

    // IComponent: the frame is not part of the inner size; the hints follow the picture.
    int32_t getInnerWidth() override { return imageview::innerOf(width_, frameAllowance()); }
    void setInnerWidth(int32_t w) override { setSize(w + frameAllowance(), height_); }
    int32_t getInnerHeight() override { return imageview::innerOf(height_, frameAllowance()); }
    void setInnerHeight(int32_t h) override { setSize(width_, h + frameAllowance()); }
    int32_t getMinWidth() override;
    int32_t getMinHeight() override;
    int32_t getMinInnerWidth() override;
    int32_t getMinInnerHeight() override;
    int32_t getPreferredWidth() override;
    int32_t getPreferredHeight() override;
    int32_t getPreferredInnerWidth() override;
    int32_t getPreferredInnerHeight() override;
    // While frozen the geometry stays deferred.
    void endUpdate() override;
    // Transparent and the grid off.
    void setTransparent(bool transparent, bool redraw) override;
    // On the window's thread the view paints at once; from another thread the window is
    // only marked (painting it there and then would wait on that thread).
    void repaint() override;
    void repaintRect(int32_t x, int32_t y, int32_t w, int32_t h) override;
    // The control's own buffer once it painted through one, else the parent's.
    ::s::image::win::BufferedImage* getBackBuffer(int32_t* x, int32_t* y) override;

    // IImage
    void setImage(::s::image::win::BufferedImage* picture, bool takeOver, bool stretch, bool keepRatio, bool blend,
                  int32_t width, int32_t height) override;
    void setImageSet(::s::image::win::BufferedImageSet* set, bool owned, bool stretch, bool keepRatio, bool blend,
                     int32_t width, int32_t height) override;
    ::s::image::win::BufferedImageSet* getImageSet() override { return set_; }
    bool hasImage() override { return set_ != nullptr; }
    int32_t getImageWidth() override;
    int32_t getImageHeight() override;
    void fitToImageAspect(int32_t* width, int32_t* height) override;
    int32_t getFrameCount() override;
    bool isAnimated() override;
    void startAnimation() override;
    void stopAnimation(bool rewind) override;
    void pause(bool freeze) override;
    void resume(bool unfreeze) override;
    bool frameHasFilters(int32_t i) override;
    bool findFrameFilter(int32_t i, const wchar_t* name, int32_t* index) override;
    col::_array::ArrayP* getFrameFilters(int32_t i) override;
    ::s::image::filters::IFilter* getFrameFilter(int32_t i, int32_t j) override;
    void insertFrameFilter(int32_t i, int32_t j, ::s::image::filters::IFilter* filter) override;
    void addFrameFilter(int32_t i, ::s::image::filters::IFilter* filter) override;
    void removeFrameFilter(int32_t i, int32_t j) override;
    void clearFrameFilters(int32_t i) override;
    ::s::image::win::BufferedImage* applyFrameFilters(int32_t i) override;
    ::s::image::win::BufferedImage* getFrameFiltered(int32_t i) override;
    void updateImageSize() override;
    ::s::image::IEncodedImage* exportShown(::s::image::IEncodeSetting* setting, bool resize, bool sharpen,
                                           ::s::image::filters::IFilter* extraFilter) override;
    ::s::image::win::BufferedImage* copyShown(bool resize, ::s::image::win::BufferedImage* into) override;
    void printShown(bool resize, bool autoRotate, bool autoSharpen, bool paperMaximum) override;
    void reserved28() override {}
    void reserved29() override {}
    void reserved30() override {}
    void setWidthPercent(int32_t percent) override { widthHint_.setPercent(percent); }
    void setHeightPercent(int32_t percent) override { heightHint_.setPercent(percent); }
    void setFixedWidth(int32_t w) override { widthHint_.setFixed(w); }
    void setFixedHeight(int32_t h) override { heightHint_.setFixed(h); }
    void setFramed(bool on) override { framed_ = on; }
    void setBackground(int32_t red, int32_t green, int32_t blue) override;
    bool setFrozen(bool on) override;
    void setDraggable(bool on) override { draggable_ = on; }
    int32_t getBorderWidth() override;
    void setDrawer(drawer::IImage* drawer, bool owned) override;
    void setTransparencyGrid(bool redraw) override;
    bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;
    void postHandle(LRESULT*, UINT, WPARAM, LPARAM) override {}

    // Read-outs for tests and the viewer.
    int32_t getFrameIndex();
    bool isFrozen() const { return frozen_; }
    bool isPaused() const { return paused_; }
    bool isFramed() const { return framed_; }
    bool isDraggable() const { return draggable_; }
    bool isStretched() const { return stretch_; }
    bool keepsRatio() const { return keepRatio_; }
    bool isBlended() const { return blend_; }
    bool ownsImageSet() const { return ownsSet_; }
    bool showsTransparencyGrid() const { return grid_; }
    uint32_t getStoredBackground() const { return storedColour_; }
    bool isTimerRunning() const { return timerRunning_; }
    // How many paints took the direct copy from the picture (no back buffer).
    uint32_t getDirectPaintCount() const { return directPaints_; }
    // How many times the frame timer ticked.
    uint32_t getTimerTickCount() const { return ticks_; }
    ::s::image::win::BufferedImage* getOwnBackBuffer() const { return backBuffer_; }
    // The printer side printShown uses (not owned); null for the system's printers.
    void setPrintBackend(::s::image::PrintBackend* backend) { printBackend_ = backend; }

protected:
    bool createWindow(CWnd* parentWnd) override { return control::createGeneric(this, parentWnd, 0); }
    // Takes the shown set's sizes for the size hints and lays the parent out again.
    void updateSize() override { measure(); }

private:
    // Pixels the frame takes on each axis: twice the border width.
    int32_t frameAllowance() { return 2 * getBorderWidth(); }
    imageview::ImageSizing sizingNow();
    // Takes the shown set's sizes for the size hints and lays the parent out again.
    void measure();
    // WM_PAINT.
    void paint();
    // Paints the area (the whole client area for null) at once through a window DC;
    // false (nothing done) off the window's thread, while frozen or hidden.
    bool paintNow(const RECT* area);
    // Paints the part of the asked rectangle that is in sight.
    void paintInto(HDC dc, const RECT& asked);
    // The frame painting shows, or null (call under the lock).
    ::s::image::win::BufferedImage* currentFrame();
    // The drawer set by setDrawer, else the default one (null while none is registered).
    drawer::IImage* activeDrawer();
    // Frame i of the shown set, null out of range.
    ::s::image::win::BufferedImage* frameAt(int32_t i);
    // The picture of the current frame that exports start from: its filter chain's
    // result when it has filters, fitted to the inner size when resize (under the lock).
    ::s::image::win::BufferedImage* shownSource(bool resize);
    // Prepares the background of the rectangle r (client coordinates) in the back buffer,
    // whose top-left is the client point (r.left, r.top).
    void prepareBackground(HDC dc, const RECT& r);
    // Copies straight from the picture's pixels when nothing needs composing; false
    // when the back buffer is needed.
    bool paintDirect(HDC paintDc, const RECT& r, ::s::image::win::BufferedImage* frame);
    void onTimer();
    // Starts or stops the frame timer on the window's own thread.
    void startTimerHere();
    void stopTimerHere();
    ::s::image::IEncodedImage* exportAnimated(::s::image::IEncodeSetting* setting, bool resize, bool sharpen,
                                              ::s::image::filters::IFilter* extraFilter);
    bool handleMouse(LRESULT* result, UINT message, LPARAM lParam);

    ::s::image::win::BufferedImage* backBuffer_ = nullptr;

    // The picture.
    ::s::image::win::BufferedImageSet* set_ = nullptr;
    bool ownsSet_ = true;
    bool stretch_ = false;
    bool keepRatio_ = true;
    bool blend_ = false;
    bool framed_ = false;
    uint32_t storedColour_ = 0;
    bool grid_ = false;
    imageview::ImageSizing sizing_;
    drawer::IImage* defaultDrawer_ = nullptr;
    drawer::IImage* drawer_ = nullptr;
    bool ownsDrawer_ = false;
    std::atomic<bool> frozen_{false};
    bool draggable_ = false;
    bool dragging_ = false;
    POINT lastDrag_{0, 0};

    // Guards the shown set, the frame clock, painting and the exports.
    thread::ObjLocker lock_;
    std::atomic<bool> paused_{false};
    std::atomic<bool> tickInProgress_{false};
    std::atomic<bool> timerRunning_{false};
    imageview::FrameClock clock_;
    std::vector<int32_t> delays_;
    uint32_t directPaints_ = 0;
    std::atomic<uint32_t> ticks_{0};
    int32_t timerMs_ = 0;  // the frame timer's period now
    HDC sourceDc_ = nullptr;
    ::s::image::PrintBackend* printBackend_ = nullptr;
};

}  // namespace s::gui::win
