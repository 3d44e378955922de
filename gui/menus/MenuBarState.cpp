#include "gui/menus/MenuBarState.h"

namespace s::gui::win::menubar {

RECT shownRect(const RECT* rects, int32_t count, int32_t index, int32_t barWidth, bool lastAtRight) {
    if (!rects || index < 0 || index >= count) return RECT{0, 0, 0, 0};
    RECT r = rects[index];
    if (lastAtRight && index == count - 1) {
        const LONG width = r.right - r.left;
        r.right = barWidth;
        r.left = barWidth - width;
    }
    return r;
}

int32_t entryAt(const RECT* rects, int32_t count, int32_t x, int32_t y, int32_t barWidth, int32_t barHeight,
                bool singleEntry, bool lastAtRight) {
    if (count <= 0) return -1;
    if (singleEntry) return (x >= 0 && x <= barWidth && y >= 0 && y <= barHeight) ? 0 : -1;
    for (int32_t i = 0; i < count; ++i) {
        const RECT r = shownRect(rects, count, i, barWidth, lastAtRight);
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return i;
    }
    return -1;
}

POINT popupOrigin(const RECT* rects, int32_t count, int32_t index, int32_t barWidth, bool lastAtRight) {
    const RECT r = shownRect(rects, count, index, barWidth, lastAtRight);
    return POINT{r.left, r.bottom};
}

void Tracker::clear() {
    hot = -1;
    buttonDown = popupOpen = switchPending = closedBySwitch = false;
    lastCloseMs = INT64_MIN / 2;
    closedOn = -1;
}

Steps Tracker::onMouseMove(int32_t entry, bool openOnHover) {
    Steps s;
    if (entry != closedOn) closedOn = -1;
    if (entry >= 0) {
        s.capture = true;
        if (entry == hot) return s;
        if (popupOpen && hotIsPopup()) {
            switchAway(&s);
            switchPending = true;
        }
        hot = entry;
        s.repaint = true;
        if ((popupOpen || (openOnHover && entry != closedOn)) && !switchPending) s.openPopups = hotIsPopup();
        return s;
    }
    if (!buttonDown && !popupOpen) s.releaseCapture = true;
    if (hot == -1 || (popupOpen && hotIsPopup())) return s;
    hot = -1;
    s.repaint = true;
    return s;
}

Steps Tracker::onButtonDown(int32_t entry, int64_t nowMs) {
    Steps s;
    if (entry < 0) {
        if (popupOpen) {
            popupOpen = false;
            s.closePopup = true;
        }
        return s;
    }
    buttonDown = true;
    s.capture = true;
    hot = entry;
    s.repaint = true;
    if (popupOpen) {
        // A press on the bar while its pop-up is open closes it.
        popupOpen = false;
        switchAway(&s);
    } else if (nowMs - lastCloseMs >= kReopenDelayMs) {
        s.openPopups = hotIsPopup();
        popupOpen = s.openPopups;
    }
    return s;
}

Steps Tracker::onButtonUp(int32_t entry) {
    Steps s;
    if (!buttonDown) return s;
    buttonDown = false;
    if (entry >= 0) {
        s.capture = true;
        if (hot != entry) {
            hot = entry;
            s.repaint = true;
        }
        if (!hotIsPopup()) {
            popupOpen = false;
            s.releaseCapture = true;
            s.capture = false;
            s.fire = hot;
            hot = -1;
            s.repaint = true;
        }
        return s;
    }
    if (!popupOpen) s.releaseCapture = true;
    if (hot != -1) {
        hot = -1;
        s.repaint = true;
    }
    return s;
}

bool Tracker::beginPopup() {
    if (!hotIsPopup()) return false;
    switchPending = false;
    closedBySwitch = false;
    popupOpen = true;
    return true;
}

bool Tracker::endPopup(int64_t nowMs, Steps* steps) {
    Steps s;
    // The press that opened the pop-up was released inside the pop-up's own loop.
    buttonDown = false;
    if (!closedBySwitch) {
        lastCloseMs = nowMs;
        closedOn = hot;
        popupOpen = false;
        hot = -1;
        s.releaseCapture = true;
        s.repaint = true;
        if (steps) *steps = s;
        return false;
    }
    s.capture = true;
    if (steps) *steps = s;
    return switchPending && hot >= 0;
}

void Tracker::finishLoop() {
    switchPending = false;
    closedBySwitch = false;
}

}  // namespace s::gui::win::menubar
