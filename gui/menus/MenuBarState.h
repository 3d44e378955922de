// The menu bar's pointer logic, apart from its window: where each entry is shown, which
// entry lies under a point, where an entry's pop-up opens, and the state machine of hot
// tracking, pressing, opening pop-ups and switching between them. The bar feeds it its
// mouse messages and carries out the steps it answers.
//
//   menubar::Tracker t;
//   t.isPopup = [&](int32_t i) { return kinds[i] == 1; };
//   menubar::Steps s = t.onMouseMove(entryUnderCursor, openOnHover);
//   if (s.closeForSwitch) EndMenu();
//   if (s.openPopups) runPopupLoop();
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

namespace s::gui::win::menubar {

// A click within this long after a pop-up closed opens nothing (it was the click that
// closed it).
inline constexpr int64_t kReopenDelayMs = 500;

// The rectangle in which entry index is shown: the measured one, or for the last entry
// of a bar whose last pop-up is right-aligned, the same width ending at the bar's right
// edge. An index out of range gives an empty rectangle.
RECT shownRect(const RECT* rects, int32_t count, int32_t index, int32_t barWidth, bool lastAtRight);

// The entry under a point in bar coordinates, -1 for none. In single-entry mode the whole
// bar ([0, width] x [0, height]) is entry 0.
int32_t entryAt(const RECT* rects, int32_t count, int32_t x, int32_t y, int32_t barWidth, int32_t barHeight,
                bool singleEntry, bool lastAtRight);

// Where an entry's pop-up opens, in bar coordinates: the entry's left edge and bottom.
POINT popupOrigin(const RECT* rects, int32_t count, int32_t index, int32_t barWidth, bool lastAtRight);

// What the bar has to do after a message.
struct Steps {
    bool capture = false;         // take the mouse capture
    bool releaseCapture = false;  // give it up
    bool repaint = false;         // the hot entry changed
    bool closeForSwitch = false;  // end the open pop-up; the loop goes on with the new hot entry
    bool closePopup = false;      // end the open pop-up for good
    bool openPopups = false;      // run the pop-up loop for the hot entry
    int32_t fire = -1;            // the entry whose command fires, -1 for none
};

class Tracker {
public:
    // Whether entry i is a pop-up (false for indexes out of range).
    std::function<bool(int32_t)> isPopup;

    int32_t hot = -1;
    bool buttonDown = false;
    bool popupOpen = false;
    bool switchPending = false;
    bool closedBySwitch = false;
    int64_t lastCloseMs = INT64_MIN / 2;
    // The entry whose pop-up the user closed: hovering it opens nothing until the pointer
    // has left it (-1 for none).
    int32_t closedOn = -1;

    // entry: the entry under the cursor, -1 for none.
    Steps onMouseMove(int32_t entry, bool openOnHover);
    Steps onButtonDown(int32_t entry, int64_t nowMs);
    Steps onButtonUp(int32_t entry);

    // The pop-up loop: beginPopup before each pop-up is shown (false: the loop ends
    // before showing anything); endPopup after it closed (true: show the pop-up of the new
    // hot entry); finishLoop once the loop is over.
    bool beginPopup();
    bool endPopup(int64_t nowMs, Steps* steps);
    void finishLoop();

    // Back to idle; the pop-up test stays.
    void clear();

private:
    bool hotIsPopup() const { return hot >= 0 && isPopup && isPopup(hot); }
    // Marks the open pop-up as closed by a switch.
    void switchAway(Steps* s) {
        closedBySwitch = true;
        s->closeForSwitch = true;
    }
};

}  // namespace s::gui::win::menubar
