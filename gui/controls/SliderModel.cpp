#include "gui/controls/SliderModel.h"

#include <algorithm>

#include "gui/skin/SliderGeometry.h"

namespace s::gui::win {

int32_t SliderModel::clampToRange(int32_t value) const {
    if (maximum_ <= minimum_) return minimum_;
    return std::clamp(value, minimum_, maximum_);
}

int32_t SliderModel::limitFirst(int32_t value) const {
    int32_t v = clampToRange(value);
    // Below the second thumb, but never out of the range.
    if (twoThumbs_ && second_ > minimum_) v = std::min(v, second_ - 1);
    return v;
}

int32_t SliderModel::limitSecond(int32_t value) const {
    int32_t v = clampToRange(value);
    if (twoThumbs_ && position_ < maximum_) v = std::max(v, position_ + 1);
    return v;
}

bool SliderModel::moveFirst(int32_t value) {
    const int32_t v = limitFirst(value);
    if (v == position_) return false;
    position_ = v;
    return true;
}

bool SliderModel::moveSecond(int32_t value) {
    const int32_t v = limitSecond(value);
    if (v == second_) return false;
    second_ = v;
    return true;
}

int32_t SliderModel::thumbAt(int32_t x, int32_t width, int32_t scale) const {
    if (!twoThumbs_) return 0;
    const drawer::slider::SliderGeometry g(width, scale, minimum_, maximum_);
    return g.thumbAt(x, position_, true, second_);
}

int32_t SliderModel::valueAt(int32_t coordinate, int32_t channelLeft, int32_t channelRight) const {
    return drawer::slider::sliderValueAt(coordinate, channelLeft, channelRight, minimum_, maximum_);
}

}  // namespace s::gui::win
