// The range a progress bar is given for a conversion's progress: the bar's positions are
// 16-bit, so a larger total is halved, together with the count done, until it fits.
//
//   int32_t total = 100000, done = 40000;
//   fitProgressRange(&total, &done);   // 25000 and 10000
#pragma once

#include <cstdint>

namespace s::image::gui::dialogs::imageview {

constexpr int32_t kProgressRangeMax = 32767;

inline void fitProgressRange(int32_t* total, int32_t* done) {
    while (*total > kProgressRangeMax) {
        *total >>= 1;
        *done >>= 1;
    }
}

}  // namespace s::image::gui::dialogs::imageview
