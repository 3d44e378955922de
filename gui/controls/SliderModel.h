// The numbers of a slider without its window: range, one or two thumb positions, which
// moves raise a change event, and where a pointer lands.
//
// Two kinds of change: the program's setters (setPosition, setSecondPosition) only
// store; the user's moves (moveFirst, moveSecond: pointer, keys, the track bar's own
// scrolling) answer true when the position really changed, and the slider then tells
// its change listeners.
//
//   SliderModel m;                 // 0..100, position 0
//   m.setTwoThumbs(true);
//   m.setSecondPosition(60);
//   m.moveFirst(70);               // true; position() == 59
//   m.moveFirst(80);               // false: still 59
//
// Every value stays inside [minimum, maximum]; with two thumbs the first stays below the
// second where the range allows it. An inverted range (maximum below minimum) holds
// only the minimum.
#pragma once

#include <cstdint>

namespace s::gui::win {

class SliderModel {
public:
    int32_t minimum() const { return minimum_; }
    int32_t maximum() const { return maximum_; }
    int32_t position() const { return position_; }
    int32_t secondPosition() const { return second_; }
    bool twoThumbs() const { return twoThumbs_; }

    // Stores the range only; positions are limited when they are next set or moved.
    void setRange(int32_t minimum, int32_t maximum) {
        minimum_ = minimum;
        maximum_ = maximum;
    }
    void setTwoThumbs(bool on) { twoThumbs_ = on; }

    // The value the first (second) thumb would take.
    int32_t limitFirst(int32_t value) const;
    int32_t limitSecond(int32_t value) const;

    // The program's setters: limit and store, no event.
    void setPosition(int32_t value) { position_ = limitFirst(value); }
    void setSecondPosition(int32_t value) { second_ = limitSecond(value); }

    // The user's moves: limit, store, and answer whether the value changed.
    bool moveFirst(int32_t value);
    bool moveSecond(int32_t value);
    // Moves thumb 0 or 1.
    bool moveThumb(int32_t thumb, int32_t value) { return thumb == 1 ? moveSecond(value) : moveFirst(value); }

    // The thumb a press at x on a drawn slider of the width takes: 0 or 1 with two
    // thumbs (-1 when neither is under x), always 0 with one. Uses the painter's
    // geometry at the screen scale.
    int32_t thumbAt(int32_t x, int32_t width, int32_t scale) const;

    // The value under a pointer coordinate on the track bar's channel.
    int32_t valueAt(int32_t coordinate, int32_t channelLeft, int32_t channelRight) const;

    // Back to 0..100, positions 0, one thumb.
    void reset() { *this = SliderModel(); }

private:
    int32_t clampToRange(int32_t value) const;

    int32_t minimum_ = 0;
    int32_t maximum_ = 100;
    int32_t position_ = 0;
    int32_t second_ = 0;
    bool twoThumbs_ = false;
};

}  // namespace s::gui::win
