// The counter drawer: a small history graph of one or two counters, newest value at
// the right edge. Styles: 0 bars from the bottom, 1 level bar of one value, 2 bars
// centred on the middle line.
#pragma once

#include "foundation/thread/Pool.h"
#include "gui/drawer/IDrawer.h"

namespace s::gui::drawer {

// One counter's history, read by the painter under its lock.
struct CounterHistory {
    thread::ObjLocker* lock = nullptr;
    int64_t* values = nullptr;  // a ring of capacity values
    int32_t capacity = 0;
    int32_t count = 0;      // values stored
    int32_t nextWrite = 0;  // the slot the next value goes to
    bool autoMaximum = false;
    int64_t startMaximum = 0;  // used in auto mode
    int64_t fixedMaximum = 0;  // used otherwise
    int64_t minimum = 0;
    bool dots = false;  // 5-pixel marks instead of bars
    bool ownColor = false;
    uint8_t red = 0, green = 0, blue = 0;
};

class ICounter : public base::IObject {
public:
    // Also clears the transparent flag.
    virtual void setBackgroundColor(int r, int g, int b) = 0;
    virtual uint8_t getColorARed() const = 0;
    virtual uint8_t getColorAGreen() const = 0;
    virtual uint8_t getColorABlue() const = 0;
    virtual void setColorA(int r, int g, int b) = 0;
    virtual uint8_t getColorBRed() const = 0;
    virtual uint8_t getColorBGreen() const = 0;
    virtual uint8_t getColorBBlue() const = 0;
    virtual void setColorB(int r, int g, int b) = 0;
    virtual void paint(HDC dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t style,
                       const CounterHistory* first, const CounterHistory* second, bool swapColors) = 0;
};

}  // namespace s::gui::drawer

namespace s::gui::drawer::counter {
class IBasic : public drawer::ICounter {};
}  // namespace s::gui::drawer::counter
