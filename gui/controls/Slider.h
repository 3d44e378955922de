// The track bar control (see ISlider.h): a range, a position, tick marks and change
// listeners on the system track bar; with a skin drawer the library paints it and moves
// its one or two thumbs itself.
//
//   Slider* zoom = Slider::createRange(10, 400, 100, 100, -1);
//   zoom->addChangeListener(&onZoom);     // code 0 when the user moves a thumb
//   window->addChild(zoom);
//   zoom->setPosition(200);               // the program's own change: no event
//
// A drawn slider places its thumbs by the painter's geometry (gui/skin/SliderGeometry.h),
// so a press lands on the thumb drawn under it at every screen scale; the value under
// the pointer comes from the track bar's channel. Keys go to the track bar (the up arrow
// as Page Down, the down arrow as Page Up) and its new position is read back as a move.
#pragma once

#include <windows.h>

#include "framework/controls/SliderCtrl.h"
#include "gui/controls/Control.h"
#include "gui/controls/ISlider.h"
#include "gui/controls/SliderModel.h"

namespace s::gui::win {

class Slider : public Control<ISlider, CSliderCtrl> {
    S_POOLED(Slider, L"s_gui_win_Slider")
public:
    static constexpr UINT kControlId = 1040;

    Slider();
    ~Slider() override;
    void reset() override;

    // 0..100 at 100, tic frequency 10, no ticks, no fill; the percentages (truncated)
    // when not below 0.
    static Slider* createPercent(double widthPercent, double heightPercent);
    // The range and position, tic frequency 10, no ticks, the fill shown; the width
    // percent and fixed height when not below 0.
    static Slider* createRange(int32_t minimum, int32_t maximum, int32_t position, double widthPercent,
                               int32_t fixedHeight);

    // IEventListener: a skin change brings the new skin's slider drawer.
    void onEvent(base::IObject* source, int32_t code) override;

    // ISlider
    void setWidthPercent(int32_t percent) override { widthHint_.percent = percent; }
    void setHeightPercent(int32_t percent) override { heightHint_.percent = percent; }
    void setFixedWidth(int32_t w) override { widthHint_.fixed = w; }
    void setFixedHeight(int32_t h) override { heightHint_.fixed = h; }
    void setThumbLength(int32_t length) override;
    void setRange(int32_t minimum, int32_t maximum) override;
    int32_t getPosition() override { return model_.position(); }
    void setPosition(int32_t position) override;
    void setTicFrequency(int32_t n) override;
    void setShowTicks(bool on) override;
    void addChangeListener(events::IEventListener* l) override { listeners_.push(l); }
    void setDrawer(drawer::ISlider* drawer, bool owned) override;
    void setDisplayOption(bool on) override;
    void setStep(int32_t anchor) override { anchor_ = anchor; }
    void setLinked(bool on) override;
    int32_t getUpperPosition() override { return model_.secondPosition(); }
    void setUpperPosition(int32_t position) override;
    void setMark(int32_t style, int32_t a, int32_t b) override;

    bool preHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;
    void postHandle(LRESULT* result, UINT message, WPARAM wParam, LPARAM lParam) override;

    // The user's moves: limited like the setters; when the value changes it is stored
    // and every change listener hears code 0. True on a change.
    bool movePosition(int32_t value);
    bool moveSecondPosition(int32_t value);
    // The value under a client point, by the track bar's channel (its x, or its y on a
    // vertical slider).
    int32_t positionFromPoint(int32_t x, int32_t y);

    int32_t getMinimum() const { return model_.minimum(); }
    int32_t getMaximum() const { return model_.maximum(); }
    int32_t getTicFrequency() const { return ticFrequency_; }
    bool isShowingTicks() const { return showTicks_; }
    int32_t getThumbLength() const { return thumbLength_; }
    bool isLinked() const { return model_.twoThumbs(); }
    bool isShowingFill() const { return showFill_; }
    int32_t getAnchor() const { return anchor_; }
    int32_t getBandStyle() const { return bandStyle_; }
    drawer::ISlider* getDrawer() const { return drawer_; }
    bool isDragging() const { return dragging_; }
    // The thumb a drag moves: 0 the first, 1 the second.
    int32_t getDraggedThumb() const { return dragged_; }

protected:
    bool createWindow(CWnd* parentWnd) override;
    void updateSize() override;
    void attachServices() override;
    void detachServices() override;
    void paintContent(HDC dc, const RECT& rc) override;

private:
    void tellListeners();
    void syncTrackBar();
    void applyTicks();
    void applyTicFrequency();
    // A drawn slider's press, drag and release.
    bool pressAt(LPARAM lParam);
    void dragTo(LPARAM lParam);
    void endDrag();
    // The track bar's position read back as a user's move.
    void readBack();
    bool isVertical() const;

    SliderModel model_;
    int32_t thumbLength_ = -1;
    bool showTicks_ = true;
    int32_t ticFrequency_ = 10;
    col::_array::ArrayP listeners_;
    drawer::ISlider* drawer_ = nullptr;
    bool drawerOwned_ = false;
    bool showFill_ = false;
    int32_t anchor_ = 0;
    int32_t bandStyle_ = 0;
    int32_t bandA_ = -1;
    int32_t bandB_ = 0;
    int32_t dragged_ = 0;
    bool dragging_ = false;
    bool moved_ = false;
};

}  // namespace s::gui::win
